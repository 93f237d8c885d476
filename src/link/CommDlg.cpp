#include "link/CommDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/HelpTopics.h"
#include "app/NorvMarqueeApp.h"
#include "controls/NorvComboBox.h"

CCommDlg::CCommDlg(QWidget* parent) : CNorvChildDialog(parent), m_pHelpButton(CreateHelpButton(kHelpPCCommunication)) {
  auto* portLabel = new QLabel(tr("Select Communication port"), this);
  m_pPortSelector = new CNorvComboBox(this);
  portLabel->setBuddy(m_pPortSelector);
  connect(m_pPortSelector, &QComboBox::activated, this, [this] { OnPortSelectorChanged(); });

  auto* layout = new QGridLayout(this);
  layout->addWidget(portLabel, 0, 0);
  layout->addWidget(m_pPortSelector, 0, 1);
  layout->setColumnStretch(2, 1);
  layout->setRowStretch(1, 1);
  layout->addWidget(m_pHelpButton, 2, 3);

  FillPortSelector();
}

void CCommDlg::OnPortsChanged() {
  FillPortSelector();
}

void CCommDlg::OnPageShown() {
  SelectCurrentPort();
}

void CCommDlg::OnPageDestroyed() {
  theApp().SaveLinkSettings();
}
