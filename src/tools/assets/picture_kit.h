#pragma once
// Drawing helpers of the content pictures (pictograms, portraits, event and achievement pictures,
// the flag): shapes are first drawn flat into a mask, then painted through it with a colour that
// may vary per pixel, which gives gradients, soft shadows and inner edges on any outline.

#include "tools/assets/canvas.h"
#include "tools/assets/glyph_raster.h"
#include "tools/assets/palette.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace art {

using palette::kBlack;
using palette::kGold;
using palette::kNavyDeep;
using palette::kSlate;
using palette::kTeal;
using palette::kWhite;
inline constexpr Rgba kOffWhite = palette::kText;

Rgba Lighter(Rgba c, float t);
Rgba Darker(Rgba c, float t);
Rgba Faded(Rgba c, float alpha); // alpha multiplied by 0..1

using Shade = std::function<Rgba(float x, float y)>;
Shade VerticalRamp(float top, float bottom, Rgba from, Rgba to);
Shade RadialRamp(float cx, float cy, float radius, Rgba centre, Rgba rim);

// A transparent canvas of the same size, to draw a shape into (any colour: only alpha counts).
Canvas MaskLike(const Canvas& canvas);
// Blends the shade over the target wherever the mask has alpha.
void PaintThrough(Canvas& target, const Canvas& mask, const Shade& shade);
void PaintThrough(Canvas& target, const Canvas& mask, Rgba colour);
// The mask with its alpha spread by three box blurs of the radius (close to a gaussian).
Canvas Blurred(const Canvas& mask, int radius);
// A soft shadow of the mask's shape, offset and blurred, painted in the colour.
void SoftShadow(Canvas& target, const Canvas& mask, int dx, int dy, int blur, Rgba colour);
// The mask's alpha minus the alpha of the mask shifted by (dx, dy): the rim on the side the shift
// comes from. Used for lit and shaded edges that follow any outline.
Canvas Rim(const Canvas& mask, int dx, int dy);
// The product of two masks' alphas: the first shape clipped to the second.
Canvas Clipped(const Canvas& mask, const Canvas& clip);

// Closed outlines as x, y pairs, for Canvas::FillPolygon.
std::vector<float> EllipsePath(float cx, float cy, float rx, float ry, int segments = 96);
// Appends a cubic curve from the path's last point through two control points to (x3, y3).
void CurveTo(std::vector<float>& path, float x1, float y1, float x2, float y2, float x3, float y3,
             int steps = 20);
std::vector<float> Mirrored(const std::vector<float>& path, float axisX);

// The pictogram as a mask fitted into a box centred on (cx, cy); empty when the font lacks it.
Canvas GlyphMask(GlyphRaster& font, uint32_t codePoint, int width, int height, float cx, float cy,
                 float boxWidth, float boxHeight);

} // namespace art
