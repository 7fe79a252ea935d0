#include "platform/recording_render_device.h"

#include <utility>

TextureId RecordingRenderDevice::RegisterTexture(const std::string& name, int width, int height,
                                                 std::vector<Argb> pixels) {
    Texture t;
    t.name = name;
    t.width = width;
    t.height = height;
    t.pixels = std::move(pixels);
    auto found = byName_.find(name);
    if (found != byName_.end()) {
        textures_[found->second] = std::move(t);
        return found->second;
    }
    TextureId id = static_cast<TextureId>(textures_.size());
    textures_.push_back(std::move(t));
    byName_[name] = id;
    return id;
}

void RecordingRenderDevice::Clear() {
    quadCalls.clear();
    sprites.clear();
    rects.clear();
    lineCount = 0;
    missingLookups.clear();
}

TextureId RecordingRenderDevice::FindTexture(const std::string& fileName) {
    auto found = byName_.find(fileName);
    if (found == byName_.end()) {
        missingLookups.push_back(fileName);
        return kNoTexture;
    }
    return found->second;
}

const RecordingRenderDevice::Texture* RecordingRenderDevice::GetTexture(TextureId texture) const {
    if (texture < 0 || texture >= static_cast<TextureId>(textures_.size()))
        return nullptr;
    return &textures_[texture];
}

int RecordingRenderDevice::TextureWidth(TextureId texture) const {
    const Texture* t = GetTexture(texture);
    return t ? t->width : 0;
}

int RecordingRenderDevice::TextureHeight(TextureId texture) const {
    const Texture* t = GetTexture(texture);
    return t ? t->height : 0;
}

bool RecordingRenderDevice::ReadTexturePixels(TextureId texture, std::vector<Argb>& pixels,
                                              int& width, int& height) {
    const Texture* t = GetTexture(texture);
    if (!t || t->pixels.empty())
        return false;
    pixels = t->pixels;
    width = t->width;
    height = t->height;
    return true;
}

void RecordingRenderDevice::DrawSprite(TextureId texture, const SpriteDraw& sprite) {
    sprites.push_back({texture, sprite});
}

void RecordingRenderDevice::FillRect(float left, float top, float right, float bottom,
                                     Argb colour) {
    rects.push_back({left, top, right, bottom, colour, true});
}

void RecordingRenderDevice::OutlineRect(float left, float top, float right, float bottom,
                                        Argb colour) {
    rects.push_back({left, top, right, bottom, colour, false});
}

void RecordingRenderDevice::DrawLine(float, float, float, float, Argb) {
    ++lineCount;
}

void RecordingRenderDevice::DrawQuads(TextureId texture, const QuadVertex* vertices, int count,
                                      bool pointSampling) {
    QuadCall call;
    call.texture = texture;
    call.pointSampling = pointSampling;
    if (vertices && count > 0)
        call.vertices.assign(vertices, vertices + count);
    quadCalls.push_back(std::move(call));
}
