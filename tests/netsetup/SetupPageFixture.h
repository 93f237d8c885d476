#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "controls/CheckableGroupBox.h"
#include "gui/TestApp.h"
#include "netsetup/DeviceDeviceNetDlg.h"
#include "netsetup/DeviceEthernetDlg.h"
#include "netsetup/DeviceModbusRTUDlg.h"
#include "netsetup/MarqueeComSetupDlg.h"
#include "support/Find.h"

// The network setup page on its own, shown and active, with one serial port "ttyAbsent0" that
// does not exist (so a send fails with the link's own message) selected as the port.
class SetupPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test.ports = {{"ttyAbsent0"}, {}};
    test.app->EnumeratePorts();
    test.app->m_strPortName = "ttyAbsent0";
    OpenPage();
  }

  void OpenPage() {
    page = std::make_unique<CMarqueeComSetupDlg>();
    page->show();
    page->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
  }

  // The page's (or within's) one control of type T whose text (buttons) or object name (fields,
  // lists) is name.
  template <class T>
  T* Find(const QString& name, const QWidget* within = nullptr) const {
    return ::Find<T>(within ? within : page.get(), name);
  }
  QPushButton* Button(const QString& text) const { return Find<QPushButton>(text); }
  void Click(const QString& text) const { Find<QAbstractButton>(text)->click(); }

  CDeviceDeviceNetDlg* deviceNetPane() const { return page->findChild<CDeviceDeviceNetDlg*>(); }
  CDeviceEthernetDlg* ethernetPane() const { return page->findChild<CDeviceEthernetDlg*>(); }
  CDeviceModbusRTUDlg* modbusPane() const { return page->findChild<CDeviceModbusRTUDlg*>(); }
  // A field of the pane.
  QLineEdit* Field(const QWidget* pane, const QString& name) const { return Find<QLineEdit>(name, pane); }

  static QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
  }
  // Picks a list item as the operator does.
  static void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  // Chooses the network type 1 to 4 by its radio.
  void ChooseType(int type) const {
    const char* captions[] = {"Ethernet", "DeviceNet", "Profibus - DP", "Modbus RTU"};
    Click(captions[type - 1]);
  }
  // Checks a part box of the Ethernet pane by its title: "Address", "Unit" (also when
  // captioned "Input") or "Byte Order".
  CCheckableGroupBox* Part(const QString& title) const {
    const QString name = title == "Address" ? "addressPart" : title == "Unit" ? "unitPart" : "byteOrderPart";
    return Find<CCheckableGroupBox>(name, ethernetPane());
  }
  void CheckPart(const QString& title) const {
    if (Part(title)->GetCheck() != 1) Part(title)->titleButton()->click();
  }
  QString Generated() const { return Find<QPlainTextEdit>("generatedString")->toPlainText(); }
  CLadDeviceNetwork& Set(int type) const { return *test.app->FindNetworkSet(type); }
  bool NoPrompts() const {
    return test.prompter.errors.empty() && test.prompter.information.empty() && test.prompter.questions.empty();
  }

  TestApp test;
  std::unique_ptr<CMarqueeComSetupDlg> page;
};
