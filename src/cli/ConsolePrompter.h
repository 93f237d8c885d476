#pragma once

#include <ostream>

#include "common/Prompter.h"

// The command-line tool's prompter: errors go to the error stream and information to the
// output stream, one line each (the texts are UTF-8 already). Nobody is there to answer a
// question, so it is printed and answered No.
class ConsolePrompter : public IPrompter {
 public:
  ConsolePrompter(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

  void Error(const std::string& text) override { m_err << text << "\n"; }
  void Information(const std::string& text) override { m_out << text << "\n"; }
  bool AskYesNo(const std::string& text) override {
    m_err << text << " (answered No)\n";
    return false;
  }

 private:
  std::ostream& m_out;
  std::ostream& m_err;
};
