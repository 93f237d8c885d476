#include "app/NorvChildDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "app/NorvMarqueeApp.h"
#include "common/QtText.h"
#include "common/Text.h"
#include "controls/NorvComboBox.h"
#include "link/PortText.h"

CNorvChildDialog::CNorvChildDialog(QWidget* parent) : QDialog(parent) {
  // A page is part of the window it lies in, not a window of its own.
  setWindowFlags(Qt::Widget);
}

void CNorvChildDialog::done(int) {}

void CNorvChildDialog::KeepOwnDefaultButton() {
  // A button that took the focus would take the default frame from the page's own default
  // button, and keep it (Qt's auto-default): the page's layout names its default alone.
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
}

void CNorvChildDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                     (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  // Enter on a focused button presses that button, as Space does, without making it the default.
  auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
  if (enter && focused && isAncestorOf(focused)) {
    if (focused->isEnabled()) focused->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CNorvChildDialog::showEvent(QShowEvent* event) {
  KeepOwnDefaultButton();
  // Not QDialog's: it would move the page as if it were a window of its own.
  QWidget::showEvent(event);
  if (!event->spontaneous()) OnPageShown();
}

void CNorvChildDialog::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous()) OnPageHidden();
}

QPushButton* CNorvChildDialog::CreateHelpButton(int topic) {
  auto* button = new QPushButton(tr("Help"), this);
  connect(button, &QPushButton::clicked, this, [this, topic] { theApp().ShowHelp(this, topic); });
  return button;
}

std::string CNorvChildDialog::FormatPortText(std::string_view portName) const {
  return ::FormatPortText(portName, theApp().m_Ports.friendlyNames);
}

std::string CNorvChildDialog::ParsePortText(std::string_view text) {
  return ::ParsePortText(text);
}

void CNorvChildDialog::FillPortSelector() {
  if (!m_pPortSelector) return;
  CNorvMarqueeApp& app = theApp();
  {
    const QSignalBlocker quiet(m_pPortSelector);
    m_pPortSelector->clear();
    for (const std::string& port : app.m_Ports.ports) m_pPortSelector->addItem(ToQString(FormatPortText(port)));
    m_pPortSelector->addItem(ToQString(kEthernetPortName));
  }
  if (!EqualsNoCase(app.m_strPortName, kEthernetPortName)) {
    const std::vector<std::string>& ports = app.m_Ports.ports;
    const bool listed = std::any_of(ports.begin(), ports.end(),
                                    [&app](const std::string& port) { return EqualsNoCase(port, app.m_strPortName); });
    if (!listed) app.m_strPortName = ports.empty() ? std::string(kEthernetPortName) : ports.front();
  }
  SelectCurrentPort();
}

void CNorvChildDialog::SelectCurrentPort() {
  if (!m_pPortSelector) return;
  const std::string shown = FormatPortText(theApp().m_strPortName);
  int found = -1;
  // The whole text first: a prefix alone would take "/dev/pts/10" for "/dev/pts/1".
  for (int i = 0; i < m_pPortSelector->count() && found < 0; ++i)
    if (EqualsNoCase(FromQString(m_pPortSelector->itemText(i)), shown)) found = i;
  for (int i = 0; i < m_pPortSelector->count() && found < 0; ++i)
    if (StartsWithNoCase(FromQString(m_pPortSelector->itemText(i)), shown)) found = i;
  const QSignalBlocker quiet(m_pPortSelector);
  m_pPortSelector->setCurrentIndex(found >= 0 ? found : 0);
  if (found < 0) OnPortSelectorChanged();
}

void CNorvChildDialog::OnPortSelectorChanged() {
  if (!m_pPortSelector || m_pPortSelector->currentIndex() < 0) return;
  theApp().m_strPortName = ParsePortText(FromQString(m_pPortSelector->currentText()));
}

void CNorvChildDialog::FillSendToCombo() {
  if (!m_pSendToSelector) return;
  const CNorvMarqueeApp& app = theApp();
  const std::string target = GetDisplayText(app.m_SendTarget);
  int found = -1;
  {
    const QSignalBlocker quiet(m_pSendToSelector);
    m_pSendToSelector->clear();
    for (const CIPGroup& entry : app.m_AddressBook) {
      const std::string text = GetDisplayText(entry);
      if (found < 0 && EqualsNoCase(text, target)) found = m_pSendToSelector->count();
      m_pSendToSelector->addItem(ToQString(text));
    }
    m_pSendToSelector->setCurrentIndex(found >= 0 ? found : 0);
  }
  SelectSendTarget();
}

void CNorvChildDialog::SelectSendTarget() {
  if (!m_pSendToSelector) return;
  CNorvMarqueeApp& app = theApp();
  app.m_SendTarget = CIPGroup("");
  if (m_pSendToSelector->currentIndex() < 0) return;
  const std::string selected = FromQString(m_pSendToSelector->currentText());
  for (const CIPGroup& entry : app.m_AddressBook) {
    if (EqualsNoCase(GetDisplayText(entry), selected)) {
      app.m_SendTarget = entry;
      return;
    }
  }
}
