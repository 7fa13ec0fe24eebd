#pragma once
// The GUI toolkit's text machinery: the word-wrapping text box with four alignments, its
// struck-out variants for objectives, outlined text, the one-line text that keeps its tail
// visible, and the string utilities the GUI and record readers share (split with quotes,
// strip quotes, bracket markers). All drawing uses the current colour, alpha, blend and
// scale; widths are measured unscaled, so a scaled text keeps its unscaled layout.

#include <functional>
#include <string>
#include <vector>

class TImageFont;
class TRGB;

// Error notices ------------------------------------------------------------------------

// A non-fatal message box " >> BLAD! << : " + message (also on stderr); the caller goes on.
void errorNotice(const std::string& message);
// Sees every notice's full text before it is shown; tests watch content errors this way.
// An empty function stops watching. Returns the previous watcher.
using ErrorNoticeWatcher = std::function<void(const std::string& text)>;
ErrorNoticeWatcher watchErrorNotices(ErrorNoticeWatcher watcher);

// String utilities ---------------------------------------------------------------------

// The text with every double quote removed.
std::string stripQuotes(const std::string& text);
// Pieces of text between separators (any length; only whole occurrences count). With open
// given, open ... close stretches are quoted: separators inside are plain text, and the
// open and close characters are dropped (a stray close as well). Empty pieces are kept,
// except an empty last piece.
std::vector<std::string> splitQuoted(const std::string& text, const std::string& separator,
                                     const std::string& open = "", const std::string& close = "");
// 1 when every character is a digit 0 to 9 (also for ""), else 0.
int isDigits(const std::string& text);
// Contents of every completed open ... close pair, in order. A double quote switches a
// quoted state in which open and close are plain characters; quotes are dropped. A nested
// open or a stray close shows an error notice and the walk goes on.
std::vector<std::string> extractMarkers(const std::string& text, const std::string& open,
                                        const std::string& close);
// The text without its markers (same rules as extractMarkers).
std::string removeMarkers(const std::string& text, const std::string& open,
                          const std::string& close);
// The strings that are not empty after trimming.
std::vector<std::string> dropEmpty(const std::vector<std::string>& parts);

// Text drawing -------------------------------------------------------------------------

// Alignment codes of TText::_align and their names.
enum TextAlign : int { ALIGN_RIGHT = 0, ALIGN_LEFT = 1, ALIGN_CENTER = 2, ALIGN_JUSTIFY = 3 };
// "LEFT", "RIGHT", "CENTER", "JUSTIFY" in any case with blanks around; anything else is left.
TextAlign alignFromName(const std::string& name);
// The name of an alignment code, "" for codes outside 0 to 3.
std::string alignName(int align);

// The rows a text box breaks text into, each trimmed, at the current font. Every row is
// laid out the same way by the box and its struck variants.
std::vector<std::string> textBoxRows(const std::string& text, float width);

// Word-wrapped text with its top-left corner at (x, y); a null font keeps the current one;
// spacing is extra pixels between rows. Returns the height: row height times rows.
int drawTextBox(const std::string& text, int x, int y, float width,
                const std::string& align = "LEFT", TImageFont* font = nullptr, int spacing = 0);
// The text box's layout with only a line through the middle of each row (left and centred
// text; right and justified get none). Draw the text first, then the lines in their colour.
int drawStruckTextBox(const std::string& text, int x, int y, float width,
                      const std::string& align = "LEFT", TImageFont* font = nullptr,
                      int spacing = 0);
// As drawStruckTextBox, each line covering `progress` (0 to 1) of its row's width.
int drawStruckTextBoxProgress(const std::string& text, int x, int y, float width, float progress,
                              const std::string& align = "LEFT", TImageFont* font = nullptr,
                              int spacing = 0);
// One line with a one-pixel outline at the four diagonals: outline null is black, colour
// null white. align "RIGHT" ends the text at x, "CENTER" centres it on x, else it starts at x.
void drawOutlinedText(const std::string& text, float x, float y, const TRGB* outline,
                      const TRGB* colour, const std::string& align = "LEFT");
// For a text too wide for its field: ".." and the longest end of the text that fits in
// width, drawn at (x, y). Returns what was drawn ("" when not even ".." fits).
std::string drawTextTail(const std::string& text, int x, int y, int width);
