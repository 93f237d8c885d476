#pragma once

#include <QGroupBox>

class QAbstractButton;

// A group box whose caption is a check box (or radio button): the controls inside the
// box are enabled only while the box is checked. The contained controls are the box's
// child widgets (Qt lays them out inside it), other than the title button.
class CCheckableGroupBox : public QGroupBox {
  Q_OBJECT

 public:
  enum TitleStyle { kNoTitleButton = 0, kCheckBox = 3, kRadioButton = 9 };

  explicit CCheckableGroupBox(const QString& caption, QWidget* parent = nullptr, int groupNumber = 0);

  // Turns the caption into a title button of the given style; any other style leaves
  // the box without one. Called once, after the contents are in place.
  void SetTitleStyle(int style);
  void SetTitleText(const QString& text);
  // 1 checked, 0 unchecked, -1 when the box has no title button.
  int GetCheck() const;
  void SetCheck(int state);
  // Shows or hides the contents and the box; returns whether the box was visible.
  bool ShowGroup(bool show);
  // Radio-style boxes of one parent with the same number exclude each other.
  int GetGroupNumber() const { return m_nGroupNumber; }
  QAbstractButton* titleButton() const { return m_TitleButton; }

 signals:
  // The title was clicked: the parent sees a click on the box itself.
  void clicked();

 protected:
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateContents();
  void OnTitleClicked();
  QList<QWidget*> GetContainedControls() const;
  void PlaceTitleButton();

  QAbstractButton* m_TitleButton = nullptr;
  int m_nGroupNumber;
};
