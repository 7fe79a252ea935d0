#pragma once
// Reads a written picture back the way the game loads it (FreeImage) and compares it with what was
// drawn, so a wrong channel order, a flipped image or a lost alpha channel fails the generator
// instead of showing up on screen.

#include "tools/assets/canvas.h"

#include <string>

// `meanTolerance` is the mean difference per colour channel allowed over the visible pixels: 0
// for lossless formats (every pixel must match), a little for JPEG. DDS and PNG files must keep
// their alpha exactly. False after printing what differs.
bool ReadsBackAs(const std::string& path, const Canvas& drawn, float meanTolerance);
