// The interface's chrome: buttons, panels, check boxes, arrows, the list box, the control bar and
// the main screen's icon backings, connector and issue badges. Every sprite is stretched over its
// element's rectangle, so centres stay calm and the detail sits in edges that survive scaling.

#include "tools/assets/asset_steps.h"
#include "tools/assets/backgrounds.h"
#include "tools/assets/read_back.h"
#include "tools/assets/soft_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace chrome;
using namespace palette;

const Rgba kShadow{0, 0, 0, 120};
const Rgba kWhite{255, 255, 255, 255};

// White that fades from `alpha` at `top` to nothing at `bottom`: the light catching a top edge.
Shader TopLight(float top, float bottom, float alpha) {
    return [=](float, float y) {
        return Scaled(kWhite, alpha * (1.0f - Clamp01f((y - top) / (bottom - top))));
    };
}

// A raised rounded panel: drop shadow, vertical gradient, outline and a lit top edge.
struct PanelLook {
    Rgba top, bottom, border;
    float radius = 8.0f;
    float light = 0.16f;
    float borderWidth = 1.0f;
};

void RaisedPanel(Canvas& c, float left, float top, float right, float bottom,
                 const PanelLook& look) {
    const Distance shape = RoundedRect(left, top, right, bottom, look.radius);
    PaintHalo(c, Offset(shape, 0.0f, 1.5f), 3.5f, kShadow);
    Paint(c, shape, VerticalShade(top, bottom, look.top, look.bottom));
    PaintEdge(c, shape, 0.0f, look.borderWidth, Flat(look.border));
    PaintEdge(c, shape, look.borderWidth, 1.0f,
              TopLight(top, top + (bottom - top) * 0.6f, look.light));
}

// A sunken field: darker than its surroundings, shaded along its top inner edge.
void SunkenField(Canvas& c, float left, float top, float right, float bottom, float radius,
                 Rgba fill, Rgba border) {
    const Distance shape = RoundedRect(left, top, right, bottom, radius);
    Paint(c, shape, VerticalShade(top, bottom, Darken(fill, 0.15f), fill));
    PaintEdge(c, shape, 1.0f, 2.0f, [=](float, float y) {
        return Scaled(Rgba{0, 0, 0, 255}, 0.45f * (1.0f - Clamp01f((y - top) / 6.0f)));
    });
    PaintEdge(c, shape, 0.0f, 1.0f, [=](float, float y) {
        // The lower rim catches the light, the upper one stays in shade.
        return Mix(Darken(border, 0.3f), Lighten(border, 0.1f), (y - top) / (bottom - top));
    });
}

bool Save(const Canvas& picture, const std::string& dataDir, const std::string& name) {
    Canvas out = picture;
    BleedTransparentEdges(out);
    const std::string path = dataDir + "/bitmaps/interface/" + ScaledPictureName(name, out.Scale());
    return SaveDds(out, path) && ReadsBackAs(path, out, 0);
}

// Wide text buttons; the hover state is brighter with an accent rim and a glow from below.
bool MakeTextButtons(const std::string& dataDir, float scale) {
    const int w = 256, h = 48;
    Canvas normal(w, h, scale);
    RaisedPanel(normal, 2, 1, w - 2, h - 3,
                {Rgba{46, 63, 90, 255}, Rgba{27, 39, 60, 255}, Rgba{64, 83, 113, 255}});
    Canvas hover(w, h, scale);
    RaisedPanel(hover, 2, 1, w - 2, h - 3,
                {Rgba{56, 80, 110, 255}, Rgba{32, 50, 74, 255}, kTeal, 8.0f, 0.22f, 1.5f});
    const Distance inside = RoundedRect(3.5f, 2.5f, w - 3.5f, h - 4.5f, 7.0f);
    Paint(hover, inside, [=](float x, float y) {
        const float dx = (x - w * 0.5f) / (w * 0.55f), dy = (y - (h - 3.0f)) / (h * 0.7f);
        return Scaled(kTeal, 0.28f * (1.0f - Clamp01f(std::sqrt(dx * dx + dy * dy))));
    });
    normal.AddNoise(11, 1);
    hover.AddNoise(12, 1);
    return Save(normal, dataDir, "button.dds") && Save(hover, dataDir, "button_h.dds");
}

