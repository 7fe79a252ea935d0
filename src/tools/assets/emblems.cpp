#include "tools/assets/emblems.h"

#include "tools/assets/picture_kit.h"

#include <cmath>
#include <vector>

namespace art {

namespace {

// Everything is drawn at twice the final size and scaled down: the pictograms' fine strokes and the
// thin edges come out smoother than when drawn at the final size.
constexpr int kOversample = 2;

// The pictogram in off-white with a soft shadow beneath it.
void DrawPictogram(Canvas& c, GlyphRaster& symbols, uint32_t glyph, float cx, float cy, float box,
                   float shadowAlpha) {
    const Canvas mask = GlyphMask(symbols, glyph, c.Width(), c.Height(), cx, cy, box, box);
    SoftShadow(c, mask, 0, static_cast<int>(box / 28) + 1, static_cast<int>(box / 40) + 1,
               Faded(kBlack, shadowAlpha));
    PaintThrough(c, mask,
                 VerticalRamp(cy - box / 2, cy + box / 2, Lighter(kOffWhite, 0.5f),
                              Darker(kOffWhite, 0.04f)));
}

// A rounded-rectangle mask with its inner edge band `width` pixels wide, for lit borders.
Canvas RoundedMask(const Canvas& like, float l, float t, float r, float b, float radius) {
    Canvas mask = MaskLike(like);
    mask.FillRoundedRect(l, t, r, b, radius, kWhite);
    return mask;
}

Canvas Difference(const Canvas& outer, const Canvas& inner) {
    Canvas out = MaskLike(outer);
    for (int y = 0; y < outer.Height(); ++y)
        for (int x = 0; x < outer.Width(); ++x) {
            const int a = outer.At(x, y).a - inner.At(x, y).a;
            if (a > 0)
                out.At(x, y) = {255, 255, 255, static_cast<uint8_t>(a)};
        }
    return out;
}

Canvas CircleMask(const Canvas& like, float cx, float cy, float r) {
    Canvas mask = MaskLike(like);
    mask.FillCircle(cx, cy, r, kWhite);
    return mask;
}

std::vector<float> StarPath(float cx, float cy, float outer, float inner, int points) {
    std::vector<float> path;
    for (int i = 0; i < points * 2; ++i) {
        const float a = -1.5707963f + 3.14159265f * i / points;
        const float r = (i % 2 == 0) ? outer : inner;
        path.push_back(cx + r * std::cos(a));
        path.push_back(cy + r * std::sin(a));
    }
    return path;
}

// A wavy skyline from the left edge to the right, closed along the bottom.
std::vector<float> Hills(int width, int height, float base, float big, float small, float phase1,
                         float phase2, float stretch) {
    std::vector<float> path;
    for (int x = 0; x <= width; x += 4) {
        path.push_back(static_cast<float>(x));
        path.push_back(base + big * std::sin(x / (1.6f * stretch) + phase1) +
                       small * std::sin(x / (0.55f * stretch) + phase2));
    }
    path.insert(path.end(), {static_cast<float>(width), static_cast<float>(height), 0.0f,
                             static_cast<float>(height)});
    return path;
}

} // namespace

Canvas PolicyTile(GlyphRaster& symbols, uint32_t glyph, const GroupLook& look) {
    const int size = 64 * kOversample;
    Canvas c(size, size);
    const float l = 10, t = 8, r = size - 10, b = size - 12, radius = 20;
    const Canvas tile = RoundedMask(c, l, t, r, b, radius);
    SoftShadow(c, tile, 0, 4, 4, Faded(kBlack, 0.55f));
    PaintThrough(c, tile, VerticalRamp(t, b, look.light, look.dark));

    // Light from above: a broad sheen over the upper half and a lit inner edge.
    Canvas sheen = MaskLike(c);
    sheen.FillPolygon(EllipsePath(size * 0.5f, t - 6, size * 0.62f, size * 0.42f), kWhite);
    PaintThrough(c, Clipped(sheen, tile),
                 VerticalRamp(t, size * 0.45f, Faded(kWhite, 0.22f), Faded(kWhite, 0.02f)));
    const Canvas inner = RoundedMask(c, l + 2, t + 2, r - 2, b - 2, radius - 2);
    PaintThrough(c, Difference(tile, inner),
                 VerticalRamp(t, b, Faded(kWhite, 0.45f), Faded(kWhite, 0.08f)));

    DrawPictogram(c, symbols, glyph, size * 0.5f, (t + b) * 0.5f, 68, 0.45f);
    return c.Scaled(64, 64);
}

Canvas EventPicture(GlyphRaster& symbols, const Theme& theme, uint32_t seed) {
    const int w = 256 * kOversample, h = 160 * kOversample;
    Canvas c(w, h);
    const Rgba accent = theme.accent;
    const Rgba skyTop = Mix(kNavyDeep, accent, 0.28f);
    const Rgba horizon = Mix(kSlate, Lighter(accent, 0.15f), 0.62f);
    for (int y = 0; y < h; ++y) {
        const float t = static_cast<float>(y) / (h * 0.72f);
        for (int x = 0; x < w; ++x)
            c.At(x, y) = Mix(skyTop, horizon, t);
    }

    const float cx = w * 0.5f, cy = h * 0.44f;
    Canvas all = MaskLike(c);
    all.Fill(kWhite);
    PaintThrough(
        c, all,
        RadialRamp(cx, cy, w * 0.45f, Faded(Lighter(accent, 0.35f), 0.35f), Faded(accent, 0.0f)));

    // A few out-of-focus lights in the sky, placed by the seed.
    uint32_t state = seed * 2654435761u + 12345u;
    auto next = [&state](float low, float high) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return low + (high - low) * (state % 10000) / 10000.0f;
    };
    for (int i = 0; i < 12; ++i) {
        const float x = next(0, w), y = next(10, h * 0.55f), r = next(4, 18);
        c.FillCircle(x, y, r, Faded(Lighter(accent, 0.5f), next(0.05f, 0.13f)));
    }

