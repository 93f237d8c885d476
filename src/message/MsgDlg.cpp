#include "message/MsgDlg.h"

#include <QGridLayout>
#include <QPushButton>

#include "app/HelpTopics.h"
#include "app/NorvMarqueeApp.h"

CMsgDlg::CMsgDlg(QWidget* parent) : CNorvChildDialog(parent), m_pHelpButton(CreateHelpButton(kHelpMessages)) {
  auto* layout = new QGridLayout(this);
  layout->setRowStretch(0, 1);
  layout->setColumnStretch(0, 1);
  layout->addWidget(m_pHelpButton, 1, 1);

  CNorvMarqueeApp& app = theApp();
  const DataFilePaths paths = app.ResolveDataFiles();
  m_strDatabasePath = paths.messageDatabase;
  m_strAddressBookPath = paths.addressBook;
  app.LoadAddressBook(m_strAddressBookPath);
  app.EnumeratePorts();
  app.LoadSettings();
  app.LoadMessageDatabase(m_strDatabasePath);
}

void CMsgDlg::OnPageDestroyed() {
  CNorvMarqueeApp& app = theApp();
  app.SaveMessageDatabase(m_strDatabasePath);
  app.ClearMessageList();
  app.SaveAddressBook(m_strAddressBookPath);
}
