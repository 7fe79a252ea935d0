#pragma once
// The generator's steps; each writes its files under dataDir ("<root>/data") and answers false
// after printing what went wrong.

#include <string>

// The seven font sheets (into bitmaps/fonts) and their width files (into fonts).
bool MakeFonts(const std::string& dataDir);
// Buttons, dialogs, check boxes, list box, arrows, scroll and close buttons, control panel, the
// circle, highlight, line and issue icons, and the backgrounds title.bmp, loadscreen.jpg,
// 7lines.jpg.
bool MakeInterfacePictures(const std::string& dataDir);
// The pictograms of the game screen's control buttons, plain and hovered ("panel_NAME.dds"), at
// the given interface scale.
bool MakePanelPictograms(const std::string& dataDir, float scale);
// One pictogram per policy, minister portraits, event and achievement pictures, the flag.
bool MakeContentPictures(const std::string& dataDir);
// The game's icon for the desktop, as PNGs at the icon theme's sizes (into icons).
bool MakeIcons(const std::string& dataDir);
// Effects and the five music tracks, synthesised and encoded as Ogg Vorbis.
bool MakeSounds(const std::string& dataDir);

// The interface sizes the chrome is drawn for; the game picks the set of its size.
inline constexpr float kPictureScales[] = {1.0f, 1.5f, 2.0f};
// The file name of a picture drawn for a larger interface: "button.dds" at 1.5 is
// "button_150.dds"; at 1 the name is unchanged (the name the game and mods already use).
std::string ScaledPictureName(const std::string& name, float scale);

// A font file from the system's font folders; empty (after printing why) when absent.
std::string FindSystemFont(const std::string& fileName);
