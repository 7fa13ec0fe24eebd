// Loading pictures: masking of formats without alpha, animation strips, and files that
// are missing or broken, which must give null and never end the process.

#include <gtest/gtest.h>

#include <fstream>

#include "engine/image.h"
#include "support/harness.h"

namespace {

// 32 x 32: the top-left 16 x 16 block pure black, the rest a flat colour. Flat blocks
// aligned to the JPEG block grid come back exact.
TPixmap blackCornerPicture(unsigned char r = 120, unsigned char g = 130, unsigned char b = 140) {
  TPixmap p(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      unsigned char* c = p.at(x, y);
      const bool corner = x < 16 && y < 16;
      c[0] = corner ? 0 : r;
      c[1] = corner ? 0 : g;
      c[2] = corner ? 0 : b;
      c[3] = 255;
    }
  return p;
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = harness::makeTempFolder("images");
    setMaskColor(0, 0, 0);
  }
  void TearDown() override { setMaskColor(0, 0, 0); }
  std::string dir;
};

TEST_F(ImageTest, PicturesWithoutAlphaAreMaskedByTheMaskColour) {
  ASSERT_TRUE(harness::writeJpeg(dir + "/a.jpg", blackCornerPicture()));
  ASSERT_TRUE(harness::writeRgbPng(dir + "/a.png", blackCornerPicture()));
  TPixmap rgba = blackCornerPicture();
  ASSERT_TRUE(savePixmapPNG(rgba, dir + "/rgba.png"));

  struct Case {
    const char* file;
    int flags;
    int cornerAlpha;
  };
  const Case cases[] = {
      {"/a.jpg", IMAGE_DEFAULT, 0},   {"/a.png", IMAGE_DEFAULT, 0},
      {"/a.jpg", IMAGE_FILTERED, 255}, {"/a.png", 0, 255},
      {"/rgba.png", IMAGE_DEFAULT, 255},  // carries alpha: left alone
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.file) + " flags " + std::to_string(k.flags));
    const ImagePtr image = loadImage(dir + k.file, k.flags);
    ASSERT_NE(image, nullptr);
    const TPixmap& p = image->pixmaps[0];
    EXPECT_EQ(p.at(4, 4)[3], k.cornerAlpha);
    EXPECT_EQ(p.at(24, 24)[3], 255);
  }
}

TEST_F(ImageTest, MaskColourIsTakenAtLoadTime) {
  ASSERT_TRUE(harness::writeRgbPng(dir + "/m.png", blackCornerPicture(255, 0, 255)));
  setMaskColor(255, 0, 255);
  const ImagePtr magenta = loadImage(dir + "/m.png");
  setMaskColor(0, 0, 0);
  ASSERT_NE(magenta, nullptr);
  EXPECT_EQ(magenta->mask_r, 255);
  EXPECT_EQ(magenta->pixmaps[0].at(4, 4)[3], 255);    // black stays
  EXPECT_EQ(magenta->pixmaps[0].at(24, 24)[3], 0);    // magenta is the hole
}

TEST_F(ImageTest, AnimationStripsAreCutRowByRow) {
  // 3 x 2 cells of 4 x 2 pixels; cell n has red = n * 10 + 5.
  TPixmap sheet(12, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 12; ++x) {
      unsigned char* c = sheet.at(x, y);
      c[0] = static_cast<unsigned char>(((y / 2) * 3 + x / 4) * 10 + 5);
      c[3] = 255;
    }
  ASSERT_TRUE(savePixmapPNG(sheet, dir + "/strip.png"));
  const ImagePtr image = loadAnimImage(dir + "/strip.png", 4, 2, 2, 3);
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(image->frameCount(), 3);
  EXPECT_EQ(image->width, 4);
  EXPECT_EQ(image->height, 2);
  for (int f = 0; f < 3; ++f) EXPECT_EQ(image->pixmaps[f].at(1, 1)[0], (f + 2) * 10 + 5);
  EXPECT_EQ(loadAnimImage(dir + "/strip.png", 4, 2, 4, 3), nullptr) << "asks for 7 of 6 cells";
}

TEST_F(ImageTest, BrokenFilesGiveNull) {
  ASSERT_TRUE(savePixmapPNG(blackCornerPicture(), dir + "/good.png"));
  ASSERT_TRUE(harness::writeJpeg(dir + "/good.jpg", blackCornerPicture()));
  const std::string png = readBytes(dir + "/good.png");
  const std::string jpg = readBytes(dir + "/good.jpg");
  std::string corruptPng = png;
  for (size_t i = 40; i < corruptPng.size() - 20; i += 7) corruptPng[i] = static_cast<char>(i);
  writeBytes(dir + "/empty.png", "");
  writeBytes(dir + "/truncated.png", png.substr(0, png.size() / 2));
  writeBytes(dir + "/corrupt.png", corruptPng);
  writeBytes(dir + "/truncated.jpg", jpg.substr(0, jpg.size() * 2 / 3));
  writeBytes(dir + "/header-only.jpg", jpg.substr(0, 20));
  writeBytes(dir + "/garbage.png", "this is not a picture at all");

  for (const char* name : {"/missing.png", "/empty.png", "/truncated.png", "/corrupt.png",
                           "/truncated.jpg", "/header-only.jpg", "/garbage.png"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(loadImage(dir + name), nullptr);
    EXPECT_EQ(loadAnimImage(dir + name, 8, 8, 0, 1), nullptr);
  }
  EXPECT_NE(loadImage(dir + "/good.png"), nullptr);
  EXPECT_NE(loadImage(dir + "/good.jpg"), nullptr);
}

TEST_F(ImageTest, PathsIgnoreLetterCase) {
  ASSERT_TRUE(harness::writeRgbPng(dir + "/Mixed.PNG", blackCornerPicture()));
  EXPECT_NE(loadImage(dir + "/mixed.png"), nullptr);
}

TEST_F(ImageTest, HandlesCentreOnHalfTheSize) {
  std::vector<TPixmap> frames;
  frames.emplace_back(97, 140);
  const ImagePtr image = createImage(std::move(frames));
  midHandleImage(image);
  EXPECT_FLOAT_EQ(image->handle_x, 48.5f);
  EXPECT_FLOAT_EQ(image->handle_y, 70.0f);
}

}  // namespace
