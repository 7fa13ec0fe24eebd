#include "engine/files.h"

#include <SDL.h>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "engine/text.h"

extern char** environ;

namespace {

// ---- paths ---------------------------------------------------------------

bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool pathExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool isFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Components of path taken against the working folder, with ".", ".." and
// empty components worked out by name. Content files written on Windows may
// use '\' between folders, so it separates components here as well.
std::vector<std::string> absoluteComponents(const std::string& path, bool backslashSeparates) {
  std::vector<std::string> parts;
  const auto add = [&](const std::string& text) {
    std::string part;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      const bool end = i == text.size() || text[i] == '/' || (backslashSeparates && text[i] == '\\');
      if (!end) {
        part += text[i];
        continue;
      }
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      part.clear();
    }
  };
  const bool absolute = !path.empty() && (path[0] == '/' || (backslashSeparates && path[0] == '\\'));
  if (!absolute) add(currentDir());
  add(path);
  return parts;
}

std::string joinComponents(const std::vector<std::string>& parts, std::size_t count) {
  if (count == 0) return "/";
  std::string out;
  for (std::size_t i = 0; i < count; ++i) out += "/" + parts[i];
  return out;
}

std::string childPath(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

// Folder listings, cached per absolute folder. The launcher thread uses files
// too, hence the lock.
struct Listing {
  std::vector<std::string> names;                          // sorted
  std::unordered_map<std::string, std::string> byLowered;  // lower-case name -> first real name
};

std::mutex listingMutex;
std::unordered_map<std::string, Listing> listings;

Listing readListing(const std::string& folder) {
  Listing listing;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") listing.names.push_back(name);
    }
    ::closedir(dir);
  }
  // Sorted first, so the choice between names that differ only in case is stable.
  std::sort(listing.names.begin(), listing.names.end());
  for (const std::string& name : listing.names) listing.byLowered.emplace(str::lower(name), name);
  return listing;
}

bool findInListing(const Listing& listing, const std::string& name, std::string& found) {
  if (std::binary_search(listing.names.begin(), listing.names.end(), name)) {
    found = name;
    return true;
  }
  const auto it = listing.byLowered.find(str::lower(name));
  if (it == listing.byLowered.end()) return false;
  found = it->second;
  return true;
}

// The real spelling of name inside folder. A cached listing that misses is read
// again once, so files made since the last look are found.
bool matchInFolder(const std::string& folder, const std::string& name, bool forceFresh, std::string& found) {
  {
    const std::lock_guard<std::mutex> lock(listingMutex);
    auto it = listings.find(folder);
    bool fresh = false;
    if (it == listings.end() || forceFresh) {
      it = listings.insert_or_assign(folder, readListing(folder)).first;
      fresh = true;
    }
    if (findInListing(it->second, name, found)) return true;
    if (!fresh) {
      it->second = readListing(folder);
      if (findInListing(it->second, name, found)) return true;
    }
  }
  // A folder we may enter but not list still serves names spelled exactly.
  if (pathExists(childPath(folder, name))) {
    found = name;
    return true;
  }
  return false;
}

// How far path resolves: the real spelling of its leading components that
// exist, and the components after them as given.
struct Resolution {
  std::string existing;           // absolute, real spelling
  std::vector<std::string> rest;  // not found, in the given spelling
};

Resolution resolveLeading(const std::string& path, bool forceFresh) {
  const std::vector<std::string> parts = absoluteComponents(path, true);
  Resolution result;
  result.existing = "/";
  std::size_t i = 0;
  for (; i < parts.size(); ++i) {
    std::string found;
    if (!matchInFolder(result.existing, parts[i], forceFresh, found)) break;
    result.existing = childPath(result.existing, found);
  }
  result.rest.assign(parts.begin() + static_cast<std::ptrdiff_t>(i), parts.end());
  return result;
}

