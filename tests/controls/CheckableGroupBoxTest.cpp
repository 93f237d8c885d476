#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "controls/CheckableGroupBox.h"
#include "gui/Screenshot.h"

namespace {

struct Boxes {
  QWidget page;
  CCheckableGroupBox* outer;
  QLineEdit* outerField;
  CCheckableGroupBox* inner;
  QLineEdit* innerField;

  Boxes() {
    auto* pageLayout = new QVBoxLayout(&page);
    outer = new CCheckableGroupBox("Address", &page);
    pageLayout->addWidget(outer);
    auto* outerLayout = new QVBoxLayout(outer);
    outerField = new QLineEdit(outer);
    outerLayout->addWidget(outerField);
    inner = new CCheckableGroupBox("Unit", outer);
    outerLayout->addWidget(inner);
    auto* innerLayout = new QVBoxLayout(inner);
    innerField = new QLineEdit(inner);
    innerLayout->addWidget(innerField);
    inner->SetTitleStyle(CCheckableGroupBox::kCheckBox);
    outer->SetTitleStyle(CCheckableGroupBox::kCheckBox);
    page.show();
  }
};

TEST(CheckableGroupBox, TitleCheckEnablesTheContents) {
  Boxes boxes;
  EXPECT_EQ(boxes.outer->GetCheck(), 0);
  EXPECT_FALSE(boxes.outerField->isEnabled());

  boxes.outer->SetCheck(1);
  EXPECT_TRUE(boxes.outerField->isEnabled());

  boxes.outer->setEnabled(false);
  EXPECT_FALSE(boxes.outer->titleButton()->isEnabled());
  EXPECT_FALSE(boxes.outerField->isEnabled());
  boxes.outer->setEnabled(true);
  EXPECT_TRUE(boxes.outer->titleButton()->isEnabled());
  EXPECT_TRUE(boxes.outerField->isEnabled());
  SaveScreenshot(&boxes.page, "controls_checkable_group_box");
}

TEST(CheckableGroupBox, NestedBoxFollowsItsOwnCheckOnceTheOuterIsChecked) {
  Boxes boxes;
  boxes.inner->SetCheck(1);
  EXPECT_FALSE(boxes.innerField->isEnabled()) << "outer box is unchecked";

  boxes.outer->SetCheck(1);
  EXPECT_TRUE(boxes.innerField->isEnabled());

  boxes.inner->SetCheck(0);
  EXPECT_FALSE(boxes.innerField->isEnabled());
  boxes.outer->SetCheck(0);
  boxes.inner->SetCheck(1);
  EXPECT_FALSE(boxes.innerField->isEnabled());
}

TEST(CheckableGroupBox, TitleClickReachesTheParentAsAClickOnTheBox) {
  Boxes boxes;
  QSignalSpy spy(boxes.outer, &CCheckableGroupBox::clicked);
  QTest::mouseClick(boxes.outer->titleButton(), Qt::LeftButton);
  EXPECT_EQ(spy.count(), 1);
  EXPECT_EQ(boxes.outer->GetCheck(), 1);
  EXPECT_TRUE(boxes.outerField->isEnabled());
}

TEST(CheckableGroupBox, BoxWithoutTitleButtonReportsMinusOne) {
  CCheckableGroupBox box("Plain");
  box.SetTitleStyle(5);
  EXPECT_EQ(box.GetCheck(), -1);
  box.SetCheck(1);
  EXPECT_EQ(box.GetCheck(), -1);
  EXPECT_EQ(box.title(), "Plain");
}

TEST(CheckableGroupBox, RadioStyleBoxesOfOneNumberExcludeEachOther) {
  QWidget page;
  auto* first = new CCheckableGroupBox("First", &page, 1);
  auto* second = new CCheckableGroupBox("Second", &page, 1);
  auto* other = new CCheckableGroupBox("Other", &page, 2);
  for (auto* box : {first, second, other}) box->SetTitleStyle(CCheckableGroupBox::kRadioButton);
  second->SetCheck(1);
  other->SetCheck(1);
  first->titleButton()->click();
  EXPECT_EQ(first->GetCheck(), 1);
  EXPECT_EQ(second->GetCheck(), 0);
  EXPECT_EQ(other->GetCheck(), 1);
}

TEST(CheckableGroupBox, ShowGroupReturnsThePreviousVisibility) {
  Boxes boxes;
  boxes.outer->SetCheck(1);
  EXPECT_TRUE(boxes.outer->ShowGroup(false));
  EXPECT_FALSE(boxes.outerField->isVisible());
  EXPECT_FALSE(boxes.outer->ShowGroup(true));
  EXPECT_TRUE(boxes.outerField->isVisible());
}

}  // namespace
