#include "interface/widgets/text_engine.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "interface/widgets/glyph_cells.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int kBatchVertices = 8000;
constexpr int kMaxWrappedText = 2047;

struct GameFont {
    const char* texture;
    int size;
    int cell;
};

const GameFont kGameFonts[] = {
    {"tahoma12.dds", 12, 12}, {"verdana12.dds", 12, 12},   {"verdanabold16.dds", 16, 24},
    {"arial16.dds", 16, 24},  {"arialbold16.dds", 16, 24}, {"arialbold20.dds", 20, 24},
    {"tahoma30.dds", 30, 40},
};

struct KerningPair {
    char first, second;
    int adjust;
};

// Pairs whose plain advances leave a visible gap in every face we ship.
const KerningPair kDefaultKerning[] = {
    {'f', 'o', -1}, {'f', 'e', -1}, {'f', 'a', -1}, {'f', 'f', -2}, {'f', 'u', -1}, {'o', 'w', -1},
};

std::string WidthFileFor(const std::string& texture) {
    return "data/fonts/" + texture + ".dat";
}

// A glyph's width is its inked columns plus one pixel of air; an empty cell gets a third of the
// cell so that a glyph the sheet lacks still takes some room.
int MeasureCell(const std::vector<Argb>& pixels, int texWidth, int texHeight, int left, int top,
                int cell) {
    int rightmost = -1;
    for (int y = top; y < top + cell && y < texHeight; ++y) {
        for (int x = left; x < left + cell && x < texWidth; ++x) {
            if ((pixels[static_cast<size_t>(y) * texWidth + x] >> 24) > 0x20 &&
                x - left > rightmost)
                rightmost = x - left;
        }
    }
    if (rightmost < 0)
        return cell / 3;
    return rightmost + 2 < cell ? rightmost + 2 : cell;
}

bool WriteWidthFile(const std::string& path, const std::vector<int32_t>& widths) {
    FILE* file = OpenDataFile(path, "wb");
    if (!file)
        return false;
    for (int32_t w : widths) {
        unsigned char bytes[4] = {static_cast<unsigned char>(w & 0xFF),
                                  static_cast<unsigned char>((w >> 8) & 0xFF),
                                  static_cast<unsigned char>((w >> 16) & 0xFF),
                                  static_cast<unsigned char>((w >> 24) & 0xFF)};
        fwrite(bytes, 1, 4, file);
    }
    fclose(file);
    return true;
}

// Reads up to 256 little-endian widths; false when the file cannot be opened.
bool ReadWidthFile(const std::string& path, int (&widths)[256]) {
    FILE* file = OpenDataFile(path, "rb");
    if (!file)
        return false;
    unsigned char bytes[4];
    for (int i = 0; i < 256 && fread(bytes, 1, 4, file) == 4; ++i) {
        uint32_t w = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (uint32_t(bytes[3]) << 24);
        widths[i] = static_cast<int32_t>(w);
    }
    fclose(file);
    return true;
}