Resolution resolveCheckedLeading(const std::string& path) {
  Resolution result = resolveLeading(path, false);
  // A cached name may be gone (deleted or renamed to another case): look again
  // with fresh listings before trusting the answer.
  if (!pathExists(result.existing)) result = resolveLeading(path, true);
  return result;
}

// Where to write path: an existing file or folder in its real spelling, or the
// new name inside the real spelling of the folders that exist.
std::string resolveForWrite(const std::string& path) {
  if (path.empty() || pathExists(path)) return path;
  const Resolution found = resolveCheckedLeading(path);
  std::string out = found.existing;
  for (const std::string& part : found.rest) out = childPath(out, part);
  return out;
}

std::string parentFolder(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// ---- text encodings ------------------------------------------------------

constexpr char32_t kReplacement = 0xFFFD;

std::string decodeUtf16(const unsigned char* data, std::size_t n, bool bigEndian) {
  std::string out;
  out.reserve(n);
  const auto unitAt = [&](std::size_t i) -> char32_t {
    return bigEndian ? (char32_t{data[i]} << 8) | data[i + 1] : (char32_t{data[i + 1]} << 8) | data[i];
  };
  std::size_t i = 0;
  while (i + 1 < n) {
    const char32_t unit = unitAt(i);
    i += 2;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < n) {
      const char32_t next = unitAt(i);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        str::appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        i += 2;
        continue;
      }
    }
    str::appendUtf8(out, (unit >= 0xD800 && unit <= 0xDFFF) ? kReplacement : unit);
  }
  if (i < n) str::appendUtf8(out, kReplacement);  // odd trailing byte
  return out;
}

std::string decodeUtf8Strict(const unsigned char* data, std::size_t n) {
  std::string out;
  out.reserve(n);
  std::size_t i = 0;
  while (i < n) {
    char32_t c = 0;
    std::size_t len = 0;
    if (str::decodeUtf8(data + i, n - i, c, len)) {
      out.append(reinterpret_cast<const char*>(data + i), len);
    } else {
      str::appendUtf8(out, kReplacement);
    }
    i += len;
  }
  return out;
}

