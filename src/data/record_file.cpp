#include "data/record_file.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "engine/numbers.h"
#include "engine/files.h"
#include "engine/text.h"

namespace {

// Real files nest four or five levels. The reader recurses per level, so a
// broken file full of "{" must not be allowed to exhaust the stack.
constexpr int kMaxDepth = 256;

struct TooDeep {};


// A number value as the writer stores it: whole numbers without their fraction.
// Blanks the reader kept in front of a number are dropped, so a file that is
// read and saved again does not gain a space before every fraction each time.
std::string numberText(const std::string& value) {
  const std::string trimmed = str::trim(value);
  if (trimmed.empty()) return "0";
  const float number = str::toFloat(trimmed);
  const int whole = truncToInt(number);
  if (static_cast<float>(whole) == number) return std::to_string(whole);
  return trimmed;
}

bool namesMatch(const std::string& a, const std::string& b) { return str::upper(a) == str::upper(b); }

// The value text cut at commas outside double quotes; the quotes stay in the pieces.
std::vector<std::string> splitValues(const std::string& text) {
  std::vector<std::string> pieces(1);
  bool quoted = false;
  for (const char c : text) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  return pieces;
}

// Reads one group from text starting at start until its closing brace. _pos is
// made relative to start, as if the group had been given only the rest of the text.
TRCMGroup parseGroup(const std::string& text, std::size_t start, const std::string& name, int depth) {
  TRCMGroup group;
  group._id = name;
  // Everything since the last entry or group: a name may stand on the line
  // before its "{", and a line without "=" runs on into the next one.
  std::string pending;
  bool hasEquals = false;
  std::size_t i = start;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '{') {
      if (depth >= kMaxDepth) throw TooDeep{};
      TRCMGroup sub = parseGroup(text, i + 1, str::trim(pending), depth + 1);
      i = i + 1 + static_cast<std::size_t>(sub._pos);
      group._listaGrup.push_back(std::move(sub));
      pending.clear();
      hasEquals = false;
      continue;
    }
    if (c == '}') {
      group._pos = static_cast<int>(i + 1 - start);
      return group;
    }
    if (c == '\n') {
      if (hasEquals) {
        group._listaWpisow.push_back(TRCMFile::readEntry(str::trim(pending)));
        pending.clear();
        hasEquals = false;
      }
    } else {
      if (c == '=') hasEquals = true;
      pending += c;
    }
    ++i;
  }
  // Never closed: the group ends with the text, and so does every group around
  // it. (Left at 0, the caller would read this group's lines a second time.)
  group._pos = static_cast<int>(text.size() - start);
  return group;
}

}  // namespace

// ---- entries -------------------------------------------------------------

std::string TRCMEntry::toTxt() const {
  std::string out = _id + " = ";
  if (_type == kNumber) {
    if (_value.empty()) return out + "0";
    for (std::size_t i = 0; i < _value.size(); ++i) {
      if (i > 0) out += ", ";
      out += numberText(_value[i]);
    }
    return out;
  }
  if (_value.empty()) return out + "\"\"";
  for (std::size_t i = 0; i < _value.size(); ++i) {
    out += i > 0 ? ", \"" : "\"";
    out += _value[i];
    out += '"';
  }
  return out;
}

void TRCMEntry::setValue(const std::string& value, int index) {
  if (index < 0) return;
  const auto at = static_cast<std::size_t>(index);
  if (at >= _value.size()) _value.resize(at + 1);
  _value[at] = value;
}

void TRCMEntry::createArray(int n) { _value.assign(static_cast<std::size_t>(n < 0 ? 0 : n), std::string()); }

// ---- groups --------------------------------------------------------------

std::string TRCMGroup::save(const std::string& indent) const {
  std::string out;
  if (!_id.empty()) out += indent + _id + " {\n";
  if (_listaWpisow.empty()) out += '\n';
  for (const TRCMEntry& entry : _listaWpisow) out += indent + "\t" + entry.toTxt() + "\n";
  for (const TRCMGroup& group : _listaGrup) out += group.save(indent + "\t");
  if (!_id.empty()) out += indent + "}\n\n";
  return out;
}

