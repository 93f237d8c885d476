#pragma once

#include <string>

// Every message box of the program goes through one prompter, so the GUI shows
// message boxes, the command-line tool prints to stderr and tests answer prompts.
// Texts are UTF-8, so a message can name a character the code page lacks; a byte text
// (a name, a path) goes into a message through CodePageToUtf8.
class IPrompter {
 public:
  virtual ~IPrompter() = default;
  virtual void Error(const std::string& text) = 0;        // stop icon
  virtual void Information(const std::string& text) = 0;  // information icon
  virtual bool AskYesNo(const std::string& text) = 0;     // question icon; true for Yes
  // A failure that may be tried again: text, with detail (the system's reason) below it;
  // stop icon, Yes and No; true for Yes. Prompters without a box of their own ask text and
  // detail together.
  virtual bool AskRetry(const std::string& text, const std::string& detail) { return AskYesNo(text + "\n\n" + detail); }
};
