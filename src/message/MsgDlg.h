#pragma once

#include <QPointer>
#include <QString>

#include "app/NorvChildDialog.h"

class CDlgMsgPreview;
class CNorvRichEditCtrl;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The "Messages" page, where messages are composed and sent. Its lists and boxes edit the
// application's current message (m_MsgSettings with the group and unit numbers) as the
// operator changes them; the message editor holds the text. Its creation loads the program's
// data and its destruction saves it:
// - created: the data folder and the two file paths, the address book, the serial ports, the
//   settings, then the page's own set-up, then the message database;
// - destroyed: the message database, then the message list is emptied, then the address book.
// The line and column are checked (and the range message shown) when a button needs them.
// Under "Specific Group" the unit number is 0, as the disabled unit list shows; under
// "BroadCast" and "Default" both numbers are 0. A range message leaves the refused value
// selected in its box.
class CMsgDlg : public CNorvChildDialog {
  Q_OBJECT

 public:
  explicit CMsgDlg(QWidget* parent = nullptr);
  ~CMsgDlg() override;

  void OnPortsChanged() override;
  void OnPageShown() override;
  void OnPageHidden() override;
  void OnPageDestroyed() override;

  // "Msg Length:  Lines:%d  Chars:%d  " under the editor.
  virtual void ShowMessageLength(int lines, int characters);
  // "Cursor Pos:  Line:%d  Column:%d  " with the 0-based column shown from 1.
  virtual void ShowCaretPosition(int line, int column);

  // The open preview window; null when none is open.
  CDlgMsgPreview* Preview() const;

 private:
  // The page's controls (owned by the page), by their captions. The fields and lists carry
  // object names (MsgDlgControls.cpp); the buttons are known by their captions.
  QComboBox* m_pAddressList;  // "Marquee Address"
  QComboBox* m_pGroupList;
  QComboBox* m_pUnitList;
  QComboBox* m_pPositionList;  // "Display Message At Position"
  QLineEdit* m_pLineBox;
  QLineEdit* m_pColumnBox;
  QCheckBox* m_pClearLineBox;
  QComboBox* m_pSizeList;
  QComboBox* m_pColorList;
  QComboBox* m_pBlinkList;
  CNorvRichEditCtrl* m_pEditor;
  QLabel* m_pLengthText;
  QLabel* m_pCaretText;
  QComboBox* m_pResetList;
  QComboBox* m_pEffectList;
  QCheckBox* m_pBlinkOffAtEndBox;  // never shown
  QLabel* m_pScrollRateLabel;      // never shown
  QLineEdit* m_pScrollRateBox;     // never shown, never read
  QComboBox* m_pFlashList;
  QComboBox* m_pModelList;  // "Preview"
  QPushButton* m_pPreviewButton;
  QPushButton* m_pSendButton;
  QLabel* m_pSendToLabel;
  QPushButton* m_pAddButton;
  QLineEdit* m_pAsciiBox;  // "ASCII Command Codes Text"
  QPushButton* m_pCopyButton;
  QPushButton* m_pGenerateButton;
  QPushButton* m_pHelpButton;
  QPushButton* m_pExitButton;

  void CreateControls();
  void ConnectHandlers();

  void OnAddressChanged();
  void OnPositionChanged();
  void OnEffectChanged();
  void OnPortChosen();
  void OnGenerate();
  void OnSend();
  void OnAddToDatabase();
  void OnCopy();
  void OnAsciiChanged();
  void OnPreview();
  void OnModelChanged();
  void OnPreviewClosed();

  // Selects every attribute list, the boxes and the check boxes from the current message;
  // the size, colour and blink lists their first entries.
  void FillAttributeLists();
  // Selects the group and unit for the address mode; fromShow: the remembered texts stand,
  // else they are first taken from the enabled lists.
  void ReselectAddressLists(bool fromShow);
  void RefreshLineAndColumn();
  void ApplyScrollRule();
  // Under a scroll effect nothing blinks: what an undo brought back goes again.
  void ClearBlinkUnderScroll();
  void RefreshBlinkOffAtEnd();
  void ShowSendTo();
  void ReloadPickedMessage();
  // Stores the lists' group and unit and the boxes' line and column in the current message.
  // withMessages: an empty or out-of-range line or column is reported and takes the focus.
  // False when the page is not ready or a check failed.
  bool StoreAndCheck(bool withMessages);
  // Stores and checks, then fills the ASCII box with the command string and saves the settings.
  bool Generate();

  QString m_strGroupText;
  QString m_strUnitText;
  bool m_bReady = false;
  QString m_strDatabasePath;
  QString m_strAddressBookPath;
  QPointer<CDlgMsgPreview> m_pPreview;
};