// A cross of two strokes centred on (cx, cy), `reach` pixels from the centre to each end.
Distance Cross(float cx, float cy, float reach, float thickness) {
    return Union(Stroke({cx - reach, cy - reach, cx + reach, cy + reach}, thickness),
                 Stroke({cx - reach, cy + reach, cx + reach, cy - reach}, thickness));
}

// A round button holding a symbol; hover states swap the disc's colours.
void RoundButton(Canvas& c, float radius, Rgba centre, Rgba rim, Rgba border,
                 const Distance& symbol, Rgba symbolColour) {
    const float cx = c.Width() * 0.5f, cy = c.Height() * 0.5f;
    const Distance disc = Circle(cx, cy, radius);
    PaintHalo(c, Offset(disc, 0.0f, 1.2f), 3.0f, kShadow);
    Paint(c, disc, RadialShade(cx, cy - radius * 0.5f, radius * 1.6f, centre, rim));
    PaintEdge(c, disc, 0.0f, 1.2f, Flat(border));
    PaintEdge(c, disc, 1.2f, 1.0f, TopLight(cy - radius, cy, 0.2f));
    PaintHalo(c, Offset(symbol, 0.0f, 0.8f), 1.5f, Rgba{0, 0, 0, 90});
    Paint(c, symbol, symbolColour);
}

bool MakeCloseButtons(const std::string& dataDir, float scale) {
    Canvas normal(32, 32, scale), hover(32, 32, scale);
    const Distance cross = Cross(16, 16, 4.6f, 2.2f);
    RoundButton(normal, 12.5f, Rgba{58, 76, 104, 255}, Rgba{30, 42, 62, 255},
                Rgba{78, 97, 128, 255}, cross, kText);
    RoundButton(hover, 12.5f, Rgba{226, 112, 86, 255}, Rgba{160, 60, 42, 255},
                Rgba{238, 150, 128, 255}, cross, kWhite);
    bool ok =
        Save(normal, dataDir, "button_close.dds") && Save(hover, dataDir, "button_close_h.dds");

    // The delete icon of a saved game sits on a list row: a bare cross that turns red on hover.
    Canvas small(24, 24, scale), smallHover(24, 24, scale);
    const Distance smallCross = Cross(12, 12, 4.2f, 2.0f);
    PaintHalo(small, smallCross, 2.0f, Rgba{0, 0, 0, 110});
    Paint(small, smallCross, Scaled(kText, 0.8f));
    const Distance disc = Circle(12, 12, 10.0f);
    Paint(smallHover, disc,
          RadialShade(12, 8, 14, Rgba{222, 104, 80, 255}, Rgba{170, 64, 44, 255}));
    PaintEdge(smallHover, disc, 0.0f, 1.0f, Flat(Rgba{236, 150, 126, 255}));
    Paint(smallHover, smallCross, kWhite);
    ok = ok && Save(small, dataDir, "gui_close_icon.dds") &&
         Save(smallHover, dataDir, "gui_close_icon_h.dds");
    return ok;
}

// A chevron of two strokes; `dx`, `dy` point from its arms to its tip.
Distance Chevron(float cx, float cy, float size, float dx, float dy, float thickness) {
    const float px = -dy, py = dx; // across the pointing direction
    const float tipX = cx + dx * size * 0.5f, tipY = cy + dy * size * 0.5f;
    const float backX = cx - dx * size * 0.5f, backY = cy - dy * size * 0.5f;
    return Stroke(
        {backX + px * size, backY + py * size, tipX, tipY, backX - px * size, backY - py * size},
        thickness);
}

