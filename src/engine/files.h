#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Paths, files and text files. The game's content spells folder and file names
// in mixed letter case, so every read of an existing path first resolves it
// against the real folder listings ignoring case. Text files keep the game's
// byte format: a byte-order mark selects UTF-8 or UTF-16, anything else is one
// Latin-1 character per byte.

// A path that exists on disk and matches path ignoring letter case, or path unchanged.
std::string resolvePath(const std::string& path);

// Reads a whole file into out; false when it cannot be read.
bool readFileBytes(const std::string& path, std::vector<unsigned char>& out);

// Decodes a text file's bytes by its byte-order mark (Latin-1 without one) into UTF-8.
std::string decodeText(const unsigned char* data, std::size_t n);

// Encodes text as one byte per character, or FF FE + UTF-16LE when a character is above 255.
std::vector<unsigned char> encodeText(const std::string& text);

// Raised when a whole text file cannot be read.
struct FileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The whole text of a file, decoded; throws FileError when it cannot be opened.
std::string loadText(const std::string& path);

// Replaces the file with the encoded text; false (reported on stderr) on failure.
bool saveText(const std::string& text, const std::string& path);

// A file opened for line-by-line reading or writing. Lines are bytes, one
// Latin-1 character each; written lines end with CR LF. Closes itself when destroyed.
class TStream {
  struct Opened {};  // only openRead and openWrite make streams

 public:
  // Opens an existing file for reading; null when it is missing.
  static std::unique_ptr<TStream> openRead(const std::string& path);

  // Creates or truncates a file for writing; null on failure.
  static std::unique_ptr<TStream> openWrite(const std::string& path);

  // Takes over an open file; use openRead or openWrite.
  TStream(std::FILE* file, bool writing, Opened);

  // Closes the file.
  ~TStream();
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // The next line without its CR and LF; "" past the end.
  std::string readLine();

  // Writes the low 8 bits of each character, then CR LF.
  void writeLine(const std::string& line);

  // True when nothing is left to read.
  bool eof();

  // Closes the file; later calls do nothing.
  void close();

 private:
  std::FILE* file_ = nullptr;
  bool writing_ = false;
};

// 0 when path is missing, 1 for a file, 2 for a folder.
int fileType(const std::string& path);

// Size of the file in bytes, -1 when it is missing.
long long fileSize(const std::string& path);

// Creates the folder and any missing parents; true when it exists afterwards.
bool createFolder(const std::string& path);

// Deletes a file (never a folder); true on success.
bool deleteFile(const std::string& path);

// The name after the last '/' or '\'.
std::string stripDir(const std::string& path);

// The text after the last '.' of the file name, "" when it has none.
std::string extractExt(const std::string& path);

// path made absolute against the working folder, with ".", ".." and repeated '/' removed.
std::string absolutePath(const std::string& path);

// Changes the working folder; true on success.
bool changeDir(const std::string& path);

// The working folder.
std::string currentDir();

// The per-user data folder: $XDG_DATA_HOME, else $HOME/.local/share.
std::string appDataFolder();

// Tells the player something: always on stderr, and in a message box unless headless.
void notify(const std::string& text, bool serious = false);

// True for an http or https address with no blanks or control characters.
bool isOpenableURL(const std::string& url);

// Opens an http or https address in the desktop's browser without waiting for it.
bool openURL(const std::string& url);
