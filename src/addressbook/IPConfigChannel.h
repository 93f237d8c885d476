#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <chrono>

// How the program and the external IP configuration tool talk: one-line messages over local
// sockets (Unix domain sockets in the user's runtime folder; named pipes carrying the user's
// name on Windows), so only the same user's processes reach them.
//
// - Hand-back: the tool puts the chosen address on the clipboard as dotted text, then connects
//   to HandBackSocketName() and sends the same text as one line (an empty line is allowed and
//   means "read the clipboard"). The open IP address dialog listens there.
// - Control: each running copy of the tool listens on ToolControlSocketName(its process id)
//   for one request line: kRaiseRequest (restore and activate its window) or kCloseRequest
//   (close its window and end). The stand-in tool also takes "select <address>" (fill in the
//   address and hand it back as the operator's button does), so the road can be driven
//   without a screen.

inline constexpr const char* kRaiseRequest = "raise";
inline constexpr const char* kCloseRequest = "close";
inline constexpr const char* kSelectRequest = "select ";

// "QUOR IP CONFIG IP", scoped to the user.
QString HandBackSocketName();
// The control socket of the tool's copy with this process id.
QString ToolControlSocketName(qint64 pid);

// Connects to the server, sends line and a newline, and disconnects. False when no such
// server listens or the line was not taken within timeout. Blocks for at most about twice
// the timeout.
bool SendLine(const QString& serverName, const QByteArray& line,
              std::chrono::milliseconds timeout = std::chrono::milliseconds(1000));

// Listens on a local socket and reports the first line of each connection. A connection that
// sends nothing within kReadTime, or more than kMaxLine bytes without a newline, is dropped
// (the first kMaxLine bytes of the latter still count as its line). Needs an event loop.
class CLineServer : public QObject {
  Q_OBJECT

 public:
  static constexpr qsizetype kMaxLine = 256;
  static constexpr std::chrono::milliseconds kReadTime{2000};

  explicit CLineServer(QObject* parent = nullptr);
  ~CLineServer() override;

  // Listens under name; a server of the same name (another program's or a stale socket
  // file) gives way. False when listening is impossible.
  bool Listen(const QString& name);
  // Stops listening (and removes the name).
  void Close();
  bool IsListening() const { return m_server.isListening(); }

 signals:
  // A connection's line, without its newline; empty when it closed without sending anything.
  void lineReceived(const QByteArray& line);

 private:
  void OnNewConnection();

  QLocalServer m_server;
};
