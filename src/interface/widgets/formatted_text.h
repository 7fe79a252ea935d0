#pragma once
// Formatted text: a text with inline tags in angle brackets (font, colour, size, wrap width,
// centring, line breaks and rules) split into chunks that carry the state in force, and laid out
// with the text engine. The encyclopedia pages and the long explanations are written this way.

#include "platform/render_device.h"

#include <string>
#include <vector>

class TextEngine;

enum class ChunkKind { Text, LineBreak, Rule };

struct LibTextChunk {
    ChunkKind kind = ChunkKind::Text;
    // The text, or "<BR>" / "<HR>" for the two markers.
    std::string text;
    std::string font;
    Argb colour = 0xFFFFFFFF;
    int size = 16;
    int wrapWidth = 400;
    bool centred = false;
};

class LibTextChunkList {
public:
    void Clear() { chunks_.clear(); }
    void Add(const LibTextChunk& chunk) { chunks_.push_back(chunk); }
    const std::vector<LibTextChunk>& Chunks() const { return chunks_; }
    size_t Count() const { return chunks_.size(); }

private:
    std::vector<LibTextChunk> chunks_;
};

// The state in force before the first tag.
struct FormattedTextStyle {
    std::string font = "arial16.dds";
    Argb colour = 0xFFFFFFFF;
    int size = 16;
    int wrapWidth = 400;
};

class FormattedText {
public:
    using Style = FormattedTextStyle;

    FormattedText() = default;
    explicit FormattedText(const std::string& text, const Style& style = Style()) {
        SetText(text, style);
    }
    void SetText(const std::string& text, const Style& style = Style());
    const LibTextChunkList& Chunks() const { return chunks_; }

    // Lays the chunks out from (x, y) and returns the height used.
    float Draw(float x, float y) const;
    float Draw(float x, float y, TextEngine& engine) const;

private:
    LibTextChunkList chunks_;
};
