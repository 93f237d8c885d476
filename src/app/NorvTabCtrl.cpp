#include "app/NorvTabCtrl.h"

#include <QTabBar>
#include <functional>

#include "app/NorvChildDialog.h"
#include "common/QtText.h"
#include "database/MsgDBDlg.h"
#include "link/CommDlg.h"
#include "message/MsgDlg.h"
#include "netsetup/MarqueeComSetupDlg.h"

namespace {

struct PageKind {
  const char* caption;
  std::function<CNorvChildDialog*(QWidget*)> create;
};

const PageKind kPageKinds[CNorvTabCtrl::kPageCount] = {
    {"Messages", [](QWidget* parent) { return new CMsgDlg(parent); }},
    {"PC Communication Setup", [](QWidget* parent) { return new CCommDlg(parent); }},
    {"Marquee Communication Setup", [](QWidget* parent) { return new CMarqueeComSetupDlg(parent); }},
    {"Message Database", [](QWidget* parent) { return new CMsgDBDlg(parent); }},
};

// Gives the page's last focused control the focus again, or its first control on the first visit.
void FocusPage(QWidget* page) {
  if (QWidget* last = page->focusWidget(); last && last->isVisibleTo(page) && last->isEnabled()) {
    last->setFocus(Qt::OtherFocusReason);
    return;
  }
  for (QWidget* widget = page->nextInFocusChain(); widget != page; widget = widget->nextInFocusChain()) {
    if (page->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(page) &&
        widget->isEnabled() && !widget->focusProxy()) {
      widget->setFocus(Qt::TabFocusReason);
      return;
    }
  }
  page->setFocus(Qt::OtherFocusReason);
}

}  // namespace

CNorvTabCtrl::CNorvTabCtrl(QWidget* parent) : QTabWidget(parent) {
  tabBar()->setAccessibleName(tr("Pages"));
  // Every tab stays in sight: the window grows to fit them rather than scroll them.
  setUsesScrollButtons(false);
  connect(this, &QTabWidget::currentChanged, this, &CNorvTabCtrl::OnCurrentChanged);
}

CNorvTabCtrl::~CNorvTabCtrl() {
  DestroyPages();
}

void CNorvTabCtrl::InitPages() {
  if (m_Pages[0]) return;
  for (size_t i = 0; i < m_Pages.size(); ++i) {
    m_Pages[i] = kPageKinds[i].create(this);
    m_Pages[i]->KeepOwnDefaultButton();
    connect(m_Pages[i], &CNorvChildDialog::PageRequested, this, &CNorvTabCtrl::SelectPage);
    addTab(m_Pages[i], ToQString(kPageKinds[i].caption));
  }
  SelectPage(0);
}

void CNorvTabCtrl::SelectPage(int index) {
  CNorvChildDialog* page = Page(index);
  if (!page) return;
  setCurrentIndex(index);
  FocusPage(page);
}

void CNorvTabCtrl::OnCurrentChanged(int index) {
  // A click on a tab takes the operator into the page; arrow keys on the tabs stay on the tabs.
  if (CNorvChildDialog* page = Page(index); page && !tabBar()->hasFocus()) FocusPage(page);
}

void CNorvTabCtrl::NotifyPortsChanged() {
  for (CNorvChildDialog* page : m_Pages)
    if (page) page->OnPortsChanged();
}

void CNorvTabCtrl::DestroyPages() {
  if (!m_Pages[0]) return;
  for (CNorvChildDialog* page : m_Pages) page->OnPageDestroyed();
  std::array<CNorvChildDialog*, kPageCount> pages = m_Pages;
  m_Pages.fill(nullptr);
  for (CNorvChildDialog* page : pages) delete page;
}

CNorvChildDialog* CNorvTabCtrl::Page(int index) const {
  return index >= 0 && index < kPageCount ? m_Pages[static_cast<size_t>(index)] : nullptr;
}
