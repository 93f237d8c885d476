// The pictures of the README's tour: the four pages and the preview with a message in
// them, as an operator would have them. tools/update-screenshots.sh writes them into
// docs/screenshots/.

#include <QDir>
#include <QFile>

#include "addressbook/AddressBookFile.h"
#include "gui/Screenshot.h"
#include "message/ComposerFixture.h"
#include "preview/DlgMsgPreview.h"

namespace {

class TourScreenshots : public ComposerTest {
 protected:
  // An address book and the Ethernet port, there before the program starts.
  void SetUp() override {
    std::vector<CIPGroup> book = {CIPGroup("Assembly line"), CIPGroup("Loading dock"), CIPGroup("All halls")};
    book[0].m_Members = {CIPData("", {192, 168, 0, 21})};
    book[1].m_Members = {CIPData("", {192, 168, 0, 22})};
    book[2].m_Members = {CIPData("", {192, 168, 0, 21}), CIPData("", {192, 168, 0, 22}),
                         CIPData("", {192, 168, 0, 23})};
    ASSERT_TRUE(QDir().mkpath(test.DataFolder()));
    ASSERT_TRUE(SaveAddressBook(QFile::encodeName(test.DataFolder() + "/NorvMarqueeIP.nmd").toStdString(), book).ok());
    TestApp::Settings()->setValue("COM Port Name", "Ethernet");
    OpenWindow();
  }
  void TypeLine(int size, int colour, const char* text) const {
    Choose(Find<QComboBox>(composer(), "charSize"), size);
    Choose(Find<QComboBox>(composer(), "color"), colour);
    Type(text);
  }
};

TEST_F(TourScreenshots, FourPagesAndThePreview) {
  CMsgDlg* page = composer();
  Choose(Find<QComboBox>(page, "addressMode"), 1);  // "Specific Group"
  TypeLine(0, 2, "LINE 3 ");                        // size 1, green
  TypeLine(0, 1, "OK");                             // yellow
  Key(Qt::Key_Return);
  TypeLine(1, 0, "842 PCS");                   // size 2, red
  Choose(Find<QComboBox>(page, "model"), 12);  // "Tricolor 4 Line 20 Char": opens the preview
  Generate();
  Press(Find<QPushButton>(page, "Add Message to Database"));
  ASSERT_TRUE(SaveScreenshot(window.get(), "tour_messages"));

  CDlgMsgPreview* preview = page->Preview();
  ASSERT_NE(preview, nullptr);
  preview->repaint();  // the first paint hides blinking text; this text does not blink
  ASSERT_TRUE(SaveScreenshot(preview, "tour_preview"));
  preview->close();

  Key(Qt::Key_Return);
  TypeLine(0, 1, "SHIFT 2");
  Choose(Find<QComboBox>(page, "effect"), 3);  // "Scroll Repeatedly"
  Press(Find<QPushButton>(page, "Add Message to Database"));

  tabs()->SelectPage(1);
  ASSERT_TRUE(SaveScreenshot(window.get(), "tour_pc_communication"));
  tabs()->SelectPage(2);
  ASSERT_TRUE(SaveScreenshot(window.get(), "tour_marquee_communication"));
  tabs()->SelectPage(3);
  ASSERT_TRUE(SaveScreenshot(window.get(), "tour_message_database"));
}

}  // namespace
