#include "app/WidgetPrompter.h"

#include <QMessageBox>

#include "common/QtText.h"

void WidgetPrompter::Error(const std::string& text) {
  QMessageBox::critical(m_parent, m_caption, ToQString(text));
}

void WidgetPrompter::Information(const std::string& text) {
  QMessageBox::information(m_parent, m_caption, ToQString(text));
}

bool WidgetPrompter::AskYesNo(const std::string& text) {
  return QMessageBox::question(m_parent, m_caption, ToQString(text), QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}
