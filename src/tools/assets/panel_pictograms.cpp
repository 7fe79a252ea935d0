// The game screen's control buttons: a dark rounded tile with a light pictogram from the symbol
// font, and a brighter hover tile with a teal rim. One pair per button of the control panel and
// of the top strip.

#include "tools/assets/asset_steps.h"
#include "tools/assets/picture_kit.h"
#include "tools/assets/read_back.h"
#include "tools/assets/soft_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using namespace chrome;

struct Pictogram {
    const char* name;
    uint32_t glyph;
};

// What each button does, as a picture: a skip-forward mark for the turn, scales for a dilemma,
// a scroll for the manifesto, a bar chart for the polls, a clipboard for the policies, a money
// bag, a cog, a cup, a pennant for the parties, two heads for the cabinet, a newspaper, an eye for
// the intelligence, a disk to save and three bars for the menu.
const Pictogram kPictograms[] = {
    {"next", 0x23ED},      {"dilemma", 0x2696},  {"manifesto", 0x1F4DC}, {"polls", 0x1F4CA},
    {"policies", 0x1F4CB}, {"finance", 0x1F4B0}, {"options", 0x2699},    {"achievements", 0x1F3C6},
    {"parties", 0x2691},   {"cabinet", 0x1F465}, {"reports", 0x1F4F0},   {"intel", 0x1F441},
    {"save", 0x1F4BE},     {"menu", 0x2630},
};
constexpr uint32_t kFallbackGlyph = 0x25CF;

bool SaveTile(const Canvas& tile, const std::string& dataDir, const std::string& name) {
    Canvas out = tile;
    BleedTransparentEdges(out);
    const std::string path = dataDir + "/bitmaps/interface/" + ScaledPictureName(name, out.Scale());
    return SaveDds(out, path) && ReadsBackAs(path, out, 0);
}

Canvas Tile(GlyphRaster& symbols, uint32_t glyph, bool hover, float scale) {
    constexpr int kSize = 48;
    Canvas c(kSize, kSize, scale);
    const Distance shape = RoundedRect(3, 3, kSize - 3, kSize - 3, 9.0f);
    PaintHalo(c, Offset(shape, 0, 1.5f), 3.0f, Rgba{0, 0, 0, 110});
    const Rgba top = hover ? Rgba{52, 78, 108, 255} : Rgba{36, 52, 76, 255};
    const Rgba bottom = hover ? Rgba{26, 42, 64, 255} : Rgba{18, 27, 42, 255};
    Paint(c, shape, VerticalShade(3, kSize - 3, top, bottom));
    PaintEdge(c, shape, 0.0f, hover ? 1.6f : 1.0f,
              Flat(hover ? palette::kTeal : Rgba{84, 104, 134, 255}));
    // The symbol is rendered at the picture's own pixel size, so it stays sharp at every scale.
    const int px = std::max(1, static_cast<int>(std::lround(scale)));
    const Canvas mask = art::GlyphMask(symbols, glyph, c.Width(), c.Height(), c.Width() * 0.5f,
                                       c.Height() * 0.5f, 28.0f * scale, 26.0f * scale);
    art::SoftShadow(c, mask, 0, px, px, Rgba{0, 0, 0, 140});
    art::PaintThrough(c, mask, hover ? Rgba{255, 246, 222, 255} : Rgba{214, 224, 236, 255});
    return c;
}

} // namespace

bool MakePanelPictograms(const std::string& dataDir, float scale) {
    const std::string fontPath = FindSystemFont("Symbola_hint.ttf");
    GlyphRaster symbols;
    if (fontPath.empty() || !symbols.Open(fontPath))
        return false;
    bool ok = true;
    for (const Pictogram& p : kPictograms) {
        uint32_t glyph = p.glyph;
        if (!symbols.HasGlyph(glyph)) {
            std::fprintf(stderr, "panel pictograms: the symbol font lacks U+%X for %s\n", glyph,
                         p.name);
            glyph = kFallbackGlyph;
        }
        const std::string base = std::string("panel_") + p.name;
        ok = SaveTile(Tile(symbols, glyph, false, scale), dataDir, base + ".dds") && ok;
        ok = SaveTile(Tile(symbols, glyph, true, scale), dataDir, base + "_h.dds") && ok;
    }
    return ok;
}
