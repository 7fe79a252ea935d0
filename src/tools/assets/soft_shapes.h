#pragma once
// Shapes described by signed distance (negative inside), painted with a colour chosen per pixel:
// the gradients, soft shadows, glows and inner edges that the interface pictures and backgrounds
// are built from. Canvas draws flat shapes; this adds the shading.

#include "tools/assets/canvas.h"
#include "tools/assets/palette.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace chrome {

using Distance = std::function<float(float x, float y)>;
using Shader = std::function<Rgba(float x, float y)>;

float Clamp01f(float v);
float Smoothstep(float edge0, float edge1, float x);
Rgba Lighten(Rgba c, float amount); // towards white
Rgba Darken(Rgba c, float amount);  // towards black
Rgba Scaled(Rgba c, float alpha);   // alpha multiplied

// Distances of the basic shapes.
Distance RoundedRect(float left, float top, float right, float bottom, float radius);
Distance Circle(float cx, float cy, float radius);
// A thick polyline with round joins, points as x, y pairs.
Distance Stroke(std::vector<float> points, float thickness);
Distance Union(Distance a, Distance b);
Distance Subtract(Distance from, Distance cut);
Distance Offset(Distance shape, float dx, float dy);

// Shapes, shaders, areas, widths and blurs are in the canvas's design units (Canvas::Scale pixels
// to the unit), so a picture drawn at a larger scale keeps its shape with sharper edges.

// The pixels a painting may touch; the whole canvas unless narrowed, which only saves time.
struct Area {
    float left = -1e9f, top = -1e9f, right = 1e9f, bottom = 1e9f;
};

// Paints the inside of the shape, anti-aliased over one pixel, with the shader's colour.
void Paint(Canvas& canvas, const Distance& shape, const Shader& shader, Area area = {});
void Paint(Canvas& canvas, const Distance& shape, Rgba colour, Area area = {});
// A band `width` pixels wide just inside the edge, starting `inset` pixels in.
void PaintEdge(Canvas& canvas, const Distance& shape, float inset, float width,
               const Shader& shader, Area area = {});
// A blurred copy of the shape's outline, for drop shadows (offset the shape first) and glows;
// the colour fades from its alpha at the edge to nothing `blur` pixels out.
void PaintHalo(Canvas& canvas, const Distance& shape, float blur, Rgba colour, Area area = {});

// Shaders.
Shader Flat(Rgba colour);
Shader VerticalShade(float top, float bottom, Rgba from, Rgba to);
Shader RadialShade(float cx, float cy, float radius, Rgba centre, Rgba rim);

// Gives fully transparent pixels the colour of their visible neighbours, so a stretched sprite's
// filtering blends its edge towards its own colour instead of towards black.
void BleedTransparentEdges(Canvas& canvas);

// Spreads the picture's alpha by three box blurs of the radius (close to a gaussian), keeping
// each pixel's colour: soft shadows and glows of any drawn shape.
void BlurAlpha(Canvas& canvas, int radius);

// A small deterministic generator (xorshift), so every run draws the same picture.
class Dice {
public:
    explicit Dice(uint32_t seed) : state_(seed ? seed : 0x2545F491u) {}
    uint32_t Next();
    float Uniform(float low, float high);

private:
    uint32_t state_;
};

// Smooth value noise in 0..1 over the plane, cells `scale` pixels wide.
float ValueNoise(float x, float y, float scale, uint32_t seed);

} // namespace chrome
