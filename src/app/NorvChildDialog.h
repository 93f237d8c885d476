#pragma once

#include <QDialog>
#include <string>
#include <string_view>

class CNorvComboBox;
class QPushButton;

// The base of every tab page and of the panes inside pages. It owns nothing but gives them:
// - Enter and Escape never close a page. Enter presses the focused push button, else the
//   page's default button (the one its layout names with setDefault; most pages have none),
//   else nothing. The default frame stays on that one button whatever takes the focus.
// - Hooks for the page's life, which derived pages override: OnPageShown / OnPageHidden when
//   the page appears or goes (its tab selected or left, the main window shown or closing; not
//   when the window is only minimised or restored), OnPageDestroyed just before the tab
//   control deletes the page (the main window closing), while every page still exists.
//   Construction is the page's initialisation: build the controls, then load what it shows.
// - The shared port selector and "Send To" selector. A page that has such a combo points
//   m_pPortSelector / m_pSendToSelector at it; the operations below do nothing for a selector
//   left null. They change the selection without emitting signals, so a page binds its
//   change handler to the combo's `activated` signal (the operator's choices) and calls
//   OnPortSelectorChanged / SelectSendTarget from there.
class CNorvChildDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CNorvChildDialog(QWidget* parent = nullptr);

  // The serial ports changed (they have been listed again): pages with a port selector refill
  // it, usually with FillPortSelector.
  virtual void OnPortsChanged() {}
  virtual void OnPageShown() {}
  virtual void OnPageHidden() {}
  virtual void OnPageDestroyed() {}

  // Lists every port (shown by FormatPortText) and then "Ethernet". When the application's
  // port is neither "Ethernet" nor a listed port (case ignored), it becomes the first listed
  // port, or "Ethernet" when there is none. Then SelectCurrentPort.
  void FillPortSelector();
  // Selects the application's port: the item shown for it (case ignored), else the first item
  // that begins with that text; when none matches, item 0, which becomes the application's port.
  void SelectCurrentPort();
  // The selected item's port becomes the application's port (nothing when none is selected).
  void OnPortSelectorChanged();
  // The text shown for a port: with its friendly name "COM1" + blanks + "Communications Port ".
  std::string FormatPortText(std::string_view portName) const;
  // The port of a shown text.
  static std::string ParsePortText(std::string_view text);

  // Lists the display text of every address book entry, in order, and selects the one of the
  // send target (an exact match, case ignored; else item 0); then SelectSendTarget.
  void FillSendToCombo();
  // The send target becomes the first address book entry whose display text equals the
  // selected item (case ignored); an empty entry (no name, no members) when nothing is
  // selected or nothing matches.
  void SelectSendTarget();

  // No button of the page but the one its layout makes default is ever drawn or pressed as
  // the default. Runs when the page is shown; the tab control runs it as soon as it creates
  // the page, before the window gives a default to the first button it finds.
  void KeepOwnDefaultButton();

  // Enter and Escape end here.
  void done(int result) override;

 signals:
  // Asks the page's container to show page index; a page outside a container asks no one.
  void PageRequested(int index);

 protected:
  // A "Help" button (owned by the page) that shows the help of topic (HelpTopic).
  QPushButton* CreateHelpButton(int topic);

  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

  CNorvComboBox* m_pSendToSelector = nullptr;
  CNorvComboBox* m_pPortSelector = nullptr;
};
