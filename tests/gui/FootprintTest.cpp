// The program writes its settings and its two data files, and nothing else anywhere in the
// user's home: a whole session with the running system's own places (under the test's
// temporary HOME) leaves exactly those files behind.

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QPushButton>
#include <QTest>

#include "app/NorvMarqueeApp.h"
#include "app/NorvMarqueeDlg.h"
#include "app/ProgramLoader.h"
#include "support/RecordingPrompter.h"

namespace {

QStringList FilesUnder(const QString& folder) {
  QStringList files;
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) files << QDir(folder).relativeFilePath(it.next());
  files.sort();
  return files;
}

void Press(QWidget* window, const QString& caption) {
  for (auto* button : window->findChildren<QPushButton*>())
    if (button->text() == caption && button->isVisible()) return QTest::mouseClick(button, Qt::LeftButton);
  ADD_FAILURE() << "no button " << caption.toStdString();
}

TEST(Footprint, ASessionWritesOnlyTheSettingsAndTheDataFiles) {
  const QString home = QDir::homePath();
  ASSERT_TRUE(FilesUnder(home).isEmpty()) << "the test starts in an empty home";
  {
    const CProgramLoader brand(0, home.toStdString());
    RecordingPrompter prompter;
    AppEnvironment environment;
    environment.prompter = &prompter;
    environment.portLister = [] { return PortLists{}; };
    environment.programFolder = MARQUEE_PROGRAM_FOLDER;
    CNorvMarqueeApp app(brand, std::move(environment));
    CNorvMarqueeDlg window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Press(&window, "Generate Marquee String");
    Press(&window, "Add Message to Database");
    window.close();
    EXPECT_TRUE(prompter.errors.empty());
  }
  const QString settings = "NorvMarquee 1.2.39/" + QCoreApplication::applicationName() + ".conf";
  // Each data file keeps its lock file beside it: removing it would let two writers lock
  // different files of the same name.
  const QString data = "Documents/NorvAutomation/NorvMarquee/";
  EXPECT_EQ(FilesUnder(home),
            QStringList({".config/" + settings, data + "NorvMarquee.nmd", data + "NorvMarquee.nmd.lock",
                         data + "NorvMarqueeIP.nmd", data + "NorvMarqueeIP.nmd.lock"}));
}

}  // namespace
