#include "message/MsgDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <memory>

#include "app/NorvMarqueeApp.h"
#include "common/Prompter.h"
#include "common/QtText.h"
#include "common/Text.h"
#include "controls/NorvComboBox.h"
#include "link/LinkSettings.h"
#include "message/CurrentMessage.h"
#include "message/NorvRichEditCtrl.h"
#include "message/QuietSelect.h"
#include "preview/DlgMsgPreview.h"

namespace {

constexpr int kFirstLine = 1;
constexpr int kLastLine = 8;
constexpr int kFirstColumn = 1;
constexpr int kLastColumn = 40;

// The value of a list's entry when it is 1 to last; 0 (the list's first value) otherwise.
int EntryValue(const QComboBox* list, int last) {
  const int entry = list->currentIndex();
  return entry >= 1 && entry <= last ? entry : 0;
}

// The entry with the text, or the first entry when there is none.
void SelectText(QComboBox* list, const QString& text) {
  SelectQuietly(list, std::max(0, list->findText(text, Qt::MatchExactly)));
}

bool IsEthernet(const std::string& portName) {
  return EqualsNoCase(portName, kEthernetPortName);
}

// Reads a number box into value (the number of its leading digits); with messages, an empty
// box or a value outside low to high is reported and takes the focus. False then.
bool StoreNumber(QLineEdit* box, int& value, int low, int high, bool withMessages) {
  const QString text = box->text().trimmed();
  value = LeadingInt(FromQString(text));
  if (!withMessages || (!text.isEmpty() && value >= low && value <= high)) return true;
  theApp().Prompter().Error(Format("Invalid Input.\nInput Range is %d-%d.", low, high));
  // Selected, so what the operator types next replaces the refused value.
  box->setFocus(Qt::OtherFocusReason);
  box->selectAll();
  return false;
}

}  // namespace

CMsgDlg::CMsgDlg(QWidget* parent) : CNorvChildDialog(parent) {
  CreateControls();
  ConnectHandlers();

  CNorvMarqueeApp& app = theApp();
  const DataFilePaths paths = app.ResolveDataFiles();
  m_strDatabasePath = paths.messageDatabase;
  m_strAddressBookPath = paths.addressBook;
  app.LoadAddressBook(m_strAddressBookPath);
  app.EnumeratePorts();
  app.LoadSettings();

  FillAttributeLists();
  SelectQuietly(m_pModelList, app.m_MsgSettings.m_nModel);
  OnPortsChanged();
  m_pEditor->ResetEditor();
  m_pEditor->SetLinks(m_pSizeList, m_pColorList, m_pBlinkList, m_pEffectList);
  m_bReady = true;

  app.LoadMessageDatabase(m_strDatabasePath);
  ShowMessageLength(0, 0);
  ShowCaretPosition(0, 0);
}

CMsgDlg::~CMsgDlg() {
  // The preview reads the editor's lines: it goes first.
  delete m_pPreview;
}

CDlgMsgPreview* CMsgDlg::Preview() const {
  return m_pPreview;
}

