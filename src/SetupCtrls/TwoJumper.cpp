#include "SetupCtrls/TwoJumper.h"

#include <algorithm>
#include <cmath>

#include "SetupCtrls/RadioPanel.h"

using namespace vcl;

namespace setupctrls {

namespace {

// The parent as a radio panel, recognised by its class name (the class itself only).
TRadioPanel* RadioPanelParent(const TControl& C) {
  TWinControl* p = C.Parent();
  return p && p->ClassNameIs("TRadioPanel") ? static_cast<TRadioPanel*>(p) : nullptr;
}

int RoundHalfEven(double V) { return static_cast<int>(std::nearbyint(V)); }

}  // namespace

TTwoJumper::TTwoJumper(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 34, 18); }

void TTwoJumper::SetClosed(bool Value) {
  if (Value == FClosed) return;
  FClosed = Value;
  Invalidate();
}

void TTwoJumper::SetBaseColor(TColor Value) {
  if (Value == FBaseColor) return;
  FBaseColor = Value;
  Invalidate();
}

void TTwoJumper::SetPinColor(TColor Value) {
  if (Value == FPinColor) return;
  FPinColor = Value;
  Invalidate();
}

void TTwoJumper::SetJumperColor(TColor Value) {
  if (Value == FJumperColor) return;
  FJumperColor = Value;
  Invalidate();
}

void TTwoJumper::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  Invalidate();
}

void TTwoJumper::SetOrientation(TOrientationType Value) {
  if (FPicture.SetOrientation(Value)) Invalidate();
}

void TTwoJumper::Click() {
  FClosed = !FClosed;
  Invalidate();
  if (TRadioPanel* panel = RadioPanelParent(*this); panel && panel->RadioEnabled()) panel->SelectJumper(this);
  TGraphicControl::Click();
}

void TTwoJumper::Paint() {
  FPicture.Paint(*this, [this](TCanvas& C, int W, int H) { DrawUpright(C, W, H); });
}

void TTwoJumper::DrawUpright(TCanvas& C, int W, int H) {
  const TRadioPanel* panel = RadioPanelParent(*this);
  const TColor bg = panel ? panel->Color() : clBtnFace;
  C.Pen()->SetColor(bg);
  C.Brush()->SetColor(bg);
  C.Rectangle(0, 0, W, H);

  C.Pen()->SetStyle(psSolid);
  if (FClosed) {
    C.Brush()->SetColor(FJumperColor);
    C.Pen()->SetColor(FBorderStyle == bsSingle ? clBlack : FJumperColor);
    C.Rectangle(0, 0, W, H);
  } else {
    C.Brush()->SetColor(FBaseColor);
    C.Pen()->SetColor(FBorderStyle == bsSingle ? clBlack : FBaseColor);
    C.RoundRect(1, 1, W - 1, H - 1, H / 2, H / 2);
  }

  C.Pen()->SetStyle(psClear);
  C.Brush()->SetColor(FPinColor);
  const int q = RoundHalfEven(W / 3.5);
  const int x0 = q + 1, cy = H / 2;
  const int r = std::min(q / 3, RoundHalfEven(H / 4.0));
  C.Ellipse(x0 - r, cy - r, x0 + r, cy + r);
  C.Ellipse(W - x0 - r, cy - r, W - x0 + r, cy + r);
}

}  // namespace setupctrls
