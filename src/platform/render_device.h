#pragma once
// The drawing services the interface asks of the display: textures found by file name, sprites,
// rectangles, lines and batches of textured quads for text. The game window implements it over
// SDL2; tests use the recording device, which draws nothing.

#include <cstdint>
#include <string>
#include <vector>

// Colours are 0xAARRGGBB throughout the interface.
using Argb = uint32_t;

// -1 stands for "no texture": drawing with it draws nothing.
using TextureId = int;
inline constexpr TextureId kNoTexture = -1;

enum class BlendMode { Alpha, Additive };

// One corner of a text quad: screen position, colour and texture coordinates.
struct QuadVertex {
    float x = 0, y = 0;
    Argb colour = 0xFFFFFFFF;
    float u = 0, v = 0;
};

// A sprite: where it goes, which part of the texture (fractions), tint, rotation about its centre.
struct SpriteDraw {
    float left = 0, top = 0, right = 0, bottom = 0;
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
    Argb colour = 0xFFFFFFFF;
    float rotationDegrees = 0;
    BlendMode blend = BlendMode::Alpha;
};

class RenderDevice {
public:
    virtual ~RenderDevice() = default;

    // The size the game draws at; the window scales this picture to fit.
    virtual int GameWidth() const = 0;
    virtual int GameHeight() const = 0;

    // Looks a texture up by its file name ("button.dds"), whatever folder it came from. A name that
    // was never loaded is logged once and gives kNoTexture.
    virtual TextureId FindTexture(const std::string& fileName) = 0;
    virtual int TextureWidth(TextureId texture) const = 0;
    virtual int TextureHeight(TextureId texture) const = 0;
    // The texture's pixels as 0xAARRGGBB rows, top row first; false when there is no such texture.
    virtual bool ReadTexturePixels(TextureId texture, std::vector<Argb>& pixels, int& width,
                                   int& height) = 0;

    virtual void DrawSprite(TextureId texture, const SpriteDraw& sprite) = 0;
    virtual void FillRect(float left, float top, float right, float bottom, Argb colour) = 0;
    virtual void OutlineRect(float left, float top, float right, float bottom, Argb colour) = 0;
    virtual void DrawLine(float x1, float y1, float x2, float y2, Argb colour) = 0;
    // Draws count/4 quads, four vertices each (top-left, top-right, bottom-right, bottom-left), in
    // one call. Point sampling keeps text crisp when drawn at its native size.
    virtual void DrawQuads(TextureId texture, const QuadVertex* vertices, int count,
                           bool pointSampling) = 0;

    // Layers: what stays the same frame after frame (a screen's backdrop and panels) is drawn once
    // into a picture of the game's size and then copied whole, which costs a fraction of blending
    // it all again. BeginLayer answers true when the layer must be drawn now: the caller draws it
    // and calls EndLayer. Either way DrawLayer then shows it. A device without layers draws
    // straight into the frame and always answers true.
    virtual bool BeginLayer(const std::string& /*key*/) { return true; }
    virtual void EndLayer() {}
    virtual void DrawLayer(const std::string& /*key*/) {}
    // Drops every layer, so that each is drawn afresh when next shown.
    virtual void ForgetLayers() {}

    // Convenience: the whole texture stretched over a rectangle.
    void DrawPicture(TextureId texture, float left, float top, float right, float bottom,
                     Argb colour = 0xFFFFFFFF) {
        SpriteDraw s;
        s.left = left;
        s.top = top;
        s.right = right;
        s.bottom = bottom;
        s.colour = colour;
        DrawSprite(texture, s);
    }
};

// The device the interface draws with; never null once the window is up (tests install the
// recording one).
RenderDevice& GetRenderDevice();
void SetRenderDevice(RenderDevice* device);
