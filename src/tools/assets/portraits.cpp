#include "tools/assets/portraits.h"

#include "tools/assets/picture_kit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {

namespace {

// Drawn at twice the final 128x160 and scaled down.
constexpr int kW = 256, kH = 320;
constexpr float kCx = kW * 0.5f;

class Rng {
public:
    explicit Rng(uint32_t seed) : state_(seed * 2654435761u ^ 0x9E3779B9u) { Next(); }
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    float Uniform(float low, float high) {
        return low + (high - low) * (Next() % 10001) / 10000.0f;
    }
    bool Chance(float p) { return Uniform(0, 1) < p; }
    template <typename T, size_t N> const T& Pick(const T (&items)[N]) { return items[Next() % N]; }

private:
    uint32_t state_;
};

enum class Hair { Crop, SidePart, Receding, Curly, Bob, Long, Bun, Pixie, CurlyLong, None };

struct Person {
    bool female = false;
    Rgba skin, hair, backdrop, jacket, shirt, tie;
    Hair style = Hair::Crop;
    bool glasses = false, roundGlasses = false, tieOn = false, lapels = true, necklace = false;
    int beard = 0; // 0 none, 1 short beard, 2 moustache
    Rgba frame;
    float rx = 50, ry = 62, cy = 140;
};

const Rgba kSkins[] = {{252, 222, 196, 255}, {240, 198, 164, 255}, {226, 176, 136, 255},
                       {202, 146, 106, 255}, {170, 114, 78, 255},  {132, 86, 58, 255},
                       {100, 66, 46, 255}};
const Rgba kBackdrops[] = {{74, 98, 128, 255},  {70, 112, 112, 255}, {118, 104, 96, 255},
                           {100, 92, 128, 255}, {96, 116, 92, 255},  {128, 110, 82, 255}};
const Rgba kMaleJackets[] = {{34, 44, 66, 255}, {52, 54, 60, 255}, {88, 92, 100, 255},
                             {74, 58, 46, 255}, {36, 58, 52, 255}, {26, 30, 38, 255}};
const Rgba kFemaleJackets[] = {{34, 44, 66, 255}, {110, 40, 56, 255},  {40, 108, 104, 255},
                               {60, 60, 70, 255}, {150, 112, 60, 255}, {84, 64, 110, 255}};
const Rgba kShirts[] = {
    {244, 242, 236, 255}, {206, 222, 240, 255}, {236, 214, 214, 255}, {232, 226, 204, 255}};
const Rgba kTies[] = {{128, 34, 48, 255},
                      {40, 60, 110, 255},
                      {32, 120, 114, 255},
                      {190, 140, 50, 255},
                      {170, 60, 50, 255}};
const Rgba kFrames[] = {{36, 36, 44, 255}, {120, 76, 42, 255}, {180, 150, 90, 255}};

Rgba HairColour(Rng& rng, int skinIndex, bool older) {
    const Rgba grey{154, 152, 150, 255}, silver{214, 210, 204, 255};
    if (older)
        return rng.Chance(0.5f) ? grey : silver;
    const Rgba dark[] = {{32, 28, 28, 255}, {58, 40, 30, 255}, {46, 36, 32, 255}};
    const Rgba any[] = {{32, 28, 28, 255},  {62, 42, 30, 255},   {104, 70, 44, 255},
                        {144, 72, 42, 255}, {206, 164, 98, 255}, {170, 124, 72, 255}};
    return skinIndex >= 4 ? rng.Pick(dark) : rng.Pick(any);
}

Person MakePerson(bool female, int index) {
    Rng rng(static_cast<uint32_t>(index * 7919 + (female ? 104729 : 1299709)));
    Person p;
    p.female = female;
    // Skin tones step by 3 of 7 and hair styles by 1 of 4 or 5: no pairing of the two repeats
    // within the first 28 people of either sex.
    const int skinIndex = (index * 3 + (female ? 1 : 4)) % 7;
    p.skin = kSkins[skinIndex];
    const bool older = rng.Chance(0.3f);
    p.hair = HairColour(rng, skinIndex, older);
    p.backdrop = kBackdrops[(index * 5 + (female ? 2 : 0)) % 6];
    p.shirt = rng.Pick(kShirts);
    p.tie = rng.Pick(kTies);
    p.frame = rng.Pick(kFrames);
    p.glasses = rng.Chance(0.35f);
    p.roundGlasses = rng.Chance(0.5f);
    if (female) {
        const Hair styles[] = {Hair::Bob, Hair::Long, Hair::Bun, Hair::Pixie, Hair::CurlyLong};
        p.style = styles[index % 5];
        p.jacket = kFemaleJackets[(index * 5 + 1) % 6];
        p.lapels = rng.Chance(0.6f);
        p.necklace = !p.lapels || rng.Chance(0.3f);
        p.rx = 46;
        p.ry = 58;
        p.cy = 142;
    } else {
        const Hair styles[] = {Hair::Crop, Hair::SidePart, Hair::Curly, Hair::Receding};
        p.style = older && rng.Chance(0.5f) ? Hair::Receding : styles[index % 4];
        if (p.style == Hair::Curly && skinIndex < 3 && !older)
            p.style = Hair::SidePart;
        p.jacket = kMaleJackets[(index * 5 + 3) % 6];
        p.tieOn = rng.Chance(0.75f);
        p.beard = rng.Chance(0.3f) ? (rng.Chance(0.6f) ? 1 : 2) : 0;
        p.rx = 50;
        p.ry = 61;
        p.cy = 138;
    }
    return p;
}

std::vector<float> HeadPath(float cx, float cy, float rx, float ry) {
    std::vector<float> path;
    for (int i = 0; i < 96; ++i) {
        const float a = 6.2831853f * i / 96;
        const float s = std::sin(a);
        // The lower half narrows towards the chin.
        const float narrow = s > 0 ? 1.0f - 0.22f * s * s : 1.0f;
        path.push_back(cx + rx * std::cos(a) * narrow);
        path.push_back(cy + ry * s);
    }
    return path;
}

Canvas PolygonMask(const std::vector<float>& path) {
    Canvas mask(kW, kH);
    mask.FillPolygon(path, kWhite);
    return mask;
}

Canvas Minus(const Canvas& a, const Canvas& b) {
    Canvas out(kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int v = a.At(x, y).a * (255 - b.At(x, y).a) / 255;
            if (v > 0)
                out.At(x, y) = {255, 255, 255, static_cast<uint8_t>(v)};
        }
    return out;
}

// The final 128x160 picture: a slightly closer crop than the drawing, so the face fills the frame.
Canvas Framed(const Canvas& drawing) {
    constexpr int kLeft = 16, kTop = 30, kWidth = 224, kHeight = 280;
    Canvas crop(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            crop.At(x, y) = drawing.At(kLeft + x, kTop + y);
    return crop.Scaled(128, 160);
}

void Backdrop(Canvas& c, const Person& p) {
    const Rgba top = Lighter(Mix(p.backdrop, kSlate, 0.15f), 0.12f);
    const Rgba bottom = Darker(Mix(p.backdrop, kNavyDeep, 0.35f), 0.1f);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            c.At(x, y) = Mix(top, bottom, static_cast<float>(y) / kH);
    Canvas all(kW, kH);
    all.Fill(kWhite);
    PaintThrough(c, all,
                 RadialRamp(kCx, p.cy - 10, 150, Faded(Lighter(p.backdrop, 0.45f), 0.45f),
                            Faded(p.backdrop, 0.0f)));
}

// The whole outline of the hair, and the window through which the face shows in front of it.
struct HairShapes {
    Canvas outline{kW, kH};
    Canvas window{kW, kH};
    bool any = true;
    bool behind = true; // also drawn behind the head, for volume
};

// The face window: a hairline from the left temple over the forehead to the right temple, then down
// the sides (for hair that frames the face) or straight out (for short hair).
Canvas FaceWindow(const std::vector<float>& hairline, bool sidesDown) {
    std::vector<float> path = hairline;
    const float lx = hairline[0], ly = hairline[1];
    const float rx = hairline[hairline.size() - 2], ry = hairline[hairline.size() - 1];
    if (sidesDown) {
        path.insert(path.end(), {rx, kH + 20.0f, lx, kH + 20.0f});
    } else {
        path.insert(path.end(), {kW + 20.0f, ry + 14, kW + 20.0f, kH + 20.0f, -20.0f, kH + 20.0f,
                                 -20.0f, ly + 14});
    }
    return PolygonMask(path);
}

// A symmetric hairline from (cx - halfWidth, sideY) over the top at crownY.
std::vector<float> ArchHairline(float cx, float halfWidth, float sideY, float crownY,
                                float squareness) {
    std::vector<float> line = {cx - halfWidth, sideY};
    CurveTo(line, cx - halfWidth, crownY + (sideY - crownY) * (1 - squareness),
            cx - halfWidth * 0.55f, crownY, cx, crownY);
    CurveTo(line, cx + halfWidth * 0.55f, crownY, cx + halfWidth,
            crownY + (sideY - crownY) * (1 - squareness), cx + halfWidth, sideY);
    return line;
}

HairShapes MakeHair(const Person& p, Rng& rng) {
    HairShapes h;
    const float cx = kCx, cy = p.cy, rx = p.rx, ry = p.ry;
    auto cap = [&](float grow, float lift) {
        return PolygonMask(EllipsePath(cx, cy - lift, rx + grow, ry + grow * 0.4f));
    };
    auto cutBelow = [&](Canvas mask, float y) {
        for (int row = std::max(0, static_cast<int>(y)); row < kH; ++row)
            for (int x = 0; x < kW; ++x)
                mask.At(x, row).a = static_cast<uint8_t>(
                    mask.At(x, row).a * std::clamp(1.0f - (row - y) / 6.0f, 0.0f, 1.0f));
        return mask;
    };
    switch (p.style) {
    case Hair::Crop:
        h.outline = cutBelow(cap(6, 8), cy + 8);
        h.window = FaceWindow(ArchHairline(cx, rx - 3, cy + 2, cy - ry * 0.62f, 0.6f), false);
        break;
    case Hair::SidePart: {
        Canvas outline = cap(7, 9);
        outline.FillPolygon(EllipsePath(cx + 6, cy - ry * 0.55f, rx * 0.95f, ry * 0.42f), kWhite);
        h.outline = cutBelow(outline, cy + 8);
        std::vector<float> line = {cx - rx + 3, cy + 2};
        CurveTo(line, cx - rx + 2, cy - 26, cx - 30, cy - ry * 0.5f, cx - 12, cy - ry * 0.5f);
        CurveTo(line, cx + 14, cy - ry * 0.62f, cx + rx - 4, cy - ry * 0.6f, cx + rx - 3, cy + 2);
        h.window = FaceWindow(line, false);
        break;
    }
    case Hair::Receding:
        h.outline = cutBelow(cap(4, 4), cy + 10);
        h.window = FaceWindow({cx - rx + 5, cy + 6, cx - rx + 3, cy - ry * 0.3f, cx - rx - 24,
                               cy - ry - 30, cx + rx + 24, cy - ry - 30, cx + rx - 3,
                               cy - ry * 0.3f, cx + rx - 5, cy + 6},
                              false);
        h.behind = false;
        break;
    case Hair::Curly: {
        Canvas outline = cap(5, 8);
        for (int i = 0; i <= 12; ++i) {
            const float a = 3.14159265f * (1.0f + i / 12.0f);
            outline.FillCircle(cx + (rx + 2) * std::cos(a), cy - 8 + (ry + 2) * std::sin(a),
                               rng.Uniform(12, 15), kWhite);
        }
        h.outline = cutBelow(outline, cy + 4);
        h.window = FaceWindow(ArchHairline(cx, rx - 4, cy, cy - ry * 0.58f, 0.7f), false);
        break;
    }
    case Hair::Bob: {
        std::vector<float> shape = {cx - rx - 12, cy + 48};
        CurveTo(shape, cx - rx - 18, cy - ry, cx + rx + 18, cy - ry - 12 - ry * 0.5f, cx + rx + 12,
                cy + 48);
        CurveTo(shape, cx + rx - 4, cy + 56, cx - rx + 4, cy + 56, cx - rx - 12, cy + 48);
        Canvas outline = PolygonMask(shape);
        outline.FillPolygon(EllipsePath(cx, cy - 10, rx + 12, ry + 6), kWhite);
        h.outline = cutBelow(outline, cy + 52);
        std::vector<float> line = {cx - rx + 4, cy + 40};
        CurveTo(line, cx - rx + 2, cy - 10, cx - rx + 10, cy - ry * 0.42f, cx - 10,
                cy - ry * 0.45f);
        CurveTo(line, cx + 20, cy - ry * 0.5f, cx + rx - 2, cy - ry * 0.2f, cx + rx - 4, cy + 40);
        h.window = FaceWindow(line, true);
        break;
    }
    case Hair::Long:
    case Hair::CurlyLong: {
        const bool curly = p.style == Hair::CurlyLong;
        std::vector<float> shape = {cx - rx - 16, cy + 110};
        CurveTo(shape, cx - rx - 26, cy - ry - 10, cx + rx + 26, cy - ry - 10, cx + rx + 16,
                cy + 110);
        // Rounded ends where the hair rests on the shoulders.
        CurveTo(shape, cx + rx + 14, cy + 126, cx + rx + 2, cy + 128, cx + rx - 6, cy + 120);
        shape.insert(shape.end(), {cx - rx + 6, cy + 120});
        CurveTo(shape, cx - rx - 2, cy + 128, cx - rx - 14, cy + 126, cx - rx - 16, cy + 110);
        Canvas outline = PolygonMask(shape);
        outline.FillPolygon(EllipsePath(cx, cy - 10, rx + 10, ry + 8), kWhite);
        if (curly) {
            for (int i = 0; i < 22; ++i) {
                const float t = i / 21.0f;
                const float a = 3.14159265f * (0.6f + 1.8f * t);
                outline.FillCircle(cx + (rx + 16) * std::cos(a),
                                   cy + 20 + (ry + 30) * std::sin(a) * (std::sin(a) < 0 ? 1 : 1.3f),
                                   rng.Uniform(12, 16), kWhite);
            }
        }
        h.outline = outline;
        // A middle parting, the hair falling past the cheeks.
        std::vector<float> line = {cx - rx + 5, cy + 110};
        CurveTo(line, cx - rx + 3, cy, cx - rx + 14, cy - ry * 0.55f, cx - 2, cy - ry * 0.72f);
        CurveTo(line, cx + rx - 14, cy - ry * 0.55f, cx + rx - 3, cy, cx + rx - 5, cy + 110);
        h.window = FaceWindow(line, true);
        break;
    }
    case Hair::Bun: {
        Canvas outline = cap(5, 7);
        outline.FillCircle(cx, cy - ry - 12, 22, kWhite);
        h.outline = cutBelow(outline, cy + 6);
        h.window = FaceWindow(ArchHairline(cx, rx - 3, cy + 2, cy - ry * 0.66f, 0.5f), false);
        break;
    }
    case Hair::Pixie: {
        Canvas outline = cap(7, 8);
        outline.FillPolygon(EllipsePath(cx - 8, cy - ry * 0.55f, rx * 0.95f, ry * 0.45f), kWhite);
        h.outline = cutBelow(outline, cy + 16);
        std::vector<float> line = {cx - rx + 2, cy + 10};
        CurveTo(line, cx - rx + 6, cy - ry * 0.35f, cx - 6, cy - ry * 0.25f, cx + 18,
                cy - ry * 0.45f);
        CurveTo(line, cx + 30, cy - ry * 0.55f, cx + rx - 2, cy - ry * 0.5f, cx + rx - 2, cy + 6);
        h.window = FaceWindow(line, false);
        break;
    }
    case Hair::None:
        h.any = false;
        break;
    }
    return h;
}

void PaintHair(Canvas& c, const Canvas& mask, const Person& p, float shadeDown) {
    PaintThrough(c, mask,
                 RadialRamp(kCx - 18, p.cy - p.ry - 10, p.ry * 2.6f, Lighter(p.hair, 0.22f),
                            Darker(p.hair, shadeDown)));
}

void Body(Canvas& c, const Person& p) {
    const float cx = kCx, neckY = p.cy + 90;
    const float shoulder = p.female ? 104 : 116;
    std::vector<float> left = {cx, neckY, cx - 26, neckY};
    CurveTo(left, cx - 60, neckY + 8, cx - shoulder + 6, neckY + 14, cx - shoulder, neckY + 44);
    CurveTo(left, cx - shoulder - 6, neckY + 60, cx - shoulder - 10, kH - 20, cx - shoulder - 14,
            kH + 4.0f);
    std::vector<float> body = left;
    const std::vector<float> right = Mirrored(left, cx);
    body.insert(body.end(), right.begin(), right.end());
    const Canvas jacket = PolygonMask(body);
    SoftShadow(c, jacket, 0, -2, 6, Faded(kBlack, 0.25f));
    PaintThrough(c, jacket, [&](float x, float y) {
        const float side = std::fabs(x - cx) / shoulder;
        return Mix(Lighter(p.jacket, 0.1f), Darker(p.jacket, 0.35f),
                   std::min(1.0f, 0.35f * side * side + (y - neckY) / 260.0f));
    });
    PaintThrough(c, Rim(jacket, 0, 3), Faded(kWhite, 0.14f));

    // Shirt or blouse in the opening.
    const float depth = p.female ? 58 : 78;
    if (p.female && !p.lapels) {
        std::vector<float> neckline = {cx - 30, neckY - 2};
        CurveTo(neckline, cx - 28, neckY + 40, cx + 28, neckY + 40, cx + 30, neckY - 2);
        c.FillPolygon(neckline, Darker(p.skin, 0.06f));
    } else {
        c.FillPolygon({cx - 27, neckY - 2, cx + 27, neckY - 2, cx, neckY + depth}, p.shirt);
    }
    if (p.tieOn) {
        // Collar points, then the knot and blade.
        c.FillPolygon({cx - 25, neckY - 4, cx - 2, neckY + 14, cx - 20, neckY + 20},
                      Lighter(p.shirt, 0.3f));
        c.FillPolygon({cx + 25, neckY - 4, cx + 2, neckY + 14, cx + 20, neckY + 20},
                      Lighter(p.shirt, 0.3f));
        const Rgba tie = p.tie;
        c.FillPolygon(
            {cx - 7, neckY + 8, cx + 7, neckY + 8, cx + 5, neckY + 20, cx - 5, neckY + 20},
            Darker(tie, 0.1f));
        c.FillPolygon({cx - 5, neckY + 20, cx + 5, neckY + 20, cx + 11, neckY + 74, cx, neckY + 86,
                       cx - 11, neckY + 74},
                      tie);
        c.Line(cx - 2, neckY + 24, cx + 4, neckY + 70, 2, Faded(kWhite, 0.18f));
    }
    if (p.lapels) {
        const Rgba lapel = Lighter(p.jacket, 0.06f);
        std::vector<float> l = {cx - 27, neckY - 2,          cx - 3,  neckY + depth + 2,
                                cx - 20, neckY + depth - 18, cx - 46, neckY + 22};
        c.FillPolygon(l, lapel);
        c.FillPolygon(Mirrored(l, cx), lapel);
        c.Line(cx - 27, neckY - 2, cx - 3, neckY + depth + 2, 1.6f, Faded(kBlack, 0.35f));
        c.Line(cx + 27, neckY - 2, cx + 3, neckY + depth + 2, 1.6f, Faded(kBlack, 0.35f));
    }
    if (p.necklace) {
        for (int i = 0; i <= 12; ++i) {
            const float a = 3.14159265f * (0.15f + 0.7f * i / 12.0f);
            c.FillCircle(cx + 24 * std::cos(a), neckY + 4 + 22 * std::sin(a), 2.3f,
                         Lighter(kGold, 0.2f));
        }
    }
}

void Face(Canvas& c, const Person& p) {
    const float cx = kCx, cy = p.cy, rx = p.rx, ry = p.ry;
    const Rgba dark{40, 30, 28, 255};
    // Eyes, a glint in each.
    for (int side = -1; side <= 1; side += 2) {
        const float ex = cx + side * 19, ey = cy + 4;
        c.FillPolygon(EllipsePath(ex, ey, 4.6f, 5.6f, 32), dark);
        c.FillCircle(ex + 1.4f, ey - 2.0f, 1.5f, Faded(kWhite, 0.9f));
        const Rgba brow =
            (p.hair.r > 190 || (p.hair.r > 140 && p.hair.g > 140)) ? Darker(p.hair, 0.35f) : p.hair;
        // A gentle arch, the inner ends a touch higher: an open, friendly look.
        c.Line(ex - side * 9, cy - 15, ex, cy - 17, 3.6f, brow);
        c.Line(ex, cy - 17, ex + side * 9, cy - 13, 3.6f, brow);
        if (p.female)
            c.Line(ex + side * 4.5f, ey - 4.5f, ex + side * 7.5f, ey - 6.5f, 1.6f, dark);
    }
    // A soft nose and warm cheeks.
    const Rgba shadow = Faded(Darker(p.skin, 0.3f), 0.55f);
    c.Line(cx + 1, cy + 10, cx - 4, cy + 25, 2.4f, shadow);
    c.Line(cx - 4, cy + 25, cx + 3, cy + 27, 2.4f, shadow);
    c.FillCircle(cx - 28, cy + 24, 9, Faded({232, 112, 112, 255}, 0.13f));
    c.FillCircle(cx + 28, cy + 24, 9, Faded({232, 112, 112, 255}, 0.13f));

    if (p.beard == 1) {
        Canvas beard = PolygonMask(HeadPath(cx, cy, rx + 1, ry + 3));
        for (int y = 0; y < static_cast<int>(cy + 20); ++y)
            for (int x = 0; x < kW; ++x)
                beard.At(x, y).a = static_cast<uint8_t>(
                    beard.At(x, y).a * std::clamp((y - (cy + 12)) / 8.0f, 0.0f, 1.0f));
        beard = Minus(beard, PolygonMask(EllipsePath(cx, cy + 38, 15, 8)));
        PaintThrough(c, beard, Faded(p.hair, 0.92f));
    }
    if (p.beard >= 1) {
        std::vector<float> moustache = {cx - 17, cy + 37};
        CurveTo(moustache, cx - 12, cy + 28, cx + 12, cy + 28, cx + 17, cy + 37);
        CurveTo(moustache, cx + 8, cy + 33, cx - 8, cy + 33, cx - 17, cy + 37);
        c.FillPolygon(moustache, p.hair);
    }
    // The smile.
    std::vector<float> smile = {cx - 14, cy + 38};
    CurveTo(smile, cx - 7, cy + 46, cx + 7, cy + 46, cx + 14, cy + 38, 12);
    const Rgba lips = p.female ? Mix(p.skin, Rgba{160, 56, 70, 255}, 0.55f)
                               : Mix(p.skin, Rgba{110, 50, 46, 255}, 0.6f);
    for (size_t i = 0; i + 3 < smile.size(); i += 2)
        c.Line(smile[i], smile[i + 1], smile[i + 2], smile[i + 3], p.female ? 3.6f : 3.0f, lips);
}

void Glasses(Canvas& c, const Person& p) {
    const float cx = kCx, cy = p.cy + 4;
    const Rgba frame = p.frame;
    for (int side = -1; side <= 1; side += 2) {
        const float ex = cx + side * 19;
        if (p.roundGlasses) {
            c.FillCircle(ex, cy, 12.5f, Faded(kWhite, 0.1f));
            c.StrokeCircle(ex, cy, 12.5f, 2.6f, frame);
        } else {
            c.FillRoundedRect(ex - 14, cy - 9, ex + 14, cy + 10, 6, Faded(kWhite, 0.1f));
            c.StrokeRoundedRect(ex - 14, cy - 9, ex + 14, cy + 10, 6, 2.6f, frame);
        }
        c.Line(ex + side * 13, cy - 2, cx + side * (p.rx - 1), cy - 1, 2.4f, frame);
    }
    c.Line(cx - 6, cy - 2, cx + 6, cy - 2, 2.4f, frame);
}

Canvas Draw(const Person& p, Rng& rng) {
    Canvas c(kW, kH);
    Backdrop(c, p);
    const HairShapes hair = MakeHair(p, rng);
    if (hair.any && hair.behind)
        PaintHair(c, hair.outline, p, 0.55f);
    Body(c, p);

    const float cx = kCx, cy = p.cy;
    const Canvas neck =
        PolygonMask({cx - 21, cy + 30, cx + 21, cy + 30, cx + 24, cy + 104, cx - 24, cy + 104});
    PaintThrough(c, neck,
                 VerticalRamp(cy + 40, cy + 100, Darker(p.skin, 0.28f), Darker(p.skin, 0.1f)));
    for (int side = -1; side <= 1; side += 2) {
        c.FillPolygon(EllipsePath(cx + side * (p.rx - 1), cy + 8, 8, 14, 32),
                      Darker(p.skin, 0.08f));
        c.Line(cx + side * (p.rx + 1), cy + 2, cx + side * (p.rx + 2), cy + 14, 2,
               Darker(p.skin, 0.22f));
    }
    const Canvas head = PolygonMask(HeadPath(cx, cy, p.rx, p.ry));
    PaintThrough(
        c, head,
        RadialRamp(cx - 16, cy - 24, p.ry * 2.0f, Lighter(p.skin, 0.08f), Darker(p.skin, 0.14f)));
    Face(c, p);
    if (hair.any) {
        const Canvas front = Minus(hair.outline, hair.window);
        SoftShadow(c, Clipped(front, head), 0, 3, 2, Faded(kBlack, 0.18f));
        PaintHair(c, front, p, 0.3f);
        PaintThrough(c, Rim(front, 0, 3), Faded(kWhite, 0.12f));
    }
    if (p.glasses)
        Glasses(c, p);
    return Framed(c);
}

} // namespace

Canvas MinisterPortrait(bool female, int index) {
    const Person person = MakePerson(female, index);
    Rng rng(static_cast<uint32_t>(index + 1) * (female ? 31u : 17u));
    return Draw(person, rng);
}

Canvas UnknownMinisterPortrait() {
    Person p;
    p.skin = {150, 160, 176, 255};
    p.hair = {118, 128, 146, 255};
    p.backdrop = {74, 90, 116, 255};
    p.jacket = {58, 70, 92, 255};
    p.shirt = {170, 180, 196, 255};
    p.style = Hair::Crop;
    p.lapels = true;
    // No features: a silhouette that reads as "someone" without being anyone.
    Canvas c(kW, kH);
    Backdrop(c, p);
    Rng rng(1);
    const HairShapes hair = MakeHair(p, rng);
    PaintHair(c, hair.outline, p, 0.3f);
    Body(c, p);
    const float cx = kCx, cy = p.cy;
    c.FillPolygon({cx - 21, cy + 30, cx + 21, cy + 30, cx + 24, cy + 104, cx - 24, cy + 104},
                  Darker(p.skin, 0.15f));
    PaintThrough(
        c, PolygonMask(HeadPath(cx, cy, p.rx, p.ry)),
        RadialRamp(cx - 16, cy - 24, p.ry * 2.0f, Lighter(p.skin, 0.1f), Darker(p.skin, 0.12f)));
    PaintHair(c, Minus(hair.outline, hair.window), p, 0.2f);
    return Framed(c);
}

} // namespace art
