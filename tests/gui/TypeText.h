#pragma once

#include <QString>
#include <QTest>

// Types text character by character, as a keyboard layout that has those characters would:
// one key press and release carrying each character. QTest's own typing knows ASCII only.
inline void TypeText(QWidget* widget, const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype units = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString character = text.mid(i, units);
    QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, character, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, character, Qt::NoModifier);
    i += units - 1;
  }
}