bool writeAll(int fd, const std::vector<unsigned char>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

bool isHeadless() {
  const auto isNullDriver = [](const char* name) {
    return name != nullptr &&
           (str::equalsIgnoreCase(name, "offscreen") || str::equalsIgnoreCase(name, "dummy"));
  };
  return std::getenv("TARNWICK_HEADLESS") != nullptr || isNullDriver(std::getenv("SDL_VIDEODRIVER")) ||
         isNullDriver(SDL_GetCurrentVideoDriver());
}

bool isUnicodeSpace(char32_t c) {
  return c == 0x1680 || (c >= 0x2000 && c <= 0x200B) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
         c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

}  // namespace

// ---- resolving -----------------------------------------------------------

std::string resolvePath(const std::string& path) {
  if (path.empty() || pathExists(path)) return path;
  const Resolution found = resolveCheckedLeading(path);
  return found.rest.empty() ? found.existing : path;
}

// ---- whole files ---------------------------------------------------------

bool readFileBytes(const std::string& path, std::vector<unsigned char>& out) {
  out.clear();
  const std::string real = resolvePath(path);
  if (real.empty()) return false;
  const int fd = ::open(real.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
  if (ok && st.st_size > 0) out.reserve(static_cast<std::size_t>(st.st_size));
  unsigned char buffer[65536];
  while (ok) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    out.insert(out.end(), buffer, buffer + got);
  }
  ::close(fd);
  if (!ok) out.clear();
  return ok;
}

std::string decodeText(const unsigned char* data, std::size_t n) {
  if (n >= 2 && data[0] == 0xFE && data[1] == 0xFF) return decodeUtf16(data + 2, n - 2, true);
  if (n >= 2 && data[0] == 0xFF && data[1] == 0xFE) return decodeUtf16(data + 2, n - 2, false);
  if (n >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF)
    return decodeUtf8Strict(data + 3, n - 3);
  std::string out;
  out.reserve(n);
  for (std::size_t i = 0; i < n; ++i) str::appendUtf8(out, data[i]);
  return out;
}

std::vector<unsigned char> encodeText(const std::string& text) {
  const std::u32string chars = str::toU32(text);
  std::vector<unsigned char> bytes;
  const bool narrow = std::all_of(chars.begin(), chars.end(), [](char32_t c) { return c < 256; });
  if (narrow) {
    bytes.assign(chars.begin(), chars.end());
    return bytes;
  }
  bytes.reserve(2 + chars.size() * 2);
  bytes.push_back(0xFF);
  bytes.push_back(0xFE);
  const auto unit = [&](char32_t u) {
    bytes.push_back(static_cast<unsigned char>(u & 0xFF));
    bytes.push_back(static_cast<unsigned char>(u >> 8));
  };
  for (const char32_t c : chars) {
    if (c >= 0x10000) {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      unit(c);
    }
  }
  return bytes;
}

std::string loadText(const std::string& path) {
  std::vector<unsigned char> bytes;
  if (!readFileBytes(path, bytes)) throw FileError("Cannot open text file " + path);
  return decodeText(bytes.data(), bytes.size());
}

bool saveText(const std::string& text, const std::string& path) {
  const std::string target = resolveForWrite(path);
  const auto fail = [&](const char* what, const std::string& temp) {
    const int error = errno;
    std::cerr << "Cannot save " << path << ": " << what << ": " << std::strerror(error) << "\n";
    if (!temp.empty()) ::unlink(temp.c_str());
    return false;
  };
  if (target.empty()) return fail("empty path", "");

  // Written beside the target and renamed over it, so a failed save leaves the
  // old file whole.
  static std::atomic<unsigned> serial{0};
  const std::string folder = parentFolder(target);
  const std::string name = target.substr(target.find_last_of('/') + 1);
  std::string temp;
  int fd = -1;
  while (fd < 0) {
    temp = childPath(
        folder, "." + name + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(serial.fetch_add(1)));
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return fail("cannot create a temporary file", "");
  }

  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
  const bool written = writeAll(fd, encodeText(text)) && ::fsync(fd) == 0;
  const int writeError = errno;
  if (::close(fd) != 0 || !written) {
    if (!written) errno = writeError;
    return fail("write failed", temp);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) return fail("rename failed", temp);
  return true;
}

// ---- streams -------------------------------------------------------------

TStream::TStream(std::FILE* file, bool writing, Opened) : file_(file), writing_(writing) {}

TStream::~TStream() { close(); }

std::unique_ptr<TStream> TStream::openRead(const std::string& path) {
  const std::string real = resolvePath(path);
  if (real.empty() || isFolder(real)) return nullptr;
  std::FILE* file = std::fopen(real.c_str(), "rbe");
  if (file == nullptr) return nullptr;
  return std::make_unique<TStream>(file, false, Opened{});
}

std::unique_ptr<TStream> TStream::openWrite(const std::string& path) {
  const std::string real = resolveForWrite(path);
  if (real.empty()) return nullptr;
  std::FILE* file = std::fopen(real.c_str(), "wbe");
  if (file == nullptr) return nullptr;
  return std::make_unique<TStream>(file, true, Opened{});
}

std::string TStream::readLine() {
  std::string line;
  if (file_ == nullptr || writing_) return line;
  int c = 0;
  while ((c = std::getc(file_)) != EOF) {
    if (c == '\n' || c == 0) break;
    if (c != '\r') str::appendUtf8(line, static_cast<char32_t>(c));
  }
  return line;
}

void TStream::writeLine(const std::string& line) {
  if (file_ == nullptr || !writing_) return;
  for (const char32_t c : str::toU32(line)) std::putc(static_cast<int>(c & 0xFF), file_);
  std::fputs("\r\n", file_);
}

bool TStream::eof() {
  if (file_ == nullptr || writing_) return true;
  const int c = std::getc(file_);
  if (c == EOF) return true;
  std::ungetc(c, file_);
  return false;
}

void TStream::close() {
  if (file_ == nullptr) return;
  if (std::fclose(file_) != 0 && writing_)
    std::cerr << "Error closing a written file: " << std::strerror(errno) << "\n";
  file_ = nullptr;
}

// ---- files and folders ---------------------------------------------------

int fileType(const std::string& path) {
  const std::string real = resolvePath(path);
  struct stat st {};
  if (real.empty() || ::stat(real.c_str(), &st) != 0) return 0;
  return S_ISDIR(st.st_mode) ? 2 : 1;
}

long long fileSize(const std::string& path) {
  const std::string real = resolvePath(path);
  struct stat st {};
  if (real.empty() || ::stat(real.c_str(), &st) != 0) return -1;
  return S_ISDIR(st.st_mode) ? 0 : static_cast<long long>(st.st_size);
}

bool createFolder(const std::string& path) {
  if (path.empty()) return false;
  if (isFolder(path)) return true;
  const Resolution found = resolveCheckedLeading(path);
  std::string folder = found.existing;
  if (!isFolder(folder)) return false;
  for (const std::string& part : found.rest) {
    folder = childPath(folder, part);
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) return false;
  }
  return isFolder(folder);
}

