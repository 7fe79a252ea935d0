#pragma once
// The content pictures built around one pictogram: a policy's tile, an event's picture, an
// achievement's medal; and the country's flag.

#include "tools/assets/canvas.h"
#include "tools/assets/glyph_raster.h"
#include "tools/assets/pictogram_choice.h"

#include <cstdint>

namespace art {

// 64x64 with alpha: a rounded tile in the group's colours with the pictogram in off-white.
Canvas PolicyTile(GlyphRaster& symbols, uint32_t glyph, const GroupLook& look);
// 256x160, opaque: a tinted evening landscape with the pictogram on a glass disc; the seed varies
// the hills and the lights.
Canvas EventPicture(GlyphRaster& symbols, const Theme& theme, uint32_t seed);
// 96x96 with alpha: a gold medal on a ribbon of the theme's colour, the pictogram at its centre.
Canvas AchievementMedal(GlyphRaster& symbols, const Theme& theme);
// 128x80, opaque: Calverra's flag, a teal and blue field with a navy chevron bearing a gold star.
Canvas CalverraFlag();

} // namespace art
