#include "app/WidgetPrompter.h"

#include <QMessageBox>

void WidgetPrompter::Error(const std::string& text) {
  QMessageBox::critical(m_parent, m_caption, QString::fromUtf8(text));
}

void WidgetPrompter::Information(const std::string& text) {
  QMessageBox::information(m_parent, m_caption, QString::fromUtf8(text));
}

bool WidgetPrompter::AskYesNo(const std::string& text) {
  return QMessageBox::question(m_parent, m_caption, QString::fromUtf8(text), QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

bool WidgetPrompter::AskRetry(const std::string& text, const std::string& detail) {
  QMessageBox box(QMessageBox::Critical, m_caption, QString::fromUtf8(text), QMessageBox::Yes | QMessageBox::No,
                  m_parent);
  box.setInformativeText(QString::fromUtf8(detail));
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}
