#include "netsetup/ByteOrderControls.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A group box with two radios, one above the other.
QGroupBox* RadioPair(const QString& title, QRadioButton* first, QRadioButton* second, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(6, 2, 6, 2);
  layout->setSpacing(0);
  first->setParent(box);
  second->setParent(box);
  layout->addWidget(first);
  layout->addWidget(second);
  return box;
}

}  // namespace

CByteOrderControls::CByteOrderControls(const QString& note, QWidget* parent)
    : QWidget(parent),
      m_pChar1Char2(new QRadioButton(tr("Char 1, Char 2"))),
      m_pChar2Char1(new QRadioButton(tr("Char 2, Char 1"))),
      m_pHighLow(new QRadioButton(tr("High, Low "))),
      m_pLowHigh(new QRadioButton(tr("Low, High"))) {
  auto* noteLabel = new QLabel(note, this);
  noteLabel->setWordWrap(true);
  auto* groups = new QHBoxLayout;
  groups->addWidget(RadioPair(tr("Message Byte Order"), m_pChar1Char2, m_pChar2Char1, this));
  groups->addWidget(RadioPair(tr("Count and Status Byte Order"), m_pHighLow, m_pLowHigh, this));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(noteLabel);
  layout->addLayout(groups);
}

void CByteOrderControls::Check(MessageByteOrder message, CountByteOrder count) {
  m_pChar1Char2->setChecked(message == MessageByteOrder::Char1Char2);
  m_pChar2Char1->setChecked(message == MessageByteOrder::Char2Char1);
  m_pHighLow->setChecked(count == CountByteOrder::HighLow);
  m_pLowHigh->setChecked(count == CountByteOrder::LowHigh);
}

int CByteOrderControls::GetCode() const {
  const MessageByteOrder message =
      m_pChar2Char1->isChecked() ? MessageByteOrder::Char2Char1 : MessageByteOrder::Char1Char2;
  const CountByteOrder count = m_pLowHigh->isChecked() ? CountByteOrder::LowHigh : CountByteOrder::HighLow;
  return MakeByteOrderCode(message, count);
}
