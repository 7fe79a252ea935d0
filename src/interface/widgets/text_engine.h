#pragma once
// Bitmap fonts and the text engine: every font is a grid of glyph cells in one texture (the
// characters of glyph_cells.h) plus a file of glyph widths. Texts are UTF-8. The engine measures
// and wraps text and batches every glyph of a frame into one vertex buffer that is drawn in a
// single call.

#include "platform/render_device.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct LibFont {
    std::string name;
    int size = 0;
    int cell = 0;
    int rows = 16, columns = 16;
    int widths[256] = {};
    // Per glyph cell: left, right, top, bottom as fractions of the texture.
    std::vector<float> u0, u1, v0, v1;
    // Per glyph: (following glyph, adjustment in pixels).
    std::vector<std::vector<std::pair<int, int>>> kerning;
    int letterSpacing = 0;
    int lineSpacing = 0;
    TextureId texture = kNoTexture;
};

enum class TextAlign { Left, Centre };

class TextEngine {
public:
    // Registers a font and loads its width file (generating it from the texture when missing).
    // fontName: the name callers ask for, when it differs from the texture's (a sheet drawn for
    // a larger interface stands in for the normal one).
    void AddFont(const std::string& widthFile, const std::string& textureName, int size, int cell,
                 int rows, int columns, const std::string& fontName = std::string());
    // Sets (or replaces) the pixel adjustment between two characters of a font at its native size.
    void AddKerning(const std::string& fontName, uint32_t first, uint32_t second, int adjust);
    // The seven fonts of the game, with the default kerning pairs, for an interface drawn at the
    // given size (1, 1.5 or 2): text asked for at a size is then drawn that many times larger,
    // from the sheets drawn for that size when they are there.
    void LoadGameFonts(float interfaceSize = 1.0f);
    float SizeScale() const { return sizeScale_; }
    // Forgets every font (the display was restarted); LoadGameFonts brings them back.
    void Release();
    void SetFont(const std::string& name, int size);
    void SetFixedWidth(bool fixed) { fixedWidth_ = fixed; }
    const LibFont* CurrentFont() const { return current_; }
    int CurrentSize() const { return size_; }

    // Glyph index of a character, -1 for the blanks, control codes and characters without one.
    static int GlyphIndex(uint32_t codePoint);
    // Whether the fonts have a shape for the character (the blanks count; control codes do not).
    static bool CanDraw(uint32_t codePoint);
    // Whether every character of a UTF-8 text can be drawn; a malformed byte cannot.
    static bool CanDrawText(const std::string& utf8);
    int TextWidth(const std::string& text) const;
    // The longest first line that fits within width, and the rest after the breaking blank.
    std::pair<std::string, std::string> SplitLine(const std::string& text, int width) const;
    void DrawLine(const std::string& text, float x, float y, Argb colour,
                  TextAlign align = TextAlign::Left);
    // Returns the y below the last line.
    float DrawWrapped(const std::string& text, float x, float y, int width, Argb colour);
    void Flush();

    bool IsInitialised() const { return initialised_; }

private:
    // False (with a log line) while no font is loaded.
    bool Ready() const;
    float Advance(uint32_t c) const;
    int Kerning(uint32_t c, uint32_t next) const;

    std::vector<LibFont> fonts_;
    LibFont* current_ = nullptr;
    int size_ = 12;
    float sizeScale_ = 1.0f;
    bool fixedWidth_ = false;
    bool initialised_ = false;
    std::vector<QuadVertex> batch_;
};

TextEngine& GetTextEngine();
// The sheet drawn for a larger interface: "arial16.dds" at 1.5 is "arial16_150.dds".
std::string ScaledFontTexture(const std::string& texture, float interfaceSize);
