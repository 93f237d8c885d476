#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QScreen>

#include "controls/NorvComboBox.h"

namespace {

TEST(NorvComboBox, ListIsAsWideAsTheLongestItemAndRemeasuredAfterAdding) {
  CNorvComboBox combo;
  combo.addItems({"A", "A much longer item than the combo itself is wide"});
  combo.resize(60, combo.sizeHint().height());
  combo.show();
  combo.FitDropDown();
  const int longest = QFontMetrics(combo.view()->font()).horizontalAdvance(combo.GetItemText(1));
  EXPECT_GE(combo.droppedWidth(), longest);
  EXPECT_LT(combo.droppedWidth(), longest + 80);
  EXPECT_GE(combo.view()->minimumWidth(), longest);

  const int before = combo.droppedWidth();
  combo.addItem("An even longer item than the much longer item that came before it");
  EXPECT_EQ(combo.droppedWidth(), 0) << "adding an item asks for a new measurement";
  combo.FitDropDown();
  EXPECT_GT(combo.droppedWidth(), before);
}

TEST(NorvComboBox, ListHeightIsLimitedToTheRoomOnScreen) {
  CNorvComboBox combo;
  for (int i = 0; i < 2000; ++i) combo.addItem(QString("Item %1").arg(i));
  combo.show();
  combo.FitDropDown();
  const int itemHeight = combo.view()->sizeHintForRow(0);
  const QRect desktop = combo.screen()->availableGeometry();
  EXPECT_LE(combo.maxVisibleItems() * itemHeight, desktop.height());
  EXPECT_LT(combo.maxVisibleItems(), 2000);

  CNorvComboBox small;
  small.addItems({"one", "two", "three"});
  small.show();
  small.FitDropDown();
  EXPECT_EQ(small.maxVisibleItems(), 3);
}

}  // namespace
