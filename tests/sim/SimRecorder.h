#pragma once

// Records what a simulator reports: every log line (without its time, so runs at different
// times compare), the messages, and the flash changes.

#include <string>
#include <utility>
#include <vector>

#include "sim/MarqueeSim.h"
#include "sim/SimLog.h"

class SimRecorder : public ISimListener {
 public:
  void OnCode(SimTime at, const SimCodeEvent& code) override {
    m_log.OnCode(at, code);
    if (!code.isText) codes.push_back(std::string(code.raw) + " " + std::string(StatusName(code.status)));
  }
  void OnMessage(SimTime at, const SimMessage& message) override {
    m_log.OnMessage(at, message);
    messages.push_back(message);
  }
  void OnFlash(SimTime at, SimFlashChange change, std::string_view stored) override {
    m_log.OnFlash(at, change, stored);
    flashes.emplace_back(change, std::string(stored));
  }
  void OnCard(SimTime at, const SimCard& card) override { m_log.OnCard(at, card); }

  std::vector<std::string> lines;  // "<event> <fields>" without the time
  std::vector<std::string> codes;  // "<raw> <status>" of every code, in order
  std::vector<SimMessage> messages;
  std::vector<std::pair<SimFlashChange, std::string>> flashes;

 private:
  SimLogWriter m_log{[this](std::string_view line) {
    std::string text(line.substr(line.find(' ') + 1));
    text.pop_back();  // the newline
    lines.push_back(std::move(text));
  }};
};

// A simulator of group 1, unit 5 with its recorder.
struct RecordedSim {
  explicit RecordedSim(int group = 1, int unit = 5) : sim(group, unit, recorder) {}

  // Feeds the whole text at time 0 and ends the message.
  RecordedSim& Read(std::string_view bytes) {
    sim.Feed(bytes, SimTime{0});
    sim.EndMessage(SimTime{0});
    return *this;
  }

  SimRecorder recorder;
  MarqueeSim sim;
};
