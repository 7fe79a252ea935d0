#pragma once
// Minister portraits: friendly, stylised head-and-shoulders pictures in 128x160, varied by their
// number (skin tone, hair style and colour, clothes, glasses, beards) but always the same picture
// for the same number, so that saved games keep pointing at the face they had.

#include "tools/assets/canvas.h"

namespace art {

// `index` counts from 0; every index gives a different, repeatable person.
Canvas MinisterPortrait(bool female, int index);
// The portrait a minister shows before one is drawn: a neutral silhouette.
Canvas UnknownMinisterPortrait();

} // namespace art
