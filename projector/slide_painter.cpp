#include "projector/slide_painter.h"

#include <algorithm>
#include <string>

#include "common/handle.h"
#include "projector/projector_handles.h"

namespace vnx {
namespace {

COLORREF ToColorRef(StageColour c) { return RGB(c.Red, c.Green, c.Blue); }

// Selects an object into a device context and puts the previous one back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

UniqueGdiObject Font(int height, int weight) {
  return UniqueGdiObject(CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma"));
}

void FillBackground(HDC dc, SIZE client, StageColour colour) {
  UniqueGdiObject brush(CreateSolidBrush(ToColorRef(colour)));
  const RECT all{0, 0, client.cx, client.cy};
  FillRect(dc, &all, static_cast<HBRUSH>(brush.get()));
}

// A soft light: three discs, each a little brighter towards the middle.
void PaintGlide(HDC dc, const GlideFrame& glide, StageColour stage, StageColour light) {
  Selection pen(dc, GetStockObject(NULL_PEN));
  for (int ring = 0; ring < 3; ++ring) {
    const int radius = glide.Radius * (3 - ring) / 3;
    UniqueGdiObject brush(CreateSolidBrush(ToColorRef(Blend(stage, light, 10 + 8 * ring))));
    Selection fill(dc, brush.get());
    Ellipse(dc, glide.X - radius, glide.Y - radius, glide.X + radius + 1, glide.Y + radius + 1);
  }
}

void PaintTitle(HDC dc, SIZE client, const std::string& title) {
  UniqueGdiObject font = Font(std::max<LONG>(12, client.cy / 9), FW_BOLD);
  Selection selected(dc, font.get());
  const int margin = static_cast<int>(client.cx / 12);
  RECT box{margin, 0, client.cx - margin, client.cy};
  RECT measured = box;
  constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
  DrawTextA(dc, title.c_str(), static_cast<int>(title.size()), &measured, kFormat | DT_CALCRECT);
  const LONG height = measured.bottom - measured.top;
  box.top = (client.cy - height) / 2;
  box.bottom = box.top + height;
  DrawTextA(dc, title.c_str(), static_cast<int>(title.size()), &box, kFormat);
}

void PaintWarnings(HDC dc, SIZE client, const std::vector<std::string>& warnings) {
  if (warnings.empty()) return;
  UniqueGdiObject font = Font(std::max<LONG>(10, client.cy / 40), FW_NORMAL);
  Selection selected(dc, font.get());
  RECT line{8, 8, client.cx - 8, client.cy};
  for (const std::string& warning : warnings)
    line.top += DrawTextA(dc, warning.c_str(), static_cast<int>(warning.size()), &line,
                          DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

void PaintSlide(HDC target, SIZE client, const Slide& slide, const GlideFrame& glide) {
  if (client.cx <= 0 || client.cy <= 0) return;
  UniqueMemoryDc buffer(CreateCompatibleDC(target));
  UniqueGdiObject bitmap(CreateCompatibleBitmap(target, client.cx, client.cy));
  if (!buffer || !bitmap) return;  // out of GDI resources: skip this frame
  Selection canvas(buffer.get(), bitmap.get());
  const HDC dc = buffer.get();
  const StageColour text = TextColourFor(slide.Colour);

  FillBackground(dc, client, slide.Colour);
  PaintGlide(dc, glide, slide.Colour, text);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(text));
  PaintTitle(dc, client, slide.Title);
  PaintWarnings(dc, client, slide.Warnings);
  BitBlt(target, 0, 0, client.cx, client.cy, dc, 0, 0, SRCCOPY);
}

}  // namespace vnx
