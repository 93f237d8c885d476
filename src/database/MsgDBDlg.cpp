#include "database/MsgDBDlg.h"

#include <QGridLayout>
#include <QPushButton>

#include "app/HelpTopics.h"

CMsgDBDlg::CMsgDBDlg(QWidget* parent)
    : CNorvChildDialog(parent), m_pHelpButton(CreateHelpButton(kHelpMessageDatabase)) {
  auto* layout = new QGridLayout(this);
  layout->setRowStretch(0, 1);
  layout->setColumnStretch(0, 1);
  layout->addWidget(m_pHelpButton, 1, 1);
}