    const float p1 = next(0, 6.28f), p2 = next(0, 6.28f), p3 = next(0, 6.28f), p4 = next(0, 6.28f);
    c.FillPolygon(Hills(w, h, h * 0.70f, 18, 8, p1, p2, 44), Mix(kNavyDeep, accent, 0.34f));
    c.FillPolygon(Hills(w, h, h * 0.83f, 12, 6, p3, p4, 36), Mix(kNavyDeep, accent, 0.16f));

    // The pictogram on a glass disc.
    const float radius = h * 0.31f;
    const Canvas disc = CircleMask(c, cx, cy, radius);
    SoftShadow(c, disc, 0, 8, 8, Faded(kBlack, 0.45f));
    PaintThrough(c, disc,
                 RadialRamp(cx - radius * 0.3f, cy - radius * 0.4f, radius * 1.6f,
                            Faded(Lighter(accent, 0.1f), 0.92f),
                            Faded(Darker(accent, 0.45f), 0.92f)));
    PaintThrough(c, Rim(disc, 0, 4), Faded(kWhite, 0.35f));
    c.StrokeCircle(cx, cy, radius - 1.5f, 3.0f, Faded(kOffWhite, 0.55f));
    DrawPictogram(c, symbols, theme.glyph, cx, cy, radius * 1.2f, 0.5f);

    // A gentle vignette keeps the eye in the middle.
    PaintThrough(c, all,
                 RadialRamp(cx, h * 0.5f, w * 0.62f, Faded(kBlack, 0.0f), Faded(kBlack, 0.4f)));
    Canvas out = c.Scaled(256, 160);
    out.AddNoise(seed + 7, 2);
    return out;
}

