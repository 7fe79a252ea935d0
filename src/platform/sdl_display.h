#pragma once
// The game window: an SDL2 window and renderer that draw the interface into a picture of the
// game's size and show it letterboxed in the window, plus the textures, found by file name, that
// the interface draws with. Images load through FreeImage.

#include "platform/render_device.h"

#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

// Where the game picture lands in a window: whole output pixels, and the scale from game pixels.
struct Letterbox {
    int x = 0, y = 0, width = 0, height = 0;
    float scale = 1;
    // True when the scale is a whole number: the picture is then copied with nearest sampling.
    bool wholeScale = true;
};

// The largest picture of the game's aspect that fits the output, centred (bars left and right or
// above and below).
Letterbox ComputeLetterbox(int outputWidth, int outputHeight, int gameWidth, int gameHeight);

// The window size for windowed play: the largest of 2x, 1.5x and 1x the game size that fits in
// 90% of the desktop, or the game size scaled down to fit there when even 1x does not.
// The name of a picture drawn for a larger interface: "button.dds" at 150 percent is
// "button_150.dds"; at 100 the name itself.
std::string ScaledPictureFileName(const std::string& fileName, int percent);

void ChooseWindowSize(int desktopWidth, int desktopHeight, int gameWidth, int gameHeight,
                      int& windowWidth, int& windowHeight);

class SdlDisplay : public RenderDevice {
public:
    SdlDisplay();
    ~SdlDisplay() override;
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    // Starts SDL video and opens the window (resizable, or desktop full screen) with a renderer
    // and the game-size picture. False with Error() set when there is no display.
    // A window of windowWidth x windowHeight when both are given, else one chosen from the desktop.
    bool Open(const std::string& title, int gameWidth, int gameHeight, bool windowed,
              int windowWidth = 0, int windowHeight = 0);
    // The smallest size the player may drag the window to; kept for every window opened after.
    void SetMinimumWindowSize(int width, int height);
    // Closes the window; textures keep their names and ids so RestoreTextures can reload them
    // into the next window.
    void Close();
    bool IsOpen() const { return renderer_ != nullptr; }
    const std::string& Error() const { return error_; }
    SDL_Window* Window() const { return window_; }
    bool IsWindowed() const { return windowed_; }
    // The window's size as the desktop has it now (coordinates, as the mouse reports them);
    // 0 x 0 when no window is open.
    void WindowSize(int& width, int& height) const;
    // Asks for a window of that size (never below the minimum); nothing in full screen.
    void ResizeWindow(int width, int height);
    // A game picture of a new size in the same window, for a window whose shape changed. Kept
    // pictures of layers are forgotten; false (Error() set) when the picture cannot be made.
    bool SetGameSize(int gameWidth, int gameHeight);

    // The desktop of the first display; false (and 0 x 0) when SDL video cannot start.
    static bool DesktopSize(int& width, int& height);

    // BeginFrame clears the game picture to opaque black and directs drawing to it; EndFrame
    // copies it letterboxed to the window; Present shows the window's picture.
    void BeginFrame();
    void EndFrame();
    void Present();

    // Window coordinates (as mouse events give them) to game pixels and back.
    void WindowToGame(float windowX, float windowY, float& gameX, float& gameY) const;
    void GameToWindow(float gameX, float gameY, float& windowX, float& windowY) const;

    // Loads every image (png, jpg, jpeg, bmp, dds, tga) below a folder, sub-folders included,
    // keyed by file name: a name loaded before is replaced, keeping its id. Returns how many
    // images loaded; unreadable ones are logged and skipped.
    int LoadTexturesFrom(const std::string& folder);
    // Forgets every texture and name.
    void ReleaseTextures();
    // Loads every known texture again from its file, after the window was closed and reopened.
    void RestoreTextures();
    int TextureCount() const { return static_cast<int>(textures_.size()); }
    // The interface size in percent (100, 150, 200). A picture drawn for that size
    // ("button_150.dds" beside "button.dds") then stands in for the normal one wherever the
    // normal one is drawn, unless the normal one was loaded later (a mod that supplies its own
    // picture at one size, which is then stretched).
    void SetPictureScale(int percent);
    int PictureScale() const { return picturePercent_; }
    // The texture drawn for a texture at the current interface size: itself, or its larger set.
    TextureId DrawnTexture(TextureId texture) const;

