#pragma once

#include <QComboBox>
#include <QSignalBlocker>

// Selects a list entry as the program does, without the list reporting an operator's choice.
// An index outside the list leaves nothing selected. A null list is left alone.
inline void SelectQuietly(QComboBox* list, int index) {
  if (!list) return;
  const QSignalBlocker quiet(list);
  list->setCurrentIndex(index);
}
