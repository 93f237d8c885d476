#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "addressbook/IPEntry.h"
#include "controls/IPAddressEdit.h"
#include "support/Find.h"

// A runtime folder of the test's own (where the local sockets to and from the IP configuration
// tool lie), so tests running side by side never meet on the same socket. Child processes
// inherit it.
class PrivateRuntimeFolder {
 public:
  PrivateRuntimeFolder() : m_previous(qgetenv("XDG_RUNTIME_DIR")) {
    qputenv("XDG_RUNTIME_DIR", m_folder.path().toLocal8Bit());
  }
  ~PrivateRuntimeFolder() { qputenv("XDG_RUNTIME_DIR", m_previous); }
  PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
  PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

 private:
  QTemporaryDir m_folder;
  QByteArray m_previous;
};

// Runs act on the modal dialog of type Dialog once it is open (the code under test opens it
// and waits in its own event loop); the dialog is rejected afterwards unless act closed it.
template <typename Dialog>
class WhenOpened {
 public:
  explicit WhenOpened(std::function<void(Dialog*)> act) {
    // The context ends the wait when this object goes, opened or not.
    QTimer::singleShot(0, &m_context, [this, act] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      seen = true;
      act(dialog);
      if (dialog->isVisible()) dialog->reject();
    });
  }
  bool seen = false;

 private:
  QObject m_context;
};

// The controls the address book dialogs share: the entry's name, the address and the buttons,
// these by caption.
inline QLineEdit* NameField(const QWidget* dialog) {
  return Find<QLineEdit>(dialog, "name");
}
inline CIPAddressEdit* AddressField(const QWidget* dialog) {
  return Find<CIPAddressEdit>(dialog, "address");
}
inline QPushButton* Button(const QWidget* within, const QString& caption) {
  return Find<QPushButton>(within, caption);
}

inline CIPGroup Entry(const std::string& name, std::initializer_list<IPAddress> addresses) {
  CIPGroup entry(name);
  for (const IPAddress& address : addresses) entry.m_Members.emplace_back("", address);
  return entry;
}

// An entry list whose names fit their column and whose addresses reach the list's right edge.
inline void ExpectNamesFitAndAddressesStretch(QTableWidget* list) {
  for (int row = 0; row < list->rowCount(); ++row)
    EXPECT_GE(list->columnWidth(0), list->fontMetrics().horizontalAdvance(list->item(row, 0)->text())) << row;
  EXPECT_GE(list->columnWidth(0), list->horizontalHeader()->sectionSizeHint(0));
  EXPECT_EQ(list->columnWidth(0) + list->columnWidth(1), list->viewport()->width());
}
