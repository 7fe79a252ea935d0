#include "tools/assets/backgrounds.h"

#include "tools/assets/asset_steps.h"
#include "tools/assets/glyph_raster.h"
#include "tools/assets/read_back.h"
#include "tools/assets/soft_shapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using namespace chrome;
using namespace palette;

constexpr int kWidth = 1024, kHeight = 768;
constexpr float kPi = 3.14159265f;

// Darkens towards the corners so the eye settles in the middle.
void Vignette(Canvas& c, float strength) {
    const float cx = c.Width() * 0.5f, cy = c.Height() * 0.5f;
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x) {
            const float dx = (x - cx) / cx, dy = (y - cy) / cy;
            const float fall = Smoothstep(0.45f, 1.5f, std::sqrt(dx * dx + dy * dy));
            c.At(x, y) = Darken(c.At(x, y), strength * fall);
        }
    }
}

void FillWith(Canvas& c, const Shader& shader) {
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            c.At(x, y) = WithAlpha(shader(x + 0.5f, y + 0.5f), 255);
}

// Adds light: colour at the given strength, brightening rather than covering.
void AddLight(Rgba& p, Rgba light, float strength) {
    auto add = [strength](uint8_t a, uint8_t b) {
        return static_cast<uint8_t>(std::min(255.0f, a + b * strength));
    };
    p = {add(p.r, light.r), add(p.g, light.g), add(p.b, light.b), p.a};
}

// ---- The main menu: a parliament on a river at dusk -------------------------------------------

constexpr float kWaterline = 598.0f;
// The warm light low in the sky sits behind the parliament.
constexpr float kGlowX = 720.0f, kGlowY = 590.0f;

Rgba SkyAt(float x, float y) {
    const float t = y / kWaterline;
    const Rgba top{7, 11, 22, 255}, high{16, 25, 45, 255}, low{40, 46, 74, 255},
        horizon{104, 82, 86, 255};
    Rgba sky = t < 0.5f    ? Mix(top, high, t / 0.5f)
               : t < 0.82f ? Mix(high, low, (t - 0.5f) / 0.32f)
                           : Mix(low, horizon, (t - 0.82f) / 0.18f);
    const float dx = (x - kGlowX) / 560.0f, dy = (y - kGlowY) / 250.0f;
    const float glow = std::exp(-(dx * dx + dy * dy) * 2.2f);
    AddLight(sky, Rgba{210, 150, 80, 255}, 0.42f * glow);
    return sky;
}

void DrawStars(Canvas& c) {
    Dice dice(2024);
    for (int i = 0; i < 340; ++i) {
        const float x = dice.Uniform(0, kWidth);
        // More stars high up, fewer towards the lit horizon.
        const float y = kWaterline * 0.72f * std::pow(dice.Uniform(0, 1), 1.4f);
        const float size = dice.Uniform(0.35f, 1.0f);
        const bool bright = dice.Next() % 23 == 0;
        // The version string sits in the top-right corner.
        if (x > 580 && y < 48)
            continue;
        const float fade = 1.0f - Smoothstep(0.15f, 0.72f, y / kWaterline);
        const float alpha = (bright ? 0.95f : dice.Uniform(0.25f, 0.7f)) * fade;
        const Rgba tone = Mix(kText, Rgba{190, 210, 255, 255}, dice.Uniform(0, 1));
        if (bright)
            PaintHalo(c, Circle(x, y, 0.6f), 5.0f, Scaled(tone, 0.18f * alpha),
                      {x - 7, y - 7, x + 7, y + 7});
        c.FillCircle(x, y, bright ? 1.2f : size, Scaled(tone, alpha));
    }
}

// Long thin clouds lit from below by the glow.
void DrawClouds(Canvas& c) {
    for (int y = 330; y < static_cast<int>(kWaterline); ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const float n = ValueNoise(x * 0.25f, y * 2.2f, 22.0f, 7) * 0.65f +
                            ValueNoise(x * 0.5f, y * 3.0f, 9.0f, 8) * 0.35f;
            const float band = Smoothstep(330, 430, y) * (1.0f - Smoothstep(540, 590, y));
            const float density = Smoothstep(0.52f, 0.8f, n) * band;
            if (density <= 0)
                continue;
            const float dx = (x - kGlowX) / 600.0f;
            const float lit = std::exp(-dx * dx * 3.0f);
            const Rgba tone = Mix(Rgba{44, 48, 74, 255}, Rgba{176, 122, 92, 255}, lit * 0.8f);
            c.Blend(x, y, tone, density * 0.55f);
        }
    }
}

