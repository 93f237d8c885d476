// Builds the packed LED font tables from the font art in src/preview/fonts/.
//
// usage: marquee_fontgen OUTPUT.cpp SIZE1.txt SIZE2.txt SIZE3.txt SIZE4.txt SIZE5.txt
//
// An art file holds the 94 glyphs of one size, codes 33 to 126 in order. Each glyph is a
// line "glyph <code> <character>" followed by one line per stored dot row (7·R rows), each
// exactly as wide as the design area (the box without its spacing columns): '#' lit,
// '.' dark. Blank lines and lines starting with ';' between glyphs are ignored.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "preview/FontGeometry.h"

namespace {

struct ArtError {
  std::string where;
  std::string message;
};

class ArtReader {
 public:
  ArtReader(std::string path, const FontGeometry& geometry) : m_path(std::move(path)), m_geometry(geometry) {}

  // Appends the packed glyphs to table; false with an error on any malformed input.
  bool Read(std::vector<uint8_t>& table, ArtError& error) {
    std::ifstream in(m_path);
    if (!in) return Fail(error, "cannot open");
    for (std::string line; std::getline(in, line);) m_lines.push_back(line);

    for (int code = kFirstGlyphCode; code <= kLastGlyphCode; ++code) {
      if (!SkipToNextGlyph()) return Fail(error, "missing glyph " + std::to_string(code));
      if (!ReadHeader(code, error)) return false;
      std::vector<std::string> rows;
      for (int row = 0; row < m_geometry.StoredRows(); ++row) {
        if (++m_at >= m_lines.size()) return Fail(error, "glyph " + std::to_string(code) + " is cut short");
        const std::string& art = m_lines[m_at];
        if (static_cast<int>(art.size()) != m_geometry.DesignColumns() ||
            art.find_first_not_of("#.") != std::string::npos)
          return Fail(error, "a dot row needs exactly " + std::to_string(m_geometry.DesignColumns()) +
                                 " characters '#' or '.'");
        rows.push_back(art);
      }
      Pack(rows, table);
      ++m_at;
    }
    if (SkipToNextGlyph()) return Fail(error, "text after the last glyph");
    return true;
  }

 private:
  bool Fail(ArtError& error, const std::string& message) const {
    error.where = m_path;
    if (m_at < m_lines.size()) error.where.append(":").append(std::to_string(m_at + 1));
    error.message = message;
    return false;
  }

  // Moves to the next line that is neither blank nor a comment; false at the end.
  bool SkipToNextGlyph() {
    while (m_at < m_lines.size() && (m_lines[m_at].empty() || m_lines[m_at][0] == ';')) ++m_at;
    return m_at < m_lines.size();
  }

  bool ReadHeader(int code, ArtError& error) {
    std::istringstream header(m_lines[m_at]);
    std::string keyword, character;
    int given = 0;
    header >> keyword >> given >> character;
    if (keyword != "glyph" || given != code || character != std::string(1, static_cast<char>(code)))
      return Fail(error, "expected \"glyph " + std::to_string(code) + " " + static_cast<char>(code) + "\"");
    return true;
  }

  // rows: the stored rows top to bottom, design columns only.
  void Pack(const std::vector<std::string>& rows, std::vector<uint8_t>& table) const {
    const size_t glyphStart = table.size();
    table.resize(glyphStart + static_cast<size_t>(m_geometry.BytesPerGlyph()), 0);
    for (int cellColumn = 0; cellColumn < m_geometry.cellsWide; ++cellColumn) {
      for (int boxRow = m_geometry.cellsHigh; boxRow < m_geometry.BoxRows(); ++boxRow) {
        uint8_t bits = 0;
        for (int dot = 0; dot < 6; ++dot) {
          const size_t column = static_cast<size_t>(6 * cellColumn + dot);
          const std::string& art = rows[static_cast<size_t>(boxRow - m_geometry.cellsHigh)];
          if (column < art.size() && art[column] == '#') bits |= static_cast<uint8_t>(0x20 >> dot);
        }
        table[glyphStart +
              static_cast<size_t>(cellColumn * m_geometry.StoredRows() + StoredRowIndex(m_geometry, boxRow))] = bits;
      }
    }
  }

  std::string m_path;
  const FontGeometry& m_geometry;
  std::vector<std::string> m_lines;
  size_t m_at = 0;
};

void WriteTable(std::ostream& out, int sizeCode, const std::vector<uint8_t>& table) {
  out << "constexpr uint8_t kSize" << sizeCode << "[" << table.size() << "] = {";
  const int bytesPerGlyph = FontGeometryOf(sizeCode).BytesPerGlyph();
  for (size_t i = 0; i < table.size(); ++i) {
    const size_t inGlyph = i % static_cast<size_t>(bytesPerGlyph);
    if (inGlyph == 0) {
      const int code = kFirstGlyphCode + static_cast<int>(i) / bytesPerGlyph;
      out << "\n    // " << code << " '" << static_cast<char>(code) << "'";
    }
    if (inGlyph % 14 == 0) out << "\n   ";
    char hex[8];
    std::snprintf(hex, sizeof hex, " 0x%02X,", table[i]);
    out << hex;
  }
  out << "\n};\n\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 + kMaxSizeCode) {
    std::cerr << "usage: marquee_fontgen OUTPUT.cpp SIZE1.txt ... SIZE5.txt\n";
    return 2;
  }
  std::ostringstream out;
  out << "// Generated by marquee_fontgen from the font art in src/preview/fonts/. Do not edit.\n\n"
         "#include \"preview/FontTables.h\"\n\nnamespace {\n\n";
  for (int sizeCode = kMinSizeCode; sizeCode <= kMaxSizeCode; ++sizeCode) {
    std::vector<uint8_t> table;
    ArtError error;
    if (!ArtReader(argv[1 + sizeCode], FontGeometryOf(sizeCode)).Read(table, error)) {
      std::cerr << error.where << ": " << error.message << "\n";
      return 1;
    }
    WriteTable(out, sizeCode, table);
  }
  out << "}  // namespace\n\n"
         "const std::array<std::span<const uint8_t>, 5> kPackedFontTables{{kSize1, kSize2, kSize3, kSize4, kSize5}};\n";

  std::ofstream file(argv[1], std::ios::trunc);
  file << out.str();
  file.close();
  if (!file) {
    std::cerr << argv[1] << ": cannot write\n";
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
