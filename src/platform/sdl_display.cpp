#include "platform/sdl_display.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "platform/image_file.h"
#include "platform/message_box.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace {
// Colours arrive as 0xAARRGGBB; SDL takes bytes in r, g, b, a order.
SDL_Color ToSdl(Argb c) {
    return SDL_Color{static_cast<Uint8>(c >> 16), static_cast<Uint8>(c >> 8), static_cast<Uint8>(c),
                     static_cast<Uint8>(c >> 24)};
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Content names its pictures as they were on a case-blind file system, so names are matched
// without regard to case.
std::string TextureKey(const std::string& fileName) {
    std::string name = fileName;
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name = name.substr(slash + 1);
    return LowerCase(name);
}
} // namespace

Letterbox ComputeLetterbox(int outputWidth, int outputHeight, int gameWidth, int gameHeight) {
    Letterbox box;
    if (outputWidth <= 0 || outputHeight <= 0 || gameWidth <= 0 || gameHeight <= 0)
        return box;
    const double scale = std::min(static_cast<double>(outputWidth) / gameWidth,
                                  static_cast<double>(outputHeight) / gameHeight);
    box.width = std::min(outputWidth, static_cast<int>(std::lround(gameWidth * scale)));
    box.height = std::min(outputHeight, static_cast<int>(std::lround(gameHeight * scale)));
    box.x = (outputWidth - box.width) / 2;
    box.y = (outputHeight - box.height) / 2;
    box.scale = static_cast<float>(scale);
    box.wholeScale = std::fabs(scale - std::round(scale)) < 1e-4 && scale >= 1;
    return box;
}

std::string ScaledPictureFileName(const std::string& fileName, int percent) {
    const size_t dot = fileName.rfind('.');
    if (percent == 100 || dot == std::string::npos)
        return fileName;
    return fileName.substr(0, dot) + "_" + std::to_string(percent) + fileName.substr(dot);
}

void ChooseWindowSize(int desktopWidth, int desktopHeight, int gameWidth, int gameHeight,
                      int& windowWidth, int& windowHeight) {
    const double roomW = desktopWidth * 0.9, roomH = desktopHeight * 0.9;
    for (double factor : {2.0, 1.5, 1.0}) {
        if (gameWidth * factor <= roomW && gameHeight * factor <= roomH) {
            windowWidth = static_cast<int>(gameWidth * factor);
            windowHeight = static_cast<int>(gameHeight * factor);
            return;
        }
    }
    const double fit = std::min(roomW / gameWidth, roomH / gameHeight);
    windowWidth = std::max(1, static_cast<int>(gameWidth * fit));
    windowHeight = std::max(1, static_cast<int>(gameHeight * fit));
}

SdlDisplay::SdlDisplay() = default;

SdlDisplay::~SdlDisplay() {
    ReleaseTextures();
    Close();
}

