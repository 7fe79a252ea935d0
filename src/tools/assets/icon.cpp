// The game's icon, for the desktop's menus and launchers: a gold gate on a navy tile with a small
// network of linked nodes in its opening. Each size is drawn at that size rather than shrunk from
// the largest, so the edges stay sharp; the smallest sizes leave the network out for a single
// node that still reads at sixteen pixels.

#include "tools/assets/asset_steps.h"
#include "tools/assets/read_back.h"
#include "tools/assets/soft_shapes.h"

#include <string>
#include <tuple>

namespace {

using namespace chrome;
using namespace palette;

const Rgba kGoldLight{241, 200, 112, 255};
const Rgba kGoldDeep{168, 116, 38, 255};
const Rgba kTileTop{44, 62, 92, 255};

// The sizes the desktop's icon theme looks for.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

Canvas GameIcon(int size) {
    // Drawn on a grid of 256 units, scaled to the size asked for.
    const float s = static_cast<float>(size) / 256.0f;
    const bool simple = size <= 24;
    Canvas c(size, size, Rgba{0, 0, 0, 0});

    const float inset = simple ? 6 : 16;
    // The larger tiles stand a little higher, leaving room for their shadow.
    const float lift = simple ? 0 : 6;
    const Distance tile =
        RoundedRect(inset * s, inset * s, (256 - inset) * s, (256 - inset - lift) * s, 44 * s);
    if (!simple)
        PaintHalo(c, Offset(tile, 0, 4 * s), 10 * s, Rgba{0, 0, 0, 110});
    Paint(c, tile, VerticalShade(inset * s, (256 - inset) * s, kTileTop, kNavyDeep));
    PaintEdge(c, tile, 0, simple ? 1.0f : 3 * s, Flat(kSlateLight));

    // The gate: an arch on two pillars over a step; its opening an arch of its own.
    const float outerHalf = simple ? 74 : 66, innerHalf = simple ? 34 : 38;
    const float springing = simple ? 120 : 112, foot = 204;
    const Distance outer = Union(
        RoundedRect((128 - outerHalf) * s, springing * s, (128 + outerHalf) * s, foot * s, 4 * s),
        Circle(128 * s, springing * s, outerHalf * s));
    const Distance opening = Union(RoundedRect((128 - innerHalf) * s, (springing + 6) * s,
                                               (128 + innerHalf) * s, (foot + 10) * s, 0),
                                   Circle(128 * s, (springing + 6) * s, innerHalf * s));
    const Distance gate = Subtract(outer, opening);
    const Distance step = RoundedRect(48 * s, (foot - 2) * s, 208 * s, (foot + 14) * s, 3 * s);
    const Shader gold =
        VerticalShade((springing - outerHalf) * s, (foot + 14) * s, kGoldLight, kGoldDeep);
    if (!simple)
        PaintHalo(c, Offset(Union(gate, step), 0, 3 * s), 6 * s, Rgba{0, 0, 0, 140});
    Paint(c, Union(gate, step), gold);
    if (!simple) {
        // A keystone picked out at the crown, and the light along the arch's upper edge.
        const float crown = springing - outerHalf;
        c.FillPolygon({116 * s, crown * s, 140 * s, crown * s, 135 * s, (crown + 30) * s, 121 * s,
                       (crown + 30) * s},
                      Lighten(kGold, 0.25f));
        PaintEdge(c, outer, 0, 2.5f * s, [=](float, float y) {
            return Scaled(kGoldLight, 0.8f * (1.0f - Clamp01f((y - crown * s) / (90 * s))));
        });
    }

    // In the opening, the country: linked nodes, the topmost lit.
    if (simple) {
        Paint(c, Circle(128 * s, 168 * s, 18 * s), kTeal);
        return c;
    }
    const float topX = 128, topY = 142, leftX = 108, rightX = 148, lowY = 182;
    const Distance links =
        Stroke({leftX * s, lowY * s, topX * s, topY * s, rightX * s, lowY * s, leftX * s, lowY * s},
               5 * s);
    Paint(c, links, Scaled(kTeal, 0.85f));
    for (const auto& [x, y, r] : {std::tuple{topX, topY, 12.0f}, std::tuple{leftX, lowY, 9.0f},
                                  std::tuple{rightX, lowY, 9.0f}}) {
        PaintHalo(c, Circle(x * s, y * s, r * s), 8 * s, Scaled(kTeal, 0.45f));
        Paint(c, Circle(x * s, y * s, r * s),
              RadialShade((x - r * 0.3f) * s, (y - r * 0.3f) * s, r * s, Lighten(kTeal, 0.35f),
                          kTeal));
    }
    return c;
}

} // namespace

bool MakeIcons(const std::string& dataDir) {
    for (int size : kIconSizes) {
        const std::string path = dataDir + "/icons/marrowgate-" + std::to_string(size) + ".png";
        const Canvas icon = GameIcon(size);
        if (!SavePng(icon, path) || !ReadsBackAs(path, icon, 0))
            return false;
    }
    return true;
}
