#include "SetupCtrls/BoardHighlight.h"

using namespace vcl;

namespace setupctrls {

TBoardHighlight::TBoardHighlight(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 65, 65); }

void TBoardHighlight::SetHighlightType(THighlightType Value) {
  if (Value == FHighlightType) return;
  FHighlightType = Value;
  Invalidate();
}

void TBoardHighlight::Paint() {
  static const TColor ring[] = {0xFF0000, 0x00FFFF, 0x0000FF};
  TCanvas& c = *Canvas();
  c.Pen()->SetColor(ring[FHighlightType]);
  c.Pen()->SetWidth(2);
  c.Brush()->SetStyle(bsClear);
  c.Ellipse(0, 0, Width(), Height());
}

}  // namespace setupctrls
