#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sim/SimEvents.h"

// The simulator's log: one line per report, stable for scripts to parse.
//
//   <seconds>.<milliseconds> <event> <key>=<value> <key>=<value> ...
//
// The time counts from the simulator's start. A value is written bare when it is not empty
// and holds only letters, digits and . _ : / + -; otherwise it is quoted: "..." with \\ for
// a backslash, \" for a quote and \xHH for every byte below 0x20, 0x7F and every byte from
// 0x80 up, so the bytes received come back exactly. Events and their keys are listed in
// the README; new keys are only ever added at the end of a line.

// One log line, ending in a newline.
std::string FormatLogLine(SimTime at, std::string_view event, std::span<const SimField> fields);

// A value as the log writes it (bare or quoted).
std::string LogValue(std::string_view value);

// The fields of the reports, without time and event name (tests compare these).
std::vector<SimField> CodeFields(const SimCodeEvent& code);
std::vector<SimField> MessageFields(const SimMessage& message);
std::vector<SimField> FlashFields(SimFlashChange change, std::string_view stored);

// Writes every report of the simulator as a log line to a line sink.
class SimLogWriter : public ISimListener {
 public:
  using LineSink = std::function<void(std::string_view line)>;

  explicit SimLogWriter(LineSink sink) : m_sink(std::move(sink)) {}

  // A line of the program's own (start, listen, connect, ...).
  void Write(SimTime at, std::string_view event, std::span<const SimField> fields);

  void OnCode(SimTime at, const SimCodeEvent& code) override;
  void OnMessage(SimTime at, const SimMessage& message) override;
  void OnFlash(SimTime at, SimFlashChange change, std::string_view stored) override;
  void OnCard(SimTime at, const SimCard& card) override;

 private:
  LineSink m_sink;
};
