// The real executable, started headless from its installation folder: it starts, fades
// in its title screen, and on the window's close request shuts down with the settings
// saved in the data folder.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/harness.h"

namespace fs = std::filesystem;

namespace {

// Starts the game with its installation folder as working folder and a private data folder.
pid_t startGame(const std::string& dataHome) {
  const std::string game = harness::gameFolder();
  std::vector<std::string> env = {
      "SDL_VIDEODRIVER=offscreen", "SDL_RENDER_DRIVER=software", "SDL_AUDIODRIVER=dummy",
      "ALSOFT_DRIVERS=null",       "XDG_DATA_HOME=" + dataHome,  "HOME=" + dataHome,
      "PATH=/usr/bin:/bin"};
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string program = game + "/tarnwick";
  char* argv[] = {program.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, game.c_str());
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

bool waitFor(const std::function<bool()>& done, int seconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// Exit status, or -1 when the game did not end in time (it is then killed).
int waitForExit(pid_t pid, int seconds) {
  int status = 0;
  const bool ended = waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, seconds);
  if (!ended) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const char kDefaultSettings[] =
    "settings {\n"
    "\tfullScreen = 1\n"
    "\twideScreen = 0\n"
    "\tcustomCursor = 0\n"
    "\tmusicVolume = 0.500000000\n"
    "\tsoundVolume = 0.500000000\n"
    "}\n"
    "\n";

TEST(GameRun, StartsAndSavesTheSettingsOnCloseRequest) {
  const std::string home = harness::makeTempFolder("run");
  const fs::path settings = fs::path(home) / "Orvanta/Tarnwick/Data/settings.dat";
  const pid_t pid = startGame(home);
  ASSERT_GT(pid, 0);
  // The defaults are written while starting; then the title screen fades in.
  ASSERT_TRUE(waitFor([&] { return fs::exists(settings); }, 30)) << "the game did not start";
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  fs::remove(settings);
  kill(pid, SIGTERM);  // arrives as the window's close request
  EXPECT_EQ(waitForExit(pid, 30), 0);
  EXPECT_EQ(harness::readFile(settings.string()), kDefaultSettings) << "saved again at shut-down";
}

TEST(GameRun, KeepsTheSettingsItFinds) {
  const std::string home = harness::makeTempFolder("run");
  const fs::path settings = fs::path(home) / "Orvanta/Tarnwick/Data/settings.dat";
  fs::create_directories(settings.parent_path());
  const std::string windowed =
      "settings {\n\tfullScreen = 0\n\twideScreen = 1\n\tcustomCursor = 1\n"
      "\tmusicVolume = 0.250000000\n\tsoundVolume = 0\n}\n\n";
  std::ofstream(settings, std::ios::binary) << "settings\n{\n fullScreen = 0\n wideScreen = 1\n"
                                               " customCursor = 1\n musicVolume = 0.25\n"
                                               " soundVolume = 0.04\n}";
  const pid_t pid = startGame(home);
  ASSERT_GT(pid, 0);
  // The profiles folder is made once the window system is up and listening.
  ASSERT_TRUE(waitFor([&] { return fs::exists(fs::path(home) / "Orvanta/Tarnwick/Profiles"); }, 30));
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  kill(pid, SIGTERM);
  EXPECT_EQ(waitForExit(pid, 30), 0);
  EXPECT_EQ(harness::readFile(settings.string()), windowed) << "a volume below 0.05 is off";
}

}  // namespace
