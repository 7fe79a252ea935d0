#pragma once
// An RGBA picture in memory with the few drawing operations the asset generator needs, and the
// writers for the formats the game loads: uncompressed DDS for interface textures, and BMP, JPEG
// and PNG through FreeImage.

#include <cstdint>
#include <string>
#include <vector>

// Straight (not premultiplied) colour, 0..255 per channel.
struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

Rgba Mix(Rgba a, Rgba b, float t);
Rgba WithAlpha(Rgba c, uint8_t alpha);

class Canvas {
public:
    Canvas(int width, int height, Rgba fill = {0, 0, 0, 0});
    // A picture laid out in design units and drawn `scale` pixels to the unit: the same drawing
    // code then makes the picture for a larger interface with every edge sharp. The rectangle
    // fills and the shape painters of soft_shapes take design units; At, Set, Blend, the other
    // shapes and AddNoise work in pixels.
    Canvas(int designWidth, int designHeight, float scale, Rgba fill = {0, 0, 0, 0});

    int Width() const { return width_; }
    int Height() const { return height_; }
    float Scale() const { return scale_; }
    Rgba& At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Rgba& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

    // Blends colour over one pixel with the given coverage (0..1); outside pixels are ignored.
    void Blend(int x, int y, Rgba colour, float coverage = 1.0f);
    // Replaces the pixel outright.
    void Set(int x, int y, Rgba colour);

    void Fill(Rgba colour);
    // Integer rectangles (design units) exclude right and bottom; the fills blend rather than
    // replace.
    void FillRect(int left, int top, int right, int bottom, Rgba colour);
    // Top to bottom gradient over the rectangle.
    void VerticalGradient(int left, int top, int right, int bottom, Rgba from, Rgba to);
    // Anti-aliased rounded rectangle, filled; radius in pixels.
    void FillRoundedRect(float left, float top, float right, float bottom, float radius,
                         Rgba colour);
    // Anti-aliased rounded outline of the given thickness, lying just inside the rectangle.
    void StrokeRoundedRect(float left, float top, float right, float bottom, float radius,
                           float thickness, Rgba colour);
    void FillCircle(float cx, float cy, float radius, Rgba colour);
    // The ring is centred on the radius.
    void StrokeCircle(float cx, float cy, float radius, float thickness, Rgba colour);
    // Anti-aliased thick line with round ends.
    void Line(float x1, float y1, float x2, float y2, float thickness, Rgba colour);
    // Anti-aliased filled polygon (even-odd), points as x, y pairs.
    void FillPolygon(const std::vector<float>& points, Rgba colour);
    // Draws another canvas over this one at (x, y) with alpha blending, optionally tinted.
    void Draw(const Canvas& other, int x, int y, Rgba tint = {255, 255, 255, 255});
    // Box-filtered resize.
    Canvas Scaled(int width, int height) const;
    // Adds a little deterministic grain so large flat areas do not band.
    void AddNoise(uint32_t seed, int amplitude);

    const std::vector<Rgba>& Pixels() const { return pixels_; }

private:
    int width_, height_;
    float scale_ = 1.0f;
    int ToPixels(int design) const;
    std::vector<Rgba> pixels_;
};

// Each writer makes missing folders and answers false (after printing why) on failure.
bool SaveDds(const Canvas& canvas, const std::string& path);
bool SaveBmp(const Canvas& canvas, const std::string& path);
bool SaveJpeg(const Canvas& canvas, const std::string& path, int quality = 90);
bool SavePng(const Canvas& canvas, const std::string& path);
// Makes every folder on the way to path's parent.
bool MakeParentFolders(const std::string& path);
