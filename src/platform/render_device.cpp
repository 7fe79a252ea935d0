#include "platform/render_device.h"

#include "platform/input_state.h"

namespace {
// Draws nothing; stands in until the window (or a test) installs a real device.
class NoDevice : public RenderDevice {
public:
    int GameWidth() const override { return 1024; }
    int GameHeight() const override { return 768; }
    TextureId FindTexture(const std::string&) override { return kNoTexture; }
    int TextureWidth(TextureId) const override { return 0; }
    int TextureHeight(TextureId) const override { return 0; }
    bool ReadTexturePixels(TextureId, std::vector<Argb>&, int&, int&) override { return false; }
    void DrawSprite(TextureId, const SpriteDraw&) override {}
    void FillRect(float, float, float, float, Argb) override {}
    void OutlineRect(float, float, float, float, Argb) override {}
    void DrawLine(float, float, float, float, Argb) override {}
    void DrawQuads(TextureId, const QuadVertex*, int, bool) override {}
};

NoDevice gNoDevice;
RenderDevice* gDevice = nullptr;
InputState gInput;
} // namespace

RenderDevice& GetRenderDevice() {
    return gDevice ? *gDevice : gNoDevice;
}

void SetRenderDevice(RenderDevice* device) {
    gDevice = device;
}

InputState& GetInput() {
    return gInput;
}
