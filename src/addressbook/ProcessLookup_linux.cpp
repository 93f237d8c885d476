// Linux: every process shows its executable as the link /proc/<pid>/exe.
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "addressbook/ProcessLookup.h"

std::vector<qint64> FindProcessesByExecutable(const QString& path) {
  std::vector<qint64> found;
  const QString wanted = QFileInfo(path).canonicalFilePath();
  if (wanted.isEmpty()) return found;
  for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool isProcess = false;
    const qint64 pid = entry.toLongLong(&isProcess);
    // An unreadable link (another user's process, or one that just ended) gives an empty target.
    if (isProcess && QFileInfo("/proc/" + entry + "/exe").symLinkTarget() == wanted) found.push_back(pid);
  }
  std::sort(found.begin(), found.end());
  return found;
}

namespace {

// A process's environment is a few kilobytes; anything far beyond is not worth reading.
constexpr qint64 kMaxEnvironment = 1024 * 1024;
constexpr const char* kSessionVariables[] = {"XDG_RUNTIME_DIR", "DISPLAY", "WAYLAND_DISPLAY"};

QByteArray ReadProcFile(qint64 pid, const char* name) {
  QFile file(QString("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
  return file.open(QIODevice::ReadOnly) ? file.read(kMaxEnvironment) : QByteArray();
}

bool SameRealUser(qint64 pid) {
  for (const QByteArray& line : ReadProcFile(pid, "status").split('\n')) {
    if (!line.startsWith("Uid:")) continue;
    const QList<QByteArray> ids = line.mid(4).simplified().split(' ');
    bool number = false;
    const uint uid = ids.value(0).toUInt(&number);
    return number && uid == ::getuid();
  }
  return false;
}

}  // namespace

bool IsInThisSession(qint64 pid) {
  if (pid <= 0 || !SameRealUser(pid)) return false;
  const QByteArray environment = ReadProcFile(pid, "environ");
  if (environment.isEmpty()) return false;
  const QList<QByteArray> entries = environment.split('\0');
  for (const char* variable : kSessionVariables) {
    const QByteArray prefix = QByteArray(variable) + '=';
    QByteArray theirs;
    for (const QByteArray& entry : entries)
      if (entry.startsWith(prefix)) theirs = entry.mid(prefix.size());
    if (theirs != qgetenv(variable)) return false;
  }
  return true;
}

bool RequestProcessEnd(qint64 pid) {
  return pid > 0 && ::kill(static_cast<pid_t>(pid), SIGTERM) == 0;
}
