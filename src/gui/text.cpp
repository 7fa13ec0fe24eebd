#include "gui/text.h"

#include "engine/draw.h"
#include "engine/files.h"
#include "engine/text.h"
#include "gui/gui_object.h"

namespace {

ErrorNoticeWatcher& noticeWatcher() {
  static ErrorNoticeWatcher watcher;
  return watcher;
}

bool startsAt(const std::string& text, size_t pos, const std::string& part) {
  return !part.empty() && text.compare(pos, part.size(), part) == 0;
}

// One walk over text for both marker operations.
void walkMarkers(const std::string& text, const std::string& open, const std::string& close,
                 std::vector<std::string>* markers, std::string* outside) {
  bool quoted = false;
  bool inMarker = false;
  std::string marker;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '"') {
      quoted = !quoted;
      ++i;
      continue;
    }
    if (!quoted && startsAt(text, i, open)) {
      if (inMarker)
        errorNotice("BLAD! Nieprawidlowa definicja znacznika wewnatrz zmiennej _str$ :" + text);
      inMarker = true;
      marker.clear();
      i += open.size();
      continue;
    }
    if (!quoted && startsAt(text, i, close)) {
      if (inMarker) {
        if (markers) markers->push_back(marker);
        inMarker = false;
      } else {
        errorNotice("BLAD! Nieprawidlowa definicja znacznika wewnatrz zmiennej _str$ :" + text);
      }
      i += close.size();
      continue;
    }
    if (inMarker)
      marker += text[i];
    else if (outside)
      *outside += text[i];
    ++i;
  }
}

// The row height of the current font plus the spacing.
int rowHeight(int spacing) { return textHeight() + spacing; }

// Left edge of a centred row: the half width drops its remainder, the position truncates.
int centredX(int x, float width, const std::string& row) {
  return static_cast<int>(static_cast<float>(x) + width / 2 - static_cast<float>(textWidth(row) / 2));
}

// Draws one row of the box. last: the final row, which justified text leaves left-aligned.
void drawRow(const std::string& row, int x, int y, float width, TextAlign align, bool last) {
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  switch (align) {
    case ALIGN_LEFT:
      drawText(row, fx, fy);
      break;
    case ALIGN_RIGHT:
      drawText(row, fx + width - static_cast<float>(textWidth(row)), fy);
      break;
    case ALIGN_CENTER:
      drawText(row, static_cast<float>(centredX(x, width, row)), fy);
      break;
    case ALIGN_JUSTIFY: {
      if (last) {
        drawText(row, fx, fy);
        break;
      }
      const std::vector<std::string> words = splitQuoted(row + " ", " ");
      if (words.size() <= 1) {
        drawText(row, fx, fy);
        break;
      }
      std::string joined;
      for (const std::string& w : words) joined += w;
      const float gap = (width - static_cast<float>(textWidth(joined))) /
                        static_cast<float>(words.size() - 1);
      std::string before;
      for (size_t j = 0; j < words.size(); ++j) {
        drawText(words[j], fx + static_cast<float>(j) * gap + static_cast<float>(textWidth(before)),
                 fy);
        before += words[j];
      }
      break;
    }
  }
}

int drawStruck(const std::string& text, int x, int y, float width, float progress,
               const std::string& align, TImageFont* font, int spacing) {
  const TextAlign a = alignFromName(align);
  if (font) setImageFont(font);
  const int h = rowHeight(spacing);
  const std::vector<std::string> rows = textBoxRows(text, width);
  for (size_t n = 0; n < rows.size(); ++n) {
    if (a != ALIGN_LEFT && a != ALIGN_CENTER) continue;
    const float left = a == ALIGN_LEFT ? static_cast<float>(x)
                                       : static_cast<float>(centredX(x, width, rows[n]));
    const float yl = static_cast<float>(y + h * static_cast<int>(n) + h / 2);
    const float length = static_cast<float>(textWidth(rows[n])) * progress;
    // The end pixel is lit; an empty row (or no progress) gets no stray dot.
    if (length > 0) drawLine(left, yl, left + length, yl);
  }
  return h * static_cast<int>(rows.size());
}

}  // namespace

void errorNotice(const std::string& message) {
  const std::string text = " >> BLAD! << : " + message;
  if (noticeWatcher()) noticeWatcher()(text);
  notify(text);
}

ErrorNoticeWatcher watchErrorNotices(ErrorNoticeWatcher watcher) {
  ErrorNoticeWatcher previous = std::move(noticeWatcher());
  noticeWatcher() = std::move(watcher);
  return previous;
}

std::string stripQuotes(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != '"') out += c;
  return out;
}

