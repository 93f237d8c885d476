#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "app/NorvMarqueeApp.h"
#include "app/ProgramLoader.h"
#include "support/CountingBusy.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

// An application object for one test: brand variant 0, a recording prompter, a documents
// folder in a fresh temporary folder, the settings of the test's own (emptied first), the
// ports the test sets in `ports`, and a program folder (by default the one with the help pages).
class TestApp {
 private:
  TempDir m_dir;
  CProgramLoader m_brand;

 public:
  static constexpr const char* kOrganisation = "NorvMarquee 1.2.39";
  static constexpr const char* kApplication = "marquee_tests";

  explicit TestApp(const QString& programFolder = MARQUEE_PROGRAM_FOLDER) : m_brand(0, m_dir.PathOf("")) {
    Settings()->clear();
    AppEnvironment environment;
    environment.prompter = &prompter;
    environment.busy = &busy;
    environment.portLister = [this] { return ports; };
    environment.settingsOrganisation = kOrganisation;
    environment.settingsApplication = kApplication;
    environment.programFolder = programFolder;
    environment.documentsFolder = DocumentsFolder();
    app = std::make_unique<CNorvMarqueeApp>(m_brand, std::move(environment));
  }
  ~TestApp() { Settings()->clear(); }

  // The settings the application reads and writes, for a look or a hand edit.
  static std::unique_ptr<QSettings> Settings() {
    auto settings =
        std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
    settings->setFallbacksEnabled(false);
    return settings;
  }
  QString DocumentsFolder() const { return QString::fromStdString(m_dir.PathOf("Documents")); }
  QString DataFolder() const { return DocumentsFolder() + "/NorvAutomation/NorvMarquee"; }
  const TempDir& dir() const { return m_dir; }

  RecordingPrompter prompter;
  CountingBusy busy;
  PortLists ports;
  std::unique_ptr<CNorvMarqueeApp> app;
};
