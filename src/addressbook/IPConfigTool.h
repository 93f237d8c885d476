#pragma once

#include <QString>
#include <string>

// The external IP configuration tool, which finds marquees on the network and hands a chosen
// address back to the open IP address dialog (see IPConfigChannel.h). It is a program of its
// own; this program only starts it, brings it forward and closes it, and never waits for it.

// Where the tool lies: "Quor-IPConfig/QuorIPConfig" (".exe" on Windows) in programFolder.
QString IPConfigToolPath(const QString& programFolder);

// Only copies of the tool at toolPath in this program's session (IsInThisSession) count.
// With bringForward set: asks the first such copy that answers to restore and activate its
// window; when none does, starts the tool, detached, with the arguments "1" and text (no
// shell between). With bringForward clear: asks the first such copy to close, and ends one
// that does not answer only when this program started it; starts nothing. Nothing is
// reported: a missing tool is simply not started.
void ShowIPConfigTool(const QString& toolPath, const std::string& text, bool bringForward);
// The same for the tool in the running program's folder.
void ShowIPConfigTool(const std::string& text, bool bringForward);