void TRCMGroup::showGroup(const std::string& indent, std::ostream& out) const {
  out << indent << _id << "{\n";
  if (_listaWpisow.empty()) out << "\n";
  for (const TRCMEntry& entry : _listaWpisow) out << indent << "\t" << entry.toTxt() << "\n";
  for (const TRCMGroup& group : _listaGrup) group.showGroup(indent + "\t", out);
  out << indent << "}\n";
}

TRCMGroup* TRCMGroup::getGroup(const std::string& name) {
  for (TRCMGroup& group : _listaGrup) {
    if (namesMatch(group._id, name)) return &group;
  }
  return nullptr;
}

const TRCMGroup* TRCMGroup::getGroup(const std::string& name) const {
  return const_cast<TRCMGroup*>(this)->getGroup(name);
}

TRCMEntry* TRCMGroup::getEntry(const std::string& name) {
  for (TRCMEntry& entry : _listaWpisow) {
    if (namesMatch(entry._id, name)) return &entry;
  }
  return nullptr;
}

const TRCMEntry* TRCMGroup::getEntry(const std::string& name) const {
  return const_cast<TRCMGroup*>(this)->getEntry(name);
}

void TRCMGroup::setStringEntry(const std::string& name, const std::string& value, int index) {
  if (TRCMEntry* entry = getEntry(name)) {
    entry->setValue(value, index);
    return;
  }
  _addEntry(name, value, index)._type = TRCMEntry::kText;
}

void TRCMGroup::setFloatEntry(const std::string& name, float value, int index) {
  const std::string text = formatRecordFloat(value);
  if (TRCMEntry* entry = getEntry(name)) {
    entry->setValue(text, index);
    return;
  }
  _addEntry(name, text, index)._type = TRCMEntry::kNumber;
}

TRCMEntry& TRCMGroup::_addEntry(const std::string& name, const std::string& value, int index) {
  TRCMEntry entry;
  entry._id = name;
  entry.setValue(value, index);
  _listaWpisow.push_back(std::move(entry));
  return _listaWpisow.back();
}

// ---- files ---------------------------------------------------------------

bool TRCMFile::save(const std::string& path) const {
  std::string text;
  for (const TRCMGroup& group : _grupa._listaGrup) text += group.save("");
  // saveText writes a temporary file and renames it, so the old file survives
  // a failed save; it reports the failure on stderr itself.
  return saveText(text, path);
}

void TRCMFile::Load(const std::string& path) {
  _path = path;
  _realPath = absolutePath(path);
  if (fileType(path) == 0) {
    errorMsg("Nie znaleziono pliku : " + path);
    return;
  }
  std::string text;
  try {
    text = loadText(path);
  } catch (const FileError& error) {
    errorMsg(error.what());
    return;
  }
  _txt = std::move(text);
  if (_txt.empty()) return;
  if (!checkTxt()) return;
  try {
    _grupa = parseGroup(_txt, 0, "MAINGROUP", 0);
  } catch (const TooDeep&) {
    errorMsg("Groups nested deeper than " + std::to_string(kMaxDepth) + " levels in " + path);
  }
}

bool TRCMFile::checkGroups() const {
  long long openings = 0;
  long long closings = 0;
  bool quoted = false;
  for (const char c : _txt) {
    if (quoted) {
      if (c == '"') quoted = false;
    } else if (c == '{') {
      ++openings;
    } else if (c == '}') {
      ++closings;
    } else if (c == '"') {
      quoted = true;
    }
  }
  if (openings == closings) return true;
  errorMsg("Blad nawiasow klamrowych! \"{\" - " + std::to_string(openings) + " \"}\" - " +
           std::to_string(closings));
  return false;
}

bool TRCMFile::checkTxt() {
  if (!_txt.empty() && _txt.back() == '}') _txt += '\n';
  return checkGroups();
}

TRCMGroup TRCMFile::readAll(const std::string& text, const std::string& name) const {
  try {
    return parseGroup(text, 0, name, 0);
  } catch (const TooDeep&) {
    errorMsg("Groups nested deeper than " + std::to_string(kMaxDepth) + " levels");
    TRCMGroup empty;
    empty._id = name;
    return empty;
  }
}

std::string TRCMFile::myTrim(const std::string& text) {
  return str::replaceAll(str::trim(str::replaceAll(text, "0", "*")), "*", "0");
}

