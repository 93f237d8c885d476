#pragma once

#include <string>

#include "preview/PreviewRenderer.h"

// The sign drawn at the top of the terminal on standard output: a title row, then the
// sign. The rows below scroll on their own (a scroll region), so log lines written to the
// same terminal pass under the sign without moving it. A sign wider than the terminal is
// cut at its right edge.
class TerminalView {
 public:
  // Whether standard output is a terminal.
  static bool Available();

  // Takes over the top rows for a sign of signHeight pixels (PreviewFrame units).
  TerminalView(const std::string& title, int signHeight);
  // Gives the whole terminal back, with the cursor below the sign.
  ~TerminalView();
  TerminalView(const TerminalView&) = delete;
  TerminalView& operator=(const TerminalView&) = delete;

  void Show(const PreviewFrame& frame);

 private:
  void Write(const std::string& text);

  std::string m_title;
  int m_signRows;
  int m_columns = 80;
  int m_rows = 24;
};