bool SdlDisplay::DesktopSize(int& width, int& height) {
    width = height = 0;
    const bool started = SDL_WasInit(SDL_INIT_VIDEO) != 0;
    if (!started && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    SDL_DisplayMode mode;
    const bool ok = SDL_GetDesktopDisplayMode(0, &mode) == 0;
    if (ok) {
        width = mode.w;
        height = mode.h;
    }
    if (!started)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return ok;
}

void SdlDisplay::SetMinimumWindowSize(int width, int height) {
    minWindowWidth_ = std::max(0, width);
    minWindowHeight_ = std::max(0, height);
    if (window_)
        SDL_SetWindowMinimumSize(window_, minWindowWidth_, minWindowHeight_);
}

bool SdlDisplay::Open(const std::string& title, int gameWidth, int gameHeight, bool windowed,
                      int windowWidth, int windowHeight) {
    Close();
    error_.clear();
    gameWidth_ = std::max(1, gameWidth);
    gameHeight_ = std::max(1, gameHeight);
    windowed_ = windowed;

    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            error_ = std::string("could not open a window: ") + SDL_GetError();
            return false;
        }
        ownsVideo_ = true;
    }

    // Nobody sees an offscreen window; without this SDL would present the software renderer's
    // picture through an emulated GL framebuffer, which costs more than drawing the frame.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);

    int desktopW = gameWidth_, desktopH = gameHeight_;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        desktopW = mode.w;
        desktopH = mode.h;
    }
    int width = gameWidth_, height = gameHeight_;
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (windowed) {
        if (windowWidth > 0 && windowHeight > 0) {
            width = windowWidth;
            height = windowHeight;
        } else {
            ChooseWindowSize(desktopW, desktopH, gameWidth_, gameHeight_, width, height);
            // Never below the smallest readable size, even on a desktop too small for it; grown
            // in the game's shape, which the picture follows.
            if (width > 0 && height > 0 && (width < minWindowWidth_ || height < minWindowHeight_)) {
                const double grow = std::max(static_cast<double>(minWindowWidth_) / width,
                                             static_cast<double>(minWindowHeight_) / height);
                width = static_cast<int>(std::lround(width * grow));
                height = static_cast<int>(std::lround(height * grow));
            }
            width = std::max(width, minWindowWidth_);
            height = std::max(height, minWindowHeight_);
        }
        flags |= SDL_WINDOW_RESIZABLE;
    } else {
        width = desktopW;
        height = desktopH;
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                               height, flags);
    if (!window_) {
        error_ = std::string("could not open a window: ") + SDL_GetError();
        Close();
        return false;
    }
    if (windowed && minWindowWidth_ > 0 && minWindowHeight_ > 0)
        SDL_SetWindowMinimumSize(window_, minWindowWidth_, minWindowHeight_);
    // A hardware renderer when there is one; SDL falls back to its software renderer otherwise
    // (and the environment may ask for it outright).
    renderer_ = SDL_CreateRenderer(window_, -1,
                                   SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC |
                                       SDL_RENDERER_TARGETTEXTURE);
    if (!renderer_)
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_TARGETTEXTURE);
    if (renderer_)
        target_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                    gameWidth_, gameHeight_);
    if (!renderer_ || !target_) {
        error_ = std::string("could not open a window: ") + SDL_GetError();
        Close();
        return false;
    }
    SDL_SetTextureBlendMode(target_, SDL_BLENDMODE_NONE);
    SetMessageBoxWindow(window_);
    UpdateOutputSize();
    // Reopened in the middle of a frame (the window and full-screen switch runs from a key
    // press): the rest of the frame still draws into the game picture.
    if (frameOpen_)
        BeginFrame();

    SDL_RendererInfo info;
    software_ =
        SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    // SDL imitates vsync for the software renderer by sleeping in Present; the frame loop
    // already paces itself, and the sleep would hide what a frame really costs.
    if (software_)
        SDL_RenderSetVSync(renderer_, 0);
    if (SDL_GetRendererInfo(renderer_, &info) == 0)
        LogF("Display: %dx%d game picture in a %dx%d %s, renderer %s", gameWidth_, gameHeight_,
             windowWidth_, windowHeight_, windowed ? "window" : "full screen", info.name);
    return true;
}

void SdlDisplay::Close() {
    ForgetLayers();
    for (Texture& t : textures_) {
        if (t.sdl)
            SDL_DestroyTexture(t.sdl);
        t.sdl = nullptr;
        t.scaleMode = -1;
    }
    if (target_)
        SDL_DestroyTexture(target_);
    target_ = nullptr;
    if (renderer_)
        SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    if (window_) {
        SetMessageBoxWindow(nullptr);
        SDL_DestroyWindow(window_);
    }
    window_ = nullptr;
    if (ownsVideo_)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    ownsVideo_ = false;
}

void SdlDisplay::WindowSize(int& width, int& height) const {
    width = height = 0;
    if (window_)
        SDL_GetWindowSize(window_, &width, &height);
}

void SdlDisplay::ResizeWindow(int width, int height) {
    if (!window_ || !windowed_ || width <= 0 || height <= 0)
        return;
    // SDL holds the window to the minimum size set when it was opened.
    SDL_SetWindowSize(window_, width, height);
    UpdateOutputSize();
}

bool SdlDisplay::SetGameSize(int gameWidth, int gameHeight) {
    if (!renderer_)
        return false;
    gameWidth = std::max(1, gameWidth);
    gameHeight = std::max(1, gameHeight);
    if (gameWidth == gameWidth_ && gameHeight == gameHeight_)
        return true;
    SDL_Texture* picture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_TARGET, gameWidth, gameHeight);
    if (!picture) {
        error_ = std::string("could not make the game picture: ") + SDL_GetError();
        Log(error_);
        return false;
    }
    SDL_SetTextureBlendMode(picture, SDL_BLENDMODE_NONE);
    // Layers were drawn at the old size and would be pasted stretched.
    ForgetLayers();
    if (frameOpen_)
        SDL_SetRenderTarget(renderer_, picture);
    SDL_DestroyTexture(target_);
    target_ = picture;
    gameWidth_ = gameWidth;
    gameHeight_ = gameHeight;
    UpdateOutputSize();
    LogF("Display: %dx%d game picture in a %dx%d %s", gameWidth_, gameHeight_, windowWidth_,
         windowHeight_, windowed_ ? "window" : "full screen");
    return true;
}

