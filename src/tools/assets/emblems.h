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
// 128x80, opaque: Saltreach's flag, a blue sea with three white lines of surf above a sandy shore,
// a gold compass star in the upper hoist and three white stars for its main islands.
Canvas SaltreachFlag();
// 128x80, opaque: Hollvarn's flag, forest green crossed by a rising white band, a dark fir on a
// gold disc in the upper hoist.
Canvas HollvarnFlag();
// 128x80, opaque: Kestrava's flag, ember orange and charcoal split corner to corner, a white
// star in a white ring at the centre.
Canvas KestravaFlag();

} // namespace art
