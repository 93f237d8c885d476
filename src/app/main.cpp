// FerroMarquee: the desktop program that composes marquee messages, sends them and sets up
// the marquees' network cards.

#include <QApplication>

#include "addressbook/IPConfigTool.h"
#include "app/NorvMarqueeApp.h"
#include "app/NorvMarqueeDlg.h"
#include "app/NorvTabCtrl.h"
#include "app/ProgramLoader.h"
#include "app/SessionEnd.h"
#include "app/WaitCursor.h"
#include "app/WidgetPrompter.h"
#include "common/QtText.h"
#include "link/SocketOs.h"

int main(int argc, char** argv) {
  // The brand comes from "version.txt" in the folder the program is started in.
  const CProgramLoader brand;
  QApplication qtApp(argc, argv);
  // Matches the window to the installed desktop entry (name and icon in the task bar).
  QGuiApplication::setDesktopFileName(QStringLiteral(MARQUEE_APP_ID));
  WidgetPrompter prompter(nullptr, ToQString(brand.GetApplicationName()));
  if (!InitSocketLayer()) {
    prompter.Error("Socket initialization failed");
    return 1;
  }
  WaitCursor busy;
  AppEnvironment environment;
  environment.prompter = &prompter;
  environment.busy = &busy;
  CNorvMarqueeApp app(brand, std::move(environment));
  CNorvMarqueeDlg mainWindow;
  prompter.setParent(&mainWindow);
  CSessionEnd sessionEnd(mainWindow);
  mainWindow.exec();
  sessionEnd.Finish();
  prompter.setParent(nullptr);
  // A running IP configuration tool, started from an IP address dialog, ends with the program.
  ShowIPConfigTool("", false);
  // The pages save now, while a signal still only asks to end (which is under way).
  mainWindow.TabCtrl()->DestroyPages();
  return 0;
}