bool GenerateWidthFile(const std::string& path, const LibFont& font) {
    std::vector<Argb> pixels;
    int width = 0, height = 0;
    if (!GetRenderDevice().ReadTexturePixels(font.texture, pixels, width, height) ||
        pixels.size() < static_cast<size_t>(width) * height) {
        LogF("Cannot measure font texture %s", font.name.c_str());
        return false;
    }
    std::vector<int32_t> widths;
    for (int row = 0; row < font.rows; ++row) {
        for (int column = 0; column < font.columns; ++column) {
            int w =
                MeasureCell(pixels, width, height, column * font.cell, row * font.cell, font.cell);
            LogF("Width of char %d is %d", static_cast<int>(widths.size()), w);
            widths.push_back(w);
        }
    }
    if (!WriteWidthFile(path, widths)) {
        LogF("Cannot write font widths %s", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int TextEngine::GlyphIndex(uint32_t codePoint) {
    return glyph_cells::CellOf(codePoint);
}

bool TextEngine::CanDraw(uint32_t codePoint) {
    return codePoint == ' ' || codePoint == glyph_cells::kNoBreakSpace ||
           glyph_cells::CellOf(codePoint) >= 0;
}

bool TextEngine::CanDrawText(const std::string& utf8) {
    for (size_t at = 0; at < utf8.size();) {
        const size_t start = at;
        const uint32_t c = glyph_cells::NextCharacter(utf8, at);
        // A byte read in the old code page is not UTF-8: refused rather than guessed at.
        if ((at == start + 1 && static_cast<unsigned char>(utf8[start]) >= 0x80) || !CanDraw(c))
            return false;
    }
    return true;
}

void TextEngine::AddFont(const std::string& widthFile, const std::string& textureName, int size,
                         int cell, int rows, int columns, const std::string& fontName) {
    LibFont font;
    font.name = fontName.empty() ? textureName : fontName;
    font.size = size > 0 ? size : 12;
    font.cell = cell > 0 ? cell : 1;
    font.rows = rows > 0 ? rows : glyph_cells::kGrid;
    font.columns = columns > 0 ? columns : glyph_cells::kGrid;
    font.texture = GetRenderDevice().FindTexture(textureName);

    if (!ReadWidthFile(widthFile, font.widths)) {
        if (!GenerateWidthFile(widthFile, font) || !ReadWidthFile(widthFile, font.widths)) {
            // Without widths the text would collapse; half a cell keeps it readable.
            for (int& w : font.widths)
                w = font.cell / 2;
        }
    }

    RenderDevice& device = GetRenderDevice();
    float texWidth = static_cast<float>(device.TextureWidth(font.texture));
    float texHeight = static_cast<float>(device.TextureHeight(font.texture));
    if (texWidth <= 0)
        texWidth = static_cast<float>(font.cell * font.columns);
    if (texHeight <= 0)
        texHeight = static_cast<float>(font.cell * font.rows);
    int cells = font.rows * font.columns;
    font.u0.resize(cells);
    font.u1.resize(cells);
    font.v0.resize(cells);
    font.v1.resize(cells);
    for (int k = 0; k < cells; ++k) {
        int column = k % font.columns, row = k / font.columns;
        font.u0[k] = column * font.cell / texWidth;
        font.u1[k] = (column + 1) * font.cell / texWidth;
        font.v0[k] = row * font.cell / texHeight;
        font.v1[k] = (row + 1) * font.cell / texHeight;
    }
    font.kerning.resize(cells);

    // Replacing a font of the same name keeps pointers into the list valid only by index.
    std::string currentName = current_ ? current_->name : std::string();
    bool replaced = false;
    for (LibFont& existing : fonts_) {
        if (existing.name == font.name) {
            existing = std::move(font);
            replaced = true;
            break;
        }
    }
    if (!replaced)
        fonts_.push_back(std::move(font));
    current_ = nullptr;
    for (LibFont& f : fonts_) {
        if (f.name == currentName)
            current_ = &f;
    }
    if (!current_)
        current_ = &fonts_.front();
    initialised_ = true;
}

void TextEngine::AddKerning(const std::string& fontName, uint32_t first, uint32_t second,
                            int adjust) {
    for (LibFont& font : fonts_) {
        if (font.name != fontName)
            continue;
        int a = GlyphIndex(first), b = GlyphIndex(second);
        if (a < 0 || b < 0 || a >= static_cast<int>(font.kerning.size()))
            return;
        for (auto& pair : font.kerning[a]) {
            if (pair.first == b) {
                pair.second = adjust;
                return;
            }
        }
        font.kerning[a].emplace_back(b, adjust);
        return;
    }
}

std::string ScaledFontTexture(const std::string& texture, float interfaceSize) {
    const int percent = static_cast<int>(std::lround(interfaceSize * 100));
    if (percent == 100)
        return texture;
    std::string name = texture;
    name.insert(name.rfind('.'), "_" + std::to_string(percent));
    return name;
}

void TextEngine::LoadGameFonts(float interfaceSize) {
    sizeScale_ = interfaceSize > 0 ? interfaceSize : 1.0f;
    for (const GameFont& f : kGameFonts) {
        const std::string scaled = ScaledFontTexture(f.texture, sizeScale_);
        const bool own = scaled != f.texture && GetRenderDevice().FindTexture(scaled) != kNoTexture;
        // Without a sheet of its own the normal one is stretched: larger, if softer.
        const float factor = own ? sizeScale_ : 1.0f;
        const std::string texture = own ? scaled : std::string(f.texture);
        AddFont(WidthFileFor(texture), texture, static_cast<int>(std::lround(f.size * factor)),
                static_cast<int>(std::lround(f.cell * factor)), glyph_cells::kGrid,
                glyph_cells::kGrid, f.texture);
        for (const KerningPair& k : kDefaultKerning)
            AddKerning(f.texture, k.first, k.second,
                       static_cast<int>(std::lround(k.adjust * factor)));
    }
}

void TextEngine::Release() {
    batch_.clear();
    fonts_.clear();
    current_ = nullptr;
    initialised_ = false;
}

void TextEngine::SetFont(const std::string& name, int size) {
    for (LibFont& font : fonts_) {
        if (font.name != name)
            continue;
        // A batch is drawn with one texture and one sampling mode, so it cannot span a change.
        const int drawn = static_cast<int>(std::lround(static_cast<float>(size) * sizeScale_));
        if ((&font != current_ || drawn != size_) && !batch_.empty())
            Flush();
        current_ = &font;
        size_ = drawn;
        return;
    }
    LogF("missing font: %s", name.c_str());
}

bool TextEngine::Ready() const {
    if (initialised_ && current_)
        return true;
    Log("Text Not Initialised");
    return false;
}

float TextEngine::Advance(uint32_t c) const {
    const LibFont& font = *current_;
    float scale = static_cast<float>(size_) / static_cast<float>(font.size);
    float spacing = font.letterSpacing * scale;
    int glyph = GlyphIndex(c);
    if (glyph < 0 || glyph >= font.rows * font.columns || glyph >= 256)
        return size_ * 0.25f + spacing;
    if (fixedWidth_)
        return size_ * 9.0f / 12.0f + spacing;
    return font.widths[glyph] * scale + spacing;
}

int TextEngine::Kerning(uint32_t c, uint32_t next) const {
    int a = GlyphIndex(c), b = GlyphIndex(next);
    if (a < 0 || b < 0 || a >= static_cast<int>(current_->kerning.size()))
        return 0;
    for (const auto& pair : current_->kerning[a]) {
        if (pair.first == b)
            return pair.second;
    }
    return 0;
}

int TextEngine::TextWidth(const std::string& text) const {
    if (!Ready())
        return 0;
    float width = 0;
    for (size_t at = 0; at < text.size();)
        width += Advance(glyph_cells::NextCharacter(text, at));
    return static_cast<int>(width);
}

std::pair<std::string, std::string> TextEngine::SplitLine(const std::string& text,
                                                          int width) const {
    if (!Ready())
        return {std::string(), text};
    float measured = 0;
    size_t lastBlank = std::string::npos;
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        const uint32_t c = glyph_cells::NextCharacter(text, i);
        if (c == ' ')
            lastBlank = start;
        measured += Advance(c);
        if (static_cast<int>(measured) >= width) {
            // A first word too wide on its own gives an empty line; the caller decides what to
            // do with it.
            if (lastBlank == std::string::npos)
                return {std::string(), text};
            return {text.substr(0, lastBlank), text.substr(lastBlank + 1)};
        }
    }
    return {text, std::string()};
}

void TextEngine::DrawLine(const std::string& text, float x, float y, Argb colour, TextAlign align) {
    if (!Ready() || text.empty())
        return;
    const LibFont& font = *current_;
    if (batch_.size() + 4 * text.size() > static_cast<size_t>(kBatchVertices))
        Flush();
    float scale = static_cast<float>(size_) / static_cast<float>(font.size);
    float quad = font.cell * scale;
    float pen = x;
    if (align == TextAlign::Centre)
        pen -= TextWidth(text) / 2;
    int cells = font.rows * font.columns;
    for (size_t i = 0; i < text.size();) {
        const uint32_t c = glyph_cells::NextCharacter(text, i);
        int glyph = GlyphIndex(c);
        if (glyph >= 0 && glyph < cells) {
            if (batch_.size() + 4 > static_cast<size_t>(kBatchVertices)) {
                Log("ERROR - Text exceeds max characters");
                return;
            }
            QuadVertex v[4];
            v[0] = {pen, y, colour, font.u0[glyph], font.v0[glyph]};
            v[1] = {pen + quad, y, colour, font.u1[glyph], font.v0[glyph]};
            v[2] = {pen + quad, y + quad, colour, font.u1[glyph], font.v1[glyph]};
            v[3] = {pen, y + quad, colour, font.u0[glyph], font.v1[glyph]};
            batch_.insert(batch_.end(), v, v + 4);
        }
        pen += Advance(c);
        if (i < text.size()) {
            size_t next = i;
            pen += Kerning(c, glyph_cells::NextCharacter(text, next)) * scale;
        }
    }
}

float TextEngine::DrawWrapped(const std::string& text, float x, float y, int width, Argb colour) {
    if (static_cast<int>(text.size()) > kMaxWrappedText) {
        Log("Text too long in one chunk (max 2048)");
        return y;
    }
    if (!Ready())
        return y;
    float lineStep = static_cast<float>(size_ + current_->lineSpacing);
    std::string rest = text;
    // A single character left over is not drawn, so a text of one character draws nothing.
    auto moreThanOne = [](const std::string& text) {
        size_t at = 0;
        if (!text.empty())
            glyph_cells::NextCharacter(text, at);
        return at < text.size();
    };
    while (moreThanOne(rest)) {
        auto [line, after] = SplitLine(rest, width);
        if (line.empty() && after == rest) {
            // A word wider than the whole column goes on a line of its own.
            size_t blank = rest.find(' ');
            line = rest.substr(0, blank);
            after = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
        }
        DrawLine(line, x, y, colour);
        rest = std::move(after);
        y += lineStep;
    }
    return y;
}

void TextEngine::Flush() {
    if (!initialised_ || !current_) {
        Log("TextNotInitialised");
        batch_.clear();
        return;
    }
    if (batch_.empty())
        return;
    bool native = size_ == current_->size;
    GetRenderDevice().DrawQuads(current_->texture, batch_.data(), static_cast<int>(batch_.size()),
                                native);
    batch_.clear();
}

TextEngine& GetTextEngine() {
    static TextEngine engine;
    return engine;
}
