#include "tools/assets/read_back.h"

#include <FreeImage.h>

#include <cstdio>
#include <cstdlib>

bool ReadsBackAs(const std::string& path, const Canvas& drawn, float meanTolerance) {
    const FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str());
    FIBITMAP* loaded = format == FIF_UNKNOWN ? nullptr : FreeImage_Load(format, path.c_str());
    if (!loaded) {
        std::fprintf(stderr, "marrowgate-assets: %s does not load as a picture\n", path.c_str());
        return false;
    }
    const bool hasAlpha = FreeImage_GetBPP(loaded) == 32;
    const bool needsAlpha = format == FIF_DDS || format == FIF_PNG;
    FIBITMAP* rgba = FreeImage_ConvertTo32Bits(loaded);
    FreeImage_Unload(loaded);
    if (!rgba) {
        std::fprintf(stderr, "marrowgate-assets: %s cannot be converted to RGBA\n", path.c_str());
        return false;
    }
    const int width = static_cast<int>(FreeImage_GetWidth(rgba));
    const int height = static_cast<int>(FreeImage_GetHeight(rgba));
    bool ok = true;
    if (needsAlpha && !hasAlpha) {
        std::fprintf(stderr, "marrowgate-assets: %s reads back without its alpha\n", path.c_str());
        ok = false;
    }
    if (width != drawn.Width() || height != drawn.Height()) {
        std::fprintf(stderr, "marrowgate-assets: %s reads back as %dx%d, drawn %dx%d\n",
                     path.c_str(), width, height, drawn.Width(), drawn.Height());
        ok = false;
    }
    double difference = 0;
    long channels = 0;
    for (int y = 0; ok && y < height; ++y) {
        const BYTE* row = FreeImage_GetScanLine(rgba, height - 1 - y);
        for (int x = 0; ok && x < width; ++x) {
            const Rgba& want = drawn.At(x, y);
            const BYTE* got = row + 4 * x;
            if (hasAlpha && got[FI_RGBA_ALPHA] != want.a) {
                std::fprintf(stderr, "marrowgate-assets: %s alpha at (%d, %d) reads %d, drawn %d\n",
                             path.c_str(), x, y, got[FI_RGBA_ALPHA], want.a);
                ok = false;
            }
            // Colour only counts where the pixel shows; fully transparent ones may hold anything.
            if (hasAlpha && want.a == 0)
                continue;
            const int d = std::abs(got[FI_RGBA_RED] - want.r) +
                          std::abs(got[FI_RGBA_GREEN] - want.g) +
                          std::abs(got[FI_RGBA_BLUE] - want.b);
            if (meanTolerance <= 0 && d != 0) {
                std::fprintf(stderr,
                             "marrowgate-assets: %s colour at (%d, %d) reads %d,%d,%d, drawn "
                             "%d,%d,%d\n",
                             path.c_str(), x, y, got[FI_RGBA_RED], got[FI_RGBA_GREEN],
                             got[FI_RGBA_BLUE], want.r, want.g, want.b);
                ok = false;
            }
            difference += d;
            channels += 3;
        }
    }
    if (ok && channels > 0 && difference / channels > meanTolerance) {
        std::fprintf(stderr, "marrowgate-assets: %s differs from the drawing by %.1f on average\n",
                     path.c_str(), difference / channels);
        ok = false;
    }
    FreeImage_Unload(rgba);
    return ok;
}
