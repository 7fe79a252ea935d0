#include "tools/assets/canvas.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

uint8_t ToByte(float v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

float Clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// Signed distance from (px, py) to a rounded rectangle, negative inside. Exact for the straight
// edges and the corner arcs, which is all the anti-aliasing below needs.
float RoundedRectDistance(float px, float py, float left, float top, float right, float bottom,
                          float radius) {
    const float cx = (left + right) * 0.5f, cy = (top + bottom) * 0.5f;
    const float hx = (right - left) * 0.5f, hy = (bottom - top) * 0.5f;
    radius = std::clamp(radius, 0.0f, std::min(hx, hy));
    const float qx = std::fabs(px - cx) - (hx - radius);
    const float qy = std::fabs(py - cy) - (hy - radius);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    const float inside = std::min(std::max(qx, qy), 0.0f);
    return outside + inside - radius;
}

// Calls shade(x, y, distance) for every pixel whose centre lies within reach of the box.
template <typename Shade>
void ForPixelsNear(int width, int height, float left, float top, float right, float bottom,
                   Shade shade) {
    const int x0 = std::max(0, static_cast<int>(std::floor(left)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(top)) - 1);
    const int x1 = std::min(width - 1, static_cast<int>(std::ceil(right)) + 1);
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(bottom)) + 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            shade(x, y, x + 0.5f, y + 0.5f);
}

// FreeImage keeps its rows bottom-up in the platform's colour order.
FIBITMAP* ToFreeImage(const Canvas& canvas, bool withAlpha) {
    const int bpp = withAlpha ? 32 : 24;
    FIBITMAP* bitmap = FreeImage_Allocate(canvas.Width(), canvas.Height(), bpp);
    if (!bitmap)
        return nullptr;
    const int step = bpp / 8;
    for (int y = 0; y < canvas.Height(); ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, canvas.Height() - 1 - y);
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgba& p = canvas.At(x, y);
            BYTE* out = row + x * step;
            out[FI_RGBA_RED] = p.r;
            out[FI_RGBA_GREEN] = p.g;
            out[FI_RGBA_BLUE] = p.b;
            if (withAlpha)
                out[FI_RGBA_ALPHA] = p.a;
        }
    }
    return bitmap;
}

bool SaveThroughFreeImage(const Canvas& canvas, const std::string& path, FREE_IMAGE_FORMAT format,
                          bool withAlpha, int flags) {
    if (!MakeParentFolders(path))
        return false;
    FIBITMAP* bitmap = ToFreeImage(canvas, withAlpha);
    if (!bitmap) {
        std::fprintf(stderr, "marrowgate-assets: cannot allocate a %dx%d picture for %s\n",
                     canvas.Width(), canvas.Height(), path.c_str());
        return false;
    }
    const bool ok = FreeImage_Save(format, bitmap, path.c_str(), flags);
    FreeImage_Unload(bitmap);
    if (!ok)
        std::fprintf(stderr, "marrowgate-assets: cannot write %s\n", path.c_str());
    return ok;
}

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

} // namespace

Rgba Mix(Rgba a, Rgba b, float t) {
    t = Clamp01(t);
    auto lerp = [t](uint8_t x, uint8_t y) { return ToByte(x + (y - x) * t); };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), lerp(a.a, b.a)};
}

Rgba WithAlpha(Rgba c, uint8_t alpha) {
    c.a = alpha;
    return c;
}

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      pixels_(static_cast<size_t>(width_) * height_, fill) {}

Canvas::Canvas(int designWidth, int designHeight, float scale, Rgba fill)
    : Canvas(static_cast<int>(std::lround(designWidth * scale)),
             static_cast<int>(std::lround(designHeight * scale)), fill) {
    scale_ = scale > 0 ? scale : 1.0f;
}

void Canvas::Blend(int x, int y, Rgba colour, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    const float sa = colour.a / 255.0f * Clamp01(coverage);
    if (sa <= 0.0f)
        return;
    Rgba& d = At(x, y);
    const float da = d.a / 255.0f;
    const float oa = sa + da * (1.0f - sa);
    // Straight alpha: weigh each side's colour by how much of it shows through.
    const float ws = sa / oa, wd = da * (1.0f - sa) / oa;
    d.r = ToByte(colour.r * ws + d.r * wd);
    d.g = ToByte(colour.g * ws + d.g * wd);
    d.b = ToByte(colour.b * ws + d.b * wd);
    d.a = ToByte(oa * 255.0f);
}