// A row of blocks along the waterline from the left edge to `stopAt`, kept low left of
// `quietUntil`.
// `haze` mixes each block's colour towards the sky behind it, for distance.
void DrawSkyline(Canvas& c, uint32_t seed, float base, float low, float high, Rgba ownColour,
                 float haze, float windows, float quietUntil, float stopAt) {
    Dice dice(seed);
    float x = -10;
    while (x < stopAt) {
        const float width = dice.Uniform(14, 42);
        const float reach = x < quietUntil ? 0.45f : 1.0f;
        const float height = dice.Uniform(low, high) * reach;
        const float top = base - height;
        const Rgba colour = Mix(ownColour, SkyAt(x + width * 0.5f, top + 4), haze);
        c.FillRect(static_cast<int>(x), static_cast<int>(top), static_cast<int>(x + width),
                   static_cast<int>(base) + 1, colour);
        if (dice.Next() % 5 == 0) // a slim mast or roof light on some of them
            c.FillRect(static_cast<int>(x + width * 0.5f), static_cast<int>(top - 9),
                       static_cast<int>(x + width * 0.5f) + 1, static_cast<int>(top), colour);
        for (float wy = top + 5; wy < base - 4; wy += 7)
            for (float wx = x + 3; wx < x + width - 3; wx += 5)
                if (dice.Uniform(0, 1) < windows)
                    c.FillRect(static_cast<int>(wx), static_cast<int>(wy), static_cast<int>(wx) + 2,
                               static_cast<int>(wy) + 3,
                               Scaled(Rgba{240, 190, 110, 255}, dice.Uniform(0.25f, 0.7f)));
        x += width + dice.Uniform(0, 6);
    }
}

Distance Rect(float left, float top, float right, float bottom) {
    return RoundedRect(left, top, right, bottom, 0.0f);
}

// The upper half of an ellipse standing on y = cy.
Distance Dome(float cx, float cy, float rx, float ry) {
    const float inner = std::min(rx, ry);
    return [=](float x, float y) {
        const float e = (std::hypot((x - cx) / rx, (y - cy) / ry) - 1.0f) * inner;
        return std::max(e, y - cy);
    };
}

Distance Triangle(float left, float right, float baseY, float apexY) {
    const float cx = (left + right) * 0.5f, half = (right - left) * 0.5f;
    const float height = baseY - apexY;
    const float norm = std::hypot(height, half);
    return [=](float x, float y) {
        const float slope = (std::fabs(x - cx) * height - (y - apexY) * half) / norm;
        return std::max(slope, y - baseY);
    };
}

