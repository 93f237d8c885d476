#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "controls/NorvComboBox.h"
#include "gui/MainWindowFixture.h"
#include "message/MsgDlg.h"
#include "message/NorvRichEditCtrl.h"
#include "support/Find.h"

// The main window with the composer page shown, and the operator's ways of using the page.
class ComposerTest : public MainWindowTest {
 protected:
  CMsgDlg* composer() const { return qobject_cast<CMsgDlg*>(page(0)); }

  // Chooses a list entry from the keyboard, as the operator would: Home, then Down.
  static void Choose(QComboBox* list, int index) {
    list->setFocus();
    if (list->currentIndex() == index) return;
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(list, Qt::Key_Down);
  }
  // Replaces a box's text by typing.
  static void TypeInto(QLineEdit* box, const char* text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
  }
  void Type(const char* text) const { QTest::keyClicks(Find<CNorvRichEditCtrl>(composer(), "messageText"), text); }
  void Key(Qt::Key key) const { QTest::keyClick(Find<CNorvRichEditCtrl>(composer(), "messageText"), key); }
  static void Press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  // Clicks a check box on its box, which lies at its left whatever width the layout gives it.
  static void ClickCheckBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
  }
  // Presses "Generate Marquee String" and returns the ASCII box's text.
  std::string Generate() const {
    Press(Find<QPushButton>(composer(), "Generate Marquee String"));
    return Find<QLineEdit>(composer(), "commandString")->text().toStdString();
  }
};
