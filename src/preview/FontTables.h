#pragma once

#include <array>
#include <cstdint>
#include <span>

// The five packed glyph tables in storage format (see FontGeometry.h), index size code − 1:
// 94 glyphs each, codes 33 to 126 in order. Generated at build time by tools/fontgen from
// the font art in src/preview/fonts/.
extern const std::array<std::span<const uint8_t>, 5> kPackedFontTables;
