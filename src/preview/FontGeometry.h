#pragma once

#include <array>

// Geometry of the five LED fonts, one per character size code (1 to 5).
//
// A glyph is W cells wide and R cells high; its box is 6·W dot columns by 8·R dot rows.
// The top R dot rows of the box are always dark; the lower 7·R rows are stored. The
// rightmost `spacingColumns` dot columns form the character spacing and are always dark.
//
// Storage format of one glyph (bytesPerGlyph bytes): cell column by cell column, left to
// right, 7·R bytes each. A byte is one dot row of a cell column, bit 5 (0x20) the leftmost
// dot, bit 0 the rightmost. Within a cell column the rows are grouped in bands of 8 that
// line up with the 8-row text lines, stored from the bottom band upwards, each band top row
// first; of the top band only its lower 8 − R rows are stored.
struct FontGeometry {
  int cellsWide;       // W
  int cellsHigh;       // R
  int spacingColumns;  // dark dot columns at the right of the box

  constexpr int BoxColumns() const { return 6 * cellsWide; }
  constexpr int BoxRows() const { return 8 * cellsHigh; }
  constexpr int StoredRows() const { return 7 * cellsHigh; }
  constexpr int BytesPerGlyph() const { return StoredRows() * cellsWide; }
  // The dots a glyph design may light: the box without its spacing and top dark rows.
  constexpr int DesignColumns() const { return BoxColumns() - spacingColumns; }
};

constexpr int kMinSizeCode = 1;
constexpr int kMaxSizeCode = 5;
constexpr int kFirstGlyphCode = 33;  // "!"
constexpr int kLastGlyphCode = 126;  // "~"

constexpr std::array<FontGeometry, 5> kFontGeometries{{
    {1, 1, 1},  // size 1: classic 5 x 7
    {2, 2, 2},  // size 2: bold, 2-dot strokes
    {3, 3, 3},  // size 3: bold, 3-dot strokes
    {4, 4, 4},  // size 4: bold, 4-dot strokes
    {2, 4, 2},  // size 5: narrow and tall, 3-dot strokes
}};

constexpr bool IsValidSizeCode(int sizeCode) {
  return sizeCode >= kMinSizeCode && sizeCode <= kMaxSizeCode;
}
constexpr bool HasGlyph(int code) {
  return code >= kFirstGlyphCode && code <= kLastGlyphCode;
}

// sizeCode must be 1 to 5.
constexpr const FontGeometry& FontGeometryOf(int sizeCode) {
  return kFontGeometries[static_cast<size_t>(sizeCode - kMinSizeCode)];
}

// Index of box row y (0 = top, R <= y < 8·R) within the 7·R stored bytes of a cell column.
constexpr int StoredRowIndex(const FontGeometry& geometry, int boxRow) {
  const int r = geometry.cellsHigh;
  const int bandFromBottom = (8 * r - 1 - boxRow) / 8;
  const int rowInBand = boxRow - (8 * r - 8 * (bandFromBottom + 1));
  return 8 * bandFromBottom + rowInBand - (bandFromBottom == r - 1 ? r : 0);
}