void Canvas::Set(int x, int y, Rgba colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    At(x, y) = colour;
}

void Canvas::Fill(Rgba colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

int Canvas::ToPixels(int design) const {
    return static_cast<int>(std::lround(design * scale_));
}

void Canvas::FillRect(int left, int top, int right, int bottom, Rgba colour) {
    left = std::max(ToPixels(left), 0);
    top = std::max(ToPixels(top), 0);
    right = std::min(ToPixels(right), width_);
    bottom = std::min(ToPixels(bottom), height_);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            Blend(x, y, colour);
}

void Canvas::VerticalGradient(int left, int top, int right, int bottom, Rgba from, Rgba to) {
    left = ToPixels(left);
    top = ToPixels(top);
    right = ToPixels(right);
    bottom = ToPixels(bottom);
    const int span = bottom - top;
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
        const float t = span > 1 ? static_cast<float>(y - top) / (span - 1) : 0.0f;
        const Rgba c = Mix(from, to, t);
        for (int x = std::max(left, 0); x < std::min(right, width_); ++x)
            Blend(x, y, c);
    }
}

void Canvas::FillRoundedRect(float left, float top, float right, float bottom, float radius,
                             Rgba colour) {
    if (right <= left || bottom <= top)
        return;
    ForPixelsNear(width_, height_, left, top, right, bottom, [&](int x, int y, float px, float py) {
        const float d = RoundedRectDistance(px, py, left, top, right, bottom, radius);
        Blend(x, y, colour, Clamp01(0.5f - d));
    });
}

void Canvas::StrokeRoundedRect(float left, float top, float right, float bottom, float radius,
                               float thickness, Rgba colour) {
    if (right <= left || bottom <= top || thickness <= 0.0f)
        return;
    ForPixelsNear(width_, height_, left, top, right, bottom, [&](int x, int y, float px, float py) {
        const float d = RoundedRectDistance(px, py, left, top, right, bottom, radius);
        const float coverage = Clamp01(0.5f - d) - Clamp01(0.5f - d - thickness);
        Blend(x, y, colour, coverage);
    });
}

void Canvas::FillCircle(float cx, float cy, float radius, Rgba colour) {
    if (radius <= 0.0f)
        return;
    ForPixelsNear(width_, height_, cx - radius, cy - radius, cx + radius, cy + radius,
                  [&](int x, int y, float px, float py) {
                      const float d = std::hypot(px - cx, py - cy) - radius;
                      Blend(x, y, colour, Clamp01(0.5f - d));
                  });
}

void Canvas::StrokeCircle(float cx, float cy, float radius, float thickness, Rgba colour) {
    if (radius <= 0.0f || thickness <= 0.0f)
        return;
    const float reach = radius + thickness * 0.5f;
    ForPixelsNear(width_, height_, cx - reach, cy - reach, cx + reach, cy + reach,
                  [&](int x, int y, float px, float py) {
                      const float d = std::fabs(std::hypot(px - cx, py - cy) - radius);
                      Blend(x, y, colour, Clamp01(0.5f - (d - thickness * 0.5f)));
                  });
}

void Canvas::Line(float x1, float y1, float x2, float y2, float thickness, Rgba colour) {
    const float half = std::max(thickness, 0.0f) * 0.5f;
    const float dx = x2 - x1, dy = y2 - y1;
    const float lengthSq = dx * dx + dy * dy;
    ForPixelsNear(
        width_, height_, std::min(x1, x2) - half, std::min(y1, y2) - half, std::max(x1, x2) + half,
        std::max(y1, y2) + half, [&](int x, int y, float px, float py) {
            float t = lengthSq > 0.0f ? ((px - x1) * dx + (py - y1) * dy) / lengthSq : 0.0f;
            t = Clamp01(t);
            const float d = std::hypot(px - (x1 + t * dx), py - (y1 + t * dy)) - half;
            Blend(x, y, colour, Clamp01(0.5f - d));
        });
}

