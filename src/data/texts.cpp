#include "data/texts.h"

#include <iostream>

#include "engine/files.h"
#include "engine/text.h"

int TTxtFile::lines() const { return static_cast<int>(txt.size()); }

std::string& gameLanguage() {
  static std::string language = "en";
  return language;
}

TTxtFile loadTextFile(const std::string& path) {
  const std::string real = str::replaceAll(path, "#LANG#", gameLanguage());
  TTxtFile file;
  std::string text;
  try {
    text = loadText(real);
  } catch (const FileError& error) {
    std::cerr << "Missing text file " << real << ": " << error.what() << "\n";
    return file;
  }
  std::string line;
  for (const char c : text) {
    if (c == '\n') {
      file.txt.push_back(std::move(line));
      line.clear();
    } else {
      line += c;
    }
  }
  // A final line feed closes the last line; it does not start an empty one.
  if (!line.empty()) file.txt.push_back(std::move(line));
  return file;
}

std::string getText(const TTxtFile& file, int n) {
  if (n < 1 || n > file.lines()) return "(BEYOND TEXT ARRAY LENGTH!)";
  return file.txt[static_cast<std::size_t>(n - 1)];
}
