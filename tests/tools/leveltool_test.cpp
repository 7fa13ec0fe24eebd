// The level tool as the team runs it: from the installation folder, on shipped quest
// levels and on tiny levels written here whose outcome is known.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace {

struct ToolRun {
  int status = -1;
  std::string out;
};

// Runs the tool in the installation folder; stdout only (content notices go to stderr).
ToolRun leveltool(const std::string& args) {
  const std::string cmd = "cd '" + std::string(TARNWICK_BUILD_GAME_DIR) + "' && '" + LEVELTOOL_PATH + "' " + args +
                          " 2>/dev/null";
  ToolRun run;
  FILE* pipe = popen(cmd.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

// A level of one 5 on the table with the given deck ids (id 3 is a 4).
std::string tinyLevel(const std::string& name, const std::string& deck) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "leveltool-test";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / name).string();
  int count = deck.empty() ? 0 : 1;
  std::ofstream f(path);
  f << "level {\n\tdata {\n\t\tbackground = 1\n\t\tsoundId = 1\n\t\tdriveMN = 1\n\t}\n"
    << "\tdeck {\n\t\ti = " << count << "\n";
  if (count) f << "\t\tdeckCard1 = " << deck << "\n";
  f << "\t}\n\tcards {\n\t\ti = 1\n\t\tcard1 {\n\t\t\tid = 4\n\t\t\tdim = 512, 300\n\t\t}\n\t}\n"
    << "\tspot {\n\t\ti = 0\n\t}\n}\n";
  return path;
}

// Oracle share from a level line of the report.
int oracleShare(const std::string& line) {
  static const std::regex share(R"(oracle clears\s+(\d+)%)");
  std::smatch m;
  return std::regex_search(line, m, share) ? std::stoi(m[1]) : -1;
}

TEST(LevelTool, ShippedLevelsPassWithTheirObstacles) {
  // The first levels, the level that brings rocks and the hammer, the one that brings ice.
  for (const char* range : {"1..2", "11..11", "21..21"}) {
    SCOPED_TRACE(range);
    const ToolRun run = leveltool(std::string("check --deals 6 --levels ") + range);
    EXPECT_EQ(run.status, 0) << run.out;
    int levels = 0;
    std::size_t at = 0;
    while ((at = run.out.find("data/levels/", at)) != std::string::npos) {
      const std::size_t end = run.out.find('\n', at);
      const std::string line = run.out.substr(at, end - at);
      EXPECT_GT(oracleShare(line), 50) << line;
      EXPECT_NE(line.find("sensible clears"), std::string::npos) << line;
      EXPECT_NE(line.find("PASS"), std::string::npos) << line;
      ++levels;
      at = end;
    }
    const int first = std::stoi(range), last = std::stoi(std::string(range).substr(std::string(range).find("..") + 2));
    EXPECT_EQ(levels, last - first + 1) << run.out;
    EXPECT_NE(run.out.find("RESULT: PASS"), std::string::npos) << run.out;
  }
}

TEST(LevelTool, TinyLevelsAreJudgedByWhetherTheyCanBeCleared) {
  struct Case {
    const char* name;
    const char* deck;  // deck card id, "" for an empty deck
    int status;
    const char* verdict;
    int share;
  } const cases[] = {
      // Nothing on the spot and nothing to draw: the 5 can never be played.
      {"stuck.lvl", "", 1, "RESULT: FAIL", 0},
      // A 4 to draw: the 5 goes onto it.
      {"clear.lvl", "3", 0, "RESULT: PASS", 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = tinyLevel(c.name, c.deck);
    const ToolRun run = leveltool("check --deals 3 --file '" + path + "'");
    EXPECT_EQ(run.status, c.status) << run.out;
    EXPECT_NE(run.out.find(c.verdict), std::string::npos) << run.out;
    const std::size_t at = run.out.find(path);
    ASSERT_NE(at, std::string::npos) << run.out;
    EXPECT_EQ(oracleShare(run.out.substr(at)), c.share) << run.out;
  }
}

TEST(LevelTool, BadArgumentsAreRefused) {
  for (const char* args : {"", "check --levels 5", "shuffle"}) {
    SCOPED_TRACE(args);
    const ToolRun run = leveltool(args);
    EXPECT_EQ(run.status, 2);
  }
}

}  // namespace