void Canvas::FillPolygon(const std::vector<float>& points, Rgba colour) {
    const size_t n = points.size() / 2;
    if (n < 3 || width_ == 0 || height_ == 0)
        return;
    float minY = points[1], maxY = points[1];
    for (size_t i = 0; i < n; ++i) {
        minY = std::min(minY, points[2 * i + 1]);
        maxY = std::max(maxY, points[2 * i + 1]);
    }
    // Several sample lines per pixel row; along each the spans are exact, so the edges come out
    // smooth in both directions without sampling every pixel many times.
    constexpr int kSubRows = 8;
    const int y0 = std::max(0, static_cast<int>(std::floor(minY)));
    const int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(maxY)));
    std::vector<float> row(static_cast<size_t>(width_) + 1);
    std::vector<float> crossings;
    for (int y = y0; y <= y1; ++y) {
        std::fill(row.begin(), row.end(), 0.0f);
        bool any = false;
        for (int s = 0; s < kSubRows; ++s) {
            const float sy = y + (s + 0.5f) / kSubRows;
            crossings.clear();
            for (size_t i = 0; i < n; ++i) {
                const float ax = points[2 * i], ay = points[2 * i + 1];
                const float bx = points[2 * ((i + 1) % n)], by = points[2 * ((i + 1) % n) + 1];
                if ((ay <= sy) != (by <= sy))
                    crossings.push_back(ax + (sy - ay) * (bx - ax) / (by - ay));
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
                const float a = std::clamp(crossings[i], 0.0f, static_cast<float>(width_));
                const float b = std::clamp(crossings[i + 1], 0.0f, static_cast<float>(width_));
                if (b <= a)
                    continue;
                any = true;
                const int ia = static_cast<int>(a), ib = static_cast<int>(b);
                if (ia == ib) {
                    row[ia] += b - a;
                    continue;
                }
                row[ia] += (ia + 1) - a;
                for (int x = ia + 1; x < ib; ++x)
                    row[x] += 1.0f;
                row[ib] += b - ib;
            }
        }
        if (!any)
            continue;
        for (int x = 0; x < width_; ++x)
            if (row[x] > 0.0f)
                Blend(x, y, colour, row[x] / kSubRows);
    }
}

void Canvas::Draw(const Canvas& other, int x, int y, Rgba tint) {
    for (int sy = 0; sy < other.Height(); ++sy) {
        for (int sx = 0; sx < other.Width(); ++sx) {
            const Rgba& p = other.At(sx, sy);
            if (p.a == 0)
                continue;
            const Rgba c = {
                static_cast<uint8_t>(p.r * tint.r / 255), static_cast<uint8_t>(p.g * tint.g / 255),
                static_cast<uint8_t>(p.b * tint.b / 255), static_cast<uint8_t>(p.a * tint.a / 255)};
            Blend(x + sx, y + sy, c);
        }
    }
}

Canvas Canvas::Scaled(int width, int height) const {
    Canvas out(width, height);
    if (out.width_ == 0 || out.height_ == 0 || width_ == 0 || height_ == 0)
        return out;
    // Each target pixel averages the source area it covers, weighted by overlap. The sums run in
    // premultiplied alpha so transparent pixels do not darken the edges of what they surround.
    const double fx = static_cast<double>(width_) / width;
    const double fy = static_cast<double>(height_) / height;
    for (int ty = 0; ty < height; ++ty) {
        const double sy0 = ty * fy, sy1 = (ty + 1) * fy;
        for (int tx = 0; tx < width; ++tx) {
            const double sx0 = tx * fx, sx1 = (tx + 1) * fx;
            double r = 0, g = 0, b = 0, a = 0, area = 0;
            for (int sy = static_cast<int>(sy0); sy < std::min<double>(sy1, height_); ++sy) {
                const double wy = std::min<double>(sy + 1, sy1) - std::max<double>(sy, sy0);
                for (int sx = static_cast<int>(sx0); sx < std::min<double>(sx1, width_); ++sx) {
                    const double w =
                        wy * (std::min<double>(sx + 1, sx1) - std::max<double>(sx, sx0));
                    if (w <= 0)
                        continue;
                    const Rgba& p = At(sx, sy);
                    const double pa = p.a / 255.0 * w;
                    r += p.r * pa;
                    g += p.g * pa;
                    b += p.b * pa;
                    a += pa;
                    area += w;
                }
            }
            Rgba& o = out.At(tx, ty);
            if (a > 0) {
                o = {ToByte(static_cast<float>(r / a)), ToByte(static_cast<float>(g / a)),
                     ToByte(static_cast<float>(b / a)), ToByte(static_cast<float>(a / area * 255))};
            } else {
                o = {0, 0, 0, 0};
            }
        }
    }
    return out;
}

