#include "SetupCtrls/OrientedPicture.h"

using namespace vcl;

namespace setupctrls {

void TurnBitmap(const TBitmap& Upright, TOrientationType Orientation, TBitmap& Turned) {
  const int w = Upright.Width(), h = Upright.Height();
  if (IsVertical(Orientation))
    Turned.SetSize(w, h);
  else
    Turned.SetSize(h, w);
  const std::uint32_t* src = Upright.Bits();
  std::uint32_t* dst = Turned.Bits();
  const int tw = Turned.Width();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int tx = x, ty = y;
      switch (Orientation) {
        case otUp: break;
        case otDown: tx = w - 1 - x; ty = h - 1 - y; break;
        case otLeft: tx = y; ty = w - 1 - x; break;
        case otRight: tx = h - 1 - y; ty = x; break;
      }
      dst[static_cast<std::size_t>(ty) * tw + tx] = src[static_cast<std::size_t>(y) * w + x];
    }
}

bool TOrientedPicture::SetOrientation(TOrientationType Value) {
  if (Value == FOrientation) return false;
  if (IsVertical(Value) != IsVertical(FOrientation)) FSwapPending = true;
  FOrientation = Value;
  return true;
}

void TOrientedPicture::Paint(TGraphicControl& Control, const std::function<void(TCanvas&, int, int)>& Draw) {
  if (IsVertical(FOrientation))
    FUprightBitmap.SetSize(Control.Width(), Control.Height());
  else
    FUprightBitmap.SetSize(Control.Height(), Control.Width());
  TCanvas& c = *FUprightBitmap.Canvas();
  const TPen pen = *c.Pen();
  const TBrush brush = *c.Brush();
  Draw(c, FUprightBitmap.Width(), FUprightBitmap.Height());
  *c.Pen() = pen;
  *c.Brush() = brush;

  TurnBitmap(FUprightBitmap, FOrientation, FTurnedBitmap);

  if (FSwapPending) {
    FSwapPending = false;
    // The change of size brings another paint, which draws for the new shape.
    if (FPainted) Control.SetBounds(Control.Left(), Control.Top(), Control.Height(), Control.Width());
  }
  Control.Canvas()->CopyRect({0, 0, Control.Width(), Control.Height()}, *FTurnedBitmap.Canvas(),
                             {0, 0, Control.Width(), Control.Height()});
  FPainted = true;
}

}  // namespace setupctrls