bool MakeScrollButtons(const std::string& dataDir, float scale) {
    const PanelLook look{
        Rgba{50, 68, 96, 255}, Rgba{30, 43, 64, 255}, Rgba{70, 90, 120, 255}, 6.0f, 0.18f, 1.0f};
    bool ok = true;
    for (int direction : {-1, 1}) {
        Canvas c(32, 32, scale);
        RaisedPanel(c, 3, 3, 29, 29, look);
        const Distance arrow =
            Chevron(16, 16 + direction * 0.5f, 5.5f, 0.0f, static_cast<float>(direction), 2.4f);
        PaintHalo(c, Offset(arrow, 0.0f, 0.8f), 1.5f, Rgba{0, 0, 0, 90});
        Paint(c, arrow, kText);
        ok = ok && Save(c, dataDir, direction < 0 ? "gui_scrollup.dds" : "gui_scrolldown.dds");
    }
    return ok;
}

bool MakeArrows(const std::string& dataDir, float scale) {
    bool ok = true;
    for (int direction : {-1, 1}) {
        const Distance arrow =
            Chevron(16 + direction * 0.6f, 16, 5.5f, static_cast<float>(direction), 0.0f, 2.6f);
        Canvas normal(32, 32, scale), hover(32, 32, scale);
        RoundButton(normal, 13.0f, Rgba{56, 75, 104, 255}, Rgba{30, 43, 64, 255},
                    Rgba{74, 95, 126, 255}, arrow, kText);
        PaintHalo(hover, Circle(16, 16, 13.0f), 3.0f, Scaled(kTeal, 0.35f));
        RoundButton(hover, 13.0f, Rgba{70, 196, 184, 255}, Rgba{30, 125, 117, 255},
                    Rgba{120, 214, 204, 255}, arrow, kWhite);
        const std::string name = direction < 0 ? "left" : "right";
        ok = ok && Save(normal, dataDir, name + ".dds") && Save(hover, dataDir, name + "_h.dds");
    }
    return ok;
}

bool MakeDialogs(const std::string& dataDir, float scale) {
    Canvas dark(256, 256, scale);
    RaisedPanel(
        dark, 4, 3, 252, 251,
        {Rgba{30, 43, 66, 246}, Rgba{17, 25, 40, 246}, Rgba{56, 74, 102, 255}, 10.0f, 0.12f, 1.0f});
    dark.AddNoise(21, 1);

    Canvas tab(128, 40, scale);
    RaisedPanel(
        tab, 2, 2, 126, 37,
        {Rgba{40, 56, 82, 250}, Rgba{24, 35, 54, 250}, Rgba{62, 82, 112, 255}, 10.0f, 0.16f, 1.0f});

    // The guide's note: teal-tinted so it reads as a different voice from the game's own windows,
    // with a gold margin line along its left side.
    Canvas note(256, 256, scale);
    RaisedPanel(
        note, 4, 3, 252, 251,
        {Rgba{31, 66, 74, 248}, Rgba{19, 41, 49, 248}, Scaled(kTeal, 0.9f), 10.0f, 0.16f, 1.5f});
    Paint(note, RoundedRect(9, 16, 12, 238, 1.5f),
          VerticalShade(16, 238, Scaled(kGold, 0.9f), Scaled(kGold, 0.35f)));
    note.AddNoise(22, 1);

    return Save(dark, dataDir, "dialog_dark.dds") &&
           Save(tab, dataDir, "dialog_rounded_dark.dds") &&
           Save(note, dataDir, "dialog_tutorial.dds");
}

bool MakeCheckboxes(const std::string& dataDir, float scale) {
    Canvas empty(32, 32, scale), ticked(32, 32, scale);
    SunkenField(empty, 5, 5, 27, 27, 5.0f, Rgba{18, 27, 42, 255}, Rgba{98, 118, 148, 255});
    SunkenField(ticked, 5, 5, 27, 27, 5.0f, Rgba{20, 38, 48, 255}, kTeal);
    const Distance tick = Stroke({10.0f, 16.5f, 14.5f, 21.0f, 22.5f, 11.0f}, 3.0f);
    PaintHalo(ticked, tick, 3.0f, Scaled(kTeal, 0.35f));
    Paint(ticked, tick, Rgba{70, 200, 188, 255});
    return Save(empty, dataDir, "gui_checkbox.dds") &&
           Save(ticked, dataDir, "gui_checkbox_checked.dds");
}