void CMsgDlg::ConnectHandlers() {
  CMsgSettings& message = theApp().m_MsgSettings;
  auto onChoice = [this](QComboBox* list, auto handler) {
    connect(list, &QComboBox::currentIndexChanged, this, handler);
  };
  onChoice(m_pAddressList, &CMsgDlg::OnAddressChanged);
  onChoice(m_pPositionList, &CMsgDlg::OnPositionChanged);
  onChoice(m_pSizeList, [this] { m_pEditor->SetTypingSize(m_pSizeList->currentIndex() + 1); });
  onChoice(m_pColorList, [this] { m_pEditor->SetTypingColor(m_pColorList->currentIndex() + 1); });
  onChoice(m_pBlinkList, [this] { m_pEditor->ToggleBlink(); });
  onChoice(m_pResetList, [this, &message] { message.m_nResetMode = EntryValue(m_pResetList, kResetClearLine); });
  onChoice(m_pEffectList, &CMsgDlg::OnEffectChanged);
  onChoice(m_pFlashList, [this, &message] { message.m_nFlashMode = EntryValue(m_pFlashList, kFlashSave); });
  onChoice(m_pModelList, &CMsgDlg::OnModelChanged);
  connect(m_pLineBox, &QLineEdit::textChanged, this, [this] { StoreAndCheck(false); });
  connect(m_pColumnBox, &QLineEdit::textChanged, this, [this] { StoreAndCheck(false); });
  connect(m_pClearLineBox, &QCheckBox::clicked, this, [&message](bool checked) { message.m_bClearLine = checked; });
  connect(m_pBlinkOffAtEndBox, &QCheckBox::clicked, this,
          [&message](bool checked) { message.m_bBlinkOffAtEnd = checked; });
  connect(m_pPortSelector, &QComboBox::activated, this, &CMsgDlg::OnPortChosen);
  connect(m_pSendToSelector, &QComboBox::activated, this, [this] { SelectSendTarget(); });
  connect(m_pEditor, &CNorvRichEditCtrl::MessageLengthChanged, this, &CMsgDlg::ShowMessageLength);
  connect(m_pEditor, &CNorvRichEditCtrl::CaretPositionChanged, this, &CMsgDlg::ShowCaretPosition);
  connect(m_pAsciiBox, &QLineEdit::textChanged, this, &CMsgDlg::OnAsciiChanged);
  connect(m_pGenerateButton, &QPushButton::clicked, this, &CMsgDlg::OnGenerate);
  connect(m_pSendButton, &QPushButton::clicked, this, &CMsgDlg::OnSend);
  connect(m_pAddButton, &QPushButton::clicked, this, &CMsgDlg::OnAddToDatabase);
  connect(m_pCopyButton, &QPushButton::clicked, this, &CMsgDlg::OnCopy);
  connect(m_pPreviewButton, &QPushButton::clicked, this, &CMsgDlg::OnPreview);
  // Closing the main window ends the program.
  connect(m_pExitButton, &QPushButton::clicked, this, [this] { window()->close(); });
}

void CMsgDlg::OnPortsChanged() {
  FillPortSelector();
  ShowSendTo();
}

void CMsgDlg::OnPageShown() {
  const CNorvMarqueeApp& app = theApp();
  m_strGroupText = QString::number(app.m_nGroupNumber);
  m_strUnitText = QString::number(app.m_nUnitNumber);
  ReselectAddressLists(true);
  SelectCurrentPort();
  ShowSendTo();
  ReloadPickedMessage();
}

void CMsgDlg::OnPageHidden() {
  CNorvMarqueeApp& app = theApp();
  app.m_nGroupNumber = std::max(0, m_pGroupList->currentIndex());
  app.m_nUnitNumber = std::max(0, m_pUnitList->currentIndex());
  ReloadPickedMessage();
}

void CMsgDlg::OnPageDestroyed() {
  CNorvMarqueeApp& app = theApp();
  app.SaveMessageDatabase(m_strDatabasePath);
  app.ClearMessageList();
  app.SaveAddressBook(m_strAddressBookPath);
}

void CMsgDlg::ShowMessageLength(int lines, int characters) {
  m_pLengthText->setText(ToQString(Format("Msg Length:  Lines:%d  Chars:%d  ", lines, characters)));
}

void CMsgDlg::ShowCaretPosition(int line, int column) {
  m_pCaretText->setText(ToQString(Format("Cursor Pos:  Line:%d  Column:%d  ", line, column + 1)));
}

void CMsgDlg::OnAddressChanged() {
  theApp().m_MsgSettings.m_nAddressMode = EntryValue(m_pAddressList, kAddressDefault);
  ReselectAddressLists(false);
}

void CMsgDlg::OnPositionChanged() {
  theApp().m_MsgSettings.m_nPosition = EntryValue(m_pPositionList, kPositionStartingAt);
  RefreshLineAndColumn();
}

void CMsgDlg::OnEffectChanged() {
  theApp().m_MsgSettings.m_nEffect = EntryValue(m_pEffectList, kEffectScrollOnce);
  ApplyScrollRule();
  RefreshBlinkOffAtEnd();
  if (m_pPreview) m_pPreview->ResetScrollStep();
}

void CMsgDlg::OnPortChosen() {
  OnPortSelectorChanged();
  ShowSendTo();
}

void CMsgDlg::OnGenerate() {
  Generate();
}

