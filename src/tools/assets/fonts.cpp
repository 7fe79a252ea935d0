// The game's bitmap fonts: for each, a square sheet of glyph cells (white ink, coverage in alpha,
// so the game can tint it) holding the characters of glyph_cells.h, and a width file of each
// cell's advance in pixels.

#include "interface/widgets/glyph_cells.h"
#include "tools/assets/asset_steps.h"
#include "tools/assets/canvas.h"
#include "tools/assets/glyph_raster.h"

#include <FreeImage.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kGrid = glyph_cells::kGrid;
constexpr int kCells = glyph_cells::kCells;

struct FontSheet {
    const char* name;     // texture file name, also the font's name in the game
    const char* fontFile; // the system font drawn from
    int size;             // native text size: one line of text is this many pixels high
    int cell;             // side of a glyph cell in the sheet
};

// Condensed faces for the narrower families, so the game's layouts keep their line lengths.
const FontSheet kSheets[] = {
    {"tahoma12.dds", "DejaVuSansCondensed.ttf", 12, 12},
    {"verdana12.dds", "DejaVuSans.ttf", 12, 12},
    {"verdanabold16.dds", "DejaVuSans-Bold.ttf", 16, 24},
    {"arial16.dds", "DejaVuSansCondensed.ttf", 16, 24},
    {"arialbold16.dds", "DejaVuSansCondensed-Bold.ttf", 16, 24},
    {"arialbold20.dds", "DejaVuSansCondensed-Bold.ttf", 20, 24},
    {"tahoma30.dds", "DejaVuSansCondensed.ttf", 30, 40},
};

// Which character each cell shows; 0 marks an empty cell.
std::array<uint32_t, kCells> CellCharacters() {
    std::array<uint32_t, kCells> cells{};
    for (int k = 0; k < kCells; ++k)
        cells[k] = glyph_cells::CharacterOfCell(k);
    return cells;
}

// The characters that set a sheet's size and baseline: ASCII and the currency signs. The accented
// capitals reach higher than any of them and must not shrink the text to make room.
bool SetsTheLayout(uint32_t c) {
    return c < 0x80 || c == 0x00A3 || c == 0x20AC;
}

struct Layout {
    float em = 0;
    Hinting hinting = Hinting::Full;
    int capHeight = 0;
    int ascent = 0, descent = 0; // extremes of the ink over all cells
    int baseline = 0;            // row of the baseline inside every cell
    std::array<RenderedGlyph, kCells> glyphs;
};

// Renders every cell at one em size; false when some glyph cannot fit its cell.
bool RenderAll(GlyphRaster& raster, const FontSheet& sheet, float em, Hinting hinting,
               Layout& layout) {
    if (!raster.SetPixelSize(em, hinting))
        return false;
    const auto cells = CellCharacters();
    layout.em = em;
    layout.hinting = hinting;
    layout.capHeight = raster.CapHeight();
    layout.ascent = layout.descent = 0;
    for (int k = 0; k < kCells; ++k) {
        layout.glyphs[k] = SetsTheLayout(cells[k]) ? raster.Render(cells[k]) : RenderedGlyph{};
        const RenderedGlyph& g = layout.glyphs[k];
        if (!g.present || g.width == 0)
            continue;
        if (std::max(g.left, 0) + g.width > sheet.cell)
            return false;
        layout.ascent = std::max(layout.ascent, g.top);
        layout.descent = std::max(layout.descent, g.Descent());
    }
    return layout.ascent + layout.descent <= sheet.cell;
}

// Picks the em size whose capitals come closest to 70% of the text size while every glyph fits its
// cell; on a tie the larger size wins, as it reads better.
bool ChooseLayout(GlyphRaster& raster, const FontSheet& sheet, Layout& best) {
    const Hinting hinting = sheet.size <= 16 ? Hinting::Full : Hinting::Light;
    const int target = static_cast<int>(std::lround(sheet.size * 0.7));
    bool found = false;
    Layout trial;
    for (float em = sheet.size * 0.8f; em <= sheet.size * 1.1f; em += 0.25f) {
        if (!RenderAll(raster, sheet, em, hinting, trial))
            continue;
        if (!found || std::abs(trial.capHeight - target) <= std::abs(best.capHeight - target)) {
            best = trial;
            found = true;
        }
    }
    if (!found)
        return false;
    // Centre the ink within the line's height where there is room, else within the cell.
    const int room = std::min(sheet.size, sheet.cell) - (best.ascent + best.descent);
    best.baseline = std::max(room, 0) / 2 + best.ascent;
    return true;
}