// A 24-bit picture, so no transparency: square corners and a frame drawn into the picture.
bool MakeListBox(const std::string& dataDir, float scale) {
    const int size = 256;
    Canvas c(size, size, scale, Rgba{17, 25, 39, 255});
    for (int y = 0; y < c.Height(); ++y) {
        // Alternate rows a shade apart; only just visible, so stretched rows never jar.
        const bool odd = (static_cast<int>((y + 0.5f) / scale) / 32) % 2 == 1;
        for (int x = 0; x < c.Width(); ++x)
            c.At(x, y) = odd ? Rgba{21, 30, 46, 255} : Rgba{17, 25, 39, 255};
    }
    for (int y = 1; y < 7; ++y)
        c.FillRect(1, y, size - 1, y + 1, Rgba{0, 0, 0, static_cast<uint8_t>(70 - y * 10)});
    c.FillRect(0, 0, size, 1, Rgba{36, 49, 70, 255});
    c.FillRect(0, size - 1, size, size, Rgba{66, 86, 116, 255});
    c.FillRect(0, 0, 1, size, Rgba{44, 59, 84, 255});
    c.FillRect(size - 1, 0, size, size, Rgba{44, 59, 84, 255});
    c.AddNoise(31, 1);
    const std::string path =
        dataDir + "/bitmaps/interface/" + ScaledPictureName("gui_listbox.bmp", scale);
    return SaveBmp(c, path) && ReadsBackAs(path, c, 0);
}

// The bar along the bottom of the game screen, with a soft shadow cast upwards over the map.
bool MakeControlPanel(const std::string& dataDir, float scale) {
    const int w = 1024, h = 96, barTop = 10;
    Canvas c(w, h, scale);
    for (int y = 0; y < barTop; ++y)
        c.FillRect(0, y, w, y + 1, Rgba{0, 0, 0, static_cast<uint8_t>(8 + y * y)});
    c.VerticalGradient(0, barTop, w, h, Rgba{34, 48, 72, 255}, Rgba{14, 21, 34, 255});
    // A faint pool of light in the middle of the bar.
    Paint(c, RoundedRect(0, barTop, w, h, 0.0f), [=](float x, float y) {
        const float dx = (x - w * 0.5f) / (w * 0.5f), dy = (y - barTop) / (h - barTop);
        return Scaled(kTeal, 0.07f * (1.0f - Clamp01f(dx * dx + dy * dy)));
    });
    c.FillRect(0, barTop, w, barTop + 1, Scaled(kTeal, 0.85f));
    c.FillRect(0, barTop + 1, w, barTop + 2, Rgba{255, 255, 255, 26});
    c.FillRect(0, h - 1, w, h, Rgba{8, 12, 20, 255});
    c.AddNoise(41, 1);
    return Save(c, dataDir, "controlpanel.dds");
}

