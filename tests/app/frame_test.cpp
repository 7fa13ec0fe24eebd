// The standard frame update's global keys: switching full screen and ending the game
// with the settings saved.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/frame.h"
#include "app/globals.h"
#include "app/virtual_display.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "gui/mouse.h"
#include "screens/options.h"
#include "support/harness.h"

namespace {

class StandardFrameUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    globals().dataFolder = harness::makeTempFolder("data");
    std::filesystem::create_directories(globals().dataFolder + "/Data");
    globals().desktopWidth = 1024;
    globals().desktopHeight = 768;
    options() = TOptions();
    flushKeys();
  }
};

TEST_F(StandardFrameUpdate, WindowsKeyAndFSwitchesFullScreenAndSaves) {
  options().openScreen();
  injectKey(key::LWIN, true);
  injectKey('F', true);
  injectKey('F', false);
  standardFrameUpdate();
  injectKey(key::LWIN, false);
  EXPECT_EQ(options().fullScreen, 0);
  EXPECT_NE(harness::readFile(TOptions::settingsPath()).find("\tfullScreen = 0\n"), std::string::npos);
  EXPECT_EQ(virtualWidth(), 1024);
  EXPECT_EQ(graphics().g_width, 819) << "a 768-pixel desktop gets the smaller window";
}

TEST_F(StandardFrameUpdate, AltF4EndsTheGameWithTheSettingsSaved) {
  options().musicVol = 0.25f;
  EXPECT_EXIT(
      {
        injectKey(key::LALT, true);
        injectKey(key::F4, true);
        standardFrameUpdate();
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_NE(harness::readFile(TOptions::settingsPath()).find("\tmusicVolume = 0.250000000\n"), std::string::npos);
}

TEST_F(StandardFrameUpdate, CloseRequestEndsTheGameWithTheSettingsSaved) {
  options().soundVol = 0.75f;
  EXPECT_EXIT(
      {
        injectQuit();
        standardFrameUpdate();
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_NE(harness::readFile(TOptions::settingsPath()).find("\tsoundVolume = 0.750000000\n"), std::string::npos);
}

}  // namespace
