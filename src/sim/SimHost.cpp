#include "sim/SimHost.h"

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <iostream>

#include "common/FileIO.h"
#include "common/Text.h"
#include "preview/MarqueeModels.h"
#include "preview/PreviewGeometry.h"
#include "sim/PtyInput.h"
#include "sim/SignWindow.h"
#include "sim/TcpInput.h"
#include "sim/TerminalView.h"

namespace {

// A flash message is one message body; anything larger is not one of ours.
constexpr size_t kMaxFlashFileBytes = 64 * 1024;
constexpr int kLogFlushMs = 100;
constexpr size_t kLogBufferBytes = 64 * 1024;

}  // namespace

SimHost::SimHost(const SimOptions& options)
    : m_options(options),
      m_log([this](std::string_view line) { WriteLine(line); }),
      m_sim(options.group, options.unit, *this, SimTime{options.idleGapMs}) {
  m_clock.start();
  m_idleTimer.setSingleShot(true);
  m_idleTimer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&m_idleTimer, &QTimer::timeout, [this] { OnIdle(); });
  m_flushTimer.setSingleShot(true);
  m_flushTimer.setInterval(kLogFlushMs);
  QObject::connect(&m_flushTimer, &QTimer::timeout, [this] { std::fflush(m_logFile); });
  m_tickTimer.setInterval(kTickMs);
  QObject::connect(&m_tickTimer, &QTimer::timeout, [this] { Tick(); });
}

SimHost::SimHost(const SimOptions& options, std::FILE* log, std::string signKey) : SimHost(options) {
  m_logFile = log;
  m_ownsLog = false;
  m_lineEnd = " sign=" + LogValue(signKey) + "\n";
}

SimHost::~SimHost() {
  Stop();
  m_terminal.reset();
  if (m_logFile) std::fflush(m_logFile);
  if (m_ownsLog && m_logFile && m_logFile != stderr) std::fclose(m_logFile);
}

Status SimHost::Start() {
  if (Status log = OpenLog(); !log.ok()) return log;
  const MarqueeModel& model = kMarqueeModels[static_cast<size_t>(m_options.model)];
  m_log.Write(Now(), "start",
              std::vector<SimField>{{"model", std::to_string(m_options.model)},
                                    {"name", model.comboText},
                                    {"group", std::to_string(m_options.group)},
                                    {"unit", std::to_string(m_options.unit)},
                                    {"gap", std::to_string(m_options.idleGapMs)}});

  std::string title = Format("marquee-sim  %s  group %d unit %d", model.comboText, m_options.group, m_options.unit);
  if (m_options.tcp) {
    m_tcp = std::make_unique<TcpInput>(
        [this](std::string_view bytes) { Feed(bytes); },
        [this](bool connected, const std::string& peer) {
          m_log.Write(Now(), connected ? "connect" : "disconnect", std::vector<SimField>{{"from", peer}});
        });
    if (Status listening = m_tcp->Listen(m_options.tcpAddress, m_options.tcpPort); !listening.ok()) return listening;
    const std::string where = Format("%s:%u", m_options.tcpAddress.c_str(), m_options.tcpPort);
    m_log.Write(Now(), "listen", std::vector<SimField>{{"tcp", where}});
    title += "  tcp " + where;
  }
  if (m_options.pty) {
    m_pty = std::make_unique<PtyInput>([this](std::string_view bytes) { Feed(bytes); });
    if (Status opened = m_pty->Open(); !opened.ok()) return opened;
    m_log.Write(Now(), "listen", std::vector<SimField>{{"pty", m_pty->Path()}});
    std::cout << m_pty->Path() << std::endl;
    title += "  pty " + m_pty->Path();
  }

  const int width = kColumnPixels * model.prop.charsPerLine;
  const int height = kLinePixels * model.prop.lines;
  if (m_options.display == SimDisplayKind::kWindow) {
    m_window = std::make_unique<SignWindow>(QString::fromStdString(title), width, height);
    m_window->show();
  } else if (m_options.display == SimDisplayKind::kTerminal && TerminalView::Available()) {
    m_terminal = std::make_unique<TerminalView>(title, height);
  }
  if (Status flash = ShowStoredFlash(); !flash.ok()) return flash;
  if (m_window || m_terminal) {
    Tick();
    m_tickTimer.start();
  }
  return {};
}

