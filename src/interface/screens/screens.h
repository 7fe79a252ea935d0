#pragma once
// The screen registry: one object per front-end screen, made the first time its mode is shown and
// kept for the life of the process. Also the layout helpers the front-end screens share (a
// 1024 x 768 design scaled to the game's size) and the hook through which a screen asks for its
// tutorial hint.

#include "interface/widgets/gui_window_screen.h"

#include <functional>
#include <string>

class BaseGUIScreen;
class GUI_WindowManager;
enum class GameMode : int;

// The screen shown in a mode; modes without a screen of their own show the main menu.
BaseGUIScreen* GetScreenForMode(GameMode mode);
// Closes every window open over the game screen (a new game starts with a clean desk).
void ResetGameWindows();
// The game picture changed width: the screen showing is laid out again, and so is the game
// screen, whose icons and windows are kept while other screens show.
void RelayoutScreens(BaseGUIScreen* current, float oldWidth);

// Screens ask for their hint by key when they open; the tutorial installs the handler and opens
// its window in the manager given. Without a handler nothing is shown.
using ScreenHintHandler = std::function<void(const std::string& key, GUI_WindowManager& windows)>;
ScreenHintHandler& ScreenHintHook();
void ShowScreenHint(const std::string& key, GUI_WindowManager& windows);

// Positions are designed for 1024 x 768 and multiplied by the interface scale. On a screen wider
// than the design, a screen's panels keep to a design-wide column in the middle (X) and what
// spans the screen (backdrops, strips) reads the game width.
namespace ScreenLayout {
inline constexpr int kDesignWidth = 1024;
inline constexpr int kDesignHeight = 768;
inline constexpr const char kTitleFont[] = "tahoma30.dds";
inline constexpr int kTitleSize = 30;
inline constexpr const char kLabelFont[] = "arialbold16.dds";
inline constexpr const char kTextFont[] = "arial16.dds";
inline constexpr int kTextSize = 16;
inline constexpr unsigned kTextColour = 0xFFE8ECF0;
inline constexpr unsigned kDimTextColour = 0xFFA8B4C0;

// The interface scale; 1 when the frame reports none.
float Scale();
// A design length in game pixels.
float S(float designPixels);
// A design x in game pixels, the design's width centred on the screen.
float X(float designX);
float ScreenWidth();
float ScreenHeight();
// The picture over the screen (a dark fill when it is missing) under a veil of veil (0xAARRGGBB;
// a zero alpha draws no veil); laid out as DrawFitted does.
void DrawBackdrop(const std::string& picture, unsigned veil);
// A picture over a rectangle without distorting it: at the rectangle's height, centred, with its
// own edges drawn out to fill the sides of a wider rectangle (and its middle part on a narrower
// one). False, having drawn nothing, when there is no such picture.
bool DrawFitted(const std::string& picture, float left, float top, float right, float bottom);
// A quiet panel behind a group of controls, in design pixels.
void DrawPanel(float left, float top, float right, float bottom);
// Centred title text at design y.
void DrawTitle(const std::string& text, float designY);
} // namespace ScreenLayout

// A share 0..1 as a whole percentage: "42%".
std::string PercentWords(float value);
// A level 0..1 in words with its percentage: "High (72%)".
std::string LevelWords(float value);

// Mode 10: online updates are not offered in this version, so the screen says so and offers the way
// back to the menu.
class GUI_InternetScreen : public GUI_WindowScreen {
public:
    GUI_InternetScreen();
    void Activate() override;

protected:
    void DrawBackground() override;
    void DrawContent() override;
    void OnScreenKey(int keyCode) override;
};
