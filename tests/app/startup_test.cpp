// The data folder below the common application-data folder, and moving an old folder's
// files into it.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "app/startup.h"
#include "engine/files.h"
#include "support/harness.h"

namespace fs = std::filesystem;

namespace {

TEST(DataFolder, FreshMachineGetsTheFolderLayout) {
  const std::string appData = harness::makeTempFolder("appdata") + "/not/yet/made";
  const std::string data = setupDataFolder(appData, "Tarnwick");
  EXPECT_EQ(data, appData + "/Orvanta/Tarnwick");
  EXPECT_EQ(fileType(data + "/Data"), 2);
  EXPECT_EQ(fileType(data + "/Profiles"), 2);
}

TEST(DataFolder, OldFolderIsCopiedOnceAndLeftInPlace) {
  const fs::path appData = harness::makeTempFolder("appdata");
  harness::writeFile((appData / "Tarnwick/Data/settings.dat").string(), "settings {\n}\n");
  harness::writeFile((appData / "Tarnwick/Profiles/ABC/profile.dat").string(), "profile");
  const std::string data = setupDataFolder(appData.string(), "Tarnwick");
  EXPECT_EQ(harness::readFile(fs::path(data) / "Data/settings.dat"), "settings {\n}\n");
  EXPECT_EQ(harness::readFile(fs::path(data) / "Profiles/ABC/profile.dat"), "profile");
  EXPECT_TRUE(fs::exists(appData / "Tarnwick/Profiles/ABC/profile.dat"));
  EXPECT_FALSE(fs::exists(data + ".incoming"));

  // Later starts never copy again over what the game wrote since.
  harness::writeFile((fs::path(data) / "Data/settings.dat").string(), "newer");
  setupDataFolder(appData.string(), "Tarnwick");
  EXPECT_EQ(harness::readFile(fs::path(data) / "Data/settings.dat"), "newer");
}

TEST(DataFolder, LinksInTheOldFolderAreNotFollowed) {
  const fs::path appData = harness::makeTempFolder("appdata");
  const fs::path outside = harness::makeTempFolder("secret");
  harness::writeFile((outside / "private.txt").string(), "keep out");
  harness::writeFile((appData / "Tarnwick/Data/settings.dat").string(), "s");
  fs::create_directory_symlink(outside, appData / "Tarnwick/linked");
  const std::string data = setupDataFolder(appData.string(), "Tarnwick");
  EXPECT_EQ(harness::readFile(fs::path(data) / "Data/settings.dat"), "s");
  EXPECT_FALSE(fs::exists(fs::path(data) / "linked"));
}

TEST(DataFolder, AFailedCopyIsRetriedAtTheNextStart) {
  if (geteuid() == 0) GTEST_SKIP() << "unreadable files are readable to root";
  const fs::path appData = harness::makeTempFolder("appdata");
  harness::writeFile((appData / "Tarnwick/Data/settings.dat").string(), "s");
  harness::writeFile((appData / "Tarnwick/Profiles/p.dat").string(), "p");
  chmod((appData / "Tarnwick/Profiles/p.dat").c_str(), 0);
  const std::string data = setupDataFolder(appData.string(), "Tarnwick");
  EXPECT_EQ(fileType(data + "/Data"), 2) << "the game still gets a working folder";
  EXPECT_FALSE(fs::exists(fs::path(data) / "Profiles/p.dat"));

  chmod((appData / "Tarnwick/Profiles/p.dat").c_str(), 0600);
  harness::writeFile((fs::path(data) / "Data/settings.dat").string(), "written meanwhile");
  setupDataFolder(appData.string(), "Tarnwick");
  EXPECT_EQ(harness::readFile(fs::path(data) / "Profiles/p.dat"), "p");
  EXPECT_EQ(harness::readFile(fs::path(data) / "Data/settings.dat"), "written meanwhile");
}

}  // namespace

namespace {

// What a start whose copy broke off leaves behind: the data folder with a marker.
TEST(DataFolder, APendingMigrationIsCompletedWithoutOverwriting) {
  const fs::path appData = harness::makeTempFolder("appdata");
  harness::writeFile((appData / "Tarnwick/Data/settings.dat").string(), "old settings");
  harness::writeFile((appData / "Tarnwick/Profiles/A/profile.dat").string(), "old profile");
  const fs::path data = appData / "Orvanta/Tarnwick";
  harness::writeFile((data / "Data/settings.dat").string(), "written meanwhile");
  harness::writeFile((data / ".migration-pending").string(), "");
  setupDataFolder(appData.string(), "Tarnwick");
  EXPECT_EQ(harness::readFile(data / "Data/settings.dat"), "written meanwhile");
  EXPECT_EQ(harness::readFile(data / "Profiles/A/profile.dat"), "old profile");
  EXPECT_FALSE(fs::exists(data / ".migration-pending"));
}

}  // namespace
