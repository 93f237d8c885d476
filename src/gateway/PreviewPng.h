#pragma once

#include <QByteArray>
#include <string_view>

// Frame `frame` (0 = the first paint) of the preview animation of a command string on a
// marquee model, as PNG bytes: the dots as the preview window draws them, on black.
// commandString: the sign's bytes as sent, address and header codes included; empty gives
// the dark matrix. An unknown model gives an empty array.
QByteArray PreviewPng(std::string_view commandString, int model, int frame);
