#include "addressbook/IPConfigTool.h"

#include <QCoreApplication>
#include <QProcess>

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

void ShowIPConfigTool(const QString& toolPath, const std::string& text, bool bringForward) {
  for (const qint64 pid : FindProcessesByExecutable(toolPath)) {
    if (SendLine(ToolControlSocketName(pid), bringForward ? kRaiseRequest : kCloseRequest)) return;
    // A copy that does not listen has no window to bring forward; at exit it is ended all the same.
    if (!bringForward) {
      RequestProcessEnd(pid);
      return;
    }
  }
  if (bringForward) QProcess::startDetached(toolPath, {QStringLiteral("1"), ToQString(text)});
}

void ShowIPConfigTool(const std::string& text, bool bringForward) {
  ShowIPConfigTool(IPConfigToolPath(QCoreApplication::applicationDirPath()), text, bringForward);
}
