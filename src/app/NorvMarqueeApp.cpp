#include "app/NorvMarqueeApp.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

#include "addressbook/AddressBookFile.h"
#include "app/HelpWindow.h"
#include "app/ProgramLoader.h"
#include "app/SettingsStore.h"
#include "common/Prompter.h"
#include "common/QtText.h"
#include "common/Text.h"
#include "link/SendToMarquee.h"
#include "message/MessageDatabaseFile.h"

namespace {

CNorvMarqueeApp* g_pRunningApp = nullptr;

// The path as the file functions take it: the system's own encoding of file names.
std::string FilePath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// For a message, which is UTF-8.
std::string ShownPath(const QString& path) {
  return path.toStdString();
}

}  // namespace

CNorvMarqueeApp& theApp() {
  if (!g_pRunningApp) qFatal("theApp(): no application object exists");
  return *g_pRunningApp;
}

CNorvMarqueeApp::CNorvMarqueeApp(const CProgramLoader& brand, AppEnvironment environment)
    : m_Brand(brand), m_Environment(std::move(environment)) {
  if (g_pRunningApp) qFatal("CNorvMarqueeApp: a second application object");
  if (!m_Environment.prompter) qFatal("CNorvMarqueeApp: no prompter");
  AppEnvironment& env = m_Environment;
  if (!env.portLister) env.portLister = ::EnumeratePorts;
  if (env.settingsOrganisation.isEmpty()) env.settingsOrganisation = ToQString(brand.GetSettingsKeyName());
  if (env.settingsApplication.isEmpty())
    env.settingsApplication = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  if (env.programFolder.isEmpty()) env.programFolder = QCoreApplication::applicationDirPath();
  if (env.documentsFolder.isEmpty())
    env.documentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  g_pRunningApp = this;
}

CNorvMarqueeApp::~CNorvMarqueeApp() {
  // A help window that belongs to no other window would outlive the application.
  if (m_pHelpWindow && !m_pHelpWindow->parentWidget()) delete m_pHelpWindow;
  g_pRunningApp = nullptr;
}

bool CNorvMarqueeApp::SendToMarquee(const std::string& text) {
  return ::SendToMarquee(text, GetLinkSettings(), Prompter(), m_Environment.busy).ok();
}

bool CNorvMarqueeApp::ShowHelp(QWidget* parent, int topic) {
  const QString fileName = HelpPageFileName(topic);
  if (fileName.isEmpty()) return false;
  const QString path = m_Environment.programFolder + "/help/" + fileName;
  if (!QFileInfo(path).isFile()) return false;
  QWidget* owner = parent ? parent->window() : nullptr;
  if (!m_pHelpWindow || m_pHelpWindow->parentWidget() != owner) {
    if (m_pHelpWindow && !m_pHelpWindow->parentWidget()) delete m_pHelpWindow;
    m_pHelpWindow = new CHelpWindow(owner);
  }
  m_pHelpWindow->ShowPage(path);
  return true;
}

void CNorvMarqueeApp::CopyToClipboard(std::string text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (text.empty() || !clipboard) return;
  clipboard->setText(ToQString(text));
  Prompter().Information("ASCII string copied to Clipboard.");
}

void CNorvMarqueeApp::EnumeratePorts() {
  m_Ports = m_Environment.portLister();
}

std::unique_ptr<QSettings> CNorvMarqueeApp::OpenSettings() const {
  auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                              m_Environment.settingsOrganisation, m_Environment.settingsApplication);
  // Only the program's own values count, never organisation-wide or system-wide ones.
  settings->setFallbacksEnabled(false);
  return settings;
}

void CNorvMarqueeApp::LoadSettings() {
  ReadSettings(*OpenSettings(), *this);
}

void CNorvMarqueeApp::SaveComposerSettings() {
  WriteComposerSettings(*OpenSettings(), *this);
}

void CNorvMarqueeApp::SaveLinkSettings() {
  WriteLinkSettings(*OpenSettings(), *this);
}

DataFilePaths CNorvMarqueeApp::ResolveDataFiles() const {
  return ::ResolveDataFiles(m_Environment.documentsFolder, m_Brand);
}

void CNorvMarqueeApp::ReportUnreadFile(const QString& path) {
  const std::string copy = m_DamagedFiles.KeepOriginal(FilePath(path));
  std::string note;
  if (!copy.empty())
    note = Format("\"%s\" could not be read completely. The original was kept as \"%s\".", ShownPath(path).c_str(),
                  ShownPath(QFile::decodeName(copy.c_str())).c_str());
  else
    note = Format("\"%s\" could not be read completely and could not be copied, so it will not be overwritten.",
                  ShownPath(path).c_str());
  Prompter().Error(std::string(kDataFileErrorText) + "\n\n" + note);
}

bool CNorvMarqueeApp::SaveDataFile(const QString& path, const std::function<Status(const std::string&)>& save) {
  if (!m_DamagedFiles.MayOverwrite(FilePath(path))) {
    Prompter().Error(
        std::string(kDataFileErrorText) + "\n\n" +
        Format("\"%s\" was left as it was, because it could not be read completely.", ShownPath(path).c_str()));
    return false;
  }
  // Saving comes at the end of the session: what is not saved now is lost, so the operator
  // may clear the cause (free space, a read-only folder) and try again.
  for (;;) {
    const Status saved = save(FilePath(path));
    if (saved.ok()) return true;
    if (!Prompter().AskRetry(std::string(kDataFileErrorText) + "\n\n" + kSaveAgainQuestion,
                             ShownPath(QFile::decodeName(saved.message().c_str()))))
      return false;
  }
}

bool CNorvMarqueeApp::AcceptLoad(const QString& path, DataFileLoadOutcome outcome) {
  if (outcome == DataFileLoadOutcome::Complete) return true;
  if (outcome != DataFileLoadOutcome::Missing) ReportUnreadFile(path);
  return false;
}

bool CNorvMarqueeApp::LoadAddressBook(const QString& path) {
  AddressBookLoad load = ::LoadAddressBook(FilePath(path));
  if (load.outcome == DataFileLoadOutcome::Complete || load.outcome == DataFileLoadOutcome::Damaged)
    m_AddressBook = std::move(load.entries);
  return AcceptLoad(path, load.outcome);
}

bool CNorvMarqueeApp::SaveAddressBook(const QString& path) {
  return SaveDataFile(path, [this](const std::string& file) { return ::SaveAddressBook(file, m_AddressBook); });
}

bool CNorvMarqueeApp::LoadMessageDatabase(const QString& path) {
  return AcceptLoad(path, ::LoadMessageDatabase(FilePath(path), m_MessageList).outcome);
}

bool CNorvMarqueeApp::SaveMessageDatabase(const QString& path) {
  return SaveDataFile(path, [this](const std::string& file) { return ::SaveMessageDatabase(file, m_MessageList); });
}

void CNorvMarqueeApp::ClearMessageList() {
  ::ClearMessageList(m_MessageList);
}