void SimHost::Stop() {
  if (m_stopped || !m_logFile) return;
  m_stopped = true;
  m_sim.EndMessage(Now());
  m_log.Write(Now(), "stop", std::vector<SimField>{{"messages", std::to_string(m_messages)}});
  std::fflush(m_logFile);
}

Status SimHost::OpenLog() {
  if (!m_ownsLog) return {};
  m_logFile = m_options.logPath.empty() ? stderr : std::fopen(m_options.logPath.c_str(), "a");
  if (!m_logFile) return Status::OsFailure("cannot open the log " + m_options.logPath + ": " + SystemErrorText(errno));
  // stderr writes every call through unbuffered; the flush timer decides instead.
  std::setvbuf(m_logFile, nullptr, _IOFBF, kLogBufferBytes);
  return {};
}

Status SimHost::ShowStoredFlash() {
  if (m_options.flashPath.empty()) return {};
  FileContents stored = ReadWholeFile(m_options.flashPath, kMaxFlashFileBytes);
  if (stored.missing) return {};
  if (!stored.status.ok()) return stored.status;
  // The flash message is the marquee's own, not one it read: --exit-after does not count it.
  m_showingFlash = true;
  m_sim.ShowFlashMessage(stored.bytes, Now());
  m_showingFlash = false;
  AfterReading();
  return {};
}

void SimHost::Feed(std::string_view bytes) {
  m_sim.Feed(bytes, Now());
  AfterReading();
}

void SimHost::OnIdle() {
  m_sim.Idle(Now());
  AfterReading();
}

void SimHost::AfterReading() {
  const SimDisplay& display = m_sim.Display();
  if (display.resets != m_shownResets) {
    m_shownResets = display.resets;
    m_animation.Restart();
  }
  if (display.revision != m_shownRevision) {
    m_shownRevision = display.revision;
    m_animation.RestartScroll();
    if (m_tickTimer.isActive()) {
      Tick();
      m_tickTimer.start();
    }
  }
  if (const std::optional<SimTime> deadline = m_sim.IdleDeadline())
    m_idleTimer.start(static_cast<int>(std::max<int64_t>(0, (*deadline - Now()).count())));
}

void SimHost::Tick() {
  const SimDisplay& display = m_sim.Display();
  const PreviewSettings settings{display.position, display.startLine, display.startColumn, display.effect,
                                 m_options.model};
  PreviewFrame frame = m_animation.NextFrame(display.lines, settings);
  if (m_terminal) m_terminal->Show(frame);
  if (m_window) m_window->Show(std::move(frame));
}

void SimHost::WriteLine(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  std::fwrite(line.data(), 1, line.size(), m_logFile);
  std::fwrite(m_lineEnd.data(), 1, m_lineEnd.size(), m_logFile);
  // A flush per line would cost a write per event on a busy stream; the lines reach the
  // log shortly after instead, and all of them at the end.
  if (!m_flushTimer.isActive()) m_flushTimer.start();
}

void SimHost::SaveFlash(SimFlashChange change, std::string_view stored) {
  if (m_options.flashPath.empty() || change == SimFlashChange::kShown) return;
  Status saved;
  if (change == SimFlashChange::kCleared) {
    if (std::remove(m_options.flashPath.c_str()) != 0 && errno != ENOENT)
      saved = Status::OsFailure("cannot remove " + m_options.flashPath + ": " + SystemErrorText(errno));
  } else {
    AtomicFileWriter writer;
    saved = writer.Open(m_options.flashPath);
    if (saved.ok()) {
      writer.Write(stored);
      saved = writer.Commit();
    }
  }
  if (!saved.ok()) m_log.Write(Now(), "error", std::vector<SimField>{{"message", saved.message()}});
}

void SimHost::OnCode(SimTime at, const SimCodeEvent& code) {
  m_log.OnCode(at, code);
}

void SimHost::OnMessage(SimTime at, const SimMessage& message) {
  m_log.OnMessage(at, message);
  if (m_showingFlash) return;
  if (++m_messages == m_options.exitAfter) QTimer::singleShot(0, [] { QCoreApplication::quit(); });
}

void SimHost::OnFlash(SimTime at, SimFlashChange change, std::string_view stored) {
  m_log.OnFlash(at, change, stored);
  SaveFlash(change, stored);
}

void SimHost::OnCard(SimTime at, const SimCard& card) {
  m_log.OnCard(at, card);
}