void SdlDisplay::UpdateOutputSize() {
    if (!window_ || !renderer_)
        return;
    SDL_GetWindowSize(window_, &windowWidth_, &windowHeight_);
    if (SDL_GetRendererOutputSize(renderer_, &outputWidth_, &outputHeight_) != 0) {
        outputWidth_ = windowWidth_;
        outputHeight_ = windowHeight_;
    }
    letterbox_ = ComputeLetterbox(outputWidth_, outputHeight_, gameWidth_, gameHeight_);
}

void SdlDisplay::BeginFrame() {
    if (!renderer_)
        return;
    SDL_SetRenderTarget(renderer_, target_);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    frameOpen_ = true;
}

void SdlDisplay::EndFrame() {
    frameOpen_ = false;
    if (!renderer_)
        return;
    SDL_SetRenderTarget(renderer_, nullptr);
    // The window may have been resized or moved to another screen since the last frame. Asked
    // only now: while the game picture is the target, the output size is the picture's.
    UpdateOutputSize();
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    // Whole-number scales stay crisp; anything else would show uneven pixel rows unfiltered.
    SDL_SetTextureScaleMode(target_, letterbox_.wholeScale || software_ ? SDL_ScaleModeNearest
                                                                        : SDL_ScaleModeLinear);
    const SDL_Rect dest{letterbox_.x, letterbox_.y, letterbox_.width, letterbox_.height};
    SDL_RenderCopy(renderer_, target_, nullptr, &dest);
}

void SdlDisplay::Present() {
    if (renderer_)
        SDL_RenderPresent(renderer_);
}

void SdlDisplay::WindowToGame(float windowX, float windowY, float& gameX, float& gameY) const {
    const float toOutputX = windowWidth_ > 0 ? static_cast<float>(outputWidth_) / windowWidth_ : 1;
    const float toOutputY =
        windowHeight_ > 0 ? static_cast<float>(outputHeight_) / windowHeight_ : 1;
    const float scale = letterbox_.scale > 0 ? letterbox_.scale : 1;
    gameX = (windowX * toOutputX - letterbox_.x) / scale;
    gameY = (windowY * toOutputY - letterbox_.y) / scale;
}

void SdlDisplay::GameToWindow(float gameX, float gameY, float& windowX, float& windowY) const {
    const float toWindowX = outputWidth_ > 0 ? static_cast<float>(windowWidth_) / outputWidth_ : 1;
    const float toWindowY =
        outputHeight_ > 0 ? static_cast<float>(windowHeight_) / outputHeight_ : 1;
    windowX = (gameX * letterbox_.scale + letterbox_.x) * toWindowX;
    windowY = (gameY * letterbox_.scale + letterbox_.y) * toWindowY;
}

// ---- Textures ----

bool SdlDisplay::Upload(Texture& texture) {
    if (!renderer_)
        return false;
    ImagePixels image;
    if (!LoadImageFile(texture.path, image)) {
        LogF("Failed to load texture: %s", texture.path.c_str());
        return false;
    }
    SDL_Texture* sdl = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                         SDL_TEXTUREACCESS_STATIC, image.width, image.height);
    if (!sdl) {
        LogF("Failed to create texture %s: %s", texture.path.c_str(), SDL_GetError());
        return false;
    }
    SDL_UpdateTexture(sdl, nullptr, image.pixels.data(), image.width * 4);
    SDL_SetTextureBlendMode(sdl, SDL_BLENDMODE_BLEND);
    if (texture.sdl)
        SDL_DestroyTexture(texture.sdl);
    texture.sdl = sdl;
    texture.width = image.width;
    texture.height = image.height;
    texture.opaque = std::all_of(image.pixels.begin(), image.pixels.end(),
                                 [](Argb p) { return (p >> 24) == 0xFF; });
    texture.scaleMode = -1;
    return true;
}

