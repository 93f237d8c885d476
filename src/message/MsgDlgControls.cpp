// The composer page's controls and their arrangement: the address, position and text
// attributes on the left with the message editor below them, the display mode, effect,
// flash, preview and send controls on the right, the command string across the bottom.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <initializer_list>
#include <limits>
#include <span>
#include <utility>

#include "app/DialogUnits.h"
#include "common/HelpTopics.h"
#include "common/QtText.h"
#include "controls/NorvComboBox.h"
#include "message/MsgAttributes.h"
#include "message/MsgDlg.h"
#include "message/NorvRichEditCtrl.h"
#include "preview/MarqueeModels.h"

namespace {

constexpr const char* kSizeEntries[] = {"2\"", "4\"", "6\"", "8\""};
constexpr const char* kColorEntries[] = {"Red", "Yellow", "Green"};
constexpr const char* kBlinkEntries[] = {"Blink Off", "Blink On"};
constexpr int kLastGroup = 2;
constexpr int kLastUnit = 8;

template <typename Texts>
QComboBox* NewList(QWidget* parent, const Texts& texts) {
  auto* list = new QComboBox(parent);
  for (const auto& text : texts) list->addItem(ToQString(text));
  return list;
}

QComboBox* NewNumberList(QWidget* parent, int last) {
  auto* list = new QComboBox(parent);
  for (int number = 0; number <= last; ++number) list->addItem(QString::number(number));
  return list;
}

QLineEdit* NewNumberBox(QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), box));
  return box;
}

QLabel* NewLabel(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

// A group box around one list, the list named after the box.
QGroupBox* BoxAround(const QString& caption, QWidget* list, QWidget* parent) {
  auto* box = new QGroupBox(caption, parent);
  auto* layout = new QVBoxLayout(box);
  list->setAccessibleName(caption);
  layout->addWidget(list);
  return box;
}

struct Labelled {
  QString label;
  QWidget* control;
};

// A group box with a list across its top and two labelled controls side by side below it;
// the list is named after the box.
QGroupBox* BoxWithPair(const QString& caption, QWidget* list, const Labelled& left, const Labelled& right,
                       QWidget* parent) {
  auto* box = new QGroupBox(caption, parent);
  auto* layout = new QGridLayout(box);
  list->setAccessibleName(caption);
  layout->addWidget(list, 0, 0, 1, 4);
  int column = 0;
  for (const Labelled& pair : {left, right}) {
    layout->addWidget(NewLabel(pair.label, pair.control, box), 1, column++);
    layout->addWidget(pair.control, 1, column++);
  }
  return box;
}

}  // namespace