// Round backing for a simulation value's pictogram, its highlight ring and the situation discs.
bool MakeCircles(const std::string& dataDir, float scale) {
    const float cx = 32, cy = 32;
    Canvas backing(64, 64, scale);
    const Distance disc = Circle(cx, cy, 27.0f);
    PaintHalo(backing, Offset(disc, 0, 1.5f), 4.0f, kShadow);
    Paint(backing, disc,
          RadialShade(cx - 6, cy - 8, 40, Rgba{52, 102, 146, 255}, Rgba{20, 44, 76, 255}));
    PaintEdge(backing, disc, 0.0f, 2.0f,
              VerticalShade(cy - 27, cy + 27, Rgba{128, 170, 212, 255}, Rgba{58, 92, 132, 255}));
    PaintEdge(backing, disc, 2.0f, 1.0f, TopLight(cy - 27, cy, 0.25f));

    // A ring of light with soft falloff on both sides; the centre stays clear for the icon.
    Canvas ring(64, 64, scale);
    Paint(ring, Circle(cx, cy, 31.5f), [=](float x, float y) {
        const float d = std::hypot(x - cx, y - cy) - 27.0f;
        const float glow = std::exp(-d * d / (d < 0 ? 10.0f : 18.0f));
        return Scaled(Rgba{255, 226, 160, 255}, 0.95f * glow);
    });

    struct Disc {
        const char* name;
        Rgba core, mid, rim;
        float wobble; // how much the rim flickers: a flame more than a meadow
        uint32_t seed;
    };
    const Disc discs[] = {
        {"circle_grass.dds", Rgba{150, 224, 132, 255}, Rgba{64, 164, 88, 255},
         Rgba{26, 92, 58, 255}, 0.07f, 51},
        {"circle_fire.dds", Rgba{255, 214, 120, 255}, Rgba{236, 120, 52, 255},
         Rgba{150, 44, 30, 255}, 0.14f, 52},
    };
    bool ok =
        Save(backing, dataDir, "blue_circicon.dds") && Save(ring, dataDir, "circ_highlight.dds");
    for (const Disc& d : discs) {
        // A glowing disc whose rim wavers a little with the angle, fading out at the edge.
        Canvas c(64, 64, scale);
        Paint(c, Circle(cx, cy, 31.5f), [=](float x, float y) {
            const float r = std::hypot(x - cx, y - cy) / 30.0f;
            const float angle = std::atan2(y - cy, x - cx);
            // Sampled on a circle so the pattern closes on itself without a seam.
            const float n = ValueNoise(std::cos(angle) * 3.5f + 20.0f,
                                       std::sin(angle) * 3.5f + 20.0f + r, 1.0f, d.seed);
            const float t = Clamp01f(r + (n - 0.5f) * 2.0f * d.wobble * r);
            const Rgba colour =
                t < 0.55f ? Mix(d.core, d.mid, t / 0.55f) : Mix(d.mid, d.rim, (t - 0.55f) / 0.45f);
            return Scaled(colour, 0.94f * (1.0f - Smoothstep(0.74f, 1.0f, t)));
        });
        PaintEdge(c, Circle(cx, cy, 24.0f), 0.0f, 1.2f, Flat(Scaled(Lighten(d.mid, 0.5f), 0.45f)));
        ok = ok && Save(c, dataDir, d.name);
    }
    return ok;
}

// The connector sheet, drawn white so that the link's colour tints it: a soft streak with one
// chevron pointing along the flow, turned to 32 directions (cell k points k * 11.25 degrees
// clockwise from the right), sixteen cells to a row. Drawing a link then needs no turning at run
// time, only upright copies of the cell that points its way, at the cell's own size (the
// cheapest copy there is). Each streak is longer than the spacing of the copies, so the copies
// join into one line.
bool MakeConnector(const std::string& dataDir, float scale) {
    constexpr int kCell = 16, kDirections = 32, kColumns = 16;
    Canvas c(kCell * kColumns, kCell * (kDirections / kColumns), scale);
    // The chevron in the streak's own frame: along runs with the flow, across to its right.
    const float tip = 3.0f;
    const Distance chevron = Stroke({tip - 4.0f, -3.0f, tip, 0.0f, tip - 4.0f, 3.0f}, 1.7f);
    for (int k = 0; k < kDirections; ++k) {
        const float angle = k * (360.0f / kDirections) * 3.14159265f / 180.0f;
        const float cs = std::cos(angle), sn = std::sin(angle);
        const int cell = static_cast<int>(std::lround(kCell * scale));
        const int ox = (k % kColumns) * cell, oy = (k / kColumns) * cell;
        for (int y = 0; y < cell; ++y) {
            for (int x = 0; x < cell; ++x) {
                // Measured in design units, so every scale draws the same streak.
                const float dx = (x + 0.5f) / scale - kCell * 0.5f;
                const float dy = (y + 0.5f) / scale - kCell * 0.5f;
                const float along = dx * cs + dy * sn, across = -dx * sn + dy * cs;
                const float d = across / 4.0f;
                // The streak fades out towards the cell's edge so no copy shows a cut end.
                const float ends = 1.0f - Smoothstep(4.5f, 7.5f, std::fabs(along));
                float alpha = 0.5f * std::exp(-d * d * 6.0f) * ends;
                alpha = std::max(alpha, 0.95f * Clamp01f(0.5f - chevron(along, across) * scale));
                c.Set(ox + x, oy + y, Scaled(kWhite, alpha));
            }
        }
    }
    return Save(c, dataDir, "line.dds");
}