Canvas AchievementMedal(GlyphRaster& symbols, const Theme& theme) {
    const int size = 96 * kOversample;
    Canvas c(size, size);
    const float mid = size * 0.5f;

    // Ribbon: two crossing bands from the top edge down behind the medal.
    std::vector<float> band = {44, 2, 86, 2, 114, 96, 72, 96};
    const std::vector<float> otherBand = Mirrored(band, mid);
    Canvas ribbons = MaskLike(c);
    ribbons.FillPolygon(band, kWhite);
    ribbons.FillPolygon(otherBand, kWhite);
    SoftShadow(c, ribbons, 0, 3, 3, Faded(kBlack, 0.4f));
    c.FillPolygon(otherBand, Darker(theme.accent, 0.3f));
    Canvas front = MaskLike(c);
    front.FillPolygon(band, kWhite);
    PaintThrough(c, front,
                 VerticalRamp(0, 96, Lighter(theme.accent, 0.1f), Darker(theme.accent, 0.15f)));
    c.Line(65, 2, 93, 96, 5, Faded(kOffWhite, 0.55f));

    const float cy = size * 0.61f, r = size * 0.33f;
    const Canvas medal = CircleMask(c, mid, cy, r);
    SoftShadow(c, medal, 0, 5, 5, Faded(kBlack, 0.5f));
    const Rgba goldLight = Lighter(kGold, 0.35f), goldDark = Darker(kGold, 0.35f);
    PaintThrough(c, medal,
                 RadialRamp(mid - r * 0.4f, cy - r * 0.5f, r * 1.9f, goldLight, goldDark));
    PaintThrough(c, Rim(medal, 0, 4), Faded(kWhite, 0.55f));
    const float innerR = r * 0.8f;
    c.StrokeCircle(mid, cy, innerR + 2.5f, 3.0f, Faded(Darker(kGold, 0.5f), 0.8f));
    const Canvas face = CircleMask(c, mid, cy, innerR);
    PaintThrough(c, face,
                 VerticalRamp(cy - innerR, cy + innerR, Lighter(theme.accent, 0.12f),
                              Darker(theme.accent, 0.35f)));
    PaintThrough(c, Rim(face, 0, -3), Faded(kWhite, 0.25f));
    DrawPictogram(c, symbols, theme.glyph, mid, cy, innerR * 1.25f, 0.45f);
    return c.Scaled(96, 96);
}

namespace {
constexpr int kFlagWidth = 128 * kOversample, kFlagHeight = 80 * kOversample;

// The cloth's gentle folds, then down to the flag's size.
Canvas Folded(Canvas& c) {
    const int w = c.Width(), h = c.Height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float fold = 1.0f + 0.07f * std::sin(x / 26.0f + y / 70.0f) -
                               0.03f * std::sin(x / 11.0f - y / 40.0f);
            Rgba& p = c.At(x, y);
            p.r = static_cast<uint8_t>(std::min(255.0f, p.r * fold));
            p.g = static_cast<uint8_t>(std::min(255.0f, p.g * fold));
            p.b = static_cast<uint8_t>(std::min(255.0f, p.b * fold));
        }
    }
    return c.Scaled(128, 80);
}

// A band across the cloth whose top edge rolls like a wave.
void WaveBand(Canvas& c, float top, float bottom, float height, float wavelength, Rgba colour) {
    std::vector<float> points;
    const float w = static_cast<float>(c.Width());
    for (float x = 0; x <= w; x += 4)
        points.insert(points.end(), {x, top + height * std::sin(x / wavelength * 6.2832f)});
    points.insert(points.end(), {w, bottom, 0, bottom});
    c.FillPolygon(points, colour);
}
} // namespace

Canvas CalverraFlag() {
    const int w = 128 * kOversample, h = 80 * kOversample;
    Canvas c(w, h);
    const Rgba teal{34, 128, 124, 255}, blue{40, 74, 128, 255}, navy{18, 30, 54, 255};
    c.FillRect(0, 0, w, h * 7 / 16, teal);
    c.FillRect(0, h * 7 / 16, w, h * 9 / 16, kOffWhite);
    c.FillRect(0, h * 9 / 16, w, h, blue);

    // The chevron at the hoist, edged in off-white like the band it meets.
    const float tip = w * 0.42f;
    c.FillPolygon({0, 0, tip, h * 0.5f, 0, static_cast<float>(h)}, kOffWhite);
    c.FillPolygon({0, 12, tip - 16, h * 0.5f, 0, h - 12.0f}, navy);

    const float sx = w * 0.13f, sy = h * 0.5f;
    c.StrokeCircle(sx, sy, 27, 3, kGold);
    c.FillPolygon(StarPath(sx, sy, 21, 9, 8), kGold);
    c.FillCircle(sx, sy, 5, navy);

    return Folded(c);
}