bool deleteFile(const std::string& path) {
  const std::string real = resolvePath(path);
  if (real.empty() || isFolder(real)) return false;
  return ::unlink(real.c_str()) == 0;
}

std::string stripDir(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string extractExt(const std::string& path) {
  const std::string name = stripDir(path);
  const std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? "" : name.substr(dot + 1);
}

std::string absolutePath(const std::string& path) {
  const std::vector<std::string> parts = absoluteComponents(path, false);
  return joinComponents(parts, parts.size());
}

bool changeDir(const std::string& path) {
  const std::string real = resolvePath(path);
  return !real.empty() && ::chdir(real.c_str()) == 0;
}

std::string currentDir() {
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return "";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

std::string appDataFolder() {
  std::string folder;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && *xdg != '\0') {
    folder = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
      const passwd* user = ::getpwuid(::getuid());
      home = user != nullptr ? user->pw_dir : "";
    }
    folder = home;
    while (!folder.empty() && isSeparator(folder.back())) folder.pop_back();
    folder += "/.local/share";
  }
  while (folder.size() > 1 && isSeparator(folder.back())) folder.pop_back();
  return folder;
}

// ---- the desktop ---------------------------------------------------------

void notify(const std::string& text, bool serious) {
  std::cerr << text << std::endl;
  if (isHeadless()) return;
  const Uint32 flags = serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  SDL_ShowSimpleMessageBox(flags, "Tarnwick", text.c_str(), nullptr);
}

bool isOpenableURL(const std::string& url) {
  const std::size_t schemeEnd = url.find("://");
  if (schemeEnd == std::string::npos) return false;
  const std::string scheme = str::lower(url.substr(0, schemeEnd));
  if (scheme != "http" && scheme != "https") return false;
  if (url.size() == schemeEnd + 3) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(url.data());
  std::size_t i = 0;
  while (i < url.size()) {
    char32_t c = 0;
    std::size_t len = 0;
    if (!str::decodeUtf8(p + i, url.size() - i, c, len)) return false;
    if (c <= 32 || (c >= 0x7F && c <= 0xA0) || isUnicodeSpace(c)) return false;
    i += len;
  }
  return true;
}

bool openURL(const std::string& url) {
  if (!isOpenableURL(url)) return false;
  std::string program = "xdg-open";
  std::string address = url;
  char* argv[] = {program.data(), address.data(), nullptr};
  pid_t pid = 0;
  if (::posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
  // Reaped on a thread of its own: no zombie, and the game never waits for the browser.
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}