// The particles of the fireworks and sparkles: small glows drawn in their own colours, since a
// particle is drawn white. A hot core fades to a coloured rim; the star has four thin rays so a
// turning particle glints.
bool MakeParticles(const std::string& dataDir, float scale) {
    struct Glow {
        const char* name;
        Rgba core, rim;
    };
    const Glow glows[] = {
        {"spark_gold.dds", Rgba{255, 244, 200, 255}, Rgba{236, 158, 40, 255}},
        {"spark_red.dds", Rgba{255, 214, 196, 255}, Rgba{226, 52, 40, 255}},
        {"spark_blue.dds", Rgba{226, 240, 255, 255}, Rgba{70, 130, 240, 255}},
        {"spark_green.dds", Rgba{230, 255, 220, 255}, Rgba{70, 200, 96, 255}},
    };
    const float cx = 8, cy = 8;
    bool ok = true;
    for (const Glow& g : glows) {
        Canvas c(16, 16, scale);
        Paint(c, Circle(cx, cy, 8.0f), [=](float x, float y) {
            const float r = Clamp01f(std::hypot(x - cx, y - cy) / 7.5f);
            return Scaled(Mix(g.core, g.rim, Smoothstep(0.2f, 0.9f, r)),
                          1.0f - Smoothstep(0.7f, 1.0f, r));
        });
        ok = Save(c, dataDir, g.name) && ok;
    }
    Canvas star(16, 16, scale);
    for (int y = 0; y < star.Height(); ++y) {
        for (int x = 0; x < star.Width(); ++x) {
            const float dx = std::fabs((x + 0.5f) / scale - cx);
            const float dy = std::fabs((y + 0.5f) / scale - cy);
            const float ray = std::max(std::exp(-dy * dy * 1.5f) * (1.0f - dx / 8.0f),
                                       std::exp(-dx * dx * 1.5f) * (1.0f - dy / 8.0f));
            const float core = std::exp(-(dx * dx + dy * dy) / 4.0f);
            star.Set(x, y, Scaled(kWhite, Clamp01f(std::max(ray, core))));
        }
    }
    return Save(star, dataDir, "spark_star.dds") && ok;
}

// Issue badges: a gold one with a pair of scales for a dilemma, a teal one with an exclamation
// mark for an event.
bool MakeIssueIcons(const std::string& dataDir, float scale) {
    const float cx = 24, cy = 24, radius = 21;
    auto badge = [&](Canvas& c, Rgba light, Rgba deep, Rgba rim) {
        const Distance disc = Circle(cx, cy, radius);
        PaintHalo(c, Offset(disc, 0, 1.5f), 3.5f, kShadow);
        Paint(c, disc, RadialShade(cx - 5, cy - 7, radius * 1.7f, light, deep));
        PaintEdge(c, disc, 0.0f, 1.5f, Flat(rim));
        PaintEdge(c, disc, 1.5f, 1.0f, TopLight(cy - radius, cy, 0.3f));
    };
    const Rgba ink{22, 30, 46, 255};

    Canvas dilemma(48, 48, scale);
    badge(dilemma, Rgba{240, 196, 110, 255}, Rgba{176, 120, 38, 255}, Rgba{252, 222, 160, 255});
    // Scales: a post on a foot, a beam, and two pans hung from its ends.
    Distance scales = Stroke({cx, 12.5f, cx, 33.0f}, 2.2f);
    scales = Union(scales, Stroke({cx - 6, 34.5f, cx + 6, 34.5f}, 2.4f));
    scales = Union(scales, Stroke({cx - 11, 16.5f, cx + 11, 16.5f}, 2.0f));
    scales = Union(scales, Circle(cx, 12.5f, 2.0f));
    for (float side : {-1.0f, 1.0f}) {
        const float px = cx + side * 11.0f;
        scales = Union(scales, Stroke({px, 16.5f, px - 4.5f, 25.0f}, 1.2f));
        scales = Union(scales, Stroke({px, 16.5f, px + 4.5f, 25.0f}, 1.2f));
        // The pan: the lower half of a disc.
        scales = Union(scales, Subtract(Circle(px, 25.0f, 5.0f),
                                        RoundedRect(px - 6, 19.0f, px + 6, 25.0f, 0.0f)));
    }
    Paint(dilemma, scales, ink);

    Canvas event(48, 48, scale);
    badge(event, Rgba{82, 206, 194, 255}, Rgba{24, 112, 106, 255}, Rgba{150, 226, 218, 255});
    const Distance bar = Stroke({cx, 13.0f, cx, 26.5f}, 4.6f);
    const Distance dot = Circle(cx, 33.5f, 2.7f);
    PaintHalo(event, Offset(Union(bar, dot), 0, 1.0f), 2.0f, Rgba{0, 0, 0, 80});
    Paint(event, Union(bar, dot), kWhite);

    return Save(dilemma, dataDir, "gui_dilemma_icon.dds") &&
           Save(event, dataDir, "gui_event_icon.dds");
}

