#include "app/HelpWindow.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/DialogUnits.h"
#include "common/HelpTopics.h"

namespace {

struct TopicPage {
  int topic;
  const char* fileName;
};

constexpr TopicPage kTopicPages[] = {
    {kHelpMessages, "messages.html"},
    {kHelpPCCommunication, "pc-communication.html"},
    {kHelpMarqueeCommunication, "marquee-communication.html"},
    {kHelpMessageDatabase, "message-database.html"},
};

}  // namespace

QString HelpPageFileName(int topic) {
  for (const TopicPage& page : kTopicPages)
    if (page.topic == topic) return QString::fromLatin1(page.fileName);
  return {};
}

CHelpWindow::CHelpWindow(QWidget* parent) : QDialog(parent), m_pBrowser(new QTextBrowser(this)) {
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowTitle(parent ? parent->windowTitle() + tr(" Help") : tr("Help"));
  m_pBrowser->setOpenExternalLinks(true);
  m_pBrowser->setAccessibleName(tr("Help text"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pBrowser);
  layout->addWidget(buttons);
  resize(DialogUnitsToPixels(this, 320, 260));
}

void CHelpWindow::ShowPage(const QString& path) {
  m_pBrowser->setSearchPaths({QFileInfo(path).absolutePath()});
  m_pBrowser->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
  show();
  raise();
  activateWindow();
}
