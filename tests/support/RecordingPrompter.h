#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/Prompter.h"

// Records every prompt; answers questions with a fixed reply, or with reply when set.
class RecordingPrompter : public IPrompter {
 public:
  void Error(const std::string& text) override { errors.push_back(text); }
  void Information(const std::string& text) override { information.push_back(text); }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    return reply ? reply(text) : answer;
  }

  std::vector<std::string> errors;
  std::vector<std::string> information;
  std::vector<std::string> questions;
  bool answer = false;
  std::function<bool(const std::string&)> reply;
};
