#pragma once
// Which pictogram (a code point of the symbol font) and which colours stand for a policy, an event
// picture and an achievement. Policies are matched by words of their internal names, so a policy
// added later by a mod still gets a fitting picture, or its group's when no word matches.

#include "tools/assets/canvas.h"

#include <cstdint>
#include <string>

namespace art {

struct GroupLook {
    Rgba light, dark; // the tile's gradient, top to bottom
    uint32_t fallbackGlyph;
};

// The look of a policy group by its key ("TAX", "WELFARE", ...); an unknown key gets a neutral
// slate.
GroupLook LookOfGroup(const std::string& group);
// The pictogram for a policy; `matched` (when given) tells whether a word of the name chose it
// rather than the group's fallback.
uint32_t PolicyGlyph(const std::string& policyName, const std::string& group,
                     bool* matched = nullptr);

struct Theme {
    uint32_t glyph;
    Rgba accent; // tints the event picture's backdrop, colours the achievement's ribbon
};
// The theme of an event picture by its file name ("event_money.jpg"); unknown names get a calm
// neutral theme with a speech bubble.
Theme EventTheme(const std::string& fileName, bool* matched = nullptr);
// The pictogram and ribbon colour of an achievement picture by its file name.
Theme AchievementTheme(const std::string& fileName, bool* matched = nullptr);

} // namespace art
