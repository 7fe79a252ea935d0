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
// The pictograms of the game screen's control buttons, plain and hovered ("panel_NAME.dds").
bool MakePanelPictograms(const std::string& dataDir);
// One pictogram per policy, minister portraits, event and achievement pictures, the flag.
bool MakeContentPictures(const std::string& dataDir);
// The game's icon for the desktop, as PNGs at the icon theme's sizes (into icons).
bool MakeIcons(const std::string& dataDir);
// Effects and the five music tracks, synthesised and encoded as Ogg Vorbis.
bool MakeSounds(const std::string& dataDir);

// A font file from the system's font folders; empty (after printing why) when absent.
std::string FindSystemFont(const std::string& fileName);
