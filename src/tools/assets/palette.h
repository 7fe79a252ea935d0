#pragma once
// The house colours every generated picture is drawn in, so that the interface pieces, the
// backgrounds and the content pictures belong together.

#include "tools/assets/canvas.h"

namespace palette {
inline constexpr Rgba kNavyDeep{16, 24, 38, 255};
inline constexpr Rgba kNavy{22, 32, 50, 255};
inline constexpr Rgba kSlate{29, 42, 63, 255};
inline constexpr Rgba kSlateLight{52, 70, 98, 255};
// Warm off-white, for text and light marks.
inline constexpr Rgba kText{236, 231, 220, 255};
inline constexpr Rgba kTeal{47, 163, 154, 255};
inline constexpr Rgba kGold{217, 164, 65, 255};
inline constexpr Rgba kRed{200, 85, 61, 255};
inline constexpr Rgba kWhite{255, 255, 255, 255};
inline constexpr Rgba kBlack{0, 0, 0, 255};
} // namespace palette