void DrawParliament(Canvas& c) {
    const float cx = 726;
    std::vector<Distance> parts = {
        Rect(430, 570, 1010, kWaterline + 2), // plinth and river wall
        Rect(470, 552, 560, 572),             // west wing
        Rect(892, 552, 982, 572),             // east wing
        Rect(540, 528, 912, 572),             // main hall
        Triangle(cx - 56, cx + 56, 530, 502), // pediment over the portico
        Rect(cx - 44, 462, cx + 44, 530),     // drum
        Rect(cx - 50, 455, cx + 50, 464),     // drum cornice
        Dome(cx, 457, 44, 54),                // dome
        Rect(cx - 7, 386, cx + 7, 406),       // lantern
        Dome(cx, 388, 8, 9),                  // lantern cap
        Rect(cx - 0.8f, 352, cx + 0.8f, 380), // flagpole
        Rect(570, 520, 600, 530),             // corner pavilions
        Rect(852, 520, 882, 530),
        Rect(936, 400, 964, 552),     // clock tower
        Rect(932, 392, 968, 404),     // its belfry ledge
        Triangle(934, 966, 393, 330), // and spire
    };
    Distance building = parts[0];
    for (size_t i = 1; i < parts.size(); ++i)
        building = Union(building, parts[i]);
    const Area area{420, 320, 1014, kWaterline + 4};

    // Rim light: the building painted light, then again in shadow one pixel lower, leaves a
    // bright line only on the edges that face the sky.
    Paint(c, building, Scaled(Rgba{230, 170, 110, 255}, 0.55f), area);
    Paint(c, Offset(building, 0.0f, 1.3f),
          VerticalShade(330, kWaterline, Rgba{28, 32, 50, 255}, Rgba{12, 16, 28, 255}), area);

    // Columns of the portico and drum: slim lighter strips.
    for (float x = cx - 52; x <= cx + 52; x += 13)
        c.FillRect(static_cast<int>(x), 532, static_cast<int>(x) + 2, 570, Rgba{60, 58, 74, 150});
    for (float x = cx - 38; x <= cx + 38; x += 11)
        c.FillRect(static_cast<int>(x), 466, static_cast<int>(x) + 2, 528, Rgba{58, 56, 72, 140});

    // Lit windows along the hall and wings.
    Dice dice(77);
    for (int row = 0; row < 2; ++row) {
        for (float x = 546; x < 976; x += 9) {
            if (x > cx - 60 && x < cx + 60)
                continue;
            const float top = row == 0 ? 538 : 556;
            if (top < 552 && (x < 542 || x > 906))
                continue;
            if (dice.Uniform(0, 1) < 0.3f)
                continue;
            c.FillRect(static_cast<int>(x), static_cast<int>(top), static_cast<int>(x) + 3,
                       static_cast<int>(top) + 7,
                       Scaled(Rgba{246, 196, 116, 255}, dice.Uniform(0.35f, 0.8f)));
        }
    }
    // The clock face and a small flag.
    PaintHalo(c, Circle(950, 418, 7), 8, Scaled(kGold, 0.25f), {930, 398, 970, 438});
    c.FillCircle(950, 418, 7.0f, Rgba{236, 204, 140, 235});
    c.Line(950, 418, 950, 413, 1.2f, Rgba{40, 36, 40, 255});
    c.Line(950, 418, 954, 419, 1.2f, Rgba{40, 36, 40, 255});
    c.FillPolygon({cx + 0.8f, 353, cx + 18, 357, cx + 0.8f, 362}, Scaled(kGold, 0.9f));
}

// The river wall's lamps.
constexpr float kFirstLamp = 446, kLampGap = 46, kLampY = 585;

void DrawLamps(Canvas& c) {
    for (float x = kFirstLamp; x < kWidth; x += kLampGap) {
        PaintHalo(c, Circle(x, kLampY, 1.5f), 10, Scaled(Rgba{255, 200, 120, 255}, 0.3f),
                  {x - 14, kLampY - 14, x + 14, kLampY + 14});
        c.FillCircle(x, kLampY, 1.6f, Rgba{255, 226, 170, 255});
    }
}

// Each lamp's light broken into a column of short streaks on the water below it.
void DrawLampReflections(Canvas& c) {
    for (float lamp = kFirstLamp; lamp < kWidth; lamp += kLampGap) {
        for (int y = static_cast<int>(kWaterline) + 2; y < kWaterline + 90; ++y) {
            const float fade = 1.0f - (y - kWaterline) / 90.0f;
            const float wave = Smoothstep(0.45f, 0.8f, ValueNoise(lamp, y * 3.0f, 4.0f, 93));
            for (int x = static_cast<int>(lamp) - 8; x <= static_cast<int>(lamp) + 8; ++x) {
                const float dx = (x + 0.5f - lamp) / (2.0f + 4.0f * (1.0f - fade));
                const float light = std::exp(-dx * dx) * wave * fade * fade;
                if (light > 0.01f && x >= 0 && x < kWidth)
                    AddLight(c.At(x, y), Rgba{240, 180, 100, 255}, 0.45f * light);
            }
        }
    }
}

