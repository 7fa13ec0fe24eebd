// String operations count characters, not bytes: every table below mixes in
// Polish letters or other characters that take two to four bytes in UTF-8.

#include "engine/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

TEST(TextTest, DecodingReadsBrokenBytesAsLatin1) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u32string chars;
  };
  const Case cases[] = {
      {"ascii", "abc", U"abc"},
      {"two bytes", "\xC3\xA9", U"\u00E9"},
      {"three bytes", "\xE2\x82\xAC", U"\u20AC"},
      {"four bytes", "\xF0\x9F\x82\xA1", U"\U0001F0A1"},
      {"lone Latin-1 byte", "caf\xE9", U"caf\u00E9"},
      {"cut-off sequence", "\xE2\x82", U"\u00E2\u0082"},
      {"overlong slash", "\xC0\xAF", U"\u00C0\u00AF"},
      {"encoded surrogate", "\xED\xA0\x80", U"\u00ED\u00A0\u0080"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", U"\u00F4\u0090\u0080\u0080"},
      {"stray continuation then valid", "\x80\xC5\x82", U"\u0080\u0142"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(str::toU32(c.bytes), c.chars);
    EXPECT_EQ(str::length(c.bytes), static_cast<int>(c.chars.size()));
  }
}

TEST(TextTest, EncodingWritesValidUtf8) {
  struct Case {
    char32_t c;
    std::string bytes;
  };
  const Case cases[] = {
      {U'A', "A"},
      {0xE9, "\xC3\xA9"},
      {0x20AC, "\xE2\x82\xAC"},
      {0x1F600, "\xF0\x9F\x98\x80"},
      {0xD800, "\xEF\xBF\xBD"},    // a surrogate alone is no character
      {0x110000, "\xEF\xBF\xBD"},  // beyond Unicode
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<unsigned>(c.c));
    EXPECT_EQ(str::chr(c.c), c.bytes);
    std::string appended = "x";
    str::appendUtf8(appended, c.c);
    EXPECT_EQ(appended, "x" + c.bytes);
  }
  const std::string mixed = "Żółw € \U0001F600";
  EXPECT_EQ(str::fromU32(str::toU32(mixed)), mixed);
  EXPECT_EQ(str::length(mixed), 8);
}

TEST(TextTest, ToIntReadsTheLeadingInteger) {
  struct Case {
    std::string text;
    int value;
  };
  const Case cases[] = {
      {"42", 42},
      {"  -17abc", -17},
      {"+8", 8},
      {"\t\n 12", 12},
      {"\x01\x1f 7", 7},
      {"", 0},
      {"abc", 0},
      {"- 5", 0},
      {"3.9", 3},
      {"1 2", 1},
      {"0x1A", 0},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"-2147483648", INT_MIN},
      {"-99999999999999999999", INT_MIN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(str::toInt(c.text), c.value);
  }
}

TEST(TextTest, ToFloatReadsTheLeadingNumber) {
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    std::string text;
    float value;
  };
  const Case cases[] = {
      {"1.5", 1.5f},        {" \t-2.25xyz", -2.25f},
      {".5", 0.5f},         {"5.", 5.0f},
      {"+3.25e2x", 325.0f}, {"2E-2", 0.02f},
      {"5e-1", 0.5f},       {"1e", 1.0f},  // an 'e' without digits is not part of the number
      {"1e+", 1.0f},        {"7e-x", 7.0f},
      {"1.5.5", 1.5f},      {"3,5", 3.0f},
      {"0.1", 0.1f},        {"123456789", 123456792.0f},  // nearest float
      {"", 0.0f},           {"abc", 0.0f},
      {"-", 0.0f},          {".", 0.0f},
      {"e5", 0.0f},         {".e5", 0.0f},
      {"1e39", inf},        {"-1e39", -inf},
      {"1e-50", 0.0f},      {"1e999999999999", inf},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(str::toFloat(c.text), c.value);
  }
  EXPECT_EQ(str::toDouble("0.1"), 0.1);
  EXPECT_EQ(str::toDouble(" -1e39"), -1e39);
  EXPECT_EQ(str::toDouble("2.5e"), 2.5);
}

TEST(TextTest, FindCountsCharacters) {
  const std::string s = "Żółw ćma żółw";
  struct Case {
    const char* op;
    std::string sub;
    int start;
    int expected;
  };
  const Case cases[] = {
      {"find", "ół", 0, 1},     {"find", "ół", 2, 10},
      {"find", "ół", 11, -1},   {"find", "Ż", -5, 0},
      {"find", "", 3, 3},       {"find", "w", 100, -1},
      {"find", "x", 0, -1},     {"findLast", "ół", INT_MAX, 10},
      {"findLast", "ół", 9, 1}, {"findLast", "ół", 0, -1},
      {"findLast", "w", 3, 3},  {"findLast", "w", -1, -1},
      {"instr", "ół", 1, 2},    {"instr", "ół", 3, 11},
      {"instr", "ół", 12, 0},   {"instr", "Ż", 0, 1},
      {"instr", "zz", 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.op << "(\"" << c.sub << "\", " << c.start << ")");
    const std::string op = c.op;
    const int got = op == "find"       ? str::find(s, c.sub, c.start)
                    : op == "findLast" ? str::findLast(s, c.sub, c.start)
                                       : str::instr(s, c.sub, c.start);
    EXPECT_EQ(got, c.expected);
  }
  EXPECT_EQ(str::findLast(s, "w"), 12);
  EXPECT_EQ(str::instr(s, "ółw"), 2);
}