// The framework's slider, text field and progress bar.
bool MakeFields(const std::string& dataDir, float scale) {
    // The track fills its picture: it is drawn only a few pixels tall.
    Canvas track(256, 16, scale);
    SunkenField(track, 1, 1, 255, 15, 6.0f, Rgba{14, 21, 33, 255}, Rgba{70, 90, 120, 255});

    // An upright thumb rather than a disc, so it keeps its shape at any width and height; drawn
    // light so the slider's tint decides its shade.
    Canvas knob(24, 30, scale);
    const Distance thumb = RoundedRect(3, 2, 21, 27, 7.0f);
    PaintHalo(knob, Offset(thumb, 0, 1.2f), 3.0f, kShadow);
    Paint(knob, thumb, VerticalShade(2, 27, Rgba{255, 253, 248, 255}, Rgba{200, 194, 182, 255}));
    PaintEdge(knob, thumb, 0.0f, 1.5f, Flat(kTeal));
    Paint(knob, RoundedRect(10.5f, 9, 13.5f, 20, 1.5f), Scaled(kTeal, 0.85f));

    Canvas field(256, 32, scale);
    SunkenField(field, 1, 1, 255, 31, 6.0f, Rgba{15, 22, 35, 255}, Rgba{64, 84, 112, 255});

    Canvas back(256, 16, scale);
    SunkenField(back, 1, 1, 255, 15, 6.0f, Rgba{13, 19, 30, 255}, Rgba{60, 78, 106, 255});

    Canvas fill(256, 16, scale);
    const Distance bar = RoundedRect(1, 1, 255, 15, 6.0f);
    Paint(fill, bar, VerticalShade(1, 15, Rgba{84, 210, 196, 255}, Rgba{30, 128, 120, 255}));
    PaintEdge(fill, bar, 0.0f, 1.0f, Flat(Rgba{36, 140, 131, 255}));
    PaintEdge(fill, bar, 1.0f, 1.0f, TopLight(1, 9, 0.4f));

    return Save(track, dataDir, "gui_slider_track.dds") &&
           Save(knob, dataDir, "gui_slider_knob.dds") &&
           Save(field, dataDir, "gui_textfield.dds") &&
           Save(back, dataDir, "gui_progress_back.dds") &&
           Save(fill, dataDir, "gui_progress_fill.dds");
}

} // namespace

bool MakeInterfacePictures(const std::string& dataDir) {
    bool ok = true;
    // Each group is drawn even when an earlier one failed, so one bad write names itself.
    // The chrome again for each larger interface size, drawn at that size rather than stretched.
    for (float scale : kPictureScales) {
        for (bool (*make)(const std::string&, float) :
             {MakeTextButtons, MakeCloseButtons, MakeScrollButtons, MakeArrows, MakeDialogs,
              MakeCheckboxes, MakeListBox, MakeControlPanel, MakeCircles, MakeConnector,
              MakeIssueIcons, MakeFields, MakePanelPictograms, MakeParticles})
            ok = make(dataDir, scale) && ok;
    }
    return MakeBackgrounds(dataDir) && ok;
}
