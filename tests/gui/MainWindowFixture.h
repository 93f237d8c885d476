#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "app/NorvChildDialog.h"
#include "app/NorvMarqueeDlg.h"
#include "app/NorvTabCtrl.h"
#include "gui/TestApp.h"

// The main window of a test application, shown and active.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { OpenWindow(); }

  void OpenWindow() {
    window = std::make_unique<CNorvMarqueeDlg>();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  // Closes the window as the program ends: the pages save their data.
  void CloseWindow() {
    window->close();
    window.reset();
  }

  CNorvTabCtrl* tabs() const { return window->TabCtrl(); }
  CNorvChildDialog* page(int index) const { return tabs()->Page(index); }

  TestApp test;
  std::unique_ptr<CNorvMarqueeDlg> window;
};
