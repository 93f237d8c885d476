#include "preview/LedFont.h"

#include "preview/FontTables.h"

std::span<const uint8_t> PackedGlyph(int sizeCode, int code) {
  if (!IsValidSizeCode(sizeCode) || !HasGlyph(code)) return {};
  const auto bytes = static_cast<size_t>(FontGeometryOf(sizeCode).BytesPerGlyph());
  return kPackedFontTables[static_cast<size_t>(sizeCode - kMinSizeCode)].subspan(
      static_cast<size_t>(code - kFirstGlyphCode) * bytes, bytes);
}

CellRows GlyphCellRows(int sizeCode, int code, int cellRow, int cellColumn) {
  CellRows rows{};
  const std::span<const uint8_t> glyph = PackedGlyph(sizeCode, code);
  if (glyph.empty()) return rows;
  const FontGeometry& geometry = FontGeometryOf(sizeCode);
  if (cellRow < 0 || cellRow >= geometry.cellsHigh || cellColumn < 0 || cellColumn >= geometry.cellsWide) return rows;
  const std::span<const uint8_t> column = glyph.subspan(static_cast<size_t>(cellColumn * geometry.StoredRows()),
                                                        static_cast<size_t>(geometry.StoredRows()));
  const int firstBoxRow = geometry.cellsHigh + 7 * cellRow;
  for (int r = 0; r < 7; ++r)
    rows[static_cast<size_t>(r)] = column[static_cast<size_t>(StoredRowIndex(geometry, firstBoxRow + r))];
  return rows;
}

GlyphBox LookupGlyph(int sizeCode, int code) {
  GlyphBox box;
  if (!IsValidSizeCode(sizeCode)) return box;
  const FontGeometry& geometry = FontGeometryOf(sizeCode);
  box.columns = geometry.BoxColumns();
  box.rows = geometry.BoxRows();
  box.dots.assign(static_cast<size_t>(box.columns * box.rows), false);
  for (int cellRow = 0; cellRow < geometry.cellsHigh; ++cellRow) {
    for (int cellColumn = 0; cellColumn < geometry.cellsWide; ++cellColumn) {
      const CellRows rows = GlyphCellRows(sizeCode, code, cellRow, cellColumn);
      for (int r = 0; r < 7; ++r)
        for (int dot = 0; dot < 6; ++dot)
          if (rows[static_cast<size_t>(r)] & (0x20 >> dot))
            box.dots[static_cast<size_t>((geometry.cellsHigh + 7 * cellRow + r) * box.columns + 6 * cellColumn + dot)] =
                true;
    }
  }
  return box;
}
