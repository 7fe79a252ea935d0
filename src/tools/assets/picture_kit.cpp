#include "tools/assets/picture_kit.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

uint8_t ToByte(float v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// One horizontal and one vertical running-sum pass over an alpha plane.
void BoxBlur(std::vector<float>& alpha, int width, int height, int radius) {
    std::vector<float> line;
    const float scale = 1.0f / (2 * radius + 1);
    for (int pass = 0; pass < 2; ++pass) {
        const int length = pass == 0 ? width : height;
        const int lines = pass == 0 ? height : width;
        line.resize(length);
        for (int l = 0; l < lines; ++l) {
            auto at = [&](int i) -> float& {
                return pass == 0 ? alpha[static_cast<size_t>(l) * width + i]
                                 : alpha[static_cast<size_t>(i) * width + l];
            };
            for (int i = 0; i < length; ++i)
                line[i] = at(i);
            float sum = 0.0f;
            for (int i = -radius; i <= radius; ++i)
                sum += (i >= 0 && i < length) ? line[i] : 0.0f;
            for (int i = 0; i < length; ++i) {
                at(i) = sum * scale;
                const int out = i - radius, in = i + radius + 1;
                sum += (in < length ? line[in] : 0.0f) - (out >= 0 ? line[out] : 0.0f);
            }
        }
    }
}

} // namespace

Rgba Lighter(Rgba c, float t) {
    return Mix(c, Rgba{255, 255, 255, c.a}, t);
}

Rgba Darker(Rgba c, float t) {
    return Mix(c, Rgba{0, 0, 0, c.a}, t);
}

Rgba Faded(Rgba c, float alpha) {
    c.a = ToByte(c.a * std::clamp(alpha, 0.0f, 1.0f));
    return c;
}

Shade VerticalRamp(float top, float bottom, Rgba from, Rgba to) {
    return [=](float, float y) { return Mix(from, to, (y - top) / (bottom - top)); };
}

Shade RadialRamp(float cx, float cy, float radius, Rgba centre, Rgba rim) {
    return [=](float x, float y) { return Mix(centre, rim, std::hypot(x - cx, y - cy) / radius); };
}

Canvas MaskLike(const Canvas& canvas) {
    return Canvas(canvas.Width(), canvas.Height());
}

void PaintThrough(Canvas& target, const Canvas& mask, const Shade& shade) {
    const int w = std::min(target.Width(), mask.Width());
    const int h = std::min(target.Height(), mask.Height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (const uint8_t a = mask.At(x, y).a)
                target.Blend(x, y, shade(x + 0.5f, y + 0.5f), a / 255.0f);
}

void PaintThrough(Canvas& target, const Canvas& mask, Rgba colour) {
    PaintThrough(target, mask, [colour](float, float) { return colour; });
}

Canvas Blurred(const Canvas& mask, int radius) {
    const int w = mask.Width(), h = mask.Height();
    std::vector<float> alpha(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            alpha[static_cast<size_t>(y) * w + x] = mask.At(x, y).a;
    if (radius > 0)
        for (int i = 0; i < 3; ++i)
            BoxBlur(alpha, w, h, radius);
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.At(x, y) = {255, 255, 255, ToByte(alpha[static_cast<size_t>(y) * w + x])};
    return out;
}

void SoftShadow(Canvas& target, const Canvas& mask, int dx, int dy, int blur, Rgba colour) {
    const Canvas soft = Blurred(mask, blur);
    for (int y = 0; y < target.Height(); ++y) {
        for (int x = 0; x < target.Width(); ++x) {
            const int sx = x - dx, sy = y - dy;
            if (sx < 0 || sy < 0 || sx >= soft.Width() || sy >= soft.Height())
                continue;
            if (const uint8_t a = soft.At(sx, sy).a)
                target.Blend(x, y, colour, a / 255.0f);
        }
    }
}

Canvas Rim(const Canvas& mask, int dx, int dy) {
    Canvas out = MaskLike(mask);
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            const int sx = x - dx, sy = y - dy;
            const bool inside = sx >= 0 && sy >= 0 && sx < mask.Width() && sy < mask.Height();
            const int shifted = inside ? mask.At(sx, sy).a : 0;
            const int a = mask.At(x, y).a - shifted;
            if (a > 0)
                out.At(x, y) = {255, 255, 255, static_cast<uint8_t>(a)};
        }
    }
    return out;
}

Canvas Clipped(const Canvas& mask, const Canvas& clip) {
    Canvas out = MaskLike(mask);
    for (int y = 0; y < std::min(mask.Height(), clip.Height()); ++y)
        for (int x = 0; x < std::min(mask.Width(), clip.Width()); ++x)
            out.At(x, y) = {255, 255, 255,
                            static_cast<uint8_t>(mask.At(x, y).a * clip.At(x, y).a / 255)};
    return out;
}

std::vector<float> EllipsePath(float cx, float cy, float rx, float ry, int segments) {
    std::vector<float> path;
    path.reserve(static_cast<size_t>(segments) * 2);
    for (int i = 0; i < segments; ++i) {
        const float a = 6.2831853f * i / segments;
        path.push_back(cx + rx * std::cos(a));
        path.push_back(cy + ry * std::sin(a));
    }
    return path;
}

void CurveTo(std::vector<float>& path, float x1, float y1, float x2, float y2, float x3, float y3,
             int steps) {
    if (path.size() < 2) {
        path.push_back(x3);
        path.push_back(y3);
        return;
    }
    const float x0 = path[path.size() - 2], y0 = path[path.size() - 1];
    for (int i = 1; i <= steps; ++i) {
        const float t = static_cast<float>(i) / steps, u = 1.0f - t;
        const float a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        path.push_back(a * x0 + b * x1 + c * x2 + d * x3);
        path.push_back(a * y0 + b * y1 + c * y2 + d * y3);
    }
}

std::vector<float> Mirrored(const std::vector<float>& path, float axisX) {
    std::vector<float> out(path.size());
    // Reversed, so the mirrored outline keeps its winding.
    const size_t n = path.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        out[2 * i] = 2.0f * axisX - path[2 * (n - 1 - i)];
        out[2 * i + 1] = path[2 * (n - 1 - i) + 1];
    }
    return out;
}

Canvas GlyphMask(GlyphRaster& font, uint32_t codePoint, int width, int height, float cx, float cy,
                 float boxWidth, float boxHeight) {
    Canvas mask(width, height);
    font.DrawFitted(mask, codePoint, cx, cy, boxWidth, boxHeight, kWhite);
    return mask;
}

} // namespace art
