#include "app/NorvMarqueeDlg.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "app/AboutDlg.h"
#include "app/DialogUnits.h"
#include "app/NorvMarqueeApp.h"
#include "app/NorvTabCtrl.h"
#include "app/ProgramIcon.h"
#include "app/ProgramLoader.h"
#include "common/QtText.h"
#include "link/DeviceMonitor.h"
#include "link/PortWatcher.h"

CNorvMarqueeDlg::CNorvMarqueeDlg(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_pTabCtrl(new CNorvTabCtrl(this)),
      m_pAboutButton(new QPushButton(tr("About"), m_pTabCtrl)) {
  setWindowIcon(ProgramIcon());
  setWindowTitle(ToQString(theApp().Brand().GetWindowTitle()));

  // The "About" button sits at the right end of the row of tabs.
  m_pAboutButton->setAutoDefault(false);
  m_pTabCtrl->setCornerWidget(m_pAboutButton, Qt::TopRightCorner);
  connect(m_pAboutButton, &QPushButton::clicked, this, &CNorvMarqueeDlg::OnAbout);
  m_pTabCtrl->setMinimumSize(DialogUnitsToPixels(this, 383, 298));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(DialogUnitsX(this, 7), DialogUnitsY(this, 5), DialogUnitsX(this, 7),
                             DialogUnitsY(this, 7));
  layout->addWidget(m_pTabCtrl);
  // A fixed-size window that fits its pages.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  m_pTabCtrl->InitPages();

  auto* watcher = new PortWatcher(theApp().PortLister(), CreateDeviceMonitor(), PortWatcher::kPollInterval,
                                  PortWatcher::kSettleTime, this);
  connect(watcher, &PortWatcher::portsChanged, this, &CNorvMarqueeDlg::OnDeviceChange);
}

CNorvMarqueeDlg::~CNorvMarqueeDlg() {
  m_pTabCtrl->DestroyPages();
}

void CNorvMarqueeDlg::OnAbout() {
  CAboutDlg about(this);
  about.exec();
}

void CNorvMarqueeDlg::OnDeviceChange() {
  theApp().EnumeratePorts();
  m_pTabCtrl->NotifyPortsChanged();
}
