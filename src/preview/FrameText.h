#pragma once

#include <string>
#include <vector>

#include "preview/PreviewRenderer.h"

// A frame as text for terminals and tests: one row per dot row of the matrix (height / 4
// rows of width / 4 characters), '.' for a dark dot and, for a lit one, 'R', 'G' or 'Y' by
// its red and green parts (a lit dot with neither shows as '.').
std::vector<std::string> FrameDotRows(const PreviewFrame& frame);
