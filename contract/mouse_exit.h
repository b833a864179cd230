#pragma once
// How far the mouse must move to end a presentation whose settings let the
// mouse end it: the engine measures it on the presentation, the runner on
// the black covers of the other monitors, so both end it alike.

#include <cstdint>

namespace vnx {

// The cursor must move this far (in x or in y, in pixels) from where it was
// first seen before the movement ends the presentation; less is the jitter
// of a mouse lying on the table.
inline constexpr std::int32_t kMouseExitDistance = 5;

}  // namespace vnx
