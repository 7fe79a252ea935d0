#pragma once
// Reading and writing picture files through FreeImage, as plain 0xAARRGGBB pixel rows.

#include "platform/render_device.h"

#include <string>
#include <vector>

struct ImagePixels {
    int width = 0, height = 0;
    // Top row first, width * height pixels.
    std::vector<Argb> pixels;
};

// True for the picture types the game loads: png, jpg, jpeg, bmp, dds and tga (any case).
bool IsImageFileName(const std::string& fileName);

// Any picture FreeImage reads, converted to 32 bits; pictures without alpha come out opaque.
// False (with a log line from FreeImage's own message) when the file cannot be read.
bool LoadImageFile(const std::string& path, ImagePixels& image);

// Writes pixels (top row first) as a PNG with alpha.
bool SavePngFile(const std::string& path, const std::vector<Argb>& pixels, int width, int height);
