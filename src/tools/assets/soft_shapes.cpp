#include "tools/assets/soft_shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace chrome {
namespace {

uint8_t Byte(float v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// Visits the pixels of the area (design units) with their centres in design units.
template <typename Visit> void ForEachPixel(Canvas& canvas, const Area& area, Visit visit) {
    const float s = canvas.Scale();
    const int x0 = std::max(0, static_cast<int>(std::floor(area.left * s)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(area.top * s)) - 1);
    const int x1 =
        static_cast<int>(std::min<float>(canvas.Width() - 1, std::ceil(area.right * s) + 1));
    const int y1 =
        static_cast<int>(std::min<float>(canvas.Height() - 1, std::ceil(area.bottom * s) + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            visit(x, y, (x + 0.5f) / s, (y + 0.5f) / s);
}

float SegmentDistance(float px, float py, float ax, float ay, float bx, float by) {
    const float dx = bx - ax, dy = by - ay;
    const float lengthSq = dx * dx + dy * dy;
    float t = lengthSq > 0.0f ? ((px - ax) * dx + (py - ay) * dy) / lengthSq : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

uint32_t Hash(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^
                 static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

} // namespace

float Clamp01f(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

float Smoothstep(float edge0, float edge1, float x) {
    const float t = Clamp01f((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

Rgba Lighten(Rgba c, float amount) {
    const Rgba white{255, 255, 255, c.a};
    return Mix(c, white, amount);
}

Rgba Darken(Rgba c, float amount) {
    const Rgba black{0, 0, 0, c.a};
    return Mix(c, black, amount);
}

Rgba Scaled(Rgba c, float alpha) {
    c.a = Byte(c.a * Clamp01f(alpha));
    return c;
}

Distance RoundedRect(float left, float top, float right, float bottom, float radius) {
    const float cx = (left + right) * 0.5f, cy = (top + bottom) * 0.5f;
    const float hx = (right - left) * 0.5f, hy = (bottom - top) * 0.5f;
    radius = std::clamp(radius, 0.0f, std::min(hx, hy));
    return [=](float x, float y) {
        const float qx = std::fabs(x - cx) - (hx - radius);
        const float qy = std::fabs(y - cy) - (hy - radius);
        const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

Distance Circle(float cx, float cy, float radius) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

Distance Stroke(std::vector<float> points, float thickness) {
    const float half = thickness * 0.5f;
    return [points = std::move(points), half](float x, float y) {
        float best = 1e9f;
        for (size_t i = 0; i + 3 < points.size(); i += 2)
            best = std::min(best, SegmentDistance(x, y, points[i], points[i + 1], points[i + 2],
                                                  points[i + 3]));
        return best - half;
    };
}

Distance Union(Distance a, Distance b) {
    return [a = std::move(a), b = std::move(b)](float x, float y) {
        return std::min(a(x, y), b(x, y));
    };
}

Distance Subtract(Distance from, Distance cut) {
    return [from = std::move(from), cut = std::move(cut)](float x, float y) {
        return std::max(from(x, y), -cut(x, y));
    };
}

Distance Offset(Distance shape, float dx, float dy) {
    return [shape = std::move(shape), dx, dy](float x, float y) { return shape(x - dx, y - dy); };
}

// Distances come in design units; anti-aliasing spans one pixel, so they are measured in pixels.
void Paint(Canvas& canvas, const Distance& shape, const Shader& shader, Area area) {
    const float s = canvas.Scale();
    ForEachPixel(canvas, area, [&](int x, int y, float px, float py) {
        const float coverage = Clamp01f(0.5f - shape(px, py) * s);
        if (coverage > 0.0f)
            canvas.Blend(x, y, shader(px, py), coverage);
    });
}

void Paint(Canvas& canvas, const Distance& shape, Rgba colour, Area area) {
    Paint(canvas, shape, Flat(colour), area);
}

void PaintEdge(Canvas& canvas, const Distance& shape, float inset, float width,
               const Shader& shader, Area area) {
    const float s = canvas.Scale();
    ForEachPixel(canvas, area, [&](int x, int y, float px, float py) {
        const float d = (shape(px, py) + inset) * s;
        // Inside the outer boundary and outside the inner one, each anti-aliased.
        const float coverage = Clamp01f(0.5f - d) - Clamp01f(0.5f - d - width * s);
        if (coverage > 0.0f)
            canvas.Blend(x, y, shader(px, py), coverage);
    });
}

void PaintHalo(Canvas& canvas, const Distance& shape, float blur, Rgba colour, Area area) {
    ForEachPixel(canvas, area, [&](int x, int y, float px, float py) {
        const float d = shape(px, py);
        const float coverage = 1.0f - Smoothstep(-blur * 0.25f, blur, d);
        if (coverage > 0.0f)
            canvas.Blend(x, y, colour, coverage);
    });
}

Shader Flat(Rgba colour) {
    return [colour](float, float) { return colour; };
}

Shader VerticalShade(float top, float bottom, Rgba from, Rgba to) {
    return [=](float, float y) { return Mix(from, to, (y - top) / (bottom - top)); };
}

Shader RadialShade(float cx, float cy, float radius, Rgba centre, Rgba rim) {
    return [=](float x, float y) { return Mix(centre, rim, std::hypot(x - cx, y - cy) / radius); };
}

void BleedTransparentEdges(Canvas& canvas) {
    const int w = canvas.Width(), h = canvas.Height();
    std::vector<uint8_t> known(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            known[static_cast<size_t>(y) * w + x] = canvas.At(x, y).a > 0;
    // A few rings outwards are enough: filtering only ever reaches one texel beyond the edge.
    for (int pass = 0; pass < 4; ++pass) {
        std::vector<uint8_t> next = known;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (known[static_cast<size_t>(y) * w + x])
                    continue;
                int r = 0, g = 0, b = 0, n = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h ||
                            !known[static_cast<size_t>(ny) * w + nx])
                            continue;
                        const Rgba& p = canvas.At(nx, ny);
                        r += p.r;
                        g += p.g;
                        b += p.b;
                        ++n;
                    }
                }
                if (n == 0)
                    continue;
                canvas.At(x, y) = {static_cast<uint8_t>(r / n), static_cast<uint8_t>(g / n),
                                   static_cast<uint8_t>(b / n), 0};
                next[static_cast<size_t>(y) * w + x] = 1;
            }
        }
        known.swap(next);
    }
}

void BlurAlpha(Canvas& canvas, int radius) {
    const int w = canvas.Width(), h = canvas.Height();
    if (radius <= 0 || w == 0 || h == 0)
        return;
    std::vector<float> alpha(static_cast<size_t>(w) * h), scratch(alpha.size());
    for (int i = 0; i < w * h; ++i)
        alpha[i] = canvas.At(i % w, i / w).a;
    // One running-sum pass along rows (step 1) or columns (step w), edges treated as empty.
    auto pass = [&](int count, int lines, int step, int lineStep) {
        for (int line = 0; line < lines; ++line) {
            const int base = line * lineStep;
            float sum = 0;
            for (int i = 0; i < std::min(radius, count); ++i)
                sum += alpha[base + i * step];
            for (int i = 0; i < count; ++i) {
                if (i + radius < count)
                    sum += alpha[base + (i + radius) * step];
                if (i - radius - 1 >= 0)
                    sum -= alpha[base + (i - radius - 1) * step];
                scratch[base + i * step] = sum / (2 * radius + 1);
            }
        }
        alpha.swap(scratch);
    };
    for (int round = 0; round < 3; ++round) {
        pass(w, h, 1, w);
        pass(h, w, w, 1);
    }
    for (int i = 0; i < w * h; ++i)
        canvas.At(i % w, i / w).a = Byte(alpha[i]);
}

uint32_t Dice::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

float Dice::Uniform(float low, float high) {
    return low + (high - low) * static_cast<float>(Next() % 1000001u) / 1000000.0f;
}

float ValueNoise(float x, float y, float scale, uint32_t seed) {
    const float fx = x / scale, fy = y / scale;
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    const float tx = Smoothstep(0.0f, 1.0f, fx - ix), ty = Smoothstep(0.0f, 1.0f, fy - iy);
    auto corner = [&](int cx, int cy) { return (Hash(cx, cy, seed) & 0xFFFF) / 65535.0f; };
    const float top = corner(ix, iy) + (corner(ix + 1, iy) - corner(ix, iy)) * tx;
    const float bottom = corner(ix, iy + 1) + (corner(ix + 1, iy + 1) - corner(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

} // namespace chrome