void CMsgDlg::OnSend() {
  CNorvMarqueeApp& app = theApp();
  if (IsEthernet(app.m_strPortName) && (app.m_SendTarget.m_strName.empty() || app.m_SendTarget.m_Members.empty())) {
    app.Prompter().Error("Please select 'Sent to' Marquee.");
    return;
  }
  if (Generate() && app.SendToMarquee(FromQString(m_pAsciiBox->text())))
    app.Prompter().Information("Message sent.");
  else
    app.Prompter().Error("Message sent failed.");
}

void CMsgDlg::OnAddToDatabase() {
  if (!Generate()) return;
  CNorvMarqueeApp& app = theApp();
  app.m_MessageList.push_back(std::make_unique<CMsgObjDBList>(MakeRecordFromCurrentMessage(
      app.m_MsgSettings, app.m_nGroupNumber, app.m_nUnitNumber, m_pEditor->GetTextWithCodes())));
}

void CMsgDlg::OnCopy() {
  // The box is editable: what the operator typed there is copied only when it has bytes.
  const CodePageText copied = ToCodePage(m_pAsciiBox->text().trimmed());
  if (!copied.status.ok()) {
    theApp().Prompter().Error("The ASCII string cannot be copied: " + copied.status.message() + ".");
    m_pAsciiBox->setFocus(Qt::OtherFocusReason);
    return;
  }
  theApp().CopyToClipboard(copied.bytes);
}

void CMsgDlg::OnAsciiChanged() {
  m_pCopyButton->setEnabled(!m_pAsciiBox->text().trimmed().isEmpty());
}

void CMsgDlg::OnPreview() {
  ClearBlinkUnderScroll();
  m_pEditor->GetTextWithCodes();
  if (m_pPreview) {
    m_pPreview->m_pSourceLines = &m_pEditor->m_Lines;
    m_pPreview->Restart();
    return;
  }
  m_pPreview = new CDlgMsgPreview(this);
  connect(m_pPreview, &QDialog::finished, this, &CMsgDlg::OnPreviewClosed);
  m_pPreview->m_pSourceLines = &m_pEditor->m_Lines;
  m_pPreview->show();
}

void CMsgDlg::OnModelChanged() {
  theApp().m_MsgSettings.m_nModel = m_pModelList->currentIndex();
  OnPreview();
}

void CMsgDlg::OnPreviewClosed() {
  m_pPreview = nullptr;
}

void CMsgDlg::FillAttributeLists() {
  const CMsgSettings& message = theApp().m_MsgSettings;
  SelectQuietly(m_pAddressList, message.m_nAddressMode);
  ReselectAddressLists(true);
  SelectQuietly(m_pPositionList, message.m_nPosition);
  RefreshLineAndColumn();
  for (QComboBox* list : {m_pSizeList, m_pColorList, m_pBlinkList}) SelectQuietly(list, 0);
  SelectQuietly(m_pResetList, message.m_nResetMode);
  SelectQuietly(m_pEffectList, message.m_nEffect);
  RefreshBlinkOffAtEnd();
  SelectQuietly(m_pFlashList, message.m_nFlashMode);
}

void CMsgDlg::ReselectAddressLists(bool fromShow) {
  if (!fromShow) {
    if (m_pGroupList->isEnabled()) m_strGroupText = m_pGroupList->currentText();
    if (m_pUnitList->isEnabled()) m_strUnitText = m_pUnitList->currentText();
  }
  const int mode = theApp().m_MsgSettings.m_nAddressMode;
  const bool group = mode == kAddressSpecificGroup || mode == kAddressSpecificUnit;
  const bool unit = mode == kAddressSpecificUnit;
  SelectText(m_pGroupList, group ? m_strGroupText : QString());
  SelectText(m_pUnitList, unit ? m_strUnitText : QString());
  m_pGroupList->setEnabled(group);
  m_pUnitList->setEnabled(unit);
}

void CMsgDlg::RefreshLineAndColumn() {
  CMsgSettings& message = theApp().m_MsgSettings;
  const bool startingAt = message.m_nPosition == kPositionStartingAt;
  {
    // The page's own writes are no operator's input.
    const QScopedValueRollback notReady(m_bReady, false);
    m_pLineBox->setText(startingAt ? QString::number(message.m_nLine) : QString());
    m_pColumnBox->setText(startingAt ? QString::number(message.m_nColumn) : QString());
  }
  m_pLineBox->setEnabled(startingAt);
  m_pColumnBox->setEnabled(startingAt);
  m_pClearLineBox->setEnabled(startingAt);
  if (!startingAt) message.m_bClearLine = false;
  m_pClearLineBox->setChecked(message.m_bClearLine);
}

