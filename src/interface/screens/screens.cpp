#include "interface/screens/screens.h"

#include "base/translation.h"
#include "interface/game_frame.h"
#include "interface/screens/load_game_screen.h"
#include "interface/screens/main_screen/main_screen.h"
#include "interface/screens/menu_screen.h"
#include "interface/screens/new_game_screen.h"
#include "interface/screens/options_screen.h"
#include "interface/screens/processing_screen.h"
#include "interface/screens/save_game_screen.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"
#include "platform/render_device.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Screens are made on first use: the display and the fonts must be up before any of them asks
// for its size.
template <typename Screen> Screen& Single(std::unique_ptr<Screen>& slot) {
    if (!slot)
        slot = std::make_unique<Screen>();
    return *slot;
}

std::unique_ptr<MenuGUIScreen> g_menu;
std::unique_ptr<OptionsGUIScreen> g_options;
std::unique_ptr<GUI_LoadGameScreen> g_load;
std::unique_ptr<GUI_SaveGameScreen> g_save;
std::unique_ptr<GUI_NewGameScreen> g_newGame;
std::unique_ptr<GUI_MainScreen> g_main;
std::unique_ptr<GUI_InternetScreen> g_internet;

} // namespace

BaseGUIScreen* GetScreenForMode(GameMode mode) {
    switch (mode) {
    case GameMode::Options:
        return &Single(g_options);
    case GameMode::LoadGame:
        return &Single(g_load);
    case GameMode::SaveGame:
        return &Single(g_save);
    case GameMode::NewGame:
        return &Single(g_newGame);
    case GameMode::Game:
    case GameMode::GameAlternate:
        return &Single(g_main);
    case GameMode::Processing:
        return &GetProcessingScreen();
    case GameMode::Internet:
        return &Single(g_internet);
    default:
        return &Single(g_menu);
    }
}

void ResetGameWindows() {
    if (g_main)
        g_main->Windows().CloseAll();
}

void RelayoutScreens(BaseGUIScreen* current, float oldWidth) {
    if (current)
        current->Relayout(oldWidth);
    if (g_main && g_main.get() != current)
        g_main->Relayout(oldWidth);
}

ScreenHintHandler& ScreenHintHook() {
    static ScreenHintHandler handler;
    return handler;
}

void ShowScreenHint(const std::string& key, GUI_WindowManager& windows) {
    if (ScreenHintHook())
        ScreenHintHook()(key, windows);
}

