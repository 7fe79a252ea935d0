#pragma once
// Renders glyphs of one font file at one pixel size with FreeType: single code points as coverage
// bitmaps (for the font sheets and pictograms) and whole UTF-8 texts straight onto a Canvas.

#include "tools/assets/canvas.h"

#include <cstdint>
#include <string>
#include <vector>

// One rendered glyph. The bitmap's top-left pixel sits `left` pixels right of the pen and `top`
// pixels above the baseline; coverage runs 0..255, row by row.
struct RenderedGlyph {
    bool present = false; // false when the font has no glyph for the code point
    int width = 0, height = 0;
    int left = 0, top = 0;
    float advance = 0; // pen movement in pixels (whole pixels when hinted)
    std::vector<uint8_t> coverage;

    uint8_t At(int x, int y) const { return coverage[static_cast<size_t>(y) * width + x]; }
    // Lowest row below the baseline that has ink (0 when none does).
    int Descent() const { return height - top; }
};

enum class Hinting {
    None,  // true outlines, fractional advances: for large pictures
    Light, // vertical snapping only, keeps the shapes of large text
    Full,  // the font's own hinting: crisp stems at small sizes
};

class GlyphRaster {
public:
    GlyphRaster();
    ~GlyphRaster();
    GlyphRaster(const GlyphRaster&) = delete;
    GlyphRaster& operator=(const GlyphRaster&) = delete;

    // Opens a font file; answers false (after printing why) when it cannot be read.
    bool Open(const std::string& path);
    bool IsOpen() const { return face_ != nullptr; }
    // The em size in pixels (may be fractional) and the hinting used from now on.
    bool SetPixelSize(float pixels, Hinting hinting = Hinting::Full);
    float PixelSize() const { return pixelSize_; }

    bool HasGlyph(uint32_t codePoint) const;
    // xOffset (0..1) places the outline that far right of the pixel grid before rendering.
    RenderedGlyph Render(uint32_t codePoint, float xOffset = 0.0f) const;
    // The rendered height of a capital H, the usual measure of how large text looks.
    int CapHeight() const;

    // Width of a UTF-8 text: the sum of advances, with kerning when the font has it.
    float TextWidth(const std::string& utf8) const;
    // Draws a UTF-8 text with its baseline at y, starting at pen x; answers the pen's end.
    float DrawText(Canvas& canvas, const std::string& utf8, float x, float baseline,
                   Rgba colour) const;
    // Draws one rendered glyph with its pen position at (x, baseline).
    static void DrawGlyph(Canvas& canvas, const RenderedGlyph& glyph, int x, int baseline,
                          Rgba colour);
    // Draws one code point scaled so that its ink fills as much of a box of the given size as it
    // can, centred on (cx, cy); the pixel size is restored afterwards. For pictograms.
    bool DrawFitted(Canvas& canvas, uint32_t codePoint, float cx, float cy, float boxWidth,
                    float boxHeight, Rgba colour);

    static std::vector<uint32_t> DecodeUtf8(const std::string& text);

private:
    int LoadFlags() const;

    void* library_ = nullptr; // FT_Library, kept opaque so users need no FreeType headers
    void* face_ = nullptr;    // FT_Face
    float pixelSize_ = 0;
    Hinting hinting_ = Hinting::Full;
};