int SdlDisplay::LoadTexturesFrom(const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path root(ResolveDataPath(folder));
    std::error_code ec;
    if (!fs::is_directory(root, ec)) {
        LogF("No texture folder: %s", folder.c_str());
        return 0;
    }
    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator
             it(root, fs::directory_options::skip_permission_denied, ec),
         end;
         !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && IsImageFileName(it->path().filename().string()))
            files.push_back(it->path());
    }
    // Walk order depends on the file system; sorted, a name found twice in one tree always
    // resolves the same way.
    std::sort(files.begin(), files.end());

    const int batch = ++loadBatches_;
    int loaded = 0;
    for (const fs::path& file : files) {
        const std::string key = TextureKey(file.filename().string());
        auto found = byName_.find(key);
        Texture fresh;
        fresh.path = file.string();
        Texture& slot = found != byName_.end() ? textures_[found->second] : fresh;
        const std::string oldPath = slot.path;
        slot.path = file.string();
        if (!Upload(slot)) {
            slot.path = oldPath;
            continue;
        }
        slot.batch = batch;
        if (found == byName_.end()) {
            byName_[key] = static_cast<TextureId>(textures_.size());
            textures_.push_back(fresh);
        }
        ++loaded;
    }
    LogF("Loaded %d textures from %s", loaded, folder.c_str());
    LinkPictureSets();
    return loaded;
}

void SdlDisplay::SetPictureScale(int percent) {
    picturePercent_ = percent > 0 ? percent : 100;
    LinkPictureSets();
}

void SdlDisplay::LinkPictureSets() {
    for (Texture& t : textures_)
        t.standIn = kNoTexture;
    if (picturePercent_ == 100)
        return;
    int linked = 0;
    for (Texture& t : textures_) {
        const std::string name = TextureKey(t.path);
        auto found = byName_.find(ScaledPictureFileName(name, picturePercent_));
        // A set drawn before the picture was replaced shows the old picture, so the replacement
        // is stretched instead.
        if (found != byName_.end() && textures_[found->second].batch >= t.batch) {
            t.standIn = found->second;
            ++linked;
        }
    }
    if (linked > 0)
        LogF("Pictures drawn for %d%%: %d", picturePercent_, linked);
}

TextureId SdlDisplay::DrawnTexture(TextureId texture) const {
    if (texture < 0 || texture >= static_cast<int>(textures_.size()))
        return texture;
    const TextureId standIn = textures_[texture].standIn;
    return standIn != kNoTexture ? standIn : texture;
}

SDL_Texture* SdlDisplay::ScaledCopy(TextureId texture, Texture& t, int width, int height) {
    constexpr size_t kMaxCopies = 128;
    if (width <= 0 || height <= 0 || width > gameWidth_ || height > gameHeight_)
        return nullptr;
    const auto key = std::make_tuple(static_cast<int>(texture), width, height);
    auto found = scaled_.find(key);
    if (found != scaled_.end())
        return found->second;
    if (scaled_.size() >= kMaxCopies)
        ForgetScaledCopies();
    SDL_Texture* copy = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_TARGET, width, height);
    if (!copy)
        return nullptr;
    SDL_Texture* previous = SDL_GetRenderTarget(renderer_);
    SDL_SetRenderTarget(renderer_, copy);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 0);
    SDL_RenderClear(renderer_);
    // Copied as it is, transparency included; the tint and blending come when it is drawn.
    SDL_SetTextureColorMod(t.sdl, 255, 255, 255);
    SDL_SetTextureAlphaMod(t.sdl, 255);
    SDL_SetTextureBlendMode(t.sdl, SDL_BLENDMODE_NONE);
    // Smoothly, whatever the renderer: this copy is made once, and drawn at its own size after.
    SDL_SetTextureScaleMode(t.sdl, SDL_ScaleModeLinear);
    SDL_RenderCopy(renderer_, t.sdl, nullptr, nullptr);
    SDL_SetTextureScaleMode(t.sdl, t.scaleMode >= 0 ? static_cast<SDL_ScaleMode>(t.scaleMode)
                                                    : SDL_ScaleModeNearest);
    SDL_SetRenderTarget(renderer_, previous);
    scaled_[key] = copy;
    return copy;
}

void SdlDisplay::ForgetScaledCopies() {
    for (auto& copy : scaled_)
        SDL_DestroyTexture(copy.second);
    scaled_.clear();
}

void SdlDisplay::ForgetTurnedCopies() {
    for (auto& copy : turned_)
        SDL_DestroyTexture(copy.second.texture);
    turned_.clear();
}