void CMsgDlg::CreateControls() {
  m_pAddressList = NewList(this, kAddressModeNames);
  m_pGroupList = NewNumberList(this, kLastGroup);
  m_pUnitList = NewNumberList(this, kLastUnit);
  m_pPositionList = NewList(this, kPositionNames);
  m_pLineBox = NewNumberBox(this);
  m_pColumnBox = NewNumberBox(this);
  m_pClearLineBox = new QCheckBox(tr("Clear Message on line"), this);
  m_pSizeList = NewList(this, kSizeEntries);
  m_pColorList = NewList(this, kColorEntries);
  m_pBlinkList = NewList(this, kBlinkEntries);
  m_pBlinkList->setAccessibleName(tr("Blink"));
  m_pEditor = new CNorvRichEditCtrl(this);
  m_pEditor->setAccessibleName(tr("Message Text"));
  m_pLengthText = new QLabel(this);
  m_pCaretText = new QLabel(this);
  // The list offers the first three display modes; the others come only from stored messages or settings.
  m_pResetList = NewList(this, std::span(kResetModeNames).first(3));
  m_pEffectList = NewList(this, kEffectNames);
  m_pBlinkOffAtEndBox = new QCheckBox(tr("Turn Blink Off at end"), this);
  m_pScrollRateBox = NewNumberBox(this);
  m_pScrollRateLabel = NewLabel(tr("Scroll Rate"), m_pScrollRateBox, this);
  for (QWidget* hidden : std::initializer_list<QWidget*>{m_pBlinkOffAtEndBox, m_pScrollRateLabel, m_pScrollRateBox})
    hidden->hide();
  m_pFlashList = NewList(this, kFlashModeNames);
  m_pModelList = new QComboBox(this);
  for (const MarqueeModel& model : kMarqueeModels) m_pModelList->addItem(ToQString(model.comboText));
  m_pPreviewButton = new QPushButton(tr("Preview Now"), this);
  m_pPortSelector = new CNorvComboBox(this);
  m_pSendToSelector = new CNorvComboBox(this);
  m_pSendToLabel = NewLabel(tr("Send To"), m_pSendToSelector, this);
  m_pSendButton = new QPushButton(tr("Send To Marquee"), this);
  m_pSendButton->setDefault(true);
  for (QWidget* sendTo : std::initializer_list<QWidget*>{m_pSendToLabel, m_pSendToSelector}) {
    // The row keeps its place while the port is not "Ethernet".
    QSizePolicy policy = sendTo->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    sendTo->setSizePolicy(policy);
  }
  m_pAddButton = new QPushButton(tr("Add Message to Database"), this);
  m_pAsciiBox = new QLineEdit(this);
  // The command string of a long message is long: no limit below the text's own.
  m_pAsciiBox->setMaxLength(std::numeric_limits<int>::max());
  // On one line, as on the marquee communication page: beside the note, under the wide box.
  m_pCopyButton = new QPushButton(tr("Copy ASCII String to Clipboard"), this);
  m_pCopyButton->setEnabled(false);
  m_pGenerateButton = new QPushButton(tr("Generate Marquee String"), this);
  m_pHelpButton = CreateHelpButton(kHelpMessages);
  m_pExitButton = new QPushButton(tr("Exit"), this);
  // The names the fields and lists are known by (the buttons by their captions).
  const std::pair<QWidget*, const char*> names[] = {{m_pAddressList, "addressMode"},
                                                    {m_pGroupList, "group"},
                                                    {m_pUnitList, "unit"},
                                                    {m_pPositionList, "position"},
                                                    {m_pLineBox, "line"},
                                                    {m_pColumnBox, "column"},
                                                    {m_pSizeList, "charSize"},
                                                    {m_pColorList, "color"},
                                                    {m_pBlinkList, "blink"},
                                                    {m_pEditor, "messageText"},
                                                    {m_pLengthText, "length"},
                                                    {m_pCaretText, "caret"},
                                                    {m_pResetList, "resetMode"},
                                                    {m_pEffectList, "effect"},
                                                    {m_pScrollRateBox, "scrollRate"},
                                                    {m_pFlashList, "flashMode"},
                                                    {m_pModelList, "model"},
                                                    {m_pPortSelector, "port"},
                                                    {m_pSendToSelector, "sendTo"},
                                                    {m_pSendToLabel, "sendToLabel"},
                                                    {m_pAsciiBox, "commandString"},
                                                    {m_pCopyButton, "copy"}};
  for (const auto& [widget, name] : names) widget->setObjectName(name);

  QGroupBox* address = BoxWithPair(tr("Marquee Address"), m_pAddressList, {tr("Group"), m_pGroupList},
                                   {tr("Unit #"), m_pUnitList}, this);
  QGroupBox* position = BoxWithPair(tr("Display Message At Position"), m_pPositionList, {tr("Line"), m_pLineBox},
                                    {tr("Column"), m_pColumnBox}, this);
  static_cast<QGridLayout*>(position->layout())->addWidget(m_pClearLineBox, 2, 0, 1, 4);
  for (QLineEdit* box : {m_pLineBox, m_pColumnBox}) box->setMaximumWidth(DialogUnitsX(this, 24));

  auto* text = new QGroupBox(tr("Message Text"), this);
  auto* textLayout = new QGridLayout(text);
  auto* attributes = new QHBoxLayout;
  attributes->addWidget(NewLabel(tr("Char Size"), m_pSizeList, text));
  attributes->addWidget(m_pSizeList);
  attributes->addWidget(NewLabel(tr("Color"), m_pColorList, text));
  attributes->addWidget(m_pColorList);
  attributes->addWidget(m_pBlinkList);
  attributes->addStretch(1);
  textLayout->addLayout(attributes, 0, 0, 1, 2);
  textLayout->addWidget(m_pEditor, 1, 0, 1, 2);
  textLayout->addWidget(m_pLengthText, 2, 0);
  textLayout->addWidget(m_pCaretText, 2, 1, Qt::AlignRight);
  m_pEditor->setMinimumSize(DialogUnitsToPixels(this, 220, 90));

  QGroupBox* effects = BoxAround(tr("Select Message Effects"), m_pEffectList, this);
  effects->layout()->addWidget(m_pBlinkOffAtEndBox);
  auto* scrollRate = new QHBoxLayout;
  scrollRate->addWidget(m_pScrollRateLabel);
  scrollRate->addWidget(m_pScrollRateBox);
  static_cast<QVBoxLayout*>(effects->layout())->addLayout(scrollRate);

  QGroupBox* preview = BoxAround(tr("Preview"), m_pModelList, this);
  preview->layout()->addWidget(m_pPreviewButton);

  auto* port = new QGroupBox(tr("Select Port"), this);
  auto* portLayout = new QGridLayout(port);
  m_pPortSelector->setAccessibleName(tr("Select Port"));
  portLayout->addWidget(m_pPortSelector, 0, 0, 1, 2);
  portLayout->addWidget(m_pSendToLabel, 1, 0);
  portLayout->addWidget(m_pSendToSelector, 1, 1);
  portLayout->setColumnStretch(1, 1);

  auto* right = new QVBoxLayout;
  right->addWidget(BoxAround(tr("Select Reset Before Display Mode"), m_pResetList, this));
  right->addWidget(effects);
  right->addWidget(BoxAround(tr("Save/Clear Flash"), m_pFlashList, this));
  right->addWidget(preview);
  right->addWidget(port);
  right->addWidget(m_pSendButton);
  right->addWidget(m_pAddButton);
  right->addStretch(1);

  auto* ascii = new QGroupBox(tr("ASCII Command Codes Text"), this);
  auto* asciiLayout = new QGridLayout(ascii);
  m_pAsciiBox->setAccessibleName(tr("ASCII Command Codes Text"));
  asciiLayout->addWidget(m_pAsciiBox, 0, 0, 1, 2);
  asciiLayout->addWidget(new QLabel(tr("You can copy and paste generated ASCII string in your application"), ascii), 1,
                         0);
  asciiLayout->addWidget(m_pCopyButton, 1, 1);
  asciiLayout->setColumnStretch(0, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_pGenerateButton);
  buttons->addStretch(1);
  buttons->addWidget(m_pHelpButton);
  buttons->addWidget(m_pExitButton);

  auto* top = new QHBoxLayout;
  top->addWidget(address);
  top->addWidget(position);

  auto* layout = new QGridLayout(this);
  layout->addLayout(top, 0, 0);
  layout->addWidget(text, 1, 0);
  layout->addLayout(right, 0, 1, 2, 1);
  layout->addWidget(ascii, 2, 0, 1, 2);
  layout->addLayout(buttons, 3, 0, 1, 2);
  layout->setRowStretch(1, 1);
  layout->setColumnStretch(0, 1);

  // Tab goes down the left column, then down the right one, then along the bottom row.
  QWidget* const order[] = {m_pAddressList,    m_pGroupList,    m_pUnitList,  m_pPositionList,  m_pLineBox,
                            m_pColumnBox,      m_pClearLineBox, m_pSizeList,  m_pColorList,     m_pBlinkList,
                            m_pEditor,         m_pAsciiBox,     m_pResetList, m_pEffectList,    m_pBlinkOffAtEndBox,
                            m_pScrollRateBox,  m_pFlashList,    m_pModelList, m_pPreviewButton, m_pPortSelector,
                            m_pSendToSelector, m_pSendButton,   m_pAddButton, m_pCopyButton,    m_pGenerateButton,
                            m_pHelpButton,     m_pExitButton};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}
