#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

#include "app/DialogUnits.h"
#include "controls/ReportView.h"
#include "database/MsgDBDlg.h"
#include "gui/MainWindowFixture.h"
#include "gui/Screenshot.h"
#include "message/MessageDatabaseFile.h"
#include "support/Find.h"

namespace {

std::unique_ptr<CMsgObjDBList> Message(const std::string& text, int group = 0, int unit = 0) {
  auto record = std::make_unique<CMsgObjDBList>();
  record->m_strText[0] = text;
  record->m_nGroup = static_cast<uint16_t>(group);
  record->m_nUnit = static_cast<uint16_t>(unit);
  return record;
}

QString Cell(const QTableView* list, int row, int column) {
  return list->model()->index(row, column).data().toString();
}

QStringList TextColumn(const QTableView* list) {
  QStringList texts;
  for (int row = 0; row < list->model()->rowCount(); ++row) texts << Cell(list, row, 0);
  return texts;
}

// The page on its own, over a message list of the texts given.
class MsgDBDlgTest : public ::testing::Test {
 protected:
  void Open(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) test.app->m_MessageList.push_back(Message(text));
    page = std::make_unique<CMsgDBDlg>();
    page->resize(page->sizeHint());
    page->show();
  }
  void Select(std::initializer_list<int> rows) {
    List()->clearSelection();
    for (int row : rows)
      List()->selectionModel()->select(List()->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  QTableView* List() const { return Find<QTableView>(page.get(), "messages"); }
  QPushButton* Button(const QString& caption) const { return Find<QPushButton>(page.get(), caption); }
  std::vector<std::string> ListTexts() const {
    std::vector<std::string> texts;
    for (const auto& record : test.app->m_MessageList) texts.push_back(record->m_strText[0]);
    return texts;
  }

  TestApp test;
  std::unique_ptr<CMsgDBDlg> page;
};

TEST_F(MsgDBDlgTest, ColumnsHaveTheirHeadingsAndWidths) {
  Open({});
  const QStringList headings = {"Msg Text", "Address",  "Group #",      "Unit #",      "Position",
                                "Line #",   "Column #", "Display Mode", "MSG Effects", "Save/Clear Flash"};
  const int widths[] = {300, 90, 55, 50, 60, 50, 55, 100, 100, 60};
  const int average = AverageCharWidth(List());
  QAbstractItemModel* model = List()->model();
  ASSERT_EQ(model->columnCount(), 10);
  for (int column = 0; column < 10; ++column) {
    EXPECT_EQ(model->headerData(column, Qt::Horizontal).toString(), headings[column]);
    EXPECT_EQ(List()->columnWidth(column), ScaleClassicPixelsX(widths[column], average)) << column;
  }
  EXPECT_EQ(model->rowCount(), 0);
  EXPECT_FALSE(Button("Select Message")->isEnabled());
  EXPECT_FALSE(Button("Delete")->isEnabled());
  EXPECT_EQ(page->GetFirstSelected(-1), -1);
}

TEST(DialogUnitsTest, FollowTheFontsMeasures) {
  struct Case {
    int units, average, height, x, y, classic;
  };
  const Case cases[] = {
      {4, 6, 13, 6, 6, 4},                                       // the classic font: its own pixels
      {100, 6, 13, 150, 162, 100}, {100, 7, 15, 175, 187, 116},  // rounded down
      {60, 12, 30, 180, 225, 120},                               // twice the font, twice the pixels
      {0, 9, 20, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DialogUnitsXFromFont(c.units, c.average), c.x) << c.units << " / " << c.average;
    EXPECT_EQ(DialogUnitsYFromFont(c.units, c.height), c.y) << c.units << " / " << c.height;
    EXPECT_EQ(ScaleClassicPixelsX(c.units, c.average), c.classic) << c.units << " / " << c.average;
  }
}

TEST_F(MsgDBDlgTest, DraggedWidthsStayAndTheOthersFollowTheFont) {
  Open({"Hello"});
  QHeaderView* header = List()->horizontalHeader();
  header->resizeSection(1, 333);  // as the operator's drag does
  page->OnPageShown();
  page->hide();
  page->show();
  QFont bigger = page->font();
  bigger.setPointSize(bigger.pointSize() * 2);
  page->setFont(bigger);
  EXPECT_EQ(List()->columnWidth(1), 333);
  EXPECT_EQ(List()->columnWidth(0), ScaleClassicPixelsX(300, AverageCharWidth(List())));
  EXPECT_GT(List()->columnWidth(0), 400);
}

TEST_F(MsgDBDlgTest, ACutCellOrHeadingOffersItsWholeText) {
  auto stored = Message("Hi");
  stored->m_nAddressMode = kAddressSpecificGroup;
  test.app->m_MessageList.push_back(std::move(stored));
  Open({});
  QTableView* list = List();
  list->setColumnWidth(1, 20);
  EXPECT_EQ(CutCellText(list, list->model()->index(0, 1)), "Specific Group");
  EXPECT_EQ(CutHeadingText(list, 1), "Address");
  EXPECT_EQ(CutCellText(list, list->model()->index(0, 0)), "") << "fits";
  EXPECT_EQ(CutHeadingText(list, 0), "");
  EXPECT_EQ(CutCellText(list, QModelIndex()), "");
  EXPECT_EQ(CutHeadingText(list, 10), "");
}

TEST_F(MsgDBDlgTest, RowsShowTheMessagesInListOrder) {
  auto stored = Message("Stop", 1, 12);
  stored->m_nAddressMode = kAddressSpecificUnit;
  stored->m_nPosition = kPositionStartingAt;
  stored->m_nLine = 2;
  stored->m_nColumn = 5;
  test.app->m_MessageList.push_back(Message("First"));
  test.app->m_MessageList.push_back(std::move(stored));
  Open({});
  EXPECT_EQ(TextColumn(List()), (QStringList{"First", "Stop"}));
  const QStringList cells = {"Specific Unit", "1", "12", "Starting at", "2", "5"};
  for (int column = 1; column <= 6; ++column) EXPECT_EQ(Cell(List(), 1, column), cells[column - 1]);
}

TEST_F(MsgDBDlgTest, ButtonsFollowTheNumberOfSelectedRows) {
  Open({"A", "B", "C"});
  struct Case {
    std::initializer_list<int> rows;
    bool select;
    bool erase;
  };
  const Case cases[] = {{{1}, true, true}, {{0, 2}, false, true}, {{}, false, false}, {{0, 1, 2}, false, true}};
  for (const Case& c : cases) {
    Select(c.rows);
    EXPECT_EQ(Button("Select Message")->isEnabled(), c.select) << c.rows.size();
    EXPECT_EQ(Button("Delete")->isEnabled(), c.erase) << c.rows.size();
  }
}

TEST_F(MsgDBDlgTest, FirstSelectedWalksTheSelectionDownwards) {
  Open({"A", "B", "C", "D"});
  Select({3, 1});
  EXPECT_EQ(page->GetFirstSelected(-1), 1);
  EXPECT_EQ(page->GetFirstSelected(1), 3);
  EXPECT_EQ(page->GetFirstSelected(3), -1);
}

TEST_F(MsgDBDlgTest, DeleteKeyAskedYesRemovesTheSelectedMessagesAndRows) {
  Open({"A", "B", "C", "D", "E"});
  Select({0, 2, 3});
  test.prompter.answer = true;
  QTest::keyClick(List(), Qt::Key_Delete);
  EXPECT_EQ(test.prompter.questions, std::vector<std::string>{"Do you want to delete selected message(s)?"});
  EXPECT_EQ(ListTexts(), (std::vector<std::string>{"B", "E"}));
  EXPECT_EQ(TextColumn(List()), (QStringList{"B", "E"}));
  EXPECT_FALSE(Button("Delete")->isEnabled());
  EXPECT_FALSE(Button("Select Message")->isEnabled());
}

TEST_F(MsgDBDlgTest, DeleteAnsweredNoChangesNothing) {
  Open({"A", "B"});
  Select({0, 1});
  test.prompter.answer = false;
  Button("Delete")->click();
  EXPECT_EQ(test.prompter.questions.size(), 1u);
  EXPECT_EQ(ListTexts(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(TextColumn(List()), (QStringList{"A", "B"}));
  EXPECT_EQ(page->GetFirstSelected(-1), 0);
}

TEST_F(MsgDBDlgTest, DeleteWithoutASelectionAsksNothing) {
  Open({"A"});
  QTest::keyClick(List(), Qt::Key_Delete);
  page->OnDelete();
  EXPECT_TRUE(test.prompter.questions.empty());
  EXPECT_EQ(ListTexts().size(), 1u);
}

TEST_F(MsgDBDlgTest, ShowingThePageAgainShowsMessagesAddedElsewhere) {
  Open({"A", "B"});
  Select({1});
  page->hide();
  test.app->m_MessageList.push_back(Message("C"));
  page->show();
  EXPECT_EQ(TextColumn(List()), (QStringList{"A", "B", "C"}));
  EXPECT_EQ(page->GetFirstSelected(-1), 1) << "the selection stays";

  // Rows follow the list when it shrank too (the program's end empties it).
  test.app->m_MessageList.clear();
  page->FillRows();
  EXPECT_EQ(List()->model()->rowCount(), 0);
  EXPECT_FALSE(Button("Delete")->isEnabled());
}

TEST_F(MsgDBDlgTest, ShowRowRewritesARowOrAddsOneAtTheEnd) {
  Open({"A"});
  test.app->m_MessageList.push_back(Message("B"));
  EXPECT_EQ(page->ShowRow(-1), 1);
  EXPECT_EQ(page->ShowRow(0), 0);
  EXPECT_EQ(page->ShowRow(7), 2) << "an index past the rows adds a row";
  EXPECT_EQ(TextColumn(List()), (QStringList{"A", "B", ""})) << "a row without a message is blank";
}

TEST_F(MsgDBDlgTest, SelectMessagePicksTheMessageIntoTheComposer) {
  auto stored = Message("^K1^dC2GO", 2, 8);
  stored->m_nAddressMode = kAddressSpecificUnit;
  stored->m_nPosition = kPositionStartingAt;
  stored->m_nLine = 3;
  stored->m_nColumn = 17;
  stored->m_nEffect = kEffectBlink;
  stored->m_nResetMode = kResetClearLine;
  stored->m_nFlashMode = kFlashSave;
  stored->m_bClearLine = true;
  const CMsgObjDBList copy = *stored;
  test.app->m_MessageList.push_back(Message("Other"));
  test.app->m_MessageList.push_back(std::move(stored));
  Open({});
  page->OnSelectMessage();
  EXPECT_FALSE(test.app->m_bMessageLoaded) << "nothing selected, nothing picked";

  Select({1});
  Button("Select Message")->click();
  EXPECT_TRUE(test.app->m_bMessageLoaded);
  const CMsgSettings& current = test.app->m_MsgSettings;
  EXPECT_EQ(current.m_nAddressMode, kAddressSpecificUnit);
  EXPECT_EQ(current.Codes(), copy.Codes());
  EXPECT_EQ(current.m_strText, "^K1^dC2GO");
  EXPECT_EQ(test.app->m_nGroupNumber, 2);
  EXPECT_EQ(test.app->m_nUnitNumber, 8);
  EXPECT_EQ(test.app->m_PickedMessage.Codes(), copy.Codes());
  EXPECT_EQ(test.app->m_PickedMessage.m_strText[0], "^K1^dC2GO");
  EXPECT_EQ(test.app->m_MessageList.size(), 2u) << "picking keeps the message";
}

TEST_F(MainWindowTest, SelectMessageShowsTheComposer) {
  test.app->m_MessageList.push_back(Message("Hello"));
  tabs()->SelectPage(3);
  Find<QTableView>(page(3), "messages")->selectRow(0);
  QTest::mouseClick(Find<QPushButton>(page(3), "Select Message"), Qt::LeftButton);
  EXPECT_EQ(tabs()->CurrentPage(), 0);
  EXPECT_TRUE(page(0)->isVisible());
}

class DatabaseFileTest : public MainWindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(test.DataFolder()));
    ASSERT_TRUE(QFile::copy(MARQUEE_TEST_DATA "/three_messages.nmd", DatabasePath()));
    OpenWindow();
  }
  QString DatabasePath() const { return test.DataFolder() + "/NorvMarquee.nmd"; }
};

TEST_F(DatabaseFileTest, DeletedMessagesAreGoneFromTheFileOnceTheProgramCloses) {
  tabs()->SelectPage(3);
  auto* list = Find<QTableView>(page(3), "messages");
  ASSERT_EQ(list->model()->rowCount(), 3);
  EXPECT_TRUE(SaveScreenshot(window.get(), "page_message_database_three_messages"));
  const std::string kept = test.app->m_MessageList[1]->m_strText[0];
  list->selectRow(0);
  list->selectionModel()->select(list->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  test.prompter.answer = true;
  Find<QPushButton>(page(3), "Delete")->click();
  CloseWindow();

  CMsgList saved;
  ASSERT_EQ(LoadMessageDatabase(QFile::encodeName(DatabasePath()).toStdString(), saved).outcome,
            DataFileLoadOutcome::Complete);
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0]->m_strText[0], kept);
}

}  // namespace
