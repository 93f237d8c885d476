// Built on Windows only: processes from a snapshot, their image paths by a limited query,
// and WM_CLOSE to their visible, titled top-level windows.
#include <windows.h>
// tlhelp32.h needs windows.h first
#include <tlhelp32.h>

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <iterator>

#include "addressbook/ProcessLookup.h"

namespace {

QString ImagePath(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return {};
  wchar_t buffer[MAX_PATH * 4];
  DWORD length = static_cast<DWORD>(std::size(buffer));
  const bool ok = QueryFullProcessImageNameW(process, 0, buffer, &length) != 0;
  CloseHandle(process);
  return ok ? QString::fromWCharArray(buffer, static_cast<int>(length)) : QString();
}

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM target) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == static_cast<DWORD>(target) && IsWindowVisible(window) && GetWindowTextLengthW(window) > 0)
    PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

}  // namespace

std::vector<qint64> FindProcessesByExecutable(const QString& path) {
  std::vector<qint64> found;
  if (!QFileInfo::exists(path)) return found;
  const QString wanted = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (ImagePath(entry.th32ProcessID).compare(wanted, Qt::CaseInsensitive) == 0) found.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  std::sort(found.begin(), found.end());
  return found;
}

bool IsInThisSession(qint64 pid) {
  DWORD theirs = 0;
  DWORD ours = 0;
  return ProcessIdToSessionId(static_cast<DWORD>(pid), &theirs) && ProcessIdToSessionId(GetCurrentProcessId(), &ours) &&
         theirs == ours;
}

bool RequestProcessEnd(qint64 pid) {
  return pid > 0 && EnumWindows(CloseWindowOf, static_cast<LPARAM>(pid)) != 0;
}
