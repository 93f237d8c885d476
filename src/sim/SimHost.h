#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "common/Status.h"
#include "sim/MarqueeSim.h"
#include "sim/SignFrame.h"
#include "sim/SimLog.h"
#include "sim/SimOptions.h"

class PtyInput;
class SignWindow;
class TcpInput;
class TerminalView;

// The running simulator: feeds what the listeners receive to the marquee on the event
// loop's clock, writes its log, animates its display in the terminal or a window on the
// preview's 540 ms tick, and keeps its flash message in a file when asked to.
class SimHost : private ISimListener {
 public:
  explicit SimHost(const SimOptions& options);
  // One marquee of several in one process: writes to log (not closed here) and ends every
  // line with sign=signKey.
  SimHost(const SimOptions& options, std::FILE* log, std::string signKey);
  ~SimHost() override;
  SimHost(const SimHost&) = delete;
  SimHost& operator=(const SimHost&) = delete;

  // Opens the log, the listeners and the display, and shows the flash message. On failure
  // the error says what could not be opened.
  Status Start();
  // Ends the message in progress and logs the stop; for the event loop's end.
  void Stop();

 private:
  static constexpr int kTickMs = 540;

  SimTime Now() const { return SimTime{m_clock.elapsed()}; }
  Status OpenLog();
  Status ShowStoredFlash();
  void Feed(std::string_view bytes);
  void OnIdle();
  // After the marquee has read: a changed display starts its animation over and shows at
  // once; a message still open gets its idle deadline.
  void AfterReading();
  void Tick();
  void WriteLine(std::string_view line);
  void SaveFlash(SimFlashChange change, std::string_view stored);

  void OnCode(SimTime at, const SimCodeEvent& code) override;
  void OnMessage(SimTime at, const SimMessage& message) override;
  void OnFlash(SimTime at, SimFlashChange change, std::string_view stored) override;
  void OnCard(SimTime at, const SimCard& card) override;

  const SimOptions m_options;
  QElapsedTimer m_clock;
  std::FILE* m_logFile = nullptr;
  bool m_ownsLog = true;
  std::string m_lineEnd = "\n";  // " sign=ADDRESS\n" for a marquee of a range
  SimLogWriter m_log;
  MarqueeSim m_sim;
  SignAnimation m_animation;
  uint64_t m_shownRevision = 0;
  uint64_t m_shownResets = 0;
  QTimer m_idleTimer;
  QTimer m_tickTimer;
  QTimer m_flushTimer;
  std::unique_ptr<TcpInput> m_tcp;
  std::unique_ptr<PtyInput> m_pty;
  std::unique_ptr<TerminalView> m_terminal;
  std::unique_ptr<SignWindow> m_window;
  int m_messages = 0;  // read from the inputs
  bool m_showingFlash = false;
  bool m_stopped = false;
};
