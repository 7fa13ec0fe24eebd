#pragma once

#include <climits>
#include <cstddef>
#include <string>
#include <vector>

// String operations on UTF-8 text. Every position and length counts characters
// (Unicode code points), never bytes, because the game's texts were written for
// a 16-bit-character string type and its positions must mean the same thing.
// Bytes that are not valid UTF-8 are read as the Latin-1 character of that byte,
// so no operation here ever throws on bad input.
namespace str {

// Number of characters in s.
int length(const std::string& s);

// s decoded into code points.
std::u32string toU32(const std::string& s);

// Decodes one UTF-8 sequence from p (n > 0 bytes available) into c and its byte
// count into len. On an invalid sequence returns false, sets c to the first byte's
// Latin-1 character and len to the length of the broken sequence (at least 1).
bool decodeUtf8(const unsigned char* p, std::size_t n, char32_t& c, std::size_t& len);

// Code points encoded as UTF-8.
std::string fromU32(const std::u32string& s);

// Appends one code point as UTF-8 (surrogates and values above U+10FFFF become U+FFFD).
void appendUtf8(std::string& out, char32_t c);

// A one-character string.
std::string chr(char32_t c);

// Leading integer of s: blanks skipped, optional sign, digits; saturates at the int range.
int toInt(const std::string& s);

// Leading decimal number of s (blanks, sign, digits, '.', digits, exponent); 0 when there is none.
float toFloat(const std::string& s);

// toFloat's rules, parsed at double precision.
double toDouble(const std::string& s);

// Position of the first sub at or after start, or -1.
int find(const std::string& s, const std::string& sub, int start = 0);

// Position of the last sub that begins at or before start, or -1.
int findLast(const std::string& s, const std::string& sub, int start = INT_MAX);

// s with every occurrence of from replaced by to, scanning left to right.
std::string replaceAll(const std::string& s, const std::string& from, const std::string& to);

// s without characters of code 32 or less at either end.
std::string trim(const std::string& s);

// s in lower case (ASCII, Latin-1 and Latin Extended-A letters).
std::string lower(const std::string& s);

// s in upper case (ASCII, Latin-1 and Latin Extended-A letters).
std::string upper(const std::string& s);

// Parts of s between separators; an empty separator splits on runs of blanks.
std::vector<std::string> split(const std::string& s, const std::string& sep);

// The parts joined with sep between them.
std::string join(const std::vector<std::string>& parts, const std::string& sep);

// Characters [a, b) of s, with spaces wherever the range lies outside s.
std::string slice(const std::string& s, int a, int b);

// count characters from the 1-based position start (-1 counts to the end).
std::string mid(const std::string& s, int start, int count = -1);

// 1-based position of sub at or after the 1-based start, or 0.
int instr(const std::string& s, const std::string& sub, int start = 1);

// The first n characters.
std::string left(const std::string& s, int n);

// The last n characters.
std::string right(const std::string& s, int n);

// 0 when equal, negative when a sorts first, positive when b does (by code point).
int compare(const std::string& a, const std::string& b);

// True when a and b differ only in letter case.
bool equalsIgnoreCase(const std::string& a, const std::string& b);

}  // namespace str
