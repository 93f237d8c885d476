#include "link/PacedWrite.h"

#include <thread>

void SleepFor(std::chrono::milliseconds duration) {
  std::this_thread::sleep_for(duration);
}

LinkResult WriteWithCaretPauses(std::string_view text, const std::function<LinkResult(char)>& writeOne,
                                const Sleeper& sleep) {
  for (char c : text) {
    if (c == '^') sleep(kCaretPause);
    LinkResult result = writeOne(c);
    if (!result.ok()) return result;
  }
  return {};
}
