#include "tools/assets/glyph_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

FT_Face AsFace(void* face) {
    return static_cast<FT_Face>(face);
}

} // namespace

GlyphRaster::GlyphRaster() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "marrowgate-assets: FreeType would not start\n");
        return;
    }
    library_ = library;
}

GlyphRaster::~GlyphRaster() {
    if (face_)
        FT_Done_Face(AsFace(face_));
    if (library_)
        FT_Done_FreeType(static_cast<FT_Library>(library_));
}

bool GlyphRaster::Open(const std::string& path) {
    if (!library_)
        return false;
    if (face_) {
        FT_Done_Face(AsFace(face_));
        face_ = nullptr;
    }
    FT_Face face = nullptr;
    if (path.empty() || FT_New_Face(static_cast<FT_Library>(library_), path.c_str(), 0, &face)) {
        std::fprintf(stderr, "marrowgate-assets: cannot read the font %s\n", path.c_str());
        return false;
    }
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    face_ = face;
    return SetPixelSize(pixelSize_ > 0 ? pixelSize_ : 16.0f, hinting_);
}

bool GlyphRaster::SetPixelSize(float pixels, Hinting hinting) {
    if (!face_ || pixels <= 0)
        return false;
    // At 72 dots per inch a point is a pixel, so the 26.6 char size is the em in pixels.
    const FT_F26Dot6 size = static_cast<FT_F26Dot6>(std::lround(pixels * 64.0f));
    if (FT_Set_Char_Size(AsFace(face_), 0, size, 72, 72) != 0) {
        std::fprintf(stderr, "marrowgate-assets: the font refuses size %.2f\n", pixels);
        return false;
    }
    pixelSize_ = pixels;
    hinting_ = hinting;
    return true;
}

int GlyphRaster::LoadFlags() const {
    switch (hinting_) {
    case Hinting::None:
        return FT_LOAD_NO_HINTING;
    case Hinting::Light:
        return FT_LOAD_TARGET_LIGHT;
    case Hinting::Full:
        break;
    }
    return FT_LOAD_TARGET_NORMAL;
}

bool GlyphRaster::HasGlyph(uint32_t codePoint) const {
    return face_ && FT_Get_Char_Index(AsFace(face_), codePoint) != 0;
}

RenderedGlyph GlyphRaster::Render(uint32_t codePoint, float xOffset) const {
    RenderedGlyph glyph;
    if (!face_)
        return glyph;
    FT_Face face = AsFace(face_);
    const FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (index == 0)
        return glyph;
    FT_Vector shift = {static_cast<FT_Pos>(std::lround(xOffset * 64.0f)), 0};
    FT_Set_Transform(face, nullptr, &shift);
    const bool loaded = FT_Load_Glyph(face, index, LoadFlags()) == 0 &&
                        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0;
    FT_Set_Transform(face, nullptr, nullptr);
    if (!loaded)
        return glyph;

    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.present = true;
    glyph.advance = slot->advance.x / 64.0f;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.height, 0);
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || !bitmap.buffer)
        return glyph;
    const int pitch = std::abs(bitmap.pitch);
    for (int y = 0; y < glyph.height; ++y) {
        // A negative pitch stores the rows bottom-up.
        const int sourceRow = bitmap.pitch >= 0 ? y : glyph.height - 1 - y;
        const uint8_t* row = bitmap.buffer + static_cast<size_t>(sourceRow) * pitch;
        std::copy(row, row + glyph.width,
                  glyph.coverage.begin() + static_cast<size_t>(y) * glyph.width);
    }
    return glyph;
}

int GlyphRaster::CapHeight() const {
    return Render('H').height;
}

float GlyphRaster::TextWidth(const std::string& utf8) const {
    if (!face_)
        return 0;
    FT_Face face = AsFace(face_);
    float width = 0;
    FT_UInt previous = 0;
    for (uint32_t cp : DecodeUtf8(utf8)) {
        const FT_UInt index = FT_Get_Char_Index(face, cp);
        if (previous && index && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            if (FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern) == 0)
                width += kern.x / 64.0f;
        }
        if (index && FT_Load_Glyph(face, index, LoadFlags()) == 0)
            width += face->glyph->advance.x / 64.0f;
        previous = index;
    }
    return width;
}