// The river: the scene above mirrored, darkened and broken up by ripples.
void DrawWater(Canvas& c) {
    const Canvas above = c;
    for (int y = static_cast<int>(kWaterline) + 1; y < kHeight; ++y) {
        const float depth = (y - kWaterline) / (kHeight - kWaterline);
        for (int x = 0; x < kWidth; ++x) {
            // Ripples run in long horizontal bands, each row shifted on its own.
            const float ripple =
                (ValueNoise(x, y * 60.0f, 60.0f, 91) - 0.5f) * (3.0f + 16.0f * depth);
            const int sx = std::clamp(static_cast<int>(x + ripple), 0, kWidth - 1);
            const int sy = static_cast<int>(2 * kWaterline - y);
            // A few rows averaged: the surface blurs what it mirrors.
            int r = 0, g = 0, b = 0;
            for (int k = -2; k <= 2; ++k) {
                const Rgba& p = above.At(sx, std::clamp(sy + k, 0, kHeight - 1));
                r += p.r;
                g += p.g;
                b += p.b;
            }
            const Rgba blurred{static_cast<uint8_t>(r / 5), static_cast<uint8_t>(g / 5),
                               static_cast<uint8_t>(b / 5), 255};
            Rgba mirrored = Darken(blurred, 0.35f + 0.35f * depth);
            const Rgba deep = Mix(Rgba{16, 22, 36, 255}, Rgba{6, 9, 16, 255}, depth);
            mirrored = Mix(mirrored, deep, 0.35f + 0.3f * depth);
            // Glints where the warm light touches the tops of the waves.
            const float dx = (x - kGlowX) / 260.0f;
            const float glint = Smoothstep(0.8f, 0.95f, ValueNoise(x * 0.6f, y * 4.0f, 5.0f, 92));
            AddLight(mirrored, Rgba{230, 170, 100, 255},
                     0.5f * glint * std::exp(-dx * dx) * (1.0f - depth));
            c.At(x, y) = WithAlpha(mirrored, 255);
        }
    }
    c.FillRect(0, static_cast<int>(kWaterline), kWidth, static_cast<int>(kWaterline) + 1,
               Rgba{10, 14, 24, 200});
}

// Draws text with extra space between the letters; answers the pen's end.
float DrawSpaced(Canvas& c, const GlyphRaster& font, const std::string& text, float x,
                 float baseline, float spacing, Rgba colour) {
    for (uint32_t codePoint : GlyphRaster::DecodeUtf8(text)) {
        const RenderedGlyph glyph = font.Render(codePoint);
        GlyphRaster::DrawGlyph(c, glyph, static_cast<int>(std::lround(x)),
                               static_cast<int>(baseline), colour);
        x += glyph.advance + spacing;
    }
    return x - spacing;
}

// The game's name, top left above the menu: widely spaced serif capitals on a soft shadow,
// underlined by a gold rule that fades to the right. Without the font the menu does without.
void DrawName(Canvas& c) {
    GlyphRaster font;
    if (!font.Open(FindSystemFont("DejaVuSerif.ttf")) || !font.SetPixelSize(62, Hinting::Light))
        return;
    const std::string name = "MARROWGATE";
    const float left = 66, baseline = 150, spacing = 11;

    Canvas shadow(kWidth, 260, Rgba{0, 0, 0, 0});
    DrawSpaced(shadow, font, name, left, baseline + 3, spacing, Rgba{0, 0, 0, 255});
    BlurAlpha(shadow, 5);
    c.Draw(shadow, 0, 0, Rgba{255, 255, 255, 190});

    const float right = DrawSpaced(c, font, name, left, baseline, spacing, kText);
    const float ruleY = baseline + 22;
    Paint(c, Rect(left, ruleY, right + 40, ruleY + 1.4f), [=](float x, float) {
        return Scaled(kGold,
                      0.9f * (1.0f - Smoothstep(left + (right - left) * 0.3f, right + 40, x)));
    });
    c.FillCircle(left + 2, ruleY + 0.7f, 2.6f, kGold);
}

// On a screen wider than the picture the game draws the picture's outermost columns out to the
// screen's edges. Stretched, every star, speck of grain or lit window in them would become a
// streak, so the sides are calmed: a band where each row is the smoothed colour of the picture's
// edge (averaged across the band, blurred down the rows), fading into the picture further in.
void CalmSides(Canvas& c) {
    constexpr int kFlat = 16, kFade = 48, kAcross = 32, kDown = 6;
    const int w = c.Width(), h = c.Height();
    for (int side = 0; side < 2; ++side) {
        // The column x counted inwards from this side's edge.
        auto column = [&](int x) { return side == 0 ? x : w - 1 - x; };
        std::vector<float> rows(static_cast<size_t>(h) * 3);
        for (int y = 0; y < h; ++y) {
            float r = 0, g = 0, b = 0;
            for (int x = 0; x < kAcross; ++x) {
                const Rgba& p = c.At(column(x), y);
                r += p.r;
                g += p.g;
                b += p.b;
            }
            rows[3 * y] = r / kAcross;
            rows[3 * y + 1] = g / kAcross;
            rows[3 * y + 2] = b / kAcross;
        }
        for (int y = 0; y < h; ++y) {
            float sum[3] = {0, 0, 0};
            int n = 0;
            for (int k = std::max(0, y - kDown); k <= std::min(h - 1, y + kDown); ++k, ++n)
                for (int i = 0; i < 3; ++i)
                    sum[i] += rows[3 * k + i];
            const Rgba calm{static_cast<uint8_t>(std::lround(sum[0] / n)),
                            static_cast<uint8_t>(std::lround(sum[1] / n)),
                            static_cast<uint8_t>(std::lround(sum[2] / n)), 255};
            for (int x = 0; x < kFade; ++x) {
                const float t = x < kFlat ? 0.0f : Smoothstep(kFlat, kFade, x);
                Rgba& p = c.At(column(x), y);
                p = WithAlpha(Mix(calm, p, t), 255);
            }
        }
    }
}

