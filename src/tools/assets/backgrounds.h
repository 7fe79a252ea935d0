#pragma once
// The three full-screen backgrounds: the main menu's dusk scene ("title.bmp"), the processing
// screen ("loadscreen.jpg") and the game screen's seven sectors ("7lines.jpg").

#include <string>

// Writes them into dataDir/bitmaps/backgrounds; false after printing what went wrong.
bool MakeBackgrounds(const std::string& dataDir);
