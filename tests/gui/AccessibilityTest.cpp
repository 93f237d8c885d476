#include <QAccessible>
#include <QRadioButton>
#include <QSet>
#include <QTimer>

#include "app/AboutDlg.h"
#include "gui/MainWindowFixture.h"

namespace {

// What Tab can stop at inside root: visible, enabled controls that take the focus by Tab
// themselves (not through a focus proxy).
QList<QWidget*> TabStops(const QWidget* root) {
  QList<QWidget*> stops;
  for (QWidget* widget : root->findChildren<QWidget*>())
    if ((widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->isVisible() && widget->isEnabled() &&
        !widget->focusProxy())
      stops << widget;
  return stops;
}

// Radio buttons that exclude each other are one Tab stop: Tab reaches one of them (Qt leaves
// the others out once one has had the focus) and the arrow keys move between them.
bool Reached(const QSet<QWidget*>& reached, QWidget* stop) {
  if (reached.contains(stop)) return true;
  const auto* radio = qobject_cast<const QRadioButton*>(stop);
  if (!radio || !radio->autoExclusive()) return false;
  for (QRadioButton* sibling : radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
    if (sibling->autoExclusive() && reached.contains(sibling)) return true;
  return false;
}

QString Describe(const QWidget* widget) {
  return QString("%1 \"%2\"").arg(widget->metaObject()->className(), widget->objectName());
}

QString AccessibleName(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible ? accessible->text(QAccessible::Name) : QString();
}

// Presses Tab from the focused control until the focus comes round again; every control it
// can stop at in window must be reached on the way, and each must carry a name for a screen
// reader (its text, its buddy label's text or an explicit accessible name).
void ExpectEveryControlReachableAndNamed(QWidget* window, const QString& where) {
  const QList<QWidget*> stops = TabStops(window);
  ASSERT_FALSE(stops.isEmpty()) << where.toStdString();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; })) << where.toStdString();
  QSet<QWidget*> reached;
  QWidget* first = QApplication::focusWidget();
  ASSERT_NE(first, nullptr) << where.toStdString();
  for (int presses = 0; presses <= 2 * stops.size(); ++presses) {
    reached.insert(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    if (QApplication::focusWidget() == first) break;
  }
  EXPECT_EQ(QApplication::focusWidget(), first) << where.toStdString() << ": Tab does not come round";
  for (QWidget* stop : stops) {
    EXPECT_TRUE(Reached(reached, stop)) << where.toStdString() << ": Tab never reaches "
                                        << Describe(stop).toStdString();
    EXPECT_FALSE(AccessibleName(stop).trimmed().isEmpty())
        << where.toStdString() << ": no accessible name for " << Describe(stop).toStdString();
  }
}

TEST_F(MainWindowTest, EveryControlOfEveryPageIsReachableByTabAndNamed) {
  for (int index = 0; index < CNorvTabCtrl::kPageCount; ++index) {
    tabs()->SelectPage(index);
    ExpectEveryControlReachableAndNamed(window.get(), tabs()->tabText(index));
  }
}

TEST_F(MainWindowTest, TheAboutBoxIsReachableAndNamed) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    QWidget* about = QApplication::activeModalWidget();
    ASSERT_NE(qobject_cast<CAboutDlg*>(about), nullptr);
    seen = true;
    ExpectEveryControlReachableAndNamed(about, "About");
    about->close();
  });
  window->OnAbout();
  EXPECT_TRUE(seen);
}

}  // namespace