const SdlDisplay::TurnedCopy* SdlDisplay::Turned(TextureId texture, Texture& t, int width,
                                                 int height, float degrees) {
    constexpr int kTurnStepDegrees = 10;
    constexpr int kMaxSide = 48;
    constexpr size_t kMaxCopies = 4096;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return nullptr;
    const int steps = 360 / kTurnStepDegrees;
    const int step =
        ((static_cast<int>(std::lround(degrees / kTurnStepDegrees)) % steps) + steps) % steps;
    const auto key = std::make_tuple(static_cast<int>(texture), width, height, step);
    auto found = turned_.find(key);
    if (found != turned_.end())
        return &found->second;
    if (turned_.size() >= kMaxCopies)
        ForgetTurnedCopies();
    const double angle = step * kTurnStepDegrees * 3.14159265358979 / 180.0;
    const double c = std::fabs(std::cos(angle)), s = std::fabs(std::sin(angle));
    TurnedCopy copy;
    copy.width = static_cast<int>(std::ceil(width * c + height * s)) + 2;
    copy.height = static_cast<int>(std::ceil(width * s + height * c)) + 2;
    copy.texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                     copy.width, copy.height);
    if (!copy.texture)
        return nullptr;
    SDL_Texture* previous = SDL_GetRenderTarget(renderer_);
    SDL_SetRenderTarget(renderer_, copy.texture);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 0);
    SDL_RenderClear(renderer_);
    // Copied as it is, transparency included; the tint and blending come when it is drawn.
    SDL_SetTextureColorMod(t.sdl, 255, 255, 255);
    SDL_SetTextureAlphaMod(t.sdl, 255);
    SDL_SetTextureBlendMode(t.sdl, SDL_BLENDMODE_NONE);
    SetScaleMode(t, SDL_ScaleModeLinear);
    const SDL_FRect at{(copy.width - width) / 2.0f, (copy.height - height) / 2.0f,
                       static_cast<float>(width), static_cast<float>(height)};
    SDL_RenderCopyExF(renderer_, t.sdl, nullptr, &at, step * kTurnStepDegrees, nullptr,
                      SDL_FLIP_NONE);
    SDL_SetRenderTarget(renderer_, previous);
    SDL_SetTextureBlendMode(copy.texture, SDL_BLENDMODE_BLEND);
    return &(turned_[key] = copy);
}

void SdlDisplay::ReleaseTextures() {
    ForgetScaledCopies();
    ForgetTurnedCopies();
    for (Texture& t : textures_)
        if (t.sdl)
            SDL_DestroyTexture(t.sdl);
    textures_.clear();
    byName_.clear();
    loadBatches_ = 0;
    reportedMissing_.clear();
}

void SdlDisplay::RestoreTextures() {
    for (Texture& t : textures_)
        Upload(t);
}

SdlDisplay::Texture* SdlDisplay::Get(TextureId texture) {
    if (texture < 0 || texture >= static_cast<int>(textures_.size()))
        return nullptr;
    Texture& t = textures_[texture];
    return t.sdl ? &t : nullptr;
}

TextureId SdlDisplay::FindTexture(const std::string& fileName) {
    const std::string key = TextureKey(fileName);
    auto found = byName_.find(key);
    if (found != byName_.end())
        return found->second;
    if (reportedMissing_.insert(key).second)
        LogF("Missing texture: %s", fileName.c_str());
    return kNoTexture;
}

int SdlDisplay::TextureWidth(TextureId texture) const {
    return texture >= 0 && texture < static_cast<int>(textures_.size()) ? textures_[texture].width
                                                                        : 0;
}

int SdlDisplay::TextureHeight(TextureId texture) const {
    return texture >= 0 && texture < static_cast<int>(textures_.size()) ? textures_[texture].height
                                                                        : 0;
}

bool SdlDisplay::ReadTexturePixels(TextureId texture, std::vector<Argb>& pixels, int& width,
                                   int& height) {
    // Read back from the file: keeping a copy of every texture in memory for the rare reader
    // would double the picture memory.
    if (texture < 0 || texture >= static_cast<int>(textures_.size()))
        return false;
    ImagePixels image;
    if (!LoadImageFile(textures_[texture].path, image))
        return false;
    width = image.width;
    height = image.height;
    pixels = std::move(image.pixels);
    return true;
}

void SdlDisplay::SetScaleMode(Texture& texture, int mode) {
    if (software_)
        mode = SDL_ScaleModeNearest;
    if (texture.scaleMode == mode)
        return;
    SDL_SetTextureScaleMode(texture.sdl, static_cast<SDL_ScaleMode>(mode));
    texture.scaleMode = mode;
}

// ---- Drawing ----

