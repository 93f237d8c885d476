// Linux: every process shows its executable as the link /proc/<pid>/exe.
#include <signal.h>
#include <sys/types.h>

#include <QDir>
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

bool RequestProcessEnd(qint64 pid) {
  return pid > 0 && ::kill(static_cast<pid_t>(pid), SIGTERM) == 0;
}
