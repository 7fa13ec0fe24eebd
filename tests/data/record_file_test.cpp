// Record files: what the reader makes of a text (hand-written and broken ones
// included), the writer's exact bytes, and a save that fails without losing the
// old file.

#include "data/record_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/harness.h"

namespace {

namespace fs = std::filesystem;

class RecordFileTest : public testing::Test {
 protected:
  void SetUp() override { folder_ = harness::makeTempFolder("record"); }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::string at(const std::string& name) const { return folder_ + "/" + name; }

  void write(const std::string& name, const std::string& bytes) const {
    fs::create_directories(fs::path(at(name)).parent_path());
    std::ofstream(at(name), std::ios::binary) << bytes;
  }

  std::string read(const std::string& name) const {
    std::ifstream in(at(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // The file as the game reads it, from bytes on disk.
  TRCMFile load(const std::string& bytes) {
    write("in.dat", bytes);
    return openRecordFile(at("in.dat"));
  }

  // The bytes the writer produces for file.
  std::string saved(const TRCMFile& file) {
    EXPECT_TRUE(file.save(at("out.dat")));
    return read("out.dat");
  }

  std::string folder_;
};

TEST_F(RecordFileTest, ReadsValuesByPathAndIndex) {
  struct Case {
    const char* name;
    std::string file;
    std::string path;
    int index;
    std::string value;
  };
  const Case cases[] = {
      {"nested path ignores case", "A {\n\tb {\n\t\tC = 7\n\t}\n}\n", "a::B::c", 0, " 7"},
      {"name on the line before the brace", "stage\n{\n\tname = \"Forest\"\n}\n", "stage::name", 0, "Forest"},
      {"CR LF line ends", "g {\r\n\tt = \"x\"\r\n\tn = 4\r\n}\r\n", "g::t", 0, "x"},
      {"numbers by index 0", "g {\n\tv = 1, 2, 3\n}\n", "g::v", 0, " 1"},
      {"numbers by index 2", "g {\n\tv = 1, 2, 3\n}\n", "g::v", 2, " 3"},
      {"texts by index", "g {\n\timg = \"pic.png\", \"120\", \"300\"\n}\n", "g::img", 1, "120"},
      {"comma inside quotes", "g {\n\tt = \"a, b\", \"c\"\n}\n", "g::t", 0, "a, b"},
      {"value after a quoted comma", "g {\n\tt = \"a, b\", \"c\"\n}\n", "g::t", 1, "c"},
      {"first of duplicates wins", "g {\n\tn = 1\n\tN = 2\n}\ng {\n\tn = 3\n}\n", "G::n", 0, " 1"},
      {"index past the values", "g {\n\tv = 1, 2\n}\n", "g::v", 2, ""},
      {"negative index", "g {\n\tv = 1\n}\n", "g::v", -1, ""},
      {"missing entry", "g {\n\tv = 1\n}\n", "g::w", 0, ""},
      {"missing group", "g {\n\tv = 1\n}\n", "h::v", 0, ""},
      {"trailing separator dropped", "g {\n\tv = 5\n}\n", "g::v::", 0, " 5"},
      {"ends with a brace and no line feed", "g {\n\tv = 5\n}", "g::v", 0, " 5"},
      {"nothing after =", "g {\n\tv =\n\tw = 2\n}\n", "g::v", 0, ""},
      {"entry after nothing after =", "g {\n\tv =\n\tw = 2\n}\n", "g::w", 0, " 2"},
      {"later = ignored", "g {\n\tv = 1 = 2\n}\n", "g::v", 0, " 1 "},
      {"line without = runs into the next name", "g {\nnote\nv = 1\n}\n", "g::notev", 0, " 1"},
      {"blanks inside a run-on name stay", "g {\n\tnote\n\tv = 1\n}\n", "g::note\tv", 0, " 1"},
      {"last line without line feed dropped", "g {\n\tv = 1}\n", "g::v", 0, ""},
      {"group before a top-level brace", "a {\n\tv = 1\n}\n}\nh {\n\tw = 2\n", "a::v", 0, " 1"},
      {"top-level brace ends the file", "a {\n\tv = 1\n}\n}\nh {\n\tw = 2\n", "h::w", 0, ""},
      {"Latin-1 bytes", "g {\n\tt = \"caf\xE9\"\n}\n", "g::t", 0, "caf\xC3\xA9"},
      {"UTF-8 with BOM", "\xEF\xBB\xBFg {\n\tt = \"\xC5\x81\xC3\xB3\x64\xC5\xBA\"\n}\n", "g::t", 0,
       "\xC5\x81\xC3\xB3\x64\xC5\xBA"},
      {"text cut counts characters", "\xEF\xBB\xBFg {\n\tt = \"\xC5\x81\"\n}\n", "g::t", 0, "\xC5\x81"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TRCMFile file = load(c.file);
    EXPECT_EQ(file.getString(c.path, c.index), c.value);
  }
}

TEST_F(RecordFileTest, NumbersPassThroughAFloat) {
  const TRCMFile file = load("g {\n\tv = 1, -2.5, 16777217, 1.00000000e+10\n\tt = \"7\"\n}\n");
  EXPECT_EQ(file.getFloat("g::v", 0), 1.0f);
  EXPECT_EQ(file.getFloat("g::v", 1), -2.5f);
  EXPECT_EQ(file.getFloat("g::v", 2), 16777216.0f);
  EXPECT_EQ(file.getFloat("g::v", 3), 1e10f);
  EXPECT_EQ(file.getFloat("g::v", 4), 0.0f);
  EXPECT_EQ(file.getFloat("g::t"), 7.0f);  // a quoted number still reads as a number
  EXPECT_EQ(file.getFloat("g::none"), 0.0f);
}

// The first value decides how the whole entry is typed, and so how it is written back.
TEST_F(RecordFileTest, FirstValueDecidesTheType) {
  struct Case {
    const char* line;
    int type;
    std::vector<std::string> values;
  };
  const Case cases[] = {
      {"n = 12", TRCMEntry::kNumber, {" 12"}},
      {"n = -3, 4", TRCMEntry::kNumber, {" -3", " 4"}},
      {"n = 0.5", TRCMEntry::kNumber, {" 0.5"}},
      {"t = .5", TRCMEntry::kText, {""}},  // typed text, so the cut eats the digit
      {"t = \"5\"", TRCMEntry::kText, {"5"}},
      {"t = \"a\", \"\", \"b\"", TRCMEntry::kText, {"a", "", "b"}},
      {"t = \"a\", 2", TRCMEntry::kText, {"a", ""}},
      {"t =", TRCMEntry::kText, {""}},
      {"t = \"{x}\"", TRCMEntry::kText, {"{x}"}},
      {"  spaced   =   \"v\"", TRCMEntry::kText, {" \"v"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const TRCMEntry entry = TRCMFile::readEntry(c.line);
    EXPECT_EQ(entry._type, c.type);
    EXPECT_EQ(entry._value, c.values);
  }
  EXPECT_EQ(TRCMFile::readEntry("  spaced   =   \"v\"")._id, "spaced");
}

TEST_F(RecordFileTest, WriterOutput) {
  struct Case {
    const char* name;
    void (*build)(TRCMFile&);
    std::string bytes;
  };
  const Case cases[] = {
      {"whole float as integer", [](TRCMFile& f) { f.setFloat("x::n", 3); }, "x {\n\tn = 3\n}\n\n"},
      {"fraction with nine digits", [](TRCMFile& f) { f.setFloat("x::n", 2.5f); },
       "x {\n\tn = 2.50000000\n}\n\n"},
      {"float rounding shows", [](TRCMFile& f) { f.setFloat("x::n", 0.05f); },
       "x {\n\tn = 0.0500000007\n}\n\n"},
      {"negative", [](TRCMFile& f) { f.setFloat("x::n", -1.5f); }, "x {\n\tn = -1.50000000\n}\n\n"},
      {"beyond int keeps exponent", [](TRCMFile& f) { f.setFloat("x::n", 1e10f); },
       "x {\n\tn = 1.00000000e+10\n}\n\n"},
      {"integer through a float", [](TRCMFile& f) { f.setFloat("x::n", 16777217.0f); },
       "x {\n\tn = 16777216\n}\n\n"},
      {"text grows with empty values", [](TRCMFile& f) { f.setString("x::t", "hello", 2); },
       "x {\n\tt = \"\", \"\", \"hello\"\n}\n\n"},
      {"number gaps written as 0", [](TRCMFile& f) { f.setFloat("x::n", 7, 2); }, "x {\n\tn = 0, 0, 7\n}\n\n"},
      {"set on a number entry keeps it bare",
       [](TRCMFile& f) {
         f.setFloat("x::n", 1);
         f.setString("X::N", "2.5", 1);
       },
       "x {\n\tn = 1, 2.5\n}\n\n"},
      {"float on a text entry stays quoted",
       [](TRCMFile& f) {
         f.setString("x::t", "a");
         f.setFloat("x::t", 1);
       },
       "x {\n\tt = \"1.00000000\"\n}\n\n"},
      {"entries before groups, empty line for no entries",
       [](TRCMFile& f) {
         f.setFloat("a::b::n", 1);
         f.setString("a::t", "z");
       },
       "a {\n\tt = \"z\"\n\tb {\n\t\tn = 1\n\t}\n\n}\n\n"},
      {"group without entries", [](TRCMFile& f) { f.setFloat("a::b::n", 1); },
       "a {\n\n\tb {\n\t\tn = 1\n\t}\n\n}\n\n"},
      {"root entries are not written", [](TRCMFile& f) { f.setString("loose", "x"); }, ""},
      {"nothing set", [](TRCMFile&) {}, ""},
      {"paths created as spelled, found ignoring case",
       [](TRCMFile& f) {
         f.setFloat("Bg::i", 2);
         f.setFloat("BG::I", 3);
         f.setFloat("bg::bg1::x", 1);
       },
       "Bg {\n\ti = 3\n\tbg1 {\n\t\tx = 1\n\t}\n\n}\n\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRCMFile file;
    c.build(file);
    EXPECT_EQ(saved(file), c.bytes);
  }
}

TEST_F(RecordFileTest, SettingsFileBytes) {
  TRCMFile file;
  file.setFloat("settings::fullScreen", 1);
  file.setFloat("settings::wideScreen", 0);
  file.setFloat("settings::customCursor", 0);
  file.setFloat("settings::musicVolume", 0.5f);
  file.setFloat("settings::soundVolume", 0.5f);
  EXPECT_EQ(saved(file),
            "settings {\n"
            "\tfullScreen = 1\n"
            "\twideScreen = 0\n"
            "\tcustomCursor = 0\n"
            "\tmusicVolume = 0.500000000\n"
            "\tsoundVolume = 0.500000000\n"
            "}\n"
            "\n");

  const TRCMFile back = openRecordFile(at("out.dat"));
  EXPECT_EQ(back.getFloat("SETTINGS::fullscreen"), 1.0f);
  EXPECT_EQ(back.getFloat("settings::musicVolume"), 0.5f);
}

// A hand-written file comes back in the writer's layout, and stays that way.
TEST_F(RecordFileTest, RoundTripNormalisesLayout) {
  const TRCMFile file = load(
      "backGrounds\r\n"
      "{\r\n"
      "  bg1 {\r\n"
      "    url = \"gfx/bg1.jpg\"\r\n"
      "  }\r\n"
      "  i = 1\r\n"
      "  scale = 0.75, 2.0, 3\r\n"
      "}\r\n"
      "empty {\r\n"
      "}");
  const std::string expected =
      "backGrounds {\n"
      "\ti = 1\n"
      "\tscale = 0.75, 2, 3\n"
      "\tbg1 {\n"
      "\t\turl = \"gfx/bg1.jpg\"\n"
      "\t}\n"
      "\n"
      "}\n"
      "\n"
      "empty {\n"
      "\n"
      "}\n"
      "\n";
  EXPECT_EQ(saved(file), expected);
  EXPECT_EQ(saved(openRecordFile(at("out.dat"))), expected);
}

TEST_F(RecordFileTest, SavesUtf16OnlyWhenNeeded) {
  TRCMFile latin;
  latin.setString("t::s", "caf\xC3\xA9");  // é fits one byte
  EXPECT_EQ(saved(latin), "t {\n\ts = \"caf\xE9\"\n}\n\n");

  TRCMFile wide;
  wide.setString("t::s", "\xC5\x81\xC3\xB3");  // Ł is above 255
  const std::string ascii = "t {\n\ts = \"??\"\n}\n\n";
  std::string expected = "\xFF\xFE";
  for (const char c : ascii) {
    expected += c;
    expected += '\0';
  }
  const std::size_t first = expected.find('?');
  expected.replace(first, 4, std::string("\x41\x01\xF3\x00", 4));
  EXPECT_EQ(saved(wide), expected);
  EXPECT_EQ(openRecordFile(at("out.dat")).getString("t::s"), "\xC5\x81\xC3\xB3");
}

TEST_F(RecordFileTest, MalformedFilesReadWithoutFailing) {
  const std::string huge(10 * 1024 * 1024, 'x');
  struct Case {
    const char* name;
    std::string file;
    std::string path;
    std::string value;
    std::string message;  // expected on the debug output, "" for none
  };
  const Case cases[] = {
      {"more openings", "g {\n\tv = 1\n\th {\n}\n", "g::v", "",
       "Napotkano problem : Blad nawiasow klamrowych! \"{\" - 2 \"}\" - 1\n"},
      {"more closings", "g {\n\tv = 1\n}\n}\n", "g::v", "",
       "Napotkano problem : Blad nawiasow klamrowych! \"{\" - 1 \"}\" - 2\n"},
      {"quoted braces do not count", "g {\n\tv = 1\n\tt = \"}\"\n}\n", "g::v", " 1", ""},
      {"quoted brace opens a group for the reader", "g {\n\tv = 1\n\tt = \"{\"\n}\n", "g::v", " 1", ""},
      {"quoted braces never closed", "g {\n\tv = 1\n}\nx = \"" + std::string(200, '{') + "\"\n", "g::v", " 1",
       ""},
      {"nesting too deep", std::string(100000, '{') + std::string(100000, '}'), "g::v", "",
       "Napotkano problem : Groups nested deeper than 256 levels in "},
      {"10 MB value", "g {\n\tv = \"" + huge + "\"\n\tw = 2\n}\n", "g::w", " 2", ""},
      {"10 MB line without =", "g {\n\tv = 1\n}\n" + huge, "g::v", " 1", ""},
      {"only blanks", " \n\t\n", "g::v", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::internal::CaptureStdout();
    const TRCMFile file = load(c.file);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(file.getString(c.path), c.value);
    if (c.message.empty()) {
      EXPECT_EQ(output, "");
    } else {
      EXPECT_EQ(output.substr(0, c.message.size()), c.message);
    }
  }
  const TRCMFile big = load("g {\n\tv = \"" + huge + "\"\n}\n");
  EXPECT_EQ(big.getString("g::v"), huge);
}

TEST_F(RecordFileTest, MissingFileReadsAsEmpty) {
  testing::internal::CaptureStdout();
  const TRCMFile file = openRecordFile(at("none.dat"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Napotkano problem : Nie znaleziono pliku : " + at("none.dat") + "\n");
  EXPECT_EQ(file.getString("settings::fullScreen"), "");
  EXPECT_EQ(file.getFloat("settings::fullScreen"), 0.0f);
  EXPECT_EQ(file._path, at("none.dat"));
  EXPECT_TRUE(file._grupa._listaGrup.empty());
}

// Content paths are spelled in mixed case; the file on disk may differ.
TEST_F(RecordFileTest, OpensPathsIgnoringLetterCase) {
  write("Data/Cards.DAT", "cards {\n\ti = 52\n}\n");
  EXPECT_EQ(openRecordFile(at("data/cards.dat")).getFloat("cards::i"), 52.0f);
}

// Loading again replaces the tree only when the new text parses.
TEST_F(RecordFileTest, FailedReloadKeepsTheTree) {
  write("good.dat", "g {\n\tv = 1\n}\n");
  write("bad.dat", "g {\n\tv = 2\n");
  write("blank.dat", "");
  TRCMFile file = openRecordFile(at("good.dat"));
  testing::internal::CaptureStdout();
  for (const char* name : {"bad.dat", "missing.dat", "blank.dat"}) {
    SCOPED_TRACE(name);
    file.Load(at(name));
    EXPECT_EQ(file.getFloat("g::v"), 1.0f);
  }
  testing::internal::GetCapturedStdout();
  file.Load(at("good.dat"));
  file.setFloat("g::v", 3);
  file.Load(at("good.dat"));
  EXPECT_EQ(file.getFloat("g::v"), 1.0f);
}

TEST_F(RecordFileTest, FailedSaveKeepsTheOldFile) {
  // A name so long that no temporary file can be made beside it, so the save
  // fails after the target was found (the program may run as root, which
  // folder permissions would not stop).
  const std::string longName = std::string(250, 'p') + ".dat";
  struct Case {
    const char* name;
    std::string target;
    std::string inside;  // a file that must survive, relative to the folder
    std::string before;
  };
  const Case cases[] = {
      {"path is a folder", "folder", "folder/keep.dat", "keep"},
      {"no room for a temporary name", longName, longName, "old {\n\tv = 1\n}\n\n"},
      {"folder missing", "no/such/file.dat", "", ""},
  };
  TRCMFile file;
  file.setFloat("new::v", 2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.inside.empty()) write(c.inside, c.before);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(file.save(at(c.target)));
    EXPECT_NE(testing::internal::GetCapturedStderr(), "");
    if (!c.inside.empty()) {
      EXPECT_EQ(read(c.inside), c.before);
    }
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);  // no leftovers
}

TEST_F(RecordFileTest, ShowGroupPrintsTheTree) {
  TRCMFile file;
  file.setFloat("a::n", 1);
  file.setFloat("a::b::m", 2.5f);
  std::ostringstream out;
  file._grupa.getGroup("A")->showGroup("", out);
  EXPECT_EQ(out.str(), "a{\n\tn = 1\n\tb{\n\t\tm = 2.50000000\n\t}\n}\n");

  testing::internal::CaptureStdout();
  EXPECT_EQ(file.getFloat("a::b::m", 0, true), 2.5f);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "b{\n\tm = 2.50000000\n}\n");
}

TEST_F(RecordFileTest, PathsSplitAtDoubleColons) {
  struct Case {
    std::string path;
    std::vector<std::string> parts;
  };
  const Case cases[] = {
      {"a::b::c", {"a", "b", "c"}}, {"a::::c", {"a", "", "c"}}, {"a::b::", {"a", "b"}},
      {"x", {"x"}},                 {"", {}},                   {"a:b", {"a:b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(splitRecordPath(c.path), c.parts);
  }
}

TEST_F(RecordFileTest, MyTrimKeepsZerosAndTurnsStarsToZeros) {
  EXPECT_EQ(TRCMFile::myTrim("  0a0\t"), "0a0");
  EXPECT_EQ(TRCMFile::myTrim(" *b* "), "0b0");
}

}  // namespace