void SdlDisplay::DrawSprite(TextureId picture, const SpriteDraw& s) {
    const TextureId texture = DrawnTexture(picture);
    Texture* t = Get(texture);
    if (!t || !renderer_)
        return;
    const SDL_Color c = ToSdl(s.colour);
    if (c.a == 0)
        return;
    SDL_SetTextureColorMod(t->sdl, c.r, c.g, c.b);
    SDL_SetTextureAlphaMod(t->sdl, c.a);
    SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
    if (s.blend == BlendMode::Additive)
        blend = SDL_BLENDMODE_ADD;
    else if (t->opaque && c.a == 0xFF && s.rotationDegrees == 0)
        blend = SDL_BLENDMODE_NONE; // a turned picture has see-through corners
    SDL_SetTextureBlendMode(t->sdl, blend);
    SetScaleMode(*t, SDL_ScaleModeLinear);

    // A rectangle given right to left (or bottom to top) mirrors the picture.
    int flip = SDL_FLIP_NONE;
    float left = s.left, right = s.right, top = s.top, bottom = s.bottom;
    if (right < left) {
        std::swap(left, right);
        flip |= SDL_FLIP_HORIZONTAL;
    }
    if (bottom < top) {
        std::swap(top, bottom);
        flip |= SDL_FLIP_VERTICAL;
    }
    const float u0 = std::clamp(std::min(s.u0, s.u1), 0.f, 1.f);
    const float u1 = std::clamp(std::max(s.u0, s.u1), 0.f, 1.f);
    const float v0 = std::clamp(std::min(s.v0, s.v1), 0.f, 1.f);
    const float v1 = std::clamp(std::max(s.v0, s.v1), 0.f, 1.f);
    if (s.u1 < s.u0)
        flip ^= SDL_FLIP_HORIZONTAL;
    if (s.v1 < s.v0)
        flip ^= SDL_FLIP_VERTICAL;
    const int sx = static_cast<int>(std::lround(u0 * t->width));
    const int sy = static_cast<int>(std::lround(v0 * t->height));
    const SDL_Rect src{sx, sy, std::max(1, static_cast<int>(std::lround(u1 * t->width)) - sx),
                       std::max(1, static_cast<int>(std::lround(v1 * t->height)) - sy)};
    const SDL_FRect dest{left, top, right - left, bottom - top};
    const int wholeW = static_cast<int>(std::lround(dest.w));
    const int wholeH = static_cast<int>(std::lround(dest.h));
    const bool wholeTexture = src.x == 0 && src.y == 0 && src.w == t->width && src.h == t->height;
    SDL_Texture* stretched = nullptr;
    if (software_ && s.rotationDegrees == 0 && flip == SDL_FLIP_NONE && wholeTexture &&
        (wholeW != t->width || wholeH != t->height))
        stretched = ScaledCopy(texture, *t, wholeW, wholeH);
    const TurnedCopy* turned = nullptr;
    if (software_ && s.rotationDegrees != 0 && flip == SDL_FLIP_NONE && wholeTexture)
        turned = Turned(texture, *t, wholeW, wholeH, s.rotationDegrees);
    if (turned) {
        SDL_SetTextureColorMod(turned->texture, c.r, c.g, c.b);
        SDL_SetTextureAlphaMod(turned->texture, c.a);
        SDL_SetTextureBlendMode(turned->texture, blend);
        const float cx = (dest.x + dest.x + dest.w) / 2, cy = (dest.y + dest.y + dest.h) / 2;
        const SDL_FRect at{std::floor(cx - turned->width / 2.0f),
                           std::floor(cy - turned->height / 2.0f),
                           static_cast<float>(turned->width), static_cast<float>(turned->height)};
        SDL_RenderCopyF(renderer_, turned->texture, nullptr, &at);
    } else if (stretched) {
        SDL_SetTextureColorMod(stretched, c.r, c.g, c.b);
        SDL_SetTextureAlphaMod(stretched, c.a);
        SDL_SetTextureBlendMode(stretched, blend);
        const SDL_FRect at{dest.x, dest.y, static_cast<float>(wholeW), static_cast<float>(wholeH)};
        SDL_RenderCopyF(renderer_, stretched, nullptr, &at);
    } else if (s.rotationDegrees == 0 && flip == SDL_FLIP_NONE)
        SDL_RenderCopyF(renderer_, t->sdl, &src, &dest);
    else
        SDL_RenderCopyExF(renderer_, t->sdl, &src, &dest, s.rotationDegrees, nullptr,
                          static_cast<SDL_RendererFlip>(flip));
}

