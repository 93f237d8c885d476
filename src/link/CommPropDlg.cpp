#include "link/CommPropDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <array>

#include "app/DialogUnits.h"
#include "app/NorvMarqueeApp.h"
#include "controls/NorvComboBox.h"

namespace {

// The list's items, in order.
constexpr std::array kBaudRates = {9600, 38400};
// By the application's codes (see LinkSettings).
constexpr std::array kParityNames = {"None", "Odd", "Even", "Mark", "Space"};
constexpr std::array kStopBitsNames = {"1", "1.5", "2"};

template <size_t N>
QString NameOf(const std::array<const char*, N>& names, int code) {
  return code >= 0 && static_cast<size_t>(code) < N ? QString(names[static_cast<size_t>(code)]) : QString::number(code);
}

}  // namespace

CCommPropDlg::CCommPropDlg(QWidget* parent)
    : CNorvChildDialog(parent),
      m_pStopBits(new QLabel(this)),
      m_pParity(new QLabel(this)),
      m_pDataBits(new QLabel(this)),
      m_pBaudRate(new CNorvComboBox(this)) {
  const std::pair<QWidget*, const char*> names[] = {
      {m_pBaudRate, "baudRate"}, {m_pParity, "parity"}, {m_pDataBits, "dataBits"}, {m_pStopBits, "stopBits"}};
  for (const auto& [widget, name] : names) widget->setObjectName(name);
  for (int rate : kBaudRates) m_pBaudRate->addItem(QString::number(rate));
  m_pBaudRate->setCurrentIndex(-1);

  auto* box = new QGroupBox(tr("Com Port Setup"), this);
  auto* grid = new QGridLayout(box);
  const std::pair<QString, QWidget*> rows[] = {
      {tr("Baud Rate :"), m_pBaudRate},
      {tr("Parity :"), m_pParity},
      {tr("Data Bits :"), m_pDataBits},
      {tr("Stop Bits :"), m_pStopBits},
  };
  int row = 0;
  for (const auto& [text, value] : rows) {
    auto* label = new QLabel(text, box);
    label->setBuddy(value);
    value->setParent(box);
    grid->addWidget(label, row, 0);
    // The combo keeps its own width; the value texts take the column's.
    grid->addWidget(value, row, 1, value == m_pBaudRate ? Qt::AlignLeft : Qt::Alignment());
    ++row;
  }
  grid->setColumnMinimumWidth(0, DialogUnitsX(this, 60));
  grid->setColumnStretch(1, 1);
  box->setMinimumSize(DialogUnitsToPixels(this, 210, 75));

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(box, 0, 0);
  layout->setRowStretch(1, 1);
  layout->setColumnStretch(1, 1);
}

void CCommPropDlg::LoadLineSettings() {
  const CNorvMarqueeApp& app = theApp();
  const int item = m_pBaudRate->findText(QString::number(app.m_nBaudRate));
  if (item >= 0) m_pBaudRate->setCurrentIndex(item);
  m_pDataBits->setText(QString::number(app.m_nDataBits));
  m_pStopBits->setText(NameOf(kStopBitsNames, app.m_nStopBits));
  m_pParity->setText(NameOf(kParityNames, app.m_nParity));
}

void CCommPropDlg::StoreBaudRate() {
  const int item = m_pBaudRate->currentIndex();
  if (item >= 0 && static_cast<size_t>(item) < kBaudRates.size())
    theApp().m_nBaudRate = kBaudRates[static_cast<size_t>(item)];
}
