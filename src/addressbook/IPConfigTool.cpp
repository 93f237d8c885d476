#include "addressbook/IPConfigTool.h"

#include <QCoreApplication>
#include <QProcess>
#include <set>

#include "addressbook/IPConfigChannel.h"
#include "addressbook/ProcessLookup.h"
#include "common/QtText.h"

QString IPConfigToolPath(const QString& programFolder) {
#ifdef Q_OS_WIN
  return programFolder + "/Quor-IPConfig/QuorIPConfig.exe";
#else
  return programFolder + "/Quor-IPConfig/QuorIPConfig";
#endif
}

namespace {

// The copies this program started. Only these are ever ended by a signal: any other copy
// may belong to another session of the same user.
std::set<qint64>& StartedCopies() {
  static std::set<qint64> started;
  return started;
}

}  // namespace

void ShowIPConfigTool(const QString& toolPath, const std::string& text, bool bringForward) {
  for (const qint64 pid : FindProcessesByExecutable(toolPath)) {
    if (!IsInThisSession(pid)) continue;
    if (SendLine(ToolControlSocketName(pid), bringForward ? kRaiseRequest : kCloseRequest)) return;
    // A copy that does not listen has no window to bring forward; at exit one of ours is
    // ended all the same.
    if (!bringForward && StartedCopies().count(pid) != 0) {
      RequestProcessEnd(pid);
      return;
    }
  }
  qint64 pid = 0;
  if (bringForward && QProcess::startDetached(toolPath, {QStringLiteral("1"), ToQString(text)}, QString(), &pid))
    StartedCopies().insert(pid);
}

void ShowIPConfigTool(const std::string& text, bool bringForward) {
  ShowIPConfigTool(IPConfigToolPath(QCoreApplication::applicationDirPath()), text, bringForward);
}
