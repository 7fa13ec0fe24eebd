#pragma once
// Collects the GUI notices shown while it lives, for tests that expect (or forbid) them.

#include <string>
#include <vector>

#include "gui/text.h"

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
