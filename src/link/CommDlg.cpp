#include "link/CommDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedLayout>

#include "addressbook/EthernetNewPropDlg.h"
#include "app/DialogUnits.h"
#include "app/NorvMarqueeApp.h"
#include "common/HelpTopics.h"
#include "common/Text.h"
#include "controls/NorvComboBox.h"
#include "link/CommPropDlg.h"
#include "link/LinkSettings.h"

CCommDlg::CCommDlg(QWidget* parent)
    : CNorvChildDialog(parent),
      m_pEthernetPane(nullptr),
      m_pComPane(nullptr),
      m_pPanes(nullptr),
      m_pHelpButton(nullptr) {
  auto* portLabel = new QLabel(tr("Select Communication port"), this);
  m_pPortSelector = new CNorvComboBox(this);
  m_pPortSelector->setObjectName("port");
  m_pPortSelector->setMinimumWidth(DialogUnitsX(this, 48));
  portLabel->setBuddy(m_pPortSelector);
  connect(m_pPortSelector, &QComboBox::activated, this, [this] {
    OnPortSelectorChanged();
    ShowPaneForPort();
  });

  // Both panes lie in one area, one of them shown; the area keeps the size of the larger.
  auto* paneArea = new QWidget(this);
  paneArea->setMinimumSize(DialogUnitsToPixels(this, 285, 250));
  m_pPanes = new QStackedLayout(paneArea);
  m_pPanes->setContentsMargins(0, 0, 0, 0);
  m_pEthernetPane = new CEthernetNewPropDlg(paneArea);
  m_pComPane = new CCommPropDlg(paneArea);
  m_pEthernetPane->setObjectName("addressBookPane");
  m_pComPane->setObjectName("linePane");
  m_pPanes->addWidget(m_pEthernetPane);
  m_pPanes->addWidget(m_pComPane);
  // Made after the panes, so Tab reaches it last, as it is drawn.
  m_pHelpButton = CreateHelpButton(kHelpPCCommunication);
  m_pHelpButton->setAutoDefault(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(portLabel, 0, 0);
  layout->addWidget(m_pPortSelector, 0, 1);
  layout->setColumnStretch(2, 1);
  layout->addWidget(paneArea, 1, 0, 1, 3);
  layout->setRowStretch(1, 1);
  layout->addWidget(m_pHelpButton, 1, 3, Qt::AlignBottom);

  FillPortSelector();
  ShowPaneForPort();
}

void CCommDlg::ShowPaneForPort() {
  const bool ethernet = EqualsNoCase(theApp().m_strPortName, kEthernetPortName);
  m_pPanes->setCurrentWidget(ethernet ? static_cast<QWidget*>(m_pEthernetPane) : m_pComPane);
}

void CCommDlg::OnPortsChanged() {
  FillPortSelector();
  ShowPaneForPort();
}

void CCommDlg::OnPageShown() {
  SelectCurrentPort();
  ShowPaneForPort();
  m_pComPane->LoadLineSettings();
  m_pEthernetPane->FillSendToCombo();
}

void CCommDlg::OnPageHidden() {
  m_pComPane->StoreBaudRate();
  m_pEthernetPane->SelectSendTarget();
}

void CCommDlg::OnPageDestroyed() {
  m_pComPane->StoreBaudRate();
  theApp().SaveLinkSettings();
}
