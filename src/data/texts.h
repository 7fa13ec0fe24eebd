#pragma once

#include <string>
#include <vector>

// Localised texts: every word the player reads lives in "txt/<language>/*.txt",
// one text per line, and the game picks texts by line number. Lines are kept
// exactly as stored (a carriage return before the line feed stays), because
// screens join several lines without adding anything.

// The lines of one text file.
class TTxtFile {
 public:
  std::vector<std::string> txt;

  // The number of lines.
  int lines() const;
};

// The language folder's name, "en" until start-up reads "txt/lang.txt".
std::string& gameLanguage();

// Reads a text file after replacing every "#LANG#" in path by the language.
// A missing file is reported on stderr and gives a file without lines, so
// every text asked of it shows the missing-line marker instead of stopping the game.
TTxtFile loadTextFile(const std::string& path);

// Line n of the file, counted from 1; "(BEYOND TEXT ARRAY LENGTH!)" when there is no such line.
std::string getText(const TTxtFile& file, int n);