bool FitsCell(const RenderedGlyph& g, const FontSheet& sheet, int baseline) {
    return std::max(g.left, 0) + g.width <= sheet.cell && g.top <= baseline &&
           g.Descent() <= sheet.cell - baseline;
}

// Renders the remaining characters at the layout's size; one that would stick out of its cell
// (an accent over a capital has no room above the baseline's ascent) is drawn a little smaller
// until it fits.
bool RenderTheRest(GlyphRaster& raster, const FontSheet& sheet, Layout& layout) {
    const auto cells = CellCharacters();
    int shrunk = 0;
    for (int k = 0; k < kCells; ++k) {
        if (!cells[k] || SetsTheLayout(cells[k]))
            continue;
        RenderedGlyph g;
        for (float em = layout.em; em >= layout.em * 0.6f; em -= 0.25f) {
            if (!raster.SetPixelSize(em, layout.hinting))
                return false;
            g = raster.Render(cells[k]);
            if (!g.present || g.width == 0 || FitsCell(g, sheet, layout.baseline))
                break;
        }
        if (g.present && g.width > 0 && !FitsCell(g, sheet, layout.baseline)) {
            std::fprintf(stderr, "marrowgate-assets: character U+%04X will not fit %s's cells\n",
                         cells[k], sheet.name);
            return false;
        }
        shrunk += raster.PixelSize() < layout.em;
        layout.glyphs[k] = std::move(g);
    }
    if (shrunk > 0)
        std::printf("fonts: %-18s %d characters drawn smaller to fit their cells\n", sheet.name,
                    shrunk);
    return raster.SetPixelSize(layout.em, layout.hinting);
}

Canvas DrawSheet(const FontSheet& sheet, const Layout& layout) {
    const int side = sheet.cell * kGrid;
    // Transparent white, so filtering at the glyph edges never pulls in a dark fringe.
    Canvas canvas(side, side, {255, 255, 255, 0});
    for (int k = 0; k < kCells; ++k) {
        const RenderedGlyph& g = layout.glyphs[k];
        const int cellX = (k % kGrid) * sheet.cell, cellY = (k / kGrid) * sheet.cell;
        // A glyph reaching left of its pen would leave the cell; it moves right by that much.
        const int x0 = cellX + std::max(g.left, 0);
        const int y0 = cellY + layout.baseline - g.top;
        for (int y = 0; y < g.height; ++y)
            for (int x = 0; x < g.width; ++x)
                canvas.Set(x0 + x, y0 + y, {255, 255, 255, g.At(x, y)});
    }
    return canvas;
}

bool WriteWidths(const std::string& path, const std::array<int32_t, kCells>& widths) {
    if (!MakeParentFolders(path))
        return false;
    std::vector<uint8_t> bytes;
    for (int32_t w : widths)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(w) >> (8 * i)));
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "marrowgate-assets: cannot write %s\n", path.c_str());
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

