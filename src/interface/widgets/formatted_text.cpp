#include "interface/widgets/formatted_text.h"

#include "base/debug_log.h"
#include "interface/widgets/text_engine.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

int Clamp255(long value) {
    return static_cast<int>(std::clamp(value, 0L, 255L));
}

// "r,g,b,a" into 0xAARRGGBB; missing parts count as 0.
Argb ParseColour(const std::string& value) {
    long parts[4] = {0, 0, 0, 0};
    const char* p = value.c_str();
    for (int i = 0; i < 4 && *p; ++i) {
        char* end = nullptr;
        parts[i] = std::strtol(p, &end, 10);
        p = end;
        while (*p && *p != ',')
            ++p;
        if (*p == ',')
            ++p;
    }
    return (static_cast<Argb>(Clamp255(parts[3])) << 24) |
           (static_cast<Argb>(Clamp255(parts[0])) << 16) |
           (static_cast<Argb>(Clamp255(parts[1])) << 8) | static_cast<Argb>(Clamp255(parts[2]));
}

} // namespace

void FormattedText::SetText(const std::string& text, const Style& style) {
    chunks_.Clear();
    LibTextChunk state;
    state.font = style.font;
    state.colour = style.colour;
    state.size = style.size;
    state.wrapWidth = style.wrapWidth;

    auto addText = [&](const std::string& part) {
        if (part.empty())
            return;
        LibTextChunk chunk = state;
        chunk.text = part;
        chunks_.Add(chunk);
    };
    auto addMarker = [&](ChunkKind kind, const char* marker) {
        LibTextChunk chunk = state;
        chunk.kind = kind;
        chunk.text = marker;
        chunks_.Add(chunk);
    };

    size_t pos = 0;
    while (pos < text.size()) {
        size_t open = text.find('<', pos);
        size_t close = open == std::string::npos ? open : text.find('>', open);
        if (close == std::string::npos) {
            addText(text.substr(pos));
            break;
        }
        addText(text.substr(pos, open - pos));
        pos = close + 1;

        std::string tag = Upper(text.substr(open + 1, close - open - 1));
        size_t equals = tag.find('=');
        std::string name = Trim(tag.substr(0, equals));
        std::string value =
            equals == std::string::npos ? std::string() : Trim(tag.substr(equals + 1));
        if (name == "FONTNAME") {
            // Tags are read upper-cased, font files are named in lower case.
            state.font = Lower(value);
        } else if (name == "COLOR") {
            state.colour = ParseColour(value);
        } else if (name == "SIZE") {
            state.size = std::atoi(value.c_str());
        } else if (name == "WRAP") {
            state.wrapWidth = std::atoi(value.c_str());
            state.centred = false;
        } else if (name == "CENTER") {
            state.wrapWidth = std::atoi(value.c_str());
            state.centred = true;
        } else if (name == "BR") {
            addMarker(ChunkKind::LineBreak, "<BR>");
        } else if (name == "HR") {
            addMarker(ChunkKind::Rule, "<HR>");
        } else {
            LogF("Unknown text tag: %s", name.c_str());
        }
    }
}

float FormattedText::Draw(float x, float y) const {
    return Draw(x, y, GetTextEngine());
}

float FormattedText::Draw(float x, float y, TextEngine& engine) const {
    float penX = x, penY = y;
    // The tallest text on the line so far; 0 while the line is empty.
    float lineHeight = 0;
    float lastSize = 16;

    auto newLine = [&]() {
        penY += lineHeight > 0 ? lineHeight : lastSize;
        penX = x;
        lineHeight = 0;
    };

    for (const LibTextChunk& chunk : chunks_.Chunks()) {
        lastSize = static_cast<float>(chunk.size);
        if (chunk.kind == ChunkKind::LineBreak) {
            newLine();
            continue;
        }
        if (chunk.kind == ChunkKind::Rule) {
            if (penX > x || lineHeight > 0)
                newLine();
            float middle = penY + chunk.size * 0.5f;
            GetRenderDevice().DrawLine(x, middle, x + chunk.wrapWidth, middle, chunk.colour);
            penY += chunk.size;
            continue;
        }

        engine.SetFont(chunk.font, chunk.size);
        const LibFont* font = engine.CurrentFont();
        float step = static_cast<float>(chunk.size + (font ? font->lineSpacing : 0));

        if (chunk.centred) {
            if (penX > x)
                newLine();
            std::string rest = chunk.text;
            while (!rest.empty()) {
                auto [line, after] = engine.SplitLine(rest, chunk.wrapWidth);
                if (line.empty() && after == rest) {
                    size_t blank = rest.find(' ');
                    line = rest.substr(0, blank);
                    after = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
                }
                engine.DrawLine(line, x + chunk.wrapWidth * 0.5f, penY, chunk.colour,
                                TextAlign::Centre);
                rest = std::move(after);
                lineHeight = std::max(lineHeight, step);
                newLine();
            }
            continue;
        }

        // Text continues from the pen: the first line gets what is left of the current line.
        std::string rest = chunk.text;
        while (!rest.empty()) {
            int room = static_cast<int>(x + chunk.wrapWidth - penX);
            auto [line, after] = engine.SplitLine(rest, room);
            if (line.empty() && after == rest) {
                if (penX > x) {
                    newLine();
                    // Blanks that led into the break are not carried to the new line.
                    size_t first = rest.find_first_not_of(' ');
                    rest = first == std::string::npos ? std::string() : rest.substr(first);
                    continue;
                }
                size_t blank = rest.find(' ');
                line = rest.substr(0, blank);
                after = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
            }
            engine.DrawLine(line, penX, penY, chunk.colour);
            lineHeight = std::max(lineHeight, step);
            if (after.empty() && line.size() == rest.size()) {
                penX += engine.TextWidth(line);
                break;
            }
            rest = std::move(after);
            newLine();
        }
    }
    float bottom = penY + lineHeight;
    return bottom - y;
}
