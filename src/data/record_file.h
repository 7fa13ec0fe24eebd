#pragma once

#include <iostream>
#include <list>
#include <string>
#include <vector>

// The record file: the game's one hierarchical data format. Catalogues, levels,
// settings, profiles and themes are all record files:
//
//   settings {
//   	fullScreen = 1
//   	musicVolume = 0.500000000
//   }
//
// Values are kept as the text read or written; numbers are converted only by
// setFloat and getFloat, through a 32-bit float both ways. Names compare without
// regard to letter case and the first match wins; duplicates are kept and saved.
// A broken file never stops the game: problems go to the debug output and the
// lookups then give "" or 0, so every reader falls back to its defaults.

// One "name = value, value..." line.
class TRCMEntry {
 public:
  static constexpr int kText = 0;    // values written in double quotes
  static constexpr int kNumber = 1;  // values written bare

  std::string _id;                  // name as read, case kept
  std::vector<std::string> _value;  // values in order
  int _type = kText;

  // The line's text without indentation: name = values, quoted or bare by type.
  std::string toTxt() const;

  // Stores value at index, growing the values with empty strings as needed.
  void setValue(const std::string& value, int index);

  // Replaces the values by n empty strings.
  void createArray(int n);
};

// A named group in braces: entries first, then sub-groups, each in file order.
class TRCMGroup {
 public:
  std::string _id;  // "MAINGROUP" for a root read from a file, "" for one made in memory
  int _pos = 0;     // while reading: offset just past the closing brace in the text read
  std::list<TRCMGroup> _listaGrup;
  std::list<TRCMEntry> _listaWpisow;

  // The group's text as the writer lays it out, each line prefixed by indent.
  std::string save(const std::string& indent) const;

  // Prints the group for debugging.
  void showGroup(const std::string& indent, std::ostream& out = std::cout) const;

  // First sub-group whose name matches ignoring case, or null.
  TRCMGroup* getGroup(const std::string& name);
  const TRCMGroup* getGroup(const std::string& name) const;

  // First entry whose name matches ignoring case, or null.
  TRCMEntry* getEntry(const std::string& name);
  const TRCMEntry* getEntry(const std::string& name) const;

  // Sets a value; a new entry is typed text, an existing one keeps its type.
  void setStringEntry(const std::string& name, const std::string& value, int index);

  // Sets a number formatted "%#.9g"; a new entry is typed number, an existing one keeps its type.
  void setFloatEntry(const std::string& name, float value, int index);

  // Appends a new entry holding value at index and returns it.
  TRCMEntry& _addEntry(const std::string& name, const std::string& value, int index);
};

// A record file: its root group and where it came from.
class TRCMFile {
 public:
  TRCMGroup _grupa;       // the root; its entries are never saved
  std::string _path;      // as given to Load
  std::string _realPath;  // absolute form of _path
  std::string _txt;       // the whole text last loaded

  // Writes every sub-group of the root to path (one byte per character, or
  // UTF-16 with a byte-order mark when a character is above 255). The old file
  // is replaced only by a complete new one; on failure it stays, the failure
  // is reported on stderr and false comes back.
  bool save(const std::string& path) const;

  // Reads path. A missing or unreadable file, an empty one or unbalanced braces
  // leave the root as it was; problems go to the debug output.
  void Load(const std::string& path);

  // True when "{" and "}" outside double quotes balance in _txt; else reports the counts.
  bool checkGroups() const;

  // Ends _txt with a line feed when it ends with "}", then checks the braces.
  bool checkTxt();

  // Parses text into a new group of that name.
  TRCMGroup readAll(const std::string& text, const std::string& name) const;

  // text trimmed at both ends; any "*" in it comes back as "0".
  static std::string myTrim(const std::string& text);

  // Parses one trimmed "name = values" line.
  static TRCMEntry readEntry(const std::string& line);

  // The group named by all parts but the last, creating missing groups on the way.
  TRCMGroup& getGroupSet(const std::vector<std::string>& parts);

  // Sets the value at index of the entry a "::" path names, creating what is missing.
  void setString(const std::string& path, const std::string& value, int index = 0);
  void setFloat(const std::string& path, float value, int index = 0);

  // The value at index of the entry a "::" path names; "" when anything is missing.
  std::string getString(const std::string& path, int index = 0) const;

  // The same converted to a number; 0 when anything is missing. With dump the
  // group found is printed first.
  float getFloat(const std::string& path, int index = 0, bool dump = false) const;

  // The group that holds the entry the parts name (all parts but the last), or null.
  TRCMGroup* getGroup(const std::vector<std::string>& parts);
  const TRCMGroup* getGroup(const std::vector<std::string>& parts) const;

  // Prints the whole tree for debugging.
  void printAll() const;

  // Reports a problem with the file on the debug output.
  static void errorMsg(const std::string& text);
};

// A "::" path split into its parts; empty parts are kept except a trailing one.
std::vector<std::string> splitRecordPath(const std::string& path);

// value as the writer stores numbers: a 32-bit float printed "%#.9g".
std::string formatRecordFloat(float value);

// Opens a record file for reading: grants access when it exists, then loads it.
// A missing file gives an empty one.
TRCMFile openRecordFile(const std::string& path);

// A count read from content (a number of entries): NaN and negative values are broken
// content and read as 0, values above limit read as limit; each with a line on stderr
// naming the file (path) and the key.
int readRecordCount(const TRCMFile& file, const std::string& key, int limit, const std::string& path);

// Makes a data file or folder usable by every user of the machine. Always true:
// on Linux the game's data lives in the player's own folder, so there is no one
// else to let in.
bool grantAccess(const std::string& path);
