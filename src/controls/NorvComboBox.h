#pragma once

#include <QComboBox>

// A drop-down list whose list, when it drops down, is as wide as its longest item and
// as high as its items need within the screen. The width is measured again on the
// first drop-down after items are added or removed. The closed combo keeps a width of its
// own (about 12 characters, or what its layout gives it) whatever its items.
class CNorvComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit CNorvComboBox(QWidget* parent = nullptr);

  virtual QString GetItemText(int index) const { return itemText(index); }
  virtual void FitDropDown();

  // The fitted list width in pixels; 0 until measured (or after items changed).
  int droppedWidth() const { return m_nDroppedWidth; }

  void showPopup() override;

 private:
  int m_nDroppedWidth = 0;
  bool m_bFitHeight = true;
  bool m_bFitWidth = true;
};