void SdlDisplay::SetDrawColour(Argb colour) {
    const SDL_Color c = ToSdl(colour);
    SDL_SetRenderDrawBlendMode(renderer_, c.a == 0xFF ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, c.a);
}

void SdlDisplay::FillRect(float left, float top, float right, float bottom, Argb colour) {
    if (!renderer_ || (colour >> 24) == 0)
        return;
    SetDrawColour(colour);
    const SDL_FRect r{std::min(left, right), std::min(top, bottom), std::fabs(right - left),
                      std::fabs(bottom - top)};
    SDL_RenderFillRectF(renderer_, &r);
}

void SdlDisplay::OutlineRect(float left, float top, float right, float bottom, Argb colour) {
    if (!renderer_ || (colour >> 24) == 0)
        return;
    SetDrawColour(colour);
    const SDL_FRect r{std::min(left, right), std::min(top, bottom), std::fabs(right - left),
                      std::fabs(bottom - top)};
    SDL_RenderDrawRectF(renderer_, &r);
}

void SdlDisplay::DrawLine(float x1, float y1, float x2, float y2, Argb colour) {
    if (!renderer_ || (colour >> 24) == 0)
        return;
    SetDrawColour(colour);
    SDL_RenderDrawLineF(renderer_, x1, y1, x2, y2);
}

void SdlDisplay::DrawQuads(TextureId texture, const QuadVertex* vertices, int count,
                           bool pointSampling) {
    Texture* t = Get(DrawnTexture(texture));
    const int quads = count / 4;
    if (!t || !renderer_ || !vertices || quads <= 0)
        return;
    if (software_) {
        DrawQuadsAsBlits(DrawnTexture(texture), *t, vertices, quads, pointSampling);
        return;
    }
    const int n = quads * 4;
    xy_.resize(static_cast<size_t>(n) * 2);
    uv_.resize(static_cast<size_t>(n) * 2);
    colours_.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const QuadVertex& v = vertices[i];
        xy_[2 * i] = v.x;
        xy_[2 * i + 1] = v.y;
        uv_[2 * i] = v.u;
        uv_[2 * i + 1] = v.v;
        const SDL_Color c = ToSdl(v.colour);
        std::memcpy(&colours_[i], &c, sizeof c);
    }
    // Two triangles per quad; the index list only ever grows.
    const size_t needed = static_cast<size_t>(quads) * 6;
    for (int q = static_cast<int>(indices_.size() / 6); indices_.size() < needed; ++q) {
        const int b = q * 4;
        indices_.insert(indices_.end(), {b, b + 1, b + 2, b, b + 2, b + 3});
    }
    // Vertex colours carry the tint; the texture's own modulation must not add to it.
    SDL_SetTextureColorMod(t->sdl, 255, 255, 255);
    SDL_SetTextureAlphaMod(t->sdl, 255);
    SDL_SetTextureBlendMode(t->sdl, SDL_BLENDMODE_BLEND);
    SetScaleMode(*t, pointSampling ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    SDL_RenderGeometryRaw(renderer_, t->sdl, xy_.data(), 2 * sizeof(float),
                          reinterpret_cast<const SDL_Color*>(colours_.data()), sizeof(int),
                          uv_.data(), 2 * sizeof(float), n, indices_.data(),
                          static_cast<int>(needed), sizeof(int));
}

