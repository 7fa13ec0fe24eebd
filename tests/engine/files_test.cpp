// Files keep the game's exact byte format (Latin-1 or a byte-order mark), lines
// follow the stream rules, and content paths are found whatever their letter case.

#include "engine/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string bytesOf(const std::vector<unsigned char>& v) { return std::string(v.begin(), v.end()); }

// Binary bytes written out, so zero bytes are not taken for the end of a literal.
std::string raw(std::initializer_list<int> bytes) {
  std::string out;
  for (const int b : bytes) out += static_cast<char>(b);
  return out;
}

// Each test gets a fresh folder of its own, and the working folder back afterwards.
class FilesTest : public testing::Test {
 protected:
  void SetUp() override {
    savedDir_ = fs::current_path();
    static int serial = 0;
    root_ = fs::temp_directory_path() /
            ("tarnwick-files-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    fs::create_directories(root_);
    root_ = fs::canonical(root_);  // getcwd reports the real path, so compare against it
  }

  void TearDown() override {
    fs::current_path(savedDir_);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  std::string at(const std::string& relative) const { return (root_ / relative).string(); }

  void write(const std::string& relative, const std::string& bytes) const {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << bytes;
  }

  std::string read(const std::string& relative) const {
    std::ifstream in(root_ / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::set<std::string> namesIn(const std::string& relative) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(root_ / relative)) names.insert(entry.path().filename());
    return names;
  }

  fs::path root_;

 private:
  fs::path savedDir_;
};

TEST_F(FilesTest, DecodeTextByByteOrderMark) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string text;
  };
  const Case cases[] = {
      {"Latin-1", "caf\xE9 \xA3", "café £"},
      {"Latin-1 control bytes", raw({'a', 0, 0x85}), raw({'a', 0, 0xC2, 0x85})},
      {"UTF-8 mark",
       "\xEF\xBB\xBF"
       "caf\xC3\xA9",
       "café"},
      {"UTF-8 mark, broken bytes",
       "\xEF\xBB\xBF"
       "a\xFF"
       "b\xE2\x82",
       "a\uFFFDb\uFFFD"},
      {"UTF-16LE", raw({0xFF, 0xFE, 'A', 0, 0xE9, 0, 0xAC, 0x20}), "Aé€"},
      {"UTF-16BE", raw({0xFE, 0xFF, 0, 'A', 0, 0xE9, 0x20, 0xAC}), "Aé€"},
      {"UTF-16LE pair", raw({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}), "\U0001F600"},
      {"UTF-16BE pair", raw({0xFE, 0xFF, 0xD8, 0x3D, 0xDE, 0x00}), "\U0001F600"},
      {"UTF-16LE lone high surrogate", raw({0xFF, 0xFE, 0x3D, 0xD8, 'A', 0}), "\uFFFDA"},
      {"UTF-16BE lone low surrogate", raw({0xFE, 0xFF, 0xDE, 0x00}), "\uFFFD"},
      {"UTF-16LE odd trailing byte", raw({0xFF, 0xFE, 'A', 0, 'B'}), "A\uFFFD"},
      {"mark only", "\xFF\xFE", ""},
      {"empty", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(decodeText(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size()), c.text);
  }
}

TEST_F(FilesTest, EncodeTextPicksOneByteOrUtf16) {
  struct Case {
    const char* name;
    std::string text;
    std::string bytes;
  };
  const Case cases[] = {
      {"Latin-1 only", "café ÿ", "caf\xE9 \xFF"},
      {"empty", "", ""},
      {"above 255", "Łódź", raw({0xFF, 0xFE, 0x41, 0x01, 0xF3, 0, 0x64, 0, 0x7A, 0x01})},
      {"beyond the BMP", "a\U0001F600", raw({0xFF, 0xFE, 'a', 0, 0x3D, 0xD8, 0x00, 0xDE})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<unsigned char> encoded = encodeText(c.text);
    EXPECT_EQ(bytesOf(encoded), c.bytes);
    EXPECT_EQ(decodeText(encoded.data(), encoded.size()), c.text);
  }
}

TEST_F(FilesTest, SavedTextReadsBackWithTheGameBytes) {
  ASSERT_TRUE(saveText("Łódź\r\nżółw", at("wide.txt")));
  EXPECT_EQ(read("wide.txt"), raw({0xFF, 0xFE, 0x41, 0x01, 0xF3, 0,    'd', 0,    0x7A, 0x01, '\r',
                                   0,    '\n', 0,    0x7C, 0x01, 0xF3, 0,   0x42, 0x01, 'w',  0}));
  EXPECT_EQ(loadText(at("wide.txt")), "Łódź\r\nżółw");

  ASSERT_TRUE(saveText("café", at("narrow.txt")));
  EXPECT_EQ(read("narrow.txt"), "caf\xE9");
  EXPECT_EQ(loadText(at("narrow.txt")), "café");
}

TEST_F(FilesTest, Latin1FileRoundTripsToItsExactBytes) {
  std::string every;
  for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
  write("all.bin", every);
  const std::string text = loadText(at("all.bin"));
  ASSERT_TRUE(saveText(text, at("copy.bin")));
  EXPECT_EQ(read("copy.bin"), every);
}

TEST_F(FilesTest, SaveReplacesWholeFilesAndNeverLeavesTemporaries) {
  write("profile.dat", "old contents");
  ::chmod(at("profile.dat").c_str(), 0640);
  ASSERT_TRUE(saveText("new", at("profile.dat")));
  EXPECT_EQ(read("profile.dat"), "new");
  EXPECT_EQ(fs::status(at("profile.dat")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  // A folder in the way: the save fails and the folder is left as it was.
  fs::create_directories(at("busy/inner"));
  EXPECT_FALSE(saveText("x", at("busy")));
  EXPECT_EQ(fileType(at("busy/inner")), 2);

  EXPECT_FALSE(saveText("x", at("no/such/folder/file.txt")));
  EXPECT_EQ(namesIn(""), (std::set<std::string>{"profile.dat", "busy"}));
}

TEST_F(FilesTest, MissingFilesFailQuietlyOrThrow) {
  EXPECT_THROW(loadText(at("missing.txt")), FileError);
  fs::create_directories(at("folder"));
  EXPECT_THROW(loadText(at("folder")), FileError);
  std::vector<unsigned char> bytes{1, 2, 3};
  EXPECT_FALSE(readFileBytes(at("missing.txt"), bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(TStream::openRead(at("missing.txt")), nullptr);
  EXPECT_EQ(TStream::openRead(at("folder")), nullptr);
  EXPECT_EQ(TStream::openWrite(at("no/such/out.txt")), nullptr);
}

TEST_F(FilesTest, ReadLineFollowsTheByteRules) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"CR LF, zero byte, bare CR", "one\r\ntwo\0three\nfour\r"s, {"one", "two", "three", "four"}},
      {"Latin-1 bytes", "caf\xE9\n\xFF", {"café", "ÿ"}},
      {"empty lines", "a\n\n\nb", {"a", "", "", "b"}},
      {"final line feed", "x\n", {"x"}},
      {"CR inside a line", "a\rb\n", {"ab"}},
      {"empty file", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    write("lines.txt", c.bytes);
    const auto stream = TStream::openRead(at("lines.txt"));
    ASSERT_NE(stream, nullptr);
    std::vector<std::string> lines;
    while (!stream->eof() && lines.size() <= c.lines.size()) lines.push_back(stream->readLine());
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(stream->readLine(), "");
    EXPECT_TRUE(stream->eof());
  }
}

TEST_F(FilesTest, WriteLineWritesLowBytesAndCrLf) {
  {
    const auto stream = TStream::openWrite(at("out.txt"));
    ASSERT_NE(stream, nullptr);
    stream->writeLine("abc");
    stream->writeLine("é€");  // the euro sign keeps only its low byte, 0xAC
    stream->writeLine("");
  }  // closed when the stream goes
  EXPECT_EQ(read("out.txt"), "abc\r\n\xE9\xAC\r\n\r\n");

  const auto again = TStream::openWrite(at("out.txt"));
  ASSERT_NE(again, nullptr);
  again->writeLine("z");
  again->close();
  again->close();
  EXPECT_EQ(read("out.txt"), "z\r\n");
}

TEST_F(FilesTest, ResolvePathIgnoresLetterCase) {
  write("gfx/gui/popUp/x.png", "png");
  fs::current_path(root_);
  const std::string real = at("gfx/gui/popUp/x.png");
  const std::string found[] = {
      "gfx/gui/popup/X.PNG",    "GFX/GUI/POPUP/x.png",     "./gfx//gui/../GUI/popup/X.png",
      "gfx\\GUI\\popup\\x.PNG", at("GFX/gui/popup/x.png"),
  };
  for (const std::string& query : found) {
    SCOPED_TRACE(query);
    EXPECT_EQ(resolvePath(query), real);
  }
  const std::string unchanged[] = {"gfx/gui/popUp/x.png", "gfx/gui/popup/y.png", "nothing/x.png", ""};
  for (const std::string& query : unchanged) {
    SCOPED_TRACE(query);
    EXPECT_EQ(resolvePath(query), query);
  }
  EXPECT_EQ(fileType("gfx/GUI/popup/x.PNG"), 1);
  EXPECT_EQ(fileType("GFX/Gui"), 2);
  EXPECT_EQ(fileSize("GFX/gui/POPUP/X.png"), 3);
  EXPECT_EQ(loadText("Gfx/Gui/PopUp/X.Png"), "png");
}

TEST_F(FilesTest, ResolvePathSeesChangesAfterTheFirstLookup) {
  write("gfx/gui/popUp/x.png", "png");
  ASSERT_EQ(resolvePath(at("gfx/gui/popup/x.png")), at("gfx/gui/popUp/x.png"));

  write("gfx/gui/popUp/Late.txt", "late");
  EXPECT_EQ(resolvePath(at("GFX/gui/POPUP/late.TXT")), at("gfx/gui/popUp/Late.txt"));

  // A lookup that missed, then the file appears.
  EXPECT_EQ(resolvePath(at("gfx/gui/popup/later.png")), at("gfx/gui/popup/later.png"));
  write("gfx/gui/popUp/Later.PNG", "later");
  EXPECT_EQ(resolvePath(at("gfx/gui/popup/later.png")), at("gfx/gui/popUp/Later.PNG"));

  // A folder renamed to another case after its spelling was remembered.
  fs::rename(at("gfx/gui/popUp"), at("gfx/gui/PopUp"));
  EXPECT_EQ(resolvePath(at("gfx/gui/popup/x.png")), at("gfx/gui/PopUp/x.png"));
}

TEST_F(FilesTest, FoldersAndFileQueries) {
  EXPECT_EQ(fileType(at("a")), 0);
  EXPECT_EQ(fileSize(at("a")), -1);
  ASSERT_TRUE(createFolder(at("a/b/c")));
  EXPECT_EQ(fileType(at("a/b/c")), 2);
  EXPECT_TRUE(createFolder(at("a/b/c")));

  // Folders that exist in another case are used, not doubled.
  ASSERT_TRUE(createFolder(at("A/B/d")));
  EXPECT_EQ(namesIn(""), std::set<std::string>{"a"});
  EXPECT_EQ(namesIn("a/b"), (std::set<std::string>{"c", "d"}));
  ASSERT_TRUE(saveText("hello", at("A/B/New.txt")));
  EXPECT_EQ(read("a/b/New.txt"), "hello");
  EXPECT_EQ(fileSize(at("a/b/new.TXT")), 5);

  write("plain.txt", "x");
  EXPECT_FALSE(createFolder(at("plain.txt")));
  EXPECT_FALSE(createFolder(at("plain.txt/sub")));

  EXPECT_FALSE(deleteFile(at("a/b")));
  EXPECT_EQ(fileType(at("a/b")), 2);
  EXPECT_TRUE(deleteFile(at("A/b/NEW.txt")));
  EXPECT_EQ(fileType(at("a/b/New.txt")), 0);
  EXPECT_FALSE(deleteFile(at("a/b/New.txt")));
}

TEST_F(FilesTest, PathNameParts) {
  struct Case {
    std::string path, name, ext;
  };
  const Case cases[] = {
      {"gfx/gui/popUp/x.png", "x.png", "png"},
      {"data\\levels\\one.lvl", "one.lvl", "lvl"},
      {"archive.tar.gz", "archive.tar.gz", "gz"},
      {"folder.d/README", "README", ""},
      {"trailing/", "", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(stripDir(c.path), c.name);
    EXPECT_EQ(extractExt(c.path), c.ext);
  }
}

TEST_F(FilesTest, WorkingFolderAndAbsolutePaths) {
  write("gfx/gui/x.png", "");
  ASSERT_TRUE(changeDir(root_.string()));
  EXPECT_EQ(currentDir(), root_.string());
  EXPECT_EQ(absolutePath("a/./b//c/../d"), at("a/b/d"));
  EXPECT_EQ(absolutePath(""), root_.string());
  EXPECT_EQ(absolutePath("/x/../y/"), "/y");
  EXPECT_EQ(absolutePath("/.."), "/");

  EXPECT_TRUE(changeDir("GFX/Gui"));
  EXPECT_EQ(currentDir(), at("gfx/gui"));
  EXPECT_EQ(fileType("X.PNG"), 1);
  EXPECT_FALSE(changeDir("missing"));
  EXPECT_FALSE(changeDir("x.png"));
  EXPECT_EQ(currentDir(), at("gfx/gui"));
}

TEST_F(FilesTest, AppDataFolderFromTheEnvironment) {
  const auto saved = [](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  };
  const auto restore = [](const char* name, const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  };
  const auto xdg = saved("XDG_DATA_HOME");
  const auto home = saved("HOME");

  struct Case {
    const char* xdg;  // null: unset
    const char* home;
    std::string folder;
  };
  const Case cases[] = {
      {"/srv/data", "/home/ola", "/srv/data"},
      {"/srv/data/", "/home/ola", "/srv/data"},
      {"", "/home/ola", "/home/ola/.local/share"},
      {nullptr, "/home/ola/", "/home/ola/.local/share"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    restore("XDG_DATA_HOME", c.xdg ? std::optional<std::string>(c.xdg) : std::nullopt);
    restore("HOME", std::string(c.home));
    EXPECT_EQ(appDataFolder(), c.folder);
  }
  restore("XDG_DATA_HOME", xdg);
  restore("HOME", home);
}

TEST_F(FilesTest, OnlyPlainWebAddressesMayBeOpened) {
  struct Case {
    std::string url;
    bool ok;
  };
  const Case cases[] = {
      {"http://example.org/", true},
      {"https://example.org/games?id=4&x=y#top", true},
      {"HTTPS://Example.org", true},
      {"https://example.org/żółw", true},
      {"http://", false},
      {"ftp://example.org/", false},
      {"file:///etc/passwd", false},
      {"javascript:alert(1)", false},
      {"example.org", false},
      {"", false},
      {" https://example.org", false},
      {"https://example.org/a b", false},
      {"https://example.org/\ta", false},
      {"https://example.org/\n--help", false},
      {"https://example.org/\x7f", false},
      {"https://example.org/\xC2\xA0", false},      // no-break space
      {"https://example.org/\xE2\x80\xA8", false},  // line separator
      {"https://example.org/\xFF", false},          // not UTF-8
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(isOpenableURL(c.url), c.ok);
  }
  EXPECT_FALSE(openURL("file:///etc/passwd"));
}

TEST_F(FilesTest, NotifyWritesToStderrWithoutBlockingHeadless) {
  ::setenv("TARNWICK_HEADLESS", "1", 0);
  testing::internal::CaptureStderr();
  notify("Brak pliku: żółw.png", true);
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_NE(printed.find("Brak pliku: żółw.png"), std::string::npos);
}

}  // namespace
