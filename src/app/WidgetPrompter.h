#pragma once

#include <QString>
#include <utility>

#include "common/Prompter.h"

class QWidget;

// Message boxes over a parent window, with the application name as their caption.
class WidgetPrompter : public IPrompter {
 public:
  WidgetPrompter(QWidget* parent, QString caption) : m_parent(parent), m_caption(std::move(caption)) {}
  void setParent(QWidget* parent) { m_parent = parent; }

  void Error(const std::string& text) override;
  void Information(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskRetry(const std::string& text, const std::string& detail) override;

 private:
  QWidget* m_parent;
  QString m_caption;
};