Canvas SaltreachFlag() {
    const int w = kFlagWidth, h = kFlagHeight;
    Canvas c(w, h);
    const Rgba sea{22, 78, 140, 255}, deep{14, 46, 92, 255}, sand{226, 196, 120, 255};
    c.FillRect(0, 0, w, h, sea);
    // The surf in three rolling lines, and the beach below it.
    for (int line = 0; line < 3; ++line) {
        const float top = h * (0.5f + 0.09f * line);
        WaveBand(c, top, h, 4, w / 5.0f, kOffWhite);
        WaveBand(c, top + 5, h, 4, w / 5.0f, line == 2 ? deep : sea);
    }
    WaveBand(c, h * 0.84f, h, 3, w / 3.0f, sand);
    // The navigators' star that brought the first settlers, and a small star for each of the
    // three main islands.
    const float sx = w * 0.2f, sy = h * 0.27f;
    c.StrokeCircle(sx, sy, h * 0.17f, 3, kGold);
    c.FillPolygon(StarPath(sx, sy, h * 0.22f, h * 0.05f, 4), kGold);
    c.FillPolygon(StarPath(sx, sy, h * 0.12f, h * 0.04f, 4), kOffWhite);
    for (int i = 0; i < 3; ++i)
        c.FillPolygon(StarPath(w * (0.6f + 0.11f * i), h * 0.24f, 9, 4, 5), kOffWhite);
    return Folded(c);
}

Canvas HollvarnFlag() {
    const int w = kFlagWidth, h = kFlagHeight;
    Canvas c(w, h);
    const Rgba forest{28, 84, 58, 255}, pine{16, 52, 36, 255};
    c.FillRect(0, 0, w, h, forest);
    // A white band climbing from the hoist's foot to the fly's head.
    const float band = h * 0.16f;
    c.FillPolygon({0, static_cast<float>(h) - band, static_cast<float>(w) - band * 1.6f, 0,
                   static_cast<float>(w), 0, static_cast<float>(w), band, band * 1.6f,
                   static_cast<float>(h), 0, static_cast<float>(h)},
                  kOffWhite);
    // A fir of three tiers in the upper hoist, on a gold disc.
    const float fx = w * 0.2f, fy = h * 0.3f;
    c.FillCircle(fx, fy, h * 0.2f, kGold);
    for (int tier = 0; tier < 3; ++tier) {
        const float top = fy - h * 0.15f + tier * h * 0.07f;
        const float half = h * (0.06f + 0.03f * tier);
        c.FillPolygon({fx, top, fx + half, top + h * 0.11f, fx - half, top + h * 0.11f}, pine);
    }
    c.FillRect(static_cast<int>(fx - 3), static_cast<int>(fy + h * 0.11f), static_cast<int>(fx + 3),
               static_cast<int>(fy + h * 0.15f), pine);
    return Folded(c);
}

Canvas KestravaFlag() {
    const int w = kFlagWidth, h = kFlagHeight;
    Canvas c(w, h);
    const Rgba ember{214, 106, 36, 255}, charcoal{44, 44, 50, 255};
    c.FillRect(0, 0, w, h, ember);
    // Split corner to corner: the old country below, the new one above.
    c.FillPolygon({static_cast<float>(w), 0, static_cast<float>(w), static_cast<float>(h), 0,
                   static_cast<float>(h)},
                  charcoal);
    const float cx = w * 0.5f, cy = h * 0.5f;
    c.StrokeCircle(cx, cy, h * 0.27f, 5, kOffWhite);
    c.FillPolygon(StarPath(cx, cy, h * 0.2f, h * 0.08f, 5), kOffWhite);
    return Folded(c);
}

} // namespace art
