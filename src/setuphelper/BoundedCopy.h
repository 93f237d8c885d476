#pragma once

#include <cstddef>

// Copies the text at source, which ends at its first zero byte or after sourceSize bytes,
// whichever comes first, into destination (destinationSize bytes), truncated so that the
// zero always fits. Writes nothing when destinationSize is 0.
inline void CopyBounded(char* destination, std::size_t destinationSize, const char* source,
                        std::size_t sourceSize) noexcept {
  if (destinationSize == 0) return;
  std::size_t length = 0;
  while (length < sourceSize && length + 1 < destinationSize && source[length] != '\0') {
    destination[length] = source[length];
    ++length;
  }
  destination[length] = '\0';
}
