#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

// Finding and ending a program's running copies by the file they run from. One file per
// system: ProcessLookup_linux.cpp (/proc), ProcessLookup_win.cpp, ProcessLookup_none.cpp.

// The process ids, in increasing order, of the running processes whose executable is the file
// at path (file names compared as the system compares them: case ignored on Windows). Processes
// that cannot be inspected (those of other users) are skipped; an absent file matches nothing.
std::vector<qint64> FindProcessesByExecutable(const QString& path);

// True when the process runs in this program's own desktop session: the same user, and on
// Linux the same runtime folder and display (XDG_RUNTIME_DIR, DISPLAY, WAYLAND_DISPLAY in
// its environment), on Windows the same logon session. A process that cannot be inspected
// is not in it.
bool IsInThisSession(qint64 pid);

// Asks a process to end as a window manager would: SIGTERM, or a close request to its windows
// on Windows. False when the request could not be made.
bool RequestProcessEnd(qint64 pid);
