#include "addressbook/AddEditIPDlg.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "addressbook/ClipboardAddress.h"
#include "addressbook/EntryRules.h"
#include "addressbook/IPConfigChannel.h"
#include "addressbook/IPConfigTool.h"
#include "app/DialogUnits.h"
#include "app/NorvMarqueeApp.h"
#include "app/ProgramLoader.h"
#include "common/Prompter.h"
#include "common/QtText.h"
#include "controls/IPAddressEdit.h"

CAddEditIPDlg::CAddEditIPDlg(QWidget* parent)
    : QDialog(parent),
      m_pName(new QLineEdit(this)),
      m_pAddress(new CIPAddressEdit(this)),
      m_pOkButton(new QPushButton(tr("OK"), this)),
      m_pCancelButton(new QPushButton(tr("Cancel"), this)),
      m_pSearchButton(new QPushButton(tr("Search Devices"), this)),
      m_pHandBack(new CLineServer(this)) {
  m_pName->setObjectName("name");
  m_pAddress->setObjectName("address");
  auto* nameLabel = new QLabel(tr("Name"), this);
  nameLabel->setBuddy(m_pName);
  auto* addressLabel = new QLabel(tr("IP Address"), this);
  addressLabel->setBuddy(m_pAddress);
  m_pOkButton->setDefault(true);

  auto* fields = new QGridLayout;
  fields->addWidget(nameLabel, 0, 0);
  fields->addWidget(m_pName, 0, 1);
  fields->addWidget(addressLabel, 1, 0);
  fields->addWidget(m_pAddress, 1, 1, Qt::AlignLeft);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_pSearchButton);
  buttons->addStretch(1);
  buttons->addWidget(m_pOkButton);
  buttons->addWidget(m_pCancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addStretch(1);
  layout->addLayout(buttons);
  setMinimumSize(DialogUnitsToPixels(this, 150, 94));

  connect(m_pOkButton, &QPushButton::clicked, this, &CAddEditIPDlg::accept);
  connect(m_pCancelButton, &QPushButton::clicked, this, &CAddEditIPDlg::reject);
  connect(m_pSearchButton, &QPushButton::clicked, this, &CAddEditIPDlg::OnSearchDevices);
  connect(m_pHandBack, &CLineServer::lineReceived, this, &CAddEditIPDlg::OnAddressHandedBack);
}

bool CAddEditIPDlg::IsEditing() const {
  return IsEditingEntry(theApp().m_AddressBook, m_nEditMode, m_nEntryIndex);
}

void CAddEditIPDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  m_IPGroup = CIPGroup();
  m_pName->clear();
  m_pAddress->Clear();
  if (IsEditing()) {
    const CIPGroup& entry = theApp().m_AddressBook[static_cast<size_t>(m_nEntryIndex)];
    setWindowTitle(tr("Edit IP Address"));
    m_pName->setText(ToQString(entry.m_strName));
    if (!entry.m_Members.empty()) m_pAddress->SetAddress(entry.m_Members.front().m_Address);
  } else {
    setWindowTitle(tr("Add IP Address"));
  }
  m_pName->setFocus();
  m_pHandBack->Listen(HandBackSocketName());
}

void CAddEditIPDlg::hideEvent(QHideEvent* event) {
  m_pHandBack->Close();
  QDialog::hideEvent(event);
}

void CAddEditIPDlg::accept() {
  CNorvMarqueeApp& app = theApp();
  const CodePageText typed = ToCodePage(m_pName->text());
  if (const auto problem = CheckNameBytes(typed, false)) {
    app.Prompter().Error(problem->message);
    m_pName->setFocus();
    return;
  }
  const std::string& name = typed.bytes;
  const IPAddress address = m_pAddress->GetAddress();
  if (const auto problem = CheckIPEntryInput(app.m_AddressBook, name, address, !IsEditing())) {
    app.Prompter().Error(problem->message);
    if (problem->field == EntryField::Name)
      m_pName->setFocus();
    else
      m_pAddress->setFocus();
    return;
  }
  m_IPGroup = BuildIPEntry(name, address);
  StoreEntry(app.m_AddressBook, m_nEditMode, m_nEntryIndex, m_IPGroup);
  QDialog::accept();
}

void CAddEditIPDlg::OnSearchDevices() {
  ShowIPConfigTool(theApp().Brand().GetApplicationName(), true);
}

void CAddEditIPDlg::OnAddressHandedBack(const QByteArray& text) {
  std::string handed = text.toStdString();
  if (handed.empty())
    if (const QClipboard* clipboard = QGuiApplication::clipboard()) handed = FromQString(clipboard->text());
  if (const auto address = ReadClipboardAddress(handed)) m_pAddress->SetAddress(*address);
}
