#include "common/QtText.h"

#include <QByteArray>

std::string FromQString(const QString& text) {
  // Characters beyond Latin-1 become '?', as a single-byte code page would show them.
  QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}