std::vector<std::string> splitQuoted(const std::string& text, const std::string& separator,
                                     const std::string& open, const std::string& close) {
  std::vector<std::string> pieces;
  std::string piece;
  bool quoted = false;
  size_t i = 0;
  // Byte-wise matching is safe on UTF-8: a whole character never matches inside another.
  while (i < text.size()) {
    if (quoted) {
      if (startsAt(text, i, close)) {
        quoted = false;
        i += close.size();
      } else {
        piece += text[i++];
      }
      continue;
    }
    if (startsAt(text, i, separator)) {
      pieces.push_back(piece);
      piece.clear();
      i += separator.size();
    } else if (!open.empty() && startsAt(text, i, open)) {
      quoted = true;
      i += open.size();
    } else if (!open.empty() && startsAt(text, i, close)) {
      i += close.size();
    } else {
      piece += text[i++];
    }
  }
  if (!piece.empty()) pieces.push_back(piece);
  return pieces;
}

int isDigits(const std::string& text) {
  for (char c : text)
    if (c < '0' || c > '9') return 0;
  return 1;
}

std::vector<std::string> extractMarkers(const std::string& text, const std::string& open,
                                        const std::string& close) {
  std::vector<std::string> markers;
  walkMarkers(text, open, close, &markers, nullptr);
  return markers;
}

std::string removeMarkers(const std::string& text, const std::string& open,
                          const std::string& close) {
  std::string outside;
  walkMarkers(text, open, close, nullptr, &outside);
  return outside;
}

std::vector<std::string> dropEmpty(const std::vector<std::string>& parts) {
  std::vector<std::string> kept;
  for (const std::string& p : parts)
    if (!str::trim(p).empty()) kept.push_back(p);
  return kept;
}

TextAlign alignFromName(const std::string& name) {
  const std::string a = str::upper(str::trim(name));
  if (a == "RIGHT") return ALIGN_RIGHT;
  if (a == "CENTER") return ALIGN_CENTER;
  if (a == "JUSTIFY") return ALIGN_JUSTIFY;
  return ALIGN_LEFT;
}

std::string alignName(int align) {
  switch (align) {
    case ALIGN_RIGHT: return "RIGHT";
    case ALIGN_LEFT: return "LEFT";
    case ALIGN_CENTER: return "CENTER";
    case ALIGN_JUSTIFY: return "JUSTIFY";
    default: return "";
  }
}

std::vector<std::string> textBoxRows(const std::string& text, float width) {
  // Every single space separates, so two spaces keep an empty word between them.
  const std::vector<std::string> words = splitQuoted(text + " ", " ");
  std::vector<std::string> rows;
  std::string row;
  for (const std::string& w : words) {
    // The space counts even on an empty row, as the layout always did.
    if (static_cast<float>(textWidth(row + " " + w)) <= width) {
      row = row.empty() ? w : row + " " + w;
    } else {
      rows.push_back(str::trim(row));
      row = w;
    }
  }
  rows.push_back(str::trim(row));
  return rows;
}

int drawTextBox(const std::string& text, int x, int y, float width, const std::string& align,
                TImageFont* font, int spacing) {
  const TextAlign a = alignFromName(align);
  if (font) setImageFont(font);
  const int h = rowHeight(spacing);
  const std::vector<std::string> rows = textBoxRows(text, width);
  for (size_t n = 0; n < rows.size(); ++n)
    drawRow(rows[n], x, y + h * static_cast<int>(n), width, a, n + 1 == rows.size());
  return h * static_cast<int>(rows.size());
}

int drawStruckTextBox(const std::string& text, int x, int y, float width,
                      const std::string& align, TImageFont* font, int spacing) {
  return drawStruck(text, x, y, width, 1, align, font, spacing);
}

int drawStruckTextBoxProgress(const std::string& text, int x, int y, float width, float progress,
                              const std::string& align, TImageFont* font, int spacing) {
  return drawStruck(text, x, y, width, progress, align, font, spacing);
}

void drawOutlinedText(const std::string& text, float x, float y, const TRGB* outline,
                      const TRGB* colour, const std::string& align) {
  const std::string a = str::upper(align);
  float left = x;
  if (a == "RIGHT")
    left = x - static_cast<float>(textWidth(text));
  else if (a == "CENTER")
    left = x - static_cast<float>(textWidth(text) / 2);
  if (outline)
    setColor(outline->r, outline->g, outline->b);
  else
    setColor(0, 0, 0);
  static const float offsets[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
  for (const auto& o : offsets) drawText(text, left + o[0], y + o[1]);
  if (colour)
    setColor(colour->r, colour->g, colour->b);
  else
    setColor(255, 255, 255);
  drawText(text, left, y);
}

std::string drawTextTail(const std::string& text, int x, int y, int width) {
  const std::u32string chars = str::toU32(text);
  for (size_t i = 0; i <= chars.size(); ++i) {
    const std::string candidate = ".." + str::fromU32(chars.substr(i));
    if (textWidth(candidate) <= width) {
      drawText(candidate, static_cast<float>(x), static_cast<float>(y));
      return candidate;
    }
  }
  return "";
}
