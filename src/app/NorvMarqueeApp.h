#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "app/AppState.h"
#include "app/DamagedFileKeeper.h"
#include "app/DataFolder.h"
#include "common/FileIO.h"
#include "common/Status.h"
#include "link/PortEnumeration.h"

class CHelpWindow;
class CProgramLoader;
class IBusyIndicator;
class IPrompter;
class QSettings;
class QWidget;

// Asked under the data file error when a save fails.
inline constexpr const char* kSaveAgainQuestion =
    "Try to save again? With No, what was changed in this session is not saved.";

// What the application object works with. Everything left empty takes the running system's
// own; tests fill in their own.
struct AppEnvironment {
  IPrompter* prompter = nullptr;          // every message box; required, not owned
  IBusyIndicator* busy = nullptr;         // shown during sends; may be null; not owned
  std::function<PortLists()> portLister;  // the serial ports; empty: EnumeratePorts
  QString settingsOrganisation;           // empty: the brand's settings key name ("NorvMarquee 1.2.39")
  QString settingsApplication;            // empty: the program file's name less its extension
  QString programFolder;                  // holds the "help" folder; empty: the running program's folder
  QString documentsFolder;                // empty: the user's documents folder
};

// The application object: the shared state of the whole run (CAppState, whose members the
// pages use directly) and the services the pages call. There is exactly one while the program
// runs; pages reach it through theApp(). It loads and saves nothing by itself: the composer
// page asks for that at its creation and destruction.
class CNorvMarqueeApp : public CAppState {
 public:
  CNorvMarqueeApp(const CProgramLoader& brand, AppEnvironment environment);
  ~CNorvMarqueeApp();
  CNorvMarqueeApp(const CNorvMarqueeApp&) = delete;
  CNorvMarqueeApp& operator=(const CNorvMarqueeApp&) = delete;

  const CProgramLoader& Brand() const { return m_Brand; }
  IPrompter& Prompter() const { return *m_Environment.prompter; }
  // Shown during sends; for operations that span several sends. May be null.
  IBusyIndicator* BusyIndicator() const { return m_Environment.busy; }

  // Sends a command string over the application's port: TCP to every member of the send
  // target for "Ethernet", else the serial port with the line settings; the wait cursor shows
  // meanwhile. The link reports its own failures; true when everything was sent.
  bool SendToMarquee(const std::string& text);

  // Shows the help page of a topic (HelpTopic) in the help window of parent's window (one
  // window, reused). Reports nothing when the topic has no page or its file is missing; true
  // when a page is shown.
  bool ShowHelp(QWidget* parent, int topic);

  // Puts text (Latin-1) on the clipboard as plain text and confirms with "ASCII string copied
  // to Clipboard." (information icon). An empty text does nothing.
  void CopyToClipboard(std::string text);

  // Lists the serial ports again into m_Ports.
  void EnumeratePorts();
  // Where the port list comes from (also for the port watcher).
  const std::function<PortLists()>& PortLister() const { return m_Environment.portLister; }

  // The settings (see SettingsStore.h). The composer loads them at its creation and saves its
  // own (which include the link settings) each time it generates a string; the PC
  // communication page saves the link settings when it is destroyed.
  void LoadSettings();
  void SaveComposerSettings();
  void SaveLinkSettings();

  // The data folder (created when missing) and the brand's two data file paths.
  DataFilePaths ResolveDataFiles() const;

  // The data files. A missing file is skipped silently (false). Any other problem shows
  // "Error M02_3:  Unable to open message database file (*.msd)." with the stop icon and
  // returns false. A file read only in part keeps what was read (the address book or the
  // message list is replaced by it) and is copied aside first, which the message tells; a
  // file that cannot be read at all leaves the memory as it was. Such a file is saved over
  // later only when its copy was made; otherwise saving refuses with the same error. A save
  // that fails shows the error with the reason (naming the file) and kSaveAgainQuestion,
  // and tries again for as long as the operator answers Yes.
  bool LoadAddressBook(const QString& path);
  bool SaveAddressBook(const QString& path);
  bool LoadMessageDatabase(const QString& path);
  bool SaveMessageDatabase(const QString& path);
  // Deletes every record of the message list.
  void ClearMessageList();

 private:
  std::unique_ptr<QSettings> OpenSettings() const;
  void ReportUnreadFile(const QString& path);
  // True for a file read whole; reports a damaged or unreadable one; false otherwise.
  bool AcceptLoad(const QString& path, DataFileLoadOutcome outcome);
  // Writes a data file through save (given the file's path), unless it is protected; shows the
  // data file error on any failure.
  bool SaveDataFile(const QString& path, const std::function<Status(const std::string&)>& save);

  const CProgramLoader& m_Brand;
  AppEnvironment m_Environment;
  CDamagedFileKeeper m_DamagedFiles;
  QPointer<CHelpWindow> m_pHelpWindow;
};

// The running application object. Exactly one exists while pages exist.
CNorvMarqueeApp& theApp();