namespace ScreenLayout {

float Scale() {
    const float scale = GetInterfaceScale();
    return scale > 0 ? scale : 1.0f;
}

float S(float designPixels) {
    return designPixels * Scale();
}

float X(float designX) {
    return (ScreenWidth() - S(kDesignWidth)) / 2 + S(designX);
}

float ScreenWidth() {
    return static_cast<float>(GetRenderDevice().GameWidth());
}

float ScreenHeight() {
    return static_cast<float>(GetRenderDevice().GameHeight());
}

bool DrawFitted(const std::string& picture, float left, float top, float right, float bottom) {
    RenderDevice& device = GetRenderDevice();
    const TextureId texture = device.FindTexture(picture);
    const float pw = static_cast<float>(device.TextureWidth(texture));
    const float ph = static_cast<float>(device.TextureHeight(texture));
    if (texture == kNoTexture || pw <= 0 || ph <= 0 || right <= left || bottom <= top)
        return false;
    const float height = bottom - top;
    const float width = pw * height / ph;
    const float room = right - left;
    SpriteDraw sprite;
    sprite.top = top;
    sprite.bottom = bottom;
    if (width >= room - 0.5f) {
        // As wide as the room or wider: the middle of the picture.
        const float cut = (1 - room / width) / 2;
        sprite.left = left;
        sprite.right = right;
        sprite.u0 = cut;
        sprite.u1 = 1 - cut;
        device.DrawSprite(texture, sprite);
        return true;
    }
    // On whole pixels, so the picture and its sides meet without a gap or an overlap.
    const float pictureLeft = std::round(left + (room - width) / 2);
    const float pictureRight = std::round(pictureLeft + width);
    sprite.left = pictureLeft;
    sprite.right = pictureRight;
    device.DrawSprite(texture, sprite);
    // Each side is the picture's outermost strip drawn out to the edge, so skies and shadows carry
    // on. The strip is kept within the calm band the backgrounds are drawn with along their sides
    // (a smooth colour per row, no stars or specks), which stretched shows no streaks; linear
    // sampling reaches a texel past the strip, still inside the band.
    constexpr float kStripPixels = 6;
    const float strip = std::min(kStripPixels / pw, 0.5f);
    SpriteDraw side = sprite;
    side.left = left;
    side.right = pictureLeft;
    side.u0 = 0;
    side.u1 = strip;
    if (side.right > side.left)
        device.DrawSprite(texture, side);
    side.left = pictureRight;
    side.right = right;
    side.u0 = 1 - strip;
    side.u1 = 1;
    if (side.right > side.left)
        device.DrawSprite(texture, side);
    return true;
}

void DrawBackdrop(const std::string& picture, unsigned veil) {
    const float w = ScreenWidth(), h = ScreenHeight();
    if (!DrawFitted(picture, 0, 0, w, h))
        GetRenderDevice().FillRect(0, 0, w, h, 0xFF141C26);
    if (veil >> 24)
        GetRenderDevice().FillRect(0, 0, w, h, veil);
}

void DrawPanel(float left, float top, float right, float bottom) {
    // The panel's picture is translucent; a solid ground under it keeps the backdrop's lettering
    // from showing through the controls.
    GetRenderDevice().FillRect(X(left + 12), S(top + 12), X(right - 12), S(bottom - 12),
                               0xFF121A24);
    GuiDraw::PictureOr("dialog_dark.dds", X(left), S(top), X(right), S(bottom), 0xD0182028,
                       0xFF55687A, 0xF0FFFFFF);
}

void DrawTitle(const std::string& text, float designY) {
    GuiDraw::Text(kTitleFont, kTitleSize, text, ScreenWidth() / 2, S(designY), kTextColour, true);
}

} // namespace ScreenLayout

std::string PercentWords(float value) {
    return std::to_string(static_cast<int>(std::clamp(value, 0.0f, 1.0f) * 100 + 0.5f)) + "%";
}

std::string LevelWords(float value) {
    static const char* const kLevels[] = {"LEVEL_VERYLOW", "LEVEL_LOW", "LEVEL_MEDIUM",
                                          "LEVEL_HIGH", "LEVEL_VERYHIGH"};
    const float clamped = std::clamp(value, 0.0f, 1.0f);
    const int grade = std::min(4, static_cast<int>(clamped * 5));
    return Translate(kLevels[grade]) + " (" + PercentWords(clamped) + ")";
}

GUI_InternetScreen::GUI_InternetScreen() {
    auto* back = new GUI_ButtonText("MAIN_MENU");
    back->SetTooltip("TOOLTIP_MAINMENU");
    back->deferred = true;
    back->SetCallback([](void*) { SetGameMode(GameMode::Menu); });
    root.AddChild(back);
}

void GUI_InternetScreen::Activate() {
    using ScreenLayout::S;
    const float centre = ScreenLayout::ScreenWidth() / 2;
    root.SetRect(0, 0, ScreenLayout::ScreenWidth(), ScreenLayout::ScreenHeight());
    if (!root.buttons.empty())
        root.buttons.front()->SetRect(centre - S(120), S(450), centre + S(120), S(498));
}

void GUI_InternetScreen::DrawBackground() {
    ScreenLayout::DrawBackdrop("title.bmp", 0xB0000000);
    ScreenLayout::DrawPanel(212, 250, 812, 530);
}

void GUI_InternetScreen::DrawContent() {
    using ScreenLayout::S;
    ScreenLayout::DrawTitle(Translate("ONLINE_UPDATE_TITLE"), 280);
    TextEngine& text = GetTextEngine();
    text.SetFont(ScreenLayout::kTextFont, ScreenLayout::kTextSize);
    text.DrawWrapped(Translate("ONLINE_UPDATE_UNAVAILABLE"), ScreenLayout::X(252), S(340),
                     static_cast<int>(S(520)), ScreenLayout::kTextColour);
}

void GUI_InternetScreen::OnScreenKey(int keyCode) {
    if (keyCode == KeyCode::Escape)
        SetGameMode(GameMode::Menu);
}
