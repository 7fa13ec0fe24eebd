// The show-case program run headless from the assembled installation folder.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/showcase.h"
#include "engine/clock.h"
#include "engine/files.h"
#include "engine/image.h"
#include "engine/input.h"
#include "support/harness.h"

namespace {

TEST(Showcase, DrawsTheCardAndTextFromTheGameFolder) {
  const std::string game = harness::gameFolder();
  ASSERT_FALSE(game.empty());
  const std::string shot = harness::makeTempFolder("showcase") + "/showcase.png";
  const std::string previous = currentDir();
  ASSERT_TRUE(changeDir(game));
  useFakeClock(false);
  const int code = runShowcase(ShowcaseOptions{30, shot});
  useFakeClock(true);
  changeDir(previous);
  ASSERT_EQ(code, 0);

  TPixmap frame;
  bool alpha = false;
  ASSERT_TRUE(loadPixmap(shot, frame, alpha));
  const float kx = frame.width / 1024.0f, ky = frame.height / 768.0f;
  // The card face is cream around the middle of the window; the table is dark green.
  int cream = 0, total = 0;
  for (int y = static_cast<int>(370 * ky); y < static_cast<int>(430 * ky); ++y)
    for (int x = static_cast<int>(482 * kx); x < static_cast<int>(542 * kx); ++x, ++total) {
      const unsigned char* p = frame.at(x, y);
      if (p[0] > 200 && p[1] > 190 && p[2] > 150) ++cream;
    }
  EXPECT_GT(cream, total / 4);
  const unsigned char* corner = frame.at(5, 5);
  EXPECT_LT(corner[0] + corner[1] + corner[2], 3 * 60);
  // Some of the title's gold text is lit near the top.
  int gold = 0;
  for (int x = 0; x < frame.width; ++x) {
    const unsigned char* p = frame.at(x, static_cast<int>(60 * ky));
    if (p[0] > 180 && p[1] > 150 && p[2] < 160) ++gold;
  }
  EXPECT_GT(gold, 10);
  if (const char* keep = std::getenv("TARNWICK_KEEP_SCREENSHOTS"))
    std::filesystem::copy_file(shot, std::string(keep) + "/showcase.png",
                               std::filesystem::copy_options::overwrite_existing);
}

}  // namespace

TEST(Showcase, EscapeCloses) {
  const std::string previous = currentDir();
  ASSERT_TRUE(changeDir(harness::gameFolder()));
  injectKey(key::ESCAPE, true);
  // Without frames set it runs until closed: Escape must end it on the first frame.
  EXPECT_EQ(runShowcase(ShowcaseOptions{}), 0);
  changeDir(previous);
}

TEST(Showcase, WindowCloseButtonCloses) {
  const std::string previous = currentDir();
  ASSERT_TRUE(changeDir(harness::gameFolder()));
  injectQuit();
  EXPECT_EQ(runShowcase(ShowcaseOptions{}), 0);
  changeDir(previous);
}