void Canvas::AddNoise(uint32_t seed, int amplitude) {
    if (amplitude <= 0)
        return;
    uint32_t state = seed ? seed : 0x9E3779B9u;
    for (Rgba& p : pixels_) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        if (p.a == 0)
            continue;
        // The same offset on all three channels: grain in brightness, not coloured speckle.
        const int offset = static_cast<int>(state % (2u * amplitude + 1)) - amplitude;
        p.r = static_cast<uint8_t>(std::clamp(p.r + offset, 0, 255));
        p.g = static_cast<uint8_t>(std::clamp(p.g + offset, 0, 255));
        p.b = static_cast<uint8_t>(std::clamp(p.b + offset, 0, 255));
    }
}

bool MakeParentFolders(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (parent.empty())
        return true;
    std::error_code error;
    std::filesystem::create_directories(parent, error);
    if (error) {
        std::fprintf(stderr, "marrowgate-assets: cannot make folder %s: %s\n",
                     parent.string().c_str(), error.message().c_str());
        return false;
    }
    return true;
}

bool SaveDds(const Canvas& canvas, const std::string& path) {
    if (!MakeParentFolders(path))
        return false;
    const uint32_t width = canvas.Width(), height = canvas.Height();
    std::vector<uint8_t> bytes;
    bytes.reserve(128 + static_cast<size_t>(width) * height * 4);
    bytes.insert(bytes.end(), {'D', 'D', 'S', ' '});
    PutLe32(bytes, 124);                            // header size
    PutLe32(bytes, 0x1 | 0x2 | 0x4 | 0x8 | 0x1000); // caps, height, width, pitch, pixel format
    PutLe32(bytes, height);
    PutLe32(bytes, width);
    PutLe32(bytes, width * 4); // pitch
    PutLe32(bytes, 0);         // depth
    PutLe32(bytes, 0);         // mipmap count
    for (int i = 0; i < 11; ++i)
        PutLe32(bytes, 0);
    PutLe32(bytes, 32);          // pixel format size
    PutLe32(bytes, 0x1 | 0x40);  // alpha pixels, RGB
    PutLe32(bytes, 0);           // no four-character code: uncompressed
    PutLe32(bytes, 32);          // bits per pixel
    PutLe32(bytes, 0x00FF0000u); // red
    PutLe32(bytes, 0x0000FF00u); // green
    PutLe32(bytes, 0x000000FFu); // blue
    PutLe32(bytes, 0xFF000000u); // alpha
    PutLe32(bytes, 0x1000);      // a plain texture
    for (int i = 0; i < 4; ++i)
        PutLe32(bytes, 0);
    for (const Rgba& p : canvas.Pixels())
        bytes.insert(bytes.end(), {p.b, p.g, p.r, p.a});

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "marrowgate-assets: cannot write %s\n", path.c_str());
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !ok) {
        std::fprintf(stderr, "marrowgate-assets: writing %s failed\n", path.c_str());
        return false;
    }
    return true;
}

bool SaveBmp(const Canvas& canvas, const std::string& path) {
    return SaveThroughFreeImage(canvas, path, FIF_BMP, false, BMP_DEFAULT);
}

bool SaveJpeg(const Canvas& canvas, const std::string& path, int quality) {
    // FreeImage takes a plain 1..100 quality in the low bits of the flags.
    return SaveThroughFreeImage(canvas, path, FIF_JPEG, false, std::clamp(quality, 1, 100));
}

bool SavePng(const Canvas& canvas, const std::string& path) {
    return SaveThroughFreeImage(canvas, path, FIF_PNG, true, PNG_DEFAULT);
}
