#include <QLabel>
#include <QTextBrowser>
#include <QTimer>

#include "app/AboutDlg.h"
#include "app/HelpWindow.h"
#include "app/ProgramIcon.h"
#include "gui/MainWindowFixture.h"
#include "gui/Screenshot.h"

namespace {

// Screenshots for a human look at the layout; run with QT_SCALE_FACTOR=2 for a high-density
// screen (SaveScreenshot puts the scale into the file names).

using Screenshots = MainWindowTest;

TEST_F(Screenshots, EveryPageAndTheAboutBox) {
  const QString names[] = {"page_messages", "page_pc_communication", "page_marquee_communication",
                           "page_message_database"};
  test.ports = {{"ttyS0", "ttyUSB0"}, {"USB Serial (ttyUSB0)"}};
  window->OnDeviceChange();
  for (int index = 0; index < CNorvTabCtrl::kPageCount; ++index) {
    tabs()->SelectPage(index);
    EXPECT_TRUE(SaveScreenshot(window.get(), names[index]));
  }
  bool seen = false;
  QTimer::singleShot(0, [&] {
    QWidget* about = QApplication::activeModalWidget();
    ASSERT_NE(about, nullptr);
    seen = true;
    EXPECT_TRUE(SaveScreenshot(about, "about_box"));
    about->close();
  });
  window->OnAbout();
  EXPECT_TRUE(seen);
}

TEST_F(Screenshots, HelpWindow) {
  ASSERT_TRUE(test.app->ShowHelp(window.get(), 0x30000));
  auto* help = window->findChild<CHelpWindow*>();
  ASSERT_NE(help, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
  EXPECT_TRUE(SaveScreenshot(help, "help_messages"));
  // The links between the pages are followed inside the window.
  help->browser()->setSource(QUrl("troubleshooting.html"));
  EXPECT_EQ(help->browser()->documentTitle(), "Troubleshooting");
}

TEST(ProgramIconTest, DrawnAtEverySize) {
  const QIcon icon = ProgramIcon();
  EXPECT_GE(icon.availableSizes().size(), 5);
  QLabel picture;
  picture.setPixmap(icon.pixmap(128, 128));
  EXPECT_TRUE(SaveScreenshot(&picture, "program_icon"));
}

}  // namespace
