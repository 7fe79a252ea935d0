#include "platform/image_file.h"

#include "base/debug_log.h"

#include <FreeImage.h>

#include <cctype>
#include <cstring>

namespace {
void OnFreeImageMessage(FREE_IMAGE_FORMAT format, const char* message) {
    LogF("FreeImage (%s): %s", format == FIF_UNKNOWN ? "?" : FreeImage_GetFormatFromFIF(format),
         message ? message : "");
}

void RouteMessagesToLog() {
    static bool routed = false;
    if (!routed)
        FreeImage_SetOutputMessage(OnFreeImageMessage);
    routed = true;
}
} // namespace

bool IsImageFileName(const std::string& fileName) {
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos)
        return false;
    std::string ext = fileName.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == "png" || ext == "jpg" || ext == "jpeg" || ext == "bmp" || ext == "dds" ||
           ext == "tga";
}

bool LoadImageFile(const std::string& path, ImagePixels& image) {
    RouteMessagesToLog();
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    // Some formats (tga) carry no signature; their extension decides.
    if (format == FIF_UNKNOWN)
        format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format))
        return false;
    FIBITMAP* loaded = FreeImage_Load(format, path.c_str(), 0);
    if (!loaded)
        return false;
    FIBITMAP* bitmap =
        FreeImage_GetBPP(loaded) == 32 && FreeImage_GetImageType(loaded) == FIT_BITMAP
            ? loaded
            : FreeImage_ConvertTo32Bits(loaded);
    if (bitmap != loaded)
        FreeImage_Unload(loaded);
    if (!bitmap)
        return false;
    const int width = static_cast<int>(FreeImage_GetWidth(bitmap));
    const int height = static_cast<int>(FreeImage_GetHeight(bitmap));
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height);
    // FreeImage keeps the bottom row first; 32-bit pixels are B, G, R, A in memory, which on a
    // little-endian machine is exactly 0xAARRGGBB.
    for (int y = 0; y < height; ++y) {
        const BYTE* row = FreeImage_GetScanLine(bitmap, height - 1 - y);
        Argb* out = image.pixels.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x, row += 4)
            out[x] = static_cast<Argb>(row[FI_RGBA_BLUE]) |
                     static_cast<Argb>(row[FI_RGBA_GREEN]) << 8 |
                     static_cast<Argb>(row[FI_RGBA_RED]) << 16 |
                     static_cast<Argb>(row[FI_RGBA_ALPHA]) << 24;
    }
    FreeImage_Unload(bitmap);
    return width > 0 && height > 0;
}

bool SavePngFile(const std::string& path, const std::vector<Argb>& pixels, int width, int height) {
    RouteMessagesToLog();
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height)
        return false;
    FIBITMAP* bitmap = FreeImage_Allocate(width, height, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK,
                                          FI_RGBA_BLUE_MASK);
    if (!bitmap)
        return false;
    for (int y = 0; y < height; ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, height - 1 - y);
        const Argb* in = pixels.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x, row += 4) {
            row[FI_RGBA_BLUE] = static_cast<BYTE>(in[x]);
            row[FI_RGBA_GREEN] = static_cast<BYTE>(in[x] >> 8);
            row[FI_RGBA_RED] = static_cast<BYTE>(in[x] >> 16);
            row[FI_RGBA_ALPHA] = static_cast<BYTE>(in[x] >> 24);
        }
    }
    const bool ok = FreeImage_Save(FIF_PNG, bitmap, path.c_str(), PNG_DEFAULT) != 0;
    FreeImage_Unload(bitmap);
    return ok;
}