TRCMEntry TRCMFile::readEntry(const std::string& line) {
  std::vector<std::string> parts = str::split(line, "=");
  if (parts.size() > 1 && parts.back().empty()) parts.pop_back();

  TRCMEntry entry;
  entry._id = str::trim(parts[0]);
  // Nothing after "=" reads as one empty value of the type that fits it: text.
  const std::string valueText = parts.size() > 1 ? parts[1] : std::string();
  const std::string trimmed = str::trim(valueText);
  const char first = trimmed.empty() ? '\0' : trimmed[0];
  entry._type = ((first >= '0' && first <= '9') || first == '-') ? TRCMEntry::kNumber : TRCMEntry::kText;

  entry._value = splitValues(valueText);
  if (entry._type == TRCMEntry::kText) {
    // The writer puts a space and a quote before each text and a quote after it.
    for (std::string& piece : entry._value) {
      const int length = str::length(piece);
      piece = length > 3 ? str::mid(piece, 3, length - 3) : std::string();
    }
  }
  return entry;
}

TRCMGroup& TRCMFile::getGroupSet(const std::vector<std::string>& parts) {
  TRCMGroup* group = &_grupa;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    TRCMGroup* next = group->getGroup(parts[i]);
    if (next == nullptr) {
      TRCMGroup created;
      created._id = parts[i];
      group->_listaGrup.push_back(std::move(created));
      next = &group->_listaGrup.back();
    }
    group = next;
  }
  return *group;
}

void TRCMFile::setString(const std::string& path, const std::string& value, int index) {
  const std::vector<std::string> parts = splitRecordPath(path);
  if (parts.empty()) return;
  getGroupSet(parts).setStringEntry(parts.back(), value, index);
}

void TRCMFile::setFloat(const std::string& path, float value, int index) {
  const std::vector<std::string> parts = splitRecordPath(path);
  if (parts.empty()) return;
  getGroupSet(parts).setFloatEntry(parts.back(), value, index);
}

std::string TRCMFile::getString(const std::string& path, int index) const {
  const std::vector<std::string> parts = splitRecordPath(path);
  const TRCMGroup* group = getGroup(parts);
  if (group == nullptr) return "";
  const TRCMEntry* entry = group->getEntry(parts.back());
  if (entry == nullptr || index < 0 || static_cast<std::size_t>(index) >= entry->_value.size()) return "";
  return entry->_value[static_cast<std::size_t>(index)];
}

float TRCMFile::getFloat(const std::string& path, int index, bool dump) const {
  if (dump) {
    if (const TRCMGroup* group = getGroup(splitRecordPath(path))) group->showGroup("");
  }
  return str::toFloat(getString(path, index));
}

TRCMGroup* TRCMFile::getGroup(const std::vector<std::string>& parts) {
  if (parts.empty()) return nullptr;
  TRCMGroup* group = &_grupa;
  for (std::size_t i = 0; i + 1 < parts.size() && group != nullptr; ++i) group = group->getGroup(parts[i]);
  return group;
}

const TRCMGroup* TRCMFile::getGroup(const std::vector<std::string>& parts) const {
  return const_cast<TRCMFile*>(this)->getGroup(parts);
}

void TRCMFile::printAll() const { _grupa.showGroup(""); }

void TRCMFile::errorMsg(const std::string& text) { std::cout << "Napotkano problem : " << text << std::endl; }

// ---- shared operations -----------------------------------------------------

std::vector<std::string> splitRecordPath(const std::string& path) {
  std::vector<std::string> parts = str::split(path, "::");
  if (!parts.empty() && parts.back().empty()) parts.pop_back();
  return parts;
}

std::string formatRecordFloat(float value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%#.9g", static_cast<double>(value));
  return buffer;
}

TRCMFile openRecordFile(const std::string& path) {
  TRCMFile file;
  if (fileType(path) != 0) grantAccess(path);
  file.Load(path);
  return file;
}

bool grantAccess(const std::string&) { return true; }

int readRecordCount(const TRCMFile& file, const std::string& key, int limit, const std::string& path) {
  const float raw = file.getFloat(key);
  if (std::isnan(raw) || raw < 0) {
    std::fprintf(stderr, "%s: %s is not a count; read as 0\n", path.c_str(), key.c_str());
    return 0;
  }
  const int n = truncToInt(raw);
  if (n > limit) {
    std::fprintf(stderr, "%s: %s = %d is too many; %d read\n", path.c_str(), key.c_str(), n, limit);
    return limit;
  }
  return n;
}
