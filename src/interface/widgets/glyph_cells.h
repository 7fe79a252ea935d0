#pragma once
// Which character each cell of a font sheet holds, shared by the asset tool that draws the sheets
// and the text engine that reads them, and the reading of one character out of a UTF-8 text.
// A sheet is a grid of 16 by 16 cells: printable ASCII, then the Latin-1 letters and signs, the
// euro, and the typographic quotes and dashes, each in a cell of its own.

#include <cstddef>
#include <cstdint>
#include <string>

namespace glyph_cells {

inline constexpr int kGrid = 16;
inline constexpr int kCells = kGrid * kGrid;

// The no-break space is drawn as a blank: no cell, a blank's advance.
inline constexpr uint32_t kNoBreakSpace = 0x00A0;
// What a byte that is not UTF-8 and means nothing in the old code page reads as.
inline constexpr uint32_t kUnreadable = 0xFFFD;

// After ASCII (cells 0..93) and Latin-1 U+00A1..U+00FF (cells 94..188), in this order.
inline constexpr uint32_t kExtraCharacters[] = {
    0x20AC,                                         // euro
    0x2018, 0x2019, 0x201A, 0x201C, 0x201D, 0x201E, // quotes
    0x2013, 0x2014, 0x2026, 0x2022, 0x2039, 0x203A, // dashes, ellipsis, bullet, angle quotes
};
inline constexpr int kFirstLatin1Cell = 126 - 33 + 1;
inline constexpr int kFirstExtraCell = kFirstLatin1Cell + (0xFF - 0xA1 + 1);
inline constexpr int kUsedCells =
    kFirstExtraCell + static_cast<int>(sizeof kExtraCharacters / sizeof kExtraCharacters[0]);
static_assert(kUsedCells <= kCells, "the font sheets have no room for every character");

// The code point shown in a cell; 0 for an empty cell.
inline uint32_t CharacterOfCell(int cell) {
    if (cell < 0 || cell >= kUsedCells)
        return 0;
    if (cell < kFirstLatin1Cell)
        return static_cast<uint32_t>(33 + cell);
    if (cell < kFirstExtraCell)
        return static_cast<uint32_t>(0xA1 + cell - kFirstLatin1Cell);
    return kExtraCharacters[cell - kFirstExtraCell];
}

// The cell of a code point; -1 when the sheets have none (the blanks and control codes included).
inline int CellOf(uint32_t codePoint) {
    if (codePoint >= 33 && codePoint <= 126)
        return static_cast<int>(codePoint) - 33;
    if (codePoint >= 0xA1 && codePoint <= 0xFF)
        return kFirstLatin1Cell + static_cast<int>(codePoint - 0xA1);
    for (int i = 0; i < kUsedCells - kFirstExtraCell; ++i)
        if (kExtraCharacters[i] == codePoint)
            return kFirstExtraCell + i;
    return -1;
}

// Reads the character starting at text[at] and moves `at` past it. A byte that does not start a
// well-formed UTF-8 sequence is read on its own in the old one-byte code page, so texts written
// before the game spoke UTF-8 (a saved currency sign) still draw.
inline uint32_t NextCharacter(const std::string& text, size_t& at) {
    static constexpr uint16_t kCodePageHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    const int length = lead < 0x80                             ? 1
                       : (lead & 0xE0) == 0xC0 && lead >= 0xC2 ? 2
                       : (lead & 0xF0) == 0xE0                 ? 3
                       : (lead & 0xF8) == 0xF0 && lead <= 0xF4 ? 4
                                                               : 0;
    uint32_t codePoint = length == 1 ? lead : lead & (0x7Fu >> length);
    bool valid = length > 0 && at + length <= text.size();
    for (int k = 1; valid && k < length; ++k) {
        const unsigned char c = static_cast<unsigned char>(text[at + k]);
        valid = (c & 0xC0) == 0x80;
        codePoint = codePoint << 6 | (c & 0x3Fu);
    }
    // Overlong forms and surrogates are not characters.
    if (valid && ((length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000) ||
                  (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF))
        valid = false;
    if (valid) {
        at += static_cast<size_t>(length);
        return codePoint;
    }
    ++at;
    if (lead >= 0x80 && lead <= 0x9F)
        return kCodePageHigh[lead - 0x80] ? kCodePageHigh[lead - 0x80] : kUnreadable;
    return lead;
}

} // namespace glyph_cells
