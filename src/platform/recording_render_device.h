#pragma once
// A render device for tests: it draws nothing but keeps a record of every texture registered and
// every drawing call, so a test can check what a screen or the text engine asked for.

#include "platform/render_device.h"

#include <map>
#include <string>
#include <vector>

class RecordingRenderDevice : public RenderDevice {
public:
    struct Texture {
        std::string name;
        int width = 0, height = 0;
        // Empty when the test gave no pixels: ReadTexturePixels then answers false.
        std::vector<Argb> pixels;
    };
    struct QuadCall {
        TextureId texture = kNoTexture;
        std::vector<QuadVertex> vertices;
        bool pointSampling = false;
    };
    struct SpriteCall {
        TextureId texture = kNoTexture;
        SpriteDraw sprite;
    };
    struct RectCall {
        float left = 0, top = 0, right = 0, bottom = 0;
        Argb colour = 0;
        bool filled = false;
    };

    // Makes a fake texture findable by its file name; a second registration replaces the first.
    TextureId RegisterTexture(const std::string& name, int width, int height,
                              std::vector<Argb> pixels = {});
    void SetGameSize(int width, int height) {
        width_ = width;
        height_ = height;
    }
    // Forgets the drawing record (textures stay).
    void Clear();

    int GameWidth() const override { return width_; }
    int GameHeight() const override { return height_; }
    TextureId FindTexture(const std::string& fileName) override;
    int TextureWidth(TextureId texture) const override;
    int TextureHeight(TextureId texture) const override;
    bool ReadTexturePixels(TextureId texture, std::vector<Argb>& pixels, int& width,
                           int& height) override;
    void DrawSprite(TextureId texture, const SpriteDraw& sprite) override;
    void FillRect(float left, float top, float right, float bottom, Argb colour) override;
    void OutlineRect(float left, float top, float right, float bottom, Argb colour) override;
    void DrawLine(float x1, float y1, float x2, float y2, Argb colour) override;
    void DrawQuads(TextureId texture, const QuadVertex* vertices, int count,
                   bool pointSampling) override;

    const Texture* GetTexture(TextureId texture) const;

    std::vector<QuadCall> quadCalls;
    std::vector<SpriteCall> sprites;
    std::vector<RectCall> rects;
    int lineCount = 0;
    // Names asked for through FindTexture that were never registered.
    std::vector<std::string> missingLookups;

private:
    int width_ = 1024, height_ = 768;
    std::vector<Texture> textures_;
    std::map<std::string, TextureId> byName_;
};