float GlyphRaster::DrawText(Canvas& canvas, const std::string& utf8, float x, float baseline,
                            Rgba colour) const {
    if (!face_)
        return x;
    FT_Face face = AsFace(face_);
    const int baselineRow = static_cast<int>(std::lround(baseline));
    FT_UInt previous = 0;
    for (uint32_t cp : DecodeUtf8(utf8)) {
        const FT_UInt index = FT_Get_Char_Index(face, cp);
        if (previous && index && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            if (FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern) == 0)
                x += kern.x / 64.0f;
        }
        previous = index;
        // Hinted text sits on whole pixels; unhinted text keeps its fractional pen position.
        const float whole = hinting_ == Hinting::None ? std::floor(x) : std::round(x);
        const RenderedGlyph glyph = Render(cp, x - whole);
        if (!glyph.present)
            continue;
        DrawGlyph(canvas, glyph, static_cast<int>(whole), baselineRow, colour);
        x += glyph.advance;
    }
    return x;
}

void GlyphRaster::DrawGlyph(Canvas& canvas, const RenderedGlyph& glyph, int x, int baseline,
                            Rgba colour) {
    const int left = x + glyph.left, top = baseline - glyph.top;
    for (int y = 0; y < glyph.height; ++y)
        for (int i = 0; i < glyph.width; ++i)
            if (const uint8_t c = glyph.At(i, y))
                canvas.Blend(left + i, top + y, colour, c / 255.0f);
}

bool GlyphRaster::DrawFitted(Canvas& canvas, uint32_t codePoint, float cx, float cy, float boxWidth,
                             float boxHeight, Rgba colour) {
    if (!HasGlyph(codePoint) || boxWidth <= 0 || boxHeight <= 0)
        return false;
    const float savedSize = pixelSize_;
    const Hinting savedHinting = hinting_;
    // Measure the ink at a large reference size, then render once at the size that fits.
    constexpr float kReference = 256.0f;
    SetPixelSize(kReference, Hinting::None);
    const RenderedGlyph probe = Render(codePoint);
    bool drawn = false;
    if (probe.width > 0 && probe.height > 0) {
        const float scale = std::min(boxWidth / probe.width, boxHeight / probe.height);
        SetPixelSize(kReference * scale, Hinting::None);
        RenderedGlyph glyph = Render(codePoint);
        // Rendering rounds the ink outwards; shrink until it truly fits.
        for (int tries = 0; tries < 8 && (glyph.width > std::ceil(boxWidth) ||
                                          glyph.height > std::ceil(boxHeight));
             ++tries) {
            SetPixelSize(pixelSize_ * 0.97f, Hinting::None);
            glyph = Render(codePoint);
        }
        const int left = static_cast<int>(std::lround(cx - glyph.width * 0.5f));
        const int top = static_cast<int>(std::lround(cy - glyph.height * 0.5f));
        for (int y = 0; y < glyph.height; ++y)
            for (int i = 0; i < glyph.width; ++i)
                if (const uint8_t c = glyph.At(i, y))
                    canvas.Blend(left + i, top + y, colour, c / 255.0f);
        drawn = true;
    }
    SetPixelSize(savedSize > 0 ? savedSize : 16.0f, savedHinting);
    return drawn;
}

std::vector<uint32_t> GlyphRaster::DecodeUtf8(const std::string& text) {
    std::vector<uint32_t> out;
    out.reserve(text.size());
    constexpr uint32_t kReplacement = 0xFFFD;
    for (size_t i = 0; i < text.size();) {
        const uint8_t lead = static_cast<uint8_t>(text[i]);
        int extra = 0;
        uint32_t cp = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
        } else {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        bool valid = i + extra < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const uint8_t next = static_cast<uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                valid = false;
            else
                cp = (cp << 6) | (next & 0x3F);
        }
        if (!valid) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += 1 + extra;
    }
    return out;
}