void CMsgDlg::ApplyScrollRule() {
  const bool scrolling = IsScrollEffect(theApp().m_MsgSettings.m_nEffect);
  if (scrolling) {
    SelectQuietly(m_pBlinkList, 0);
    m_pEditor->ClearAllBlink();
    // The clearing is part of no undo step: an undo must not bring back blinking that the
    // disabled blink list could not show, so the history before it goes.
    m_pEditor->document()->clearUndoRedoStacks();
  }
  m_pBlinkList->setEnabled(!scrolling);
}

void CMsgDlg::ClearBlinkUnderScroll() {
  // An undo may have brought back blinking that choosing the scroll effect took away.
  if (IsScrollEffect(theApp().m_MsgSettings.m_nEffect)) m_pEditor->ClearAllBlink();
}

void CMsgDlg::RefreshBlinkOffAtEnd() {
  CMsgSettings& message = theApp().m_MsgSettings;
  const bool blinking = message.m_nEffect == kEffectBlink;
  m_pBlinkOffAtEndBox->setEnabled(blinking);
  if (!blinking) message.m_bBlinkOffAtEnd = false;
  m_pBlinkOffAtEndBox->setChecked(message.m_bBlinkOffAtEnd);
}

void CMsgDlg::ShowSendTo() {
  const bool ethernet = IsEthernet(theApp().m_strPortName);
  if (ethernet) FillSendToCombo();
  m_pSendToLabel->setVisible(ethernet);
  m_pSendToSelector->setVisible(ethernet);
}

void CMsgDlg::ReloadPickedMessage() {
  CNorvMarqueeApp& app = theApp();
  if (!app.m_bMessageLoaded) return;
  FillAttributeLists();
  m_pEditor->LoadIntoEditor(app.m_PickedMessage.m_strText[0]);
  app.m_bMessageLoaded = false;
}

bool CMsgDlg::StoreAndCheck(bool withMessages) {
  if (!m_bReady) return false;
  CNorvMarqueeApp& app = theApp();
  CMsgSettings& message = app.m_MsgSettings;
  if (message.m_nAddressMode == kAddressSpecificGroup || message.m_nAddressMode == kAddressSpecificUnit)
    app.m_nGroupNumber = std::max(0, m_pGroupList->currentIndex());
  if (message.m_nAddressMode == kAddressSpecificUnit) app.m_nUnitNumber = std::max(0, m_pUnitList->currentIndex());
  // A group message goes to the whole group: unit 0, as the disabled unit list shows.
  if (message.m_nAddressMode == kAddressSpecificGroup) app.m_nUnitNumber = 0;
  if (message.m_nPosition == kPositionStartingAt &&
      (!StoreNumber(m_pLineBox, message.m_nLine, kFirstLine, kLastLine, withMessages) ||
       !StoreNumber(m_pColumnBox, message.m_nColumn, kFirstColumn, kLastColumn, withMessages)))
    return false;
  // "Default" sends no address; stored as group 0, unit 0 a record reads back as a message
  // for every sign, as it was sent, not as one for the unit selected before.
  if (message.m_nAddressMode == kAddressBroadcast || message.m_nAddressMode == kAddressDefault) {
    app.m_nGroupNumber = 0;
    app.m_nUnitNumber = 0;
  }
  return true;
}

bool CMsgDlg::Generate() {
  if (m_pAsciiBox->hasSelectedText()) m_pAsciiBox->insert(QString());
  if (!StoreAndCheck(true)) return false;
  CNorvMarqueeApp& app = theApp();
  ClearBlinkUnderScroll();
  const std::string text = m_pEditor->GetTextWithCodes();
  if (!m_pEditor->Unmappable().empty()) {
    app.Prompter().Error("The message text holds characters that have no Windows-1252 byte and cannot be sent: " +
                         DescribeUnmappable(m_pEditor->Unmappable()) + ".\nThey are marked in the text.");
    m_pEditor->setFocus(Qt::OtherFocusReason);
    return false;
  }
  m_pAsciiBox->setText(ToQString(app.m_MsgSettings.BuildCommandString(text, app.m_nGroupNumber, app.m_nUnitNumber)));
  app.SaveComposerSettings();
  return true;
}