// Reads both files back as the game will and checks that every character has ink and a width:
// a broken writer or a font missing a glyph shows up here rather than as gaps in the game's text.
bool CheckWritten(const FontSheet& sheet, const std::string& sheetPath,
                  const std::string& widthPath) {
    const auto cells = CellCharacters();
    bool ok = true;
    std::array<int32_t, kCells> widths{};
    FILE* file = std::fopen(widthPath.c_str(), "rb");
    unsigned char bytes[4 * kCells + 1];
    const size_t read = file ? std::fread(bytes, 1, sizeof bytes, file) : 0;
    if (file)
        std::fclose(file);
    if (read != 4 * kCells) {
        std::fprintf(stderr, "marrowgate-assets: %s holds %zu bytes, not %d\n", widthPath.c_str(),
                     read, 4 * kCells);
        return false;
    }
    for (int k = 0; k < kCells; ++k)
        widths[k] =
            static_cast<int32_t>(bytes[4 * k] | bytes[4 * k + 1] << 8 | bytes[4 * k + 2] << 16 |
                                 static_cast<uint32_t>(bytes[4 * k + 3]) << 24);

    FIBITMAP* bitmap = FreeImage_Load(FIF_DDS, sheetPath.c_str(), 0);
    const unsigned side = static_cast<unsigned>(sheet.cell * kGrid);
    if (!bitmap || FreeImage_GetWidth(bitmap) != side || FreeImage_GetHeight(bitmap) != side ||
        FreeImage_GetBPP(bitmap) != 32) {
        std::fprintf(stderr, "marrowgate-assets: %s does not read back as a %ux%u sheet\n",
                     sheetPath.c_str(), side, side);
        if (bitmap)
            FreeImage_Unload(bitmap);
        return false;
    }
    for (int k = 0; k < kCells; ++k) {
        if (!cells[k])
            continue;
        if (widths[k] <= 0) {
            std::fprintf(stderr, "marrowgate-assets: %s gives character %u (cell %d) width %d\n",
                         widthPath.c_str(), cells[k], k, widths[k]);
            ok = false;
        }
        int ink = 0;
        for (int y = 0; y < sheet.cell; ++y) {
            // FreeImage counts rows from the bottom.
            const BYTE* row =
                FreeImage_GetScanLine(bitmap, side - 1 - ((k / kGrid) * sheet.cell + y));
            for (int x = 0; x < sheet.cell; ++x)
                ink += row[((k % kGrid) * sheet.cell + x) * 4 + FI_RGBA_ALPHA] > 0;
        }
        if (ink == 0) {
            std::fprintf(stderr, "marrowgate-assets: %s has no ink for character %u (cell %d)\n",
                         sheetPath.c_str(), cells[k], k);
            ok = false;
        }
    }
    FreeImage_Unload(bitmap);
    return ok;
}

bool MakeSheet(const FontSheet& sheet, const std::string& dataDir) {
    GlyphRaster raster;
    if (!raster.Open(FindSystemFont(sheet.fontFile)))
        return false;
    for (uint32_t c : CellCharacters())
        if (c && !raster.HasGlyph(c)) {
            std::fprintf(stderr, "marrowgate-assets: %s has no glyph for character %u\n",
                         sheet.fontFile, c);
            return false;
        }
    Layout layout;
    if (!ChooseLayout(raster, sheet, layout)) {
        std::fprintf(stderr, "marrowgate-assets: %s will not fit %d-pixel cells\n", sheet.fontFile,
                     sheet.cell);
        return false;
    }
    if (!RenderTheRest(raster, sheet, layout))
        return false;
    std::array<int32_t, kCells> widths{};
    for (int k = 0; k < kCells; ++k)
        if (layout.glyphs[k].present)
            widths[k] = static_cast<int32_t>(std::lround(layout.glyphs[k].advance));

    const std::string sheetPath = dataDir + "/bitmaps/fonts/" + sheet.name;
    const std::string widthPath = dataDir + "/fonts/" + sheet.name + ".dat";
    if (!SaveDds(DrawSheet(sheet, layout), sheetPath) || !WriteWidths(widthPath, widths))
        return false;
    std::printf("fonts: %-18s em %5.2f px, capitals %2d px, ink %d above and %d below a baseline "
                "%d px down the cell\n",
                sheet.name, layout.em, layout.capHeight, layout.ascent, layout.descent,
                layout.baseline);
    return CheckWritten(sheet, sheetPath, widthPath);
}

} // namespace

bool MakeFonts(const std::string& dataDir) {
    bool ok = true;
    for (const FontSheet& sheet : kSheets)
        ok = MakeSheet(sheet, dataDir) && ok;
    // The larger interface sizes get sheets of their own, drawn at their size, so their text is
    // as crisp as the normal size's: "arial16.dds" at 1.5 times is "arial16_150.dds".
    for (int percent : {150, 200}) {
        for (const FontSheet& sheet : kSheets) {
            std::string name = sheet.name;
            name.insert(name.rfind('.'), "_" + std::to_string(percent));
            const FontSheet scaled{name.c_str(), sheet.fontFile, sheet.size * percent / 100,
                                   sheet.cell * percent / 100};
            ok = MakeSheet(scaled, dataDir) && ok;
        }
    }
    return ok;
}
