#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QList>
#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

// The one control of type T under parent whose object name is name or, for a button, whose
// caption is name, as the widget tests reach a page's controls. None or more than one is a
// test failure that names the control; the exception it throws ends the test there.
template <class T>
T* Find(const QObject* parent, const QString& name) {
  QList<T*> found;
  for (T* child : parent->findChildren<T*>()) {
    const auto* button = qobject_cast<const QAbstractButton*>(child);
    if (child->objectName() == name || (button && button->text() == name)) found << child;
  }
  if (found.size() == 1) return found.front();
  const std::string what = std::string(found.empty() ? "no" : "more than one") + " " + T::staticMetaObject.className() +
                           " \"" + name.toStdString() + "\" in " + parent->metaObject()->className();
  ADD_FAILURE() << what;
  throw std::runtime_error(what);
}
