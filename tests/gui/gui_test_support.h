#pragma once
// Shared by the GUI tests: a clean input state, a picture of what a drawing puts on a
// black frame, and a collector of the notices shown.

#include <functional>
#include <string>
#include <vector>

#include "engine/draw.h"
#include "engine/input.h"
#include "gui/text.h"
#include "support/harness.h"

// No key or button left over from an earlier test.
inline void resetGuiTestInput() {
  flushKeys();
  flushMouse();
  for (int b = 1; b <= 3; ++b) injectMouseButton(b, false);
}

// What `draw` puts on a black frame in white, with alpha blending and no scale.
inline TPixmap renderOnBlack(const std::function<void()>& draw) {
  setClsColor(0, 0, 0);
  cls();
  setColor(255, 255, 255);
  setAlpha(1);
  setBlend(BLEND_ALPHA);
  setScale(1, 1);
  draw();
  return harness::frame();
}

// Collects the GUI notices shown while it lives, for tests that expect (or forbid) them.
class NoticeLog {
 public:
  NoticeLog() { previous_ = watchErrorNotices([this](const std::string& t) { texts.push_back(t); }); }
  ~NoticeLog() { watchErrorNotices(previous_); }
  NoticeLog(const NoticeLog&) = delete;
  NoticeLog& operator=(const NoticeLog&) = delete;

  // Whether some notice contains part.
  bool has(const std::string& part) const {
    for (const std::string& t : texts)
      if (t.find(part) != std::string::npos) return true;
    return false;
  }

  // Every notice, one per line, for failure messages.
  std::string all() const {
    std::string out;
    for (const std::string& t : texts) out += t + "\n";
    return out;
  }

  std::vector<std::string> texts;

 private:
  ErrorNoticeWatcher previous_;
};
