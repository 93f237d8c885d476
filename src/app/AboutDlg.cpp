#include "app/AboutDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "app/DialogUnits.h"
#include "app/NorvMarqueeApp.h"
#include "app/ProgramIcon.h"
#include "app/ProgramLoader.h"
#include "common/QtText.h"
#include "common/Text.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  const CProgramLoader& brand = theApp().Brand();
  const BrandDetails& details = brand.GetDetails();
  setWindowTitle(ToQString(brand.GetApplicationName()));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* icon = new QLabel(this);
  const int iconSize = DialogUnitsY(this, 20);
  icon->setPixmap(ProgramIcon().pixmap(iconSize, iconSize));
  icon->setAlignment(Qt::AlignTop);
  auto line = [this](const std::string& text) {
    auto* label = new QLabel(ToQString(text), this);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
  };
  m_pVersion = line(Format("%s Version: %s", brand.GetApplicationName(), brand.GetVersionText().c_str()));
  m_pCompany = line(details.companyLine);
  m_pPhone = line(details.phoneLine);
  m_pWeb = line(details.webLine);
  m_pCopyright = line(details.copyrightLine);
  const std::pair<QLabel*, const char*> names[] = {{m_pVersion, "version"},
                                                   {m_pCompany, "company"},
                                                   {m_pPhone, "phone"},
                                                   {m_pWeb, "web"},
                                                   {m_pCopyright, "copyright"}};
  for (const auto& [label, name] : names) label->setObjectName(name);
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  for (QLabel* label : {m_pVersion, m_pCompany, m_pPhone, m_pWeb, m_pCopyright}) texts->addWidget(label);
  auto* layout = new QGridLayout(this);
  layout->setHorizontalSpacing(DialogUnitsX(this, 10));
  layout->addWidget(icon, 0, 0);
  layout->addLayout(texts, 0, 1);
  layout->addWidget(ok, 0, 2, Qt::AlignTop);
  setMinimumSize(DialogUnitsToPixels(this, 202, 81));
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ok->setFocus();
}
