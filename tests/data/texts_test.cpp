// Localised text files: lines as an editor numbers them, kept byte for byte,
// the language put into paths, and a marker instead of a failure for anything
// missing.

#include "data/texts.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/harness.h"

namespace {

namespace fs = std::filesystem;

const std::string kMissing = "(BEYOND TEXT ARRAY LENGTH!)";

class TxtFileTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = harness::makeTempFolder("texts");
    savedLanguage_ = gameLanguage();
  }
  void TearDown() override {
    gameLanguage() = savedLanguage_;
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::string write(const std::string& name, const std::string& bytes) const {
    const std::string path = folder_ + "/" + name;
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::string folder_;
  std::string savedLanguage_;
};

TEST_F(TxtFileTest, LinesAsStored) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"empty lines count", "a\n\nb\n", {"a", "", "b"}},
      {"no final line feed", "a\nb", {"a", "b"}},
      {"carriage returns stay", "a\r\n\r\nb\r\n", {"a\r", "\r", "b\r"}},
      {"leading empty lines", "\n\nc\n", {"", "", "c"}},
      {"only a line feed", "\n", {""}},
      {"empty file", "", {}},
      {"blanks kept", "  Level \t\n", {"  Level \t"}},
      {"Latin-1 without BOM", "caf\xE9\n", {"caf\xC3\xA9"}},
      {"UTF-8 with BOM", "\xEF\xBB\xBF\xC5\x81\xC3\xB3\x64\xC5\xBA\nx\n", {"\xC5\x81\xC3\xB3\x64\xC5\xBA", "x"}},
      {"UTF-16LE with BOM", std::string("\xFF\xFE" "A\0\n\0\x41\x01\r\0\n\0", 12), {"A", "\xC5\x81\r"}},
      {"UTF-16BE with BOM", std::string("\xFE\xFF\0B\0\n\0C", 8), {"B", "C"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TTxtFile file = loadTextFile(write("t.txt", c.bytes));
    EXPECT_EQ(file.txt, c.lines);
    ASSERT_EQ(file.lines(), static_cast<int>(c.lines.size()));
    for (int n = 1; n <= file.lines(); ++n) EXPECT_EQ(getText(file, n), c.lines[static_cast<std::size_t>(n - 1)]);
  }
}

TEST_F(TxtFileTest, LineNumbersOutsideTheFileShowTheMarker) {
  const TTxtFile file = loadTextFile(write("t.txt", "one\ntwo\n"));
  struct Case {
    int n;
    std::string text;
  };
  const Case cases[] = {{-1, kMissing}, {0, kMissing}, {1, "one"}, {2, "two"}, {3, kMissing}, {INT_MAX, kMissing}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(getText(file, c.n), c.text);
  }
}

TEST_F(TxtFileTest, LanguageGoesIntoThePath) {
  write("txt/en/popup.txt", "Yes\n");
  write("txt/pl/popup.txt", "Tak\n");
  write("pl/pl.txt", "both\n");
  write("txt/#LANG#/popup.txt", "literal\n");
  struct Case {
    const char* language;
    std::string path;
    std::string first;
  };
  const Case cases[] = {
      {"en", "txt/#LANG#/popup.txt", "Yes"},
      {"pl", "txt/#LANG#/popup.txt", "Tak"},
      {"pl", "txt/pl/popup.txt", "Tak"},
      {"pl", "#LANG#/#LANG#.txt", "both"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path + " in " + c.language);
    gameLanguage() = c.language;
    EXPECT_EQ(getText(loadTextFile(folder_ + "/" + c.path), 1), c.first);
  }
}

TEST_F(TxtFileTest, MissingFileGivesMarkersAndAMessage) {
  gameLanguage() = "xx";
  testing::internal::CaptureStderr();
  const TTxtFile file = loadTextFile(folder_ + "/txt/#LANG#/none.txt");
  const std::string message = testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find(folder_ + "/txt/xx/none.txt"), std::string::npos) << message;
  EXPECT_EQ(file.lines(), 0);
  EXPECT_EQ(getText(file, 1), kMissing);
}

}  // namespace