// The software renderer fills triangles pixel by pixel through a general path, while copying an
// upright rectangle uses its fast blitters: glyph quads are upright, so each becomes one copy,
// and the tint only changes between runs of a colour. Text drawn smaller or larger than its sheet
// comes from a smoothly scaled copy of the whole sheet, made once: a point-sampled shrink drops
// whole rows, and a bold "t" losing its crossbar reads as an "l". Quads of mixed scales (the
// links of the main screen) keep the direct copy, as one scaled sheet each would cost far more.
void SdlDisplay::DrawQuadsAsBlits(TextureId texture, Texture& t, const QuadVertex* vertices,
                                  int quads, bool pointSampling) {
    float scaleX = 0.0f, scaleY = 0.0f;
    bool uniform = !pointSampling;
    for (int q = 0; q < quads && uniform; ++q) {
        const QuadVertex& a = vertices[4 * q];
        const QuadVertex& c = vertices[4 * q + 2];
        const float sourceW = (c.u - a.u) * t.width, sourceH = (c.v - a.v) * t.height;
        if (sourceW <= 0 || sourceH <= 0)
            continue;
        const float x = (c.x - a.x) / sourceW, y = (c.y - a.y) / sourceH;
        if (scaleX == 0.0f) {
            scaleX = x;
            scaleY = y;
        }
        uniform = std::fabs(x - scaleX) < 0.01f && std::fabs(y - scaleY) < 0.01f;
    }
    SDL_Texture* drawn = nullptr;
    if (uniform && scaleX > 0.0f) {
        const int width = static_cast<int>(std::lround(t.width * scaleX));
        const int height = static_cast<int>(std::lround(t.height * scaleY));
        if (width != t.width || height != t.height)
            drawn = ScaledCopy(texture, t, width, height);
    }
    if (!drawn) {
        drawn = t.sdl;
        scaleX = scaleY = 1.0f;
        SetScaleMode(t, SDL_ScaleModeNearest);
    }
    SDL_SetTextureBlendMode(drawn, SDL_BLENDMODE_BLEND);
    Argb tint = 0;
    bool tintSet = false;
    for (int q = 0; q < quads; ++q) {
        const QuadVertex& a = vertices[4 * q];
        const QuadVertex& c = vertices[4 * q + 2];
        if (!tintSet || a.colour != tint) {
            const SDL_Color colour = ToSdl(a.colour);
            SDL_SetTextureColorMod(drawn, colour.r, colour.g, colour.b);
            SDL_SetTextureAlphaMod(drawn, colour.a);
            tint = a.colour;
            tintSet = true;
        }
        const SDL_Rect source{static_cast<int>(a.u * t.width * scaleX + 0.5f),
                              static_cast<int>(a.v * t.height * scaleY + 0.5f),
                              static_cast<int>((c.u - a.u) * t.width * scaleX + 0.5f),
                              static_cast<int>((c.v - a.v) * t.height * scaleY + 0.5f)};
        const SDL_FRect dest{a.x, a.y, c.x - a.x, c.y - a.y};
        if (source.w > 0 && source.h > 0 && dest.w > 0 && dest.h > 0)
            SDL_RenderCopyF(renderer_, drawn, &source, &dest);
    }
}

// ---- Layers ----

bool SdlDisplay::BeginLayer(const std::string& key) {
    if (!renderer_ || layers_.count(key))
        return false;
    SDL_Texture* layer = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_TARGET, gameWidth_, gameHeight_);
    // Without a layer the caller still draws, straight into the frame.
    if (!layer)
        return true;
    layers_[key] = layer;
    drawingLayer_ = layer;
    SDL_SetRenderTarget(renderer_, layer);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    return true;
}

void SdlDisplay::EndLayer() {
    if (!renderer_ || !drawingLayer_)
        return;
    drawingLayer_ = nullptr;
    SDL_SetRenderTarget(renderer_, target_);
}

void SdlDisplay::DrawLayer(const std::string& key) {
    auto found = layers_.find(key);
    if (!renderer_ || found == layers_.end())
        return;
    // A layer covers the whole picture, so it replaces what is there instead of blending.
    SDL_SetTextureBlendMode(found->second, SDL_BLENDMODE_NONE);
    SDL_RenderCopy(renderer_, found->second, nullptr, nullptr);
}

void SdlDisplay::ForgetLayers() {
    ForgetScaledCopies();
    ForgetTurnedCopies();
    for (auto& layer : layers_)
        SDL_DestroyTexture(layer.second);
    layers_.clear();
    drawingLayer_ = nullptr;
}

// ---- Screenshots ----

bool SdlDisplay::SaveScreenshot(const std::string& path) {
    if (!renderer_ || !target_) {
        LogF("Screenshot %s: no display", path.c_str());
        return false;
    }
    SDL_Texture* previous = SDL_GetRenderTarget(renderer_);
    SDL_SetRenderTarget(renderer_, target_);
    std::vector<Argb> pixels(static_cast<size_t>(gameWidth_) * gameHeight_);
    const int read = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                          pixels.data(), gameWidth_ * 4);
    SDL_SetRenderTarget(renderer_, previous);
    if (read != 0) {
        LogF("Screenshot %s: %s", path.c_str(), SDL_GetError());
        return false;
    }
    for (Argb& p : pixels)
        p |= 0xFF000000u;
    if (!SavePngFile(path, pixels, gameWidth_, gameHeight_)) {
        LogF("Screenshot %s could not be written", path.c_str());
        return false;
    }
    return true;
}
