#pragma once
// Draws one frame of the slide: the stage colour, the gliding light, the
// title in the middle and any warnings about slide.txt at the top.

#include <windows.h>

#include "projector/animation.h"
#include "projector/slide.h"

namespace vnx {

// Paints the whole client area through an off-screen bitmap, so the
// animation does not flicker.
void PaintSlide(HDC target, SIZE client, const Slide& slide, const GlideFrame& glide);

}  // namespace vnx
