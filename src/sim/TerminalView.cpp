#include "sim/TerminalView.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "common/Text.h"
#include "preview/PreviewGeometry.h"
#include "sim/SignFrame.h"

namespace {

constexpr int kDotRowsPerTextRow = 2;
constexpr int kTitleRows = 1;
constexpr int kGapRows = 1;  // between the sign and the scrolling rows

}  // namespace

bool TerminalView::Available() {
  return ::isatty(STDOUT_FILENO) != 0;
}

TerminalView::TerminalView(const std::string& title, int signHeight)
    : m_title(title), m_signRows(signHeight / kDotPixels / kDotRowsPerTextRow) {
  winsize size{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_row > 0 && size.ws_col > 0) {
    m_rows = size.ws_row;
    m_columns = size.ws_col;
  }
  const int top = kTitleRows + m_signRows + kGapRows + 1;
  std::string setup = "\033[2J";  // clear the screen
  if (top < m_rows) setup += Format("\033[%d;%dr", top, m_rows);
  setup += Format("\033[%d;1H", std::min(top, m_rows));
  Write(setup);
}

TerminalView::~TerminalView() {
  Write(Format("\033[r\033[%d;1H\n", m_rows));
}

void TerminalView::Show(const PreviewFrame& frame) {
  PreviewFrame shown = frame;
  shown.width = std::min(frame.width, m_columns * kDotPixels);
  std::erase_if(shown.dots, [&](const LitDot& dot) { return dot.x + kDotPixels > shown.width; });

  std::string text = "\0337";  // keep the cursor where the log writes
  text += Format("\033[1;1H\033[2K\033[1m%s\033[0m", m_title.substr(0, static_cast<size_t>(m_columns)).c_str());
  const std::string rows = TerminalSignText(shown);
  int row = kTitleRows + 1;
  for (size_t from = 0; from < rows.size(); ++row) {
    const size_t end = rows.find('\n', from);
    text += Format("\033[%d;1H", row);
    text.append(rows, from, end - from);
    from = end + 1;
  }
  text += "\0338";
  Write(text);
}

void TerminalView::Write(const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(STDOUT_FILENO, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    done += static_cast<size_t>(written);
  }
}
