// The background catalogue, its description files and drawing a background's picture.

#include "effects/background.h"

#include <gtest/gtest.h>

#include <string>

#include "app/globals.h"
#include "engine/draw.h"
#include "support/harness.h"

namespace {

// Content lives in a temporary folder that stands in for the content root.
class BackgroundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    root = harness::makeTempFolder("backgrounds") + "/";
    savedRoot = globals().contentRoot;
    globals().contentRoot = root;
    backgroundCatalogue().clear();
    backgroundLinks() = TBackgroundLinks{};
  }
  void TearDown() override {
    globals().contentRoot = savedRoot;
    backgroundCatalogue().clear();
    backgroundLinks() = TBackgroundLinks{};
  }
  void write(const std::string& path, const std::string& text) {
    harness::writeFile(root + path, text);
  }
  std::string root, savedRoot;
};

TEST_F(BackgroundTest, CatalogueMapsIdsToDescriptions) {
  // Mixed letter case in group names, as the files spell them.
  write("data/backgrounds.dat",
        "backGrounds {\n\ti = 3\n"
        "\tbg1 {\n\t\tid = 4\n\t\turl = \"data/backgrounds/a.dat\"\n\t}\n"
        "\tBG2 {\n\t\tID = 2\n\t\tURL = \"data/backgrounds/b.dat\"\n\t}\n"
        "\tbg3 {\n\t\tid = 4\n\t\turl = \"data/backgrounds/c.dat\"\n\t}\n}\n");
  loadBackgroundCatalogue();
  struct Case {
    int id;
    const char* url;  // "" : none
  } const cases[] = {{4, "data/backgrounds/a.dat"}, {2, "data/backgrounds/b.dat"}, {1, ""}, {0, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const BackgroundPtr bg = getBackground(c.id);
    if (*c.url == 0) {
      EXPECT_EQ(bg, nullptr);
    } else {
      ASSERT_NE(bg, nullptr);
      EXPECT_EQ(bg->url, root + c.url);  // the first entry wins
    }
  }
  EXPECT_EQ(backgroundCatalogue().size(), 3u);
}

TEST_F(BackgroundTest, BrokenCataloguesGiveWhatTheyList) {
  const std::string entry = "\tbg1 {\n\t\tid = 1\n\t\turl = \"x.dat\"\n\t}\n";
  struct Case {
    const char* count;
    size_t size;
  } const cases[] = {{"0", 0}, {"-4", 0}, {"nan", 0}, {"1", 1}, {"1e30", 1}, {"2147483647", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    write("data/backgrounds.dat", std::string("backgrounds {\n\ti = ") + c.count + "\n" + entry + "}\n");
    loadBackgroundCatalogue();
    EXPECT_EQ(backgroundCatalogue().size(), c.size);
  }
  harness::writeFile(root + "data/backgrounds.dat", "");
  loadBackgroundCatalogue();
  EXPECT_TRUE(backgroundCatalogue().empty());
  EXPECT_EQ(getBackground(1), nullptr);
}

TEST_F(BackgroundTest, DrawsItsPictureAtTheTopLeft) {
  TPixmap pm(64, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) {
      unsigned char* p = pm.at(x, y);
      p[0] = 40, p[1] = 120, p[2] = 200, p[3] = 255;
    }
  harness::writeFile(root + "gfx/backgrounds/keep.txt", "");
  ASSERT_TRUE(savePixmapPNG(pm, root + "gfx/backgrounds/one.png"));
  write("data/bg.dat", "background {\n\tbackGFX = \"gfx/backgrounds/one.png\"\n}\n");
  TBackground bg;
  bg.url = root + "data/bg.dat";
  bg.check();
  ASSERT_NE(bg.img, nullptr);
  // Whatever transform the previous drawing left behind.
  setTransform(45, 3, 3);
  setAlpha(0.2f);
  setColor(255, 0, 0);
  bg.draw();
  const TPixmap shot = harness::frame();
  for (const auto& [x, y, inside] : {std::tuple{0, 0, true}, {63, 31, true}, {64, 10, false}, {10, 32, false}}) {
    SCOPED_TRACE(testing::Message() << x << "," << y);
    EXPECT_EQ(shot.at(x, y)[2], inside ? 200 : 0);
    EXPECT_EQ(shot.at(x, y)[1], inside ? 120 : 0);
  }
  // check() loads only once; loadMe() loads again.
  const ImagePtr first = bg.img;
  bg.check();
  EXPECT_EQ(bg.img, first);
  bg.loadMe();
  EXPECT_NE(bg.img, first);
}

TEST_F(BackgroundTest, MissingPictureDrawsNothing) {
  write("data/bg.dat", "background {\n\tbackGFX = \"gfx/none.png\"\n}\n");
  TBackground bg;
  bg.url = root + "data/bg.dat";
  bg.loadMe();
  EXPECT_EQ(bg.img, nullptr);
  bg.draw();
  EXPECT_EQ(harness::frame().at(5, 5)[0], 0);
  TBackground absent;  // no description file at all
  absent.url = root + "data/none.dat";
  absent.check();
  EXPECT_EQ(absent.img, nullptr);
}

TEST_F(BackgroundTest, BushEntriesGoToTheBushMaker) {
  write("data/bg.dat",
        "background {\n\tbackGFX = \"none.png\"\n\tbushes {\n\t\ti = 5000000\n"
        "\t\tb1 = 3, 100.5, 200, 1, 0.5\n\t\tB2 = 7, 10, 20, 2, 2\n\t}\n}\n");
  struct Made {
    int kind;
    float x, y, sx, sy;
  };
  std::vector<Made> made;
  backgroundLinks().createBush = [&](int k, float x, float y, float sx, float sy) {
    made.push_back({k, x, y, sx, sy});
    return std::shared_ptr<TBush>();  // no bush kind: nothing is kept
  };
  TBackground bg;
  bg.url = root + "data/bg.dat";
  bg.loadMe();
  ASSERT_EQ(made.size(), 2u);
  EXPECT_EQ(made[0].kind, 3);
  EXPECT_EQ(made[0].x, 100.5f);
  EXPECT_EQ(made[0].sy, 0.5f);
  EXPECT_EQ(made[1].kind, 7);
  EXPECT_TRUE(bg.bushes.empty());
}

}  // namespace