    // Writes the last frame's game picture as a PNG; false (logged) when it cannot.
    bool SaveScreenshot(const std::string& path);

    // RenderDevice
    int GameWidth() const override { return gameWidth_; }
    int GameHeight() const override { return gameHeight_; }
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
    bool BeginLayer(const std::string& key) override;
    void EndLayer() override;
    void DrawLayer(const std::string& key) override;
    void ForgetLayers() override;

private:
    struct Texture {
        std::string path;
        SDL_Texture* sdl = nullptr;
        int width = 0, height = 0;
        // Every pixel fully opaque: drawn without blending when untinted, which is far cheaper
        // for full-screen backgrounds on the software renderer.
        bool opaque = false;
        // The sampling last set on the texture, so it is only changed when it differs.
        int scaleMode = -1;
        // Which LoadTexturesFrom call loaded it: a later folder (a mod) overrides earlier sets.
        int batch = 0;
        // The picture drawn in its place at the current interface size, or kNoTexture.
        TextureId standIn = kNoTexture;
    };
    void LinkPictureSets();
    bool Upload(Texture& texture);
    void DrawQuadsAsBlits(TextureId texture, Texture& t, const QuadVertex* vertices, int quads,
                          bool pointSampling);
    Texture* Get(TextureId texture);
    void SetScaleMode(Texture& texture, int mode);
    void SetDrawColour(Argb colour);
    void UpdateOutputSize();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* target_ = nullptr;
    int gameWidth_ = 1024, gameHeight_ = 768;
    int minWindowWidth_ = 0, minWindowHeight_ = 0;
    bool windowed_ = true;
    bool ownsVideo_ = false;
    // SDL's software renderer filters stretched pictures far too slowly for every frame, so it
    // always samples the nearest pixel.
    bool software_ = false;
    bool frameOpen_ = false;
    std::string error_;
    // Window size in coordinates (as the mouse reports) and in output pixels; they differ on
    // high-density screens.
    int windowWidth_ = 0, windowHeight_ = 0;
    int outputWidth_ = 0, outputHeight_ = 0;
    Letterbox letterbox_;

    int picturePercent_ = 100;
    int loadBatches_ = 0;
    std::vector<Texture> textures_;
    std::unordered_map<std::string, TextureId> byName_;
    std::unordered_set<std::string> reportedMissing_;
    std::unordered_map<std::string, SDL_Texture*> layers_;
    // Copies of whole textures already stretched to a size they are drawn at (software renderer
    // only), keyed by texture and size: a stretched blended copy is the dearest drawing it does,
    // and a window's frame is drawn at the same size every frame.
    std::map<std::tuple<int, int, int>, SDL_Texture*> scaled_;
    SDL_Texture* ScaledCopy(TextureId texture, Texture& t, int width, int height);
    // Small sprites turned to a step of kTurnStepDegrees, likewise kept (software renderer
    // only): turning a picture makes the software renderer build a fresh one on every draw, and
    // particles are small, many and turned.
    struct TurnedCopy {
        SDL_Texture* texture = nullptr;
        int width = 0, height = 0;
    };
    std::map<std::tuple<int, int, int, int>, TurnedCopy> turned_;
    const TurnedCopy* Turned(TextureId texture, Texture& t, int width, int height, float degrees);
    void ForgetTurnedCopies();
    void ForgetScaledCopies();
    // The layer being drawn, while one is.
    SDL_Texture* drawingLayer_ = nullptr;
    // Reused for every quad batch so that drawing text allocates nothing per frame.
    std::vector<float> xy_;
    std::vector<int> colours_;
    std::vector<float> uv_;
    std::vector<int> indices_;
};
