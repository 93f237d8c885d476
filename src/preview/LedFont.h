#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "preview/FontGeometry.h"

// The bytes of one glyph in storage format (FontGeometry.h): BytesPerGlyph() bytes for a
// size code 1 to 5 and a code 33 to 126; empty for any other size or code.
std::span<const uint8_t> PackedGlyph(int sizeCode, int code);

// The 7 dot rows of cell (cellRow, cellColumn) of a glyph, top row first, each a 6-bit row
// value (bit 5 = leftmost dot). Cell (0, 0) is the top-left cell; its top-left dot is box
// row R, box column 0. All rows are 0 for a code without a glyph, an invalid size code or a
// cell outside the glyph.
using CellRows = std::array<uint8_t, 7>;
CellRows GlyphCellRows(int sizeCode, int code, int cellRow, int cellColumn);

// A glyph's whole box, unpacked: columns × rows dots, row-major, top row first.
struct GlyphBox {
  int columns = 0;
  int rows = 0;
  std::vector<bool> dots;

  bool Lit(int column, int row) const { return dots[static_cast<size_t>(row * columns + column)]; }
};

// The 6·W × 8·R box of a glyph; all dark for a code without a glyph (space, 127, 200, ...);
// an empty 0 × 0 box for an invalid size code.
GlyphBox LookupGlyph(int sizeCode, int code);
