#include "netsetup/MarqueeComSetupDlg.h"

#include <QGridLayout>
#include <QPushButton>

#include "app/HelpTopics.h"

CMarqueeComSetupDlg::CMarqueeComSetupDlg(QWidget* parent)
    : CNorvChildDialog(parent), m_pHelpButton(CreateHelpButton(kHelpMarqueeCommunication)) {
  auto* layout = new QGridLayout(this);
  layout->setRowStretch(0, 1);
  layout->setColumnStretch(0, 1);
  layout->addWidget(m_pHelpButton, 1, 1);
}