bool MakeTitle(const std::string& folder) {
    Canvas c(kWidth, kHeight);
    FillWith(c, SkyAt);
    DrawStars(c);
    DrawClouds(c);
    // Far, hazy city; the left half stays low where the menu stands.
    DrawSkyline(c, 301, kWaterline, 18, 62, Rgba{26, 30, 50, 255}, 0.35f, 0.04f, 420, kWidth + 10);
    DrawParliament(c);
    DrawSkyline(c, 302, kWaterline + 1, 8, 30, Rgba{14, 19, 32, 255}, 0.0f, 0.08f, 440, 430);
    DrawLamps(c);
    DrawWater(c);
    DrawLampReflections(c);
    Vignette(c, 0.45f);
    DrawName(c);
    c.AddNoise(3, 2);
    CalmSides(c);
    const std::string path = folder + "/title.bmp";
    return SaveBmp(c, path) && ReadsBackAs(path, c, 0);
}

// ---- The processing screen ---------------------------------------------------------------------

// A small network of nodes, each joined to its two nearest neighbours, gathered around one
// corner and fading towards the middle of the screen.
void DrawConstellation(Canvas& c, uint32_t seed, float cornerX, float cornerY) {
    Dice dice(seed);
    std::vector<float> xs, ys;
    while (xs.size() < 18) {
        const float x = cornerX + dice.Uniform(-260, 260), y = cornerY + dice.Uniform(-200, 200);
        if (x < 8 || y < 8 || x > kWidth - 8 || y > kHeight - 8)
            continue;
        xs.push_back(x);
        ys.push_back(y);
    }
    auto strength = [&](float x, float y) {
        return 1.0f - Smoothstep(90, 300, std::hypot(x - cornerX, y - cornerY));
    };
    const size_t n = xs.size();
    for (size_t i = 0; i < n; ++i) {
        // The two nearest others.
        size_t first = i, second = i;
        float bestFirst = 1e9f, bestSecond = 1e9f;
        for (size_t j = 0; j < n; ++j) {
            if (j == i)
                continue;
            const float d = std::hypot(xs[i] - xs[j], ys[i] - ys[j]);
            if (d < bestFirst) {
                second = first;
                bestSecond = bestFirst;
                first = j;
                bestFirst = d;
            } else if (d < bestSecond) {
                second = j;
                bestSecond = d;
            }
        }
        for (size_t j : {first, second}) {
            const float s = std::min(strength(xs[i], ys[i]), strength(xs[j], ys[j]));
            c.Line(xs[i], ys[i], xs[j], ys[j], 1.0f, Scaled(kTeal, 0.2f * s));
        }
    }
    for (size_t i = 0; i < n; ++i) {
        const float s = strength(xs[i], ys[i]);
        PaintHalo(c, Circle(xs[i], ys[i], 2), 9, Scaled(kTeal, 0.14f * s),
                  {xs[i] - 12, ys[i] - 12, xs[i] + 12, ys[i] + 12});
        c.FillCircle(xs[i], ys[i], dice.Uniform(1.6f, 3.0f),
                     Scaled(Lighten(kTeal, 0.3f), 0.65f * s));
    }
}

