#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "preview/FontTables.h"
#include "preview/LedFont.h"

namespace {

std::vector<uint8_t> Bytes(int sizeCode, int code) {
  auto glyph = PackedGlyph(sizeCode, code);
  return {glyph.begin(), glyph.end()};
}

// Box row as text: x lit, o dark, leftmost dot first.
std::string BoxRow(const GlyphBox& box, int row) {
  std::string text;
  for (int column = 0; column < box.columns; ++column) text += box.Lit(column, row) ? 'x' : 'o';
  return text;
}

TEST(LedFont, WorkedRowsComeOutByteForByte) {
  EXPECT_EQ(Bytes(1, 'A'), (std::vector<uint8_t>{0x1C, 0x22, 0x22, 0x22, 0x3E, 0x22, 0x22}));
  EXPECT_EQ(Bytes(1, 'g'), (std::vector<uint8_t>{0x00, 0x00, 0x1E, 0x22, 0x1E, 0x02, 0x3C}));
  EXPECT_EQ(Bytes(1, '0'), (std::vector<uint8_t>{0x1C, 0x22, 0x26, 0x2A, 0x32, 0x22, 0x1C}));
  EXPECT_EQ(Bytes(1, '~'), (std::vector<uint8_t>{0x00, 0x14, 0x28, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Bytes(2, 'A'),
            (std::vector<uint8_t>{0x30, 0x30, 0x3F, 0x3F, 0x30, 0x30, 0x30, 0x30, 0x0F, 0x1F, 0x38, 0x30, 0x30, 0x30,
                                  0x0C, 0x0C, 0x3C, 0x3C, 0x0C, 0x0C, 0x0C, 0x0C, 0x30, 0x38, 0x1C, 0x0C, 0x0C, 0x0C}));
}

TEST(LedFont, UnpacksTheWorkedGlyphs) {
  const GlyphBox a1 = LookupGlyph(1, 'A');
  ASSERT_EQ(a1.columns, 6);
  ASSERT_EQ(a1.rows, 8);
  const std::vector<std::string> expected{"oooooo", "oxxxoo", "xoooxo", "xoooxo",
                                          "xoooxo", "xxxxxo", "xoooxo", "xoooxo"};
  for (int row = 0; row < 8; ++row) EXPECT_EQ(BoxRow(a1, row), expected[static_cast<size_t>(row)]) << row;

  const GlyphBox a2 = LookupGlyph(2, 'A');
  ASSERT_EQ(a2.columns, 12);
  ASSERT_EQ(a2.rows, 16);
  EXPECT_EQ(BoxRow(a2, 0), "oooooooooooo");
  EXPECT_EQ(BoxRow(a2, 1), "oooooooooooo");
  EXPECT_EQ(BoxRow(a2, 2), "ooxxxxxxoooo");
  EXPECT_EQ(BoxRow(a2, 10), "xxxxxxxxxxoo");
  EXPECT_EQ(BoxRow(a2, 11), "xxxxxxxxxxoo");
  EXPECT_EQ(BoxRow(a2, 15), "xxooooooxxoo");
}

TEST(LedFont, StoredRowsGoInBandsFromTheBottomUp) {
  struct Case {
    int sizeCode, boxRow, index;
  };
  // R = 3 stores rows 16-23, then 8-15, then 3-7; R = 4 rows 24-31, 16-23, 8-15, then 4-7.
  for (const Case& c : {Case{1, 1, 0}, Case{1, 7, 6}, Case{3, 16, 0}, Case{3, 23, 7}, Case{3, 8, 8}, Case{3, 15, 15},
                        Case{3, 3, 16}, Case{3, 7, 20}, Case{4, 24, 0}, Case{4, 16, 8}, Case{4, 8, 16}, Case{4, 4, 24},
                        Case{4, 7, 27}, Case{5, 31, 7}, Case{5, 4, 24}})
    EXPECT_EQ(StoredRowIndex(FontGeometryOf(c.sizeCode), c.boxRow), c.index) << c.sizeCode << "/" << c.boxRow;
}

TEST(LedFont, TablesHoldNinetyFourGlyphsFromCode33To126) {
  const size_t expectedBytes[] = {658, 2632, 5922, 10528, 5264};
  for (int size = kMinSizeCode; size <= kMaxSizeCode; ++size) {
    const auto table = kPackedFontTables[static_cast<size_t>(size - 1)];
    ASSERT_EQ(table.size(), expectedBytes[size - 1]);
    EXPECT_EQ(PackedGlyph(size, 33).data(), table.data());
    EXPECT_EQ(PackedGlyph(size, 126).data() + PackedGlyph(size, 126).size(), table.data() + table.size());
    EXPECT_TRUE(PackedGlyph(size, 127).empty());
    EXPECT_TRUE(PackedGlyph(size, 32).empty());
  }
}

TEST(LedFont, CodesWithoutAGlyphGiveADarkBoxOfTheSize) {
  for (int size = kMinSizeCode; size <= kMaxSizeCode; ++size) {
    const FontGeometry& geometry = FontGeometryOf(size);
    for (int code : {0, 32, 127, 200, 255}) {
      const GlyphBox box = LookupGlyph(size, code);
      EXPECT_EQ(box.columns, geometry.BoxColumns());
      EXPECT_EQ(box.rows, geometry.BoxRows());
      EXPECT_EQ(std::count(box.dots.begin(), box.dots.end(), true), 0) << size << "/" << code;
      EXPECT_EQ(GlyphCellRows(size, code, 0, 0), CellRows{});
    }
  }
  EXPECT_EQ(LookupGlyph(0, 'A').columns, 0);
  EXPECT_EQ(LookupGlyph(6, 'A').rows, 0);
  EXPECT_EQ(GlyphCellRows(1, 'A', 1, 0), CellRows{});
}

TEST(LedFont, EveryGlyphKeepsItsSpacingAndTopRowsDarkAndLightsSomething) {
  for (int size = kMinSizeCode; size <= kMaxSizeCode; ++size) {
    const FontGeometry& geometry = FontGeometryOf(size);
    for (int code = kFirstGlyphCode; code <= kLastGlyphCode; ++code) {
      for (uint8_t byte : PackedGlyph(size, code)) EXPECT_EQ(byte & 0xC0, 0) << size << "/" << code;
      const GlyphBox box = LookupGlyph(size, code);
      int lit = 0;
      for (int row = 0; row < box.rows; ++row) {
        for (int column = 0; column < box.columns; ++column) {
          if (!box.Lit(column, row)) continue;
          ++lit;
          EXPECT_GE(row, geometry.cellsHigh) << "top rows lit: size " << size << " code " << code;
          EXPECT_LT(column, geometry.DesignColumns()) << "spacing lit: size " << size << " code " << code;
        }
      }
      EXPECT_GT(lit, 0) << "size " << size << " code " << code;
    }
  }
}

TEST(LedFont, NoTwoCharactersShareABitmapWithinASize) {
  for (int size = kMinSizeCode; size <= kMaxSizeCode; ++size) {
    std::set<std::string> seen;
    for (int code = kFirstGlyphCode; code <= kLastGlyphCode; ++code) {
      const auto glyph = PackedGlyph(size, code);
      EXPECT_TRUE(seen.emplace(glyph.begin(), glyph.end()).second) << "size " << size << " code " << code;
    }
  }
}

// The tables are built from the font art; every glyph must unpack to exactly its art.
TEST(LedFont, TablesMatchTheFontArt) {
  for (int size = kMinSizeCode; size <= kMaxSizeCode; ++size) {
    const FontGeometry& geometry = FontGeometryOf(size);
    std::ifstream art(std::string(MARQUEE_FONT_ART) + "/size" + std::to_string(size) + ".txt");
    ASSERT_TRUE(art) << size;
    std::string line;
    int code = kFirstGlyphCode - 1;
    int row = 0;
    GlyphBox box;
    while (std::getline(art, line)) {
      if (line.rfind("glyph ", 0) == 0) {
        ASSERT_EQ(std::stoi(line.substr(6)), ++code);
        box = LookupGlyph(size, code);
        row = 0;
      } else if (!line.empty() && line[0] != ';') {
        ASSERT_EQ(static_cast<int>(line.size()), geometry.DesignColumns());
        for (int column = 0; column < geometry.DesignColumns(); ++column)
          EXPECT_EQ(box.Lit(column, geometry.cellsHigh + row), line[static_cast<size_t>(column)] == '#')
              << "size " << size << " code " << code << " row " << row << " column " << column;
        ++row;
      }
    }
    EXPECT_EQ(code, kLastGlyphCode);
  }
}

}  // namespace