TEST(TextTest, SlicesCountCharactersAndPadWithSpaces) {
  const std::string s = "żółw€";
  struct Case {
    const char* call;
    std::string got;
    std::string expected;
  };
  const Case cases[] = {
      {"slice(1, 3)", str::slice(s, 1, 3), "ół"},
      {"slice(-2, 2)", str::slice(s, -2, 2), "  żó"},
      {"slice(3, 7)", str::slice(s, 3, 7), "w€  "},
      {"slice(6, 8)", str::slice(s, 6, 8), "  "},
      {"slice(3, 3)", str::slice(s, 3, 3), ""},
      {"slice(4, 2)", str::slice(s, 4, 2), ""},
      {"mid(2, 2)", str::mid(s, 2, 2), "ół"},
      {"mid(2)", str::mid(s, 2), "ółw€"},
      {"mid(0, 2)", str::mid(s, 0, 2), "ż"},
      {"mid(-1, 4)", str::mid(s, -1, 4), "żó"},
      {"mid(5, 10)", str::mid(s, 5, 10), "€"},
      {"mid(6)", str::mid(s, 6), ""},
      {"mid(0)", str::mid(s, 0), s},
      {"mid(3, 0)", str::mid(s, 3, 0), ""},
      {"left(2)", str::left(s, 2), "żó"},
      {"left(0)", str::left(s, 0), ""},
      {"left(-1)", str::left(s, -1), ""},
      {"left(9)", str::left(s, 9), s},
      {"right(2)", str::right(s, 2), "w€"},
      {"right(0)", str::right(s, 0), ""},
      {"right(9)", str::right(s, 9), s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    EXPECT_EQ(c.got, c.expected);
  }
}

TEST(TextTest, TrimRemovesControlCharactersAndSpacesOnly) {
  struct Case {
    std::string text;
    std::string trimmed;
  };
  const Case cases[] = {
      {" \t\r\n é x \x01\x1f", "é x"},
      {"", ""},
      {"   ", ""},
      {"\x7f a \x7f", "\x7f a \x7f"},              // DEL is above 32
      {"\xC2\xA0x\xC2\xA0", "\xC2\xA0x\xC2\xA0"},  // so is a no-break space
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(str::trim(c.text), c.trimmed);
  }
}

TEST(TextTest, ReplaceAllScansLeftToRight) {
  struct Case {
    std::string text, from, to, expected;
  };
  const Case cases[] = {
      {"a-b-c", "-", "+", "a+b+c"}, {"aaa", "aa", "b", "ba"},
      {"aXa", "a", "aa", "aaXaa"},  // the replacement is not searched again
      {"żółw", "ó", "o", "żołw"},   {"abc", "", "x", "abc"},
      {"abc", "z", "y", "abc"},     {"abc", "abc", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.from);
    EXPECT_EQ(str::replaceAll(c.text, c.from, c.to), c.expected);
  }
}

TEST(TextTest, SplitAndJoin) {
  struct Case {
    std::string text, sep;
    std::vector<std::string> parts;
  };
  const Case cases[] = {
      {"a,,b", ",", {"a", "", "b"}},
      {"", ",", {""}},
      {"a,", ",", {"a", ""}},
      {"x::y::z", "::", {"x", "y", "z"}},
      {"żó|łw", "|", {"żó", "łw"}},
      {"  one two\t\tthree  ", "", {"one", "two", "three"}},
      {"   ", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.sep);
    EXPECT_EQ(str::split(c.text, c.sep), c.parts);
    if (!c.sep.empty()) {
      EXPECT_EQ(str::join(c.parts, c.sep), c.text);
    }
  }
  EXPECT_EQ(str::join({}, ","), "");
  EXPECT_EQ(str::join({"one", "two", "three"}, " "), "one two three");
}

TEST(TextTest, CaseMapping) {
  struct Case {
    std::string text, lower, upper;
  };
  const Case cases[] = {
      {"Hello WORLD 42", "hello world 42", "HELLO WORLD 42"},
      {"ÀÉÎõü", "àéîõü", "ÀÉÎÕÜ"},
      {"Żółw Ćma Ś", "żółw ćma ś", "ŻÓŁW ĆMA Ś"},
      {"Ÿÿ", "ÿÿ", "ŸŸ"},
      {"ĹĺŃń", "ĺĺńń", "ĹĹŃŃ"},
      {"ß×÷µ", "ß×÷µ", "ß×÷µ"},  // no one-character partner in these blocks
      {"İı", "İı", "İı"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(str::lower(c.text), c.lower);
    EXPECT_EQ(str::upper(c.text), c.upper);
  }
}

TEST(TextTest, CompareByCodePoint) {
  struct Case {
    std::string a, b;
    int sign;
  };
  const Case cases[] = {
      {"a", "b", -1}, {"b", "a", 1},  {"abc", "abc", 0}, {"ab", "abc", -1}, {"Z", "a", -1},
      {"z", "é", -1}, {"é", "€", -1}, {"", "", 0},       {"\xE9", "é", 0},  // a stray Latin-1 byte is the
                                                                            // same character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a + " vs " + c.b);
    const int got = str::compare(c.a, c.b);
    EXPECT_EQ((got > 0) - (got < 0), c.sign);
  }
}

TEST(TextTest, EqualsIgnoreCase) {
  struct Case {
    std::string a, b;
    bool equal;
  };
  const Case cases[] = {
      {"Popup", "popUP", true}, {"ŁÓDŹ", "łódź", true}, {"", "", true},
      {"abc", "abd", false},    {"abc", "ab", false},   {"straße", "STRASSE", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a + " vs " + c.b);
    EXPECT_EQ(str::equalsIgnoreCase(c.a, c.b), c.equal);
  }
}

}  // namespace