bool MakeLoadscreen(const std::string& folder) {
    Canvas c(kWidth, kHeight);
    FillWith(c, RadialShade(512, 330, 720, Rgba{27, 37, 58, 255}, Rgba{7, 11, 19, 255}));
    // Wide, faint arcs from below, like a horizon seen from far away.
    for (int i = 0; i < 4; ++i) {
        const float r = 900.0f + i * 70.0f;
        PaintEdge(c, Circle(512, 700 + r, r), -0.5f, 1.0f,
                  Flat(Scaled(i == 0 ? kGold : kTeal, i == 0 ? 0.16f : 0.07f)),
                  {0, 560, kWidth, kHeight});
    }
    // A soft lighter haze above the arcs.
    Paint(c, Rect(0, 520, kWidth, kHeight), [](float x, float y) {
        const float dx = (x - 512) / 520, dy = (y - 700) / 120;
        return Scaled(Rgba{80, 110, 150, 255}, 0.10f * std::exp(-(dx * dx + dy * dy)));
    });
    DrawConstellation(c, 404, 110, 110);
    DrawConstellation(c, 405, kWidth - 130, kHeight - 190);
    Vignette(c, 0.5f);
    c.AddNoise(4, 2);
    CalmSides(c);
    const std::string path = folder + "/loadscreen.jpg";
    return SaveJpeg(c, path, 92) && ReadsBackAs(path, c, 3);
}

// ---- The game screen ---------------------------------------------------------------------------

bool MakeSevenLines(const std::string& folder) {
    const float cx = kWidth * 0.5f, cy = kHeight * 0.5f;
    const float sector = 360.0f / 7.0f;
    Canvas c(kWidth, kHeight);
    FillWith(c, [=](float x, float y) {
        return Mix(Rgba{27, 38, 60, 255}, Rgba{10, 15, 26, 255},
                   std::hypot(x - cx, (y - cy) * 1.25f) / 620.0f);
    });

    // The seven dividing lines, between neighbouring policy groups (angle 0 points up, angles
    // grow clockwise): a fine line in a soft glow, fading in away from the middle.
    for (int k = 0; k < 7; ++k) {
        const float a = (k * sector + sector * 0.5f) * kPi / 180.0f;
        const float dx = std::sin(a), dy = -std::cos(a);
        const float reach = 900.0f;
        const std::vector<float> ends = {cx + dx * 150, cy + dy * 150, cx + dx * reach,
                                         cy + dy * reach};
        const Distance line = Stroke(ends, 1.0f);
        auto fade = [=](float x, float y) {
            const float r = std::hypot(x - cx, y - cy);
            return Smoothstep(170, 300, r) * (1.0f - 0.45f * Smoothstep(320, 640, r));
        };
        Paint(c, Stroke(ends, 12.0f), [=](float x, float y) {
            const float d = line(x, y);
            const float core = Clamp01f(0.5f - d);
            const float alpha = 0.24f * core + 0.06f * std::exp(-d * d / 10.0f);
            return Scaled(Rgba{110, 164, 184, 255}, alpha * fade(x, y));
        });
    }
    // Rings: a dotted one where the groups' captions stand, fainter ones further out.
    const float captions = kHeight / 3.0f - 16.0f;
    for (float a = 0; a < 360.0f; a += 1.5f) {
        const float rad = a * kPi / 180.0f;
        c.FillCircle(cx + std::sin(rad) * captions, cy - std::cos(rad) * captions, 0.9f,
                     Scaled(Rgba{110, 150, 170, 255}, 0.22f));
    }
    for (float r : {340.0f, 450.0f})
        PaintEdge(c, Circle(cx, cy, r), -0.5f, 1.0f, Flat(Scaled(Rgba{80, 110, 140, 255}, 0.08f)));

    // A quiet panel behind the voter groups in the middle.
    const Distance panel = RoundedRect(cx - 182, cy - 122, cx + 182, cy + 162, 14);
    PaintHalo(c, Offset(panel, 0, 2), 10, Rgba{0, 0, 0, 70});
    Paint(c, panel,
          VerticalShade(cy - 122, cy + 162, Rgba{14, 21, 34, 160}, Rgba{10, 16, 27, 170}));
    PaintEdge(c, panel, 0, 1, Flat(Scaled(Rgba{80, 110, 140, 255}, 0.3f)));
    PaintEdge(c, panel, 1, 1, Flat(Rgba{255, 255, 255, 8}));

    Vignette(c, 0.4f);
    c.AddNoise(5, 2);
    CalmSides(c);
    const std::string path = folder + "/7lines.jpg";
    return SaveJpeg(c, path, 92) && ReadsBackAs(path, c, 3);
}

} // namespace

bool MakeBackgrounds(const std::string& dataDir) {
    const std::string folder = dataDir + "/bitmaps/backgrounds";
    bool ok = MakeTitle(folder);
    ok = MakeLoadscreen(folder) && ok;
    ok = MakeSevenLines(folder) && ok;
    return ok;
}
