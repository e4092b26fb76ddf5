#include "vcl/ExtCtrls.h"

namespace vcl {

// ---- TCustomPanel -----------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  UpdateBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) { FBevelInner = Value; Invalidate(); }
void TCustomPanel::SetBevelOuter(TPanelBevel Value) { FBevelOuter = Value; Invalidate(); }
void TCustomPanel::SetBevelWidth(int Value) { FBevelWidth = Value < 1 ? 1 : Value; Invalidate(); }
void TCustomPanel::SetBorderWidth(int Value) { FBorderWidth = Value < 0 ? 0 : Value; Invalidate(); }

namespace {

// A bevel of Width pixels just inside R: the light colour on the top and left edges,
// the dark one on the bottom and right edges.
void Frame3D(TCanvas& C, TRect& R, TColor TopLeft, TColor BottomRight, int Width) {
  for (int i = 0; i < Width && !R.IsEmpty(); ++i) {
    C.Brush()->SetColor(TopLeft);
    C.FillRect({R.Left, R.Top, R.Right, R.Top + 1});
    C.FillRect({R.Left, R.Top, R.Left + 1, R.Bottom});
    C.Brush()->SetColor(BottomRight);
    C.FillRect({R.Left, R.Bottom - 1, R.Right, R.Bottom});
    C.FillRect({R.Right - 1, R.Top, R.Right, R.Bottom});
    R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  }
}

void Bevel(TCanvas& C, TRect& R, TPanelBevel B, int Width) {
  switch (B) {
    case bvRaised: Frame3D(C, R, clBtnHighlight, clBtnShadow, Width); break;
    case bvLowered: Frame3D(C, R, clBtnShadow, clBtnHighlight, Width); break;
    case bvSpace: R = {R.Left + Width, R.Top + Width, R.Right - Width, R.Bottom - Width}; break;
    case bvNone: break;
  }
}

}  // namespace

void TCustomPanel::Paint() {
  TCanvas& c = *Canvas();
  TRect r = ClientRect();
  c.Brush()->SetColor(Color());
  c.FillRect(r);
  Bevel(c, r, FBevelOuter, FBevelWidth);
  r = {r.Left + FBorderWidth, r.Top + FBorderWidth, r.Right - FBorderWidth, r.Bottom - FBorderWidth};
  Bevel(c, r, FBevelInner, FBevelWidth);
  if (!Caption().empty()) {
    c.Font()->Assign(*Font());
    c.Brush()->SetStyle(bsClear);
    c.TextOut((Width() - c.TextWidth(Caption())) / 2, (Height() - c.TextHeight(Caption())) / 2,
              Caption());
    c.Brush()->SetStyle(bsSolid);
  }
}

// ---- TImage -----------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  FPicture.SetOnChange(TNotifyEvent([this](TObject*) { Invalidate(); }));
  UpdateBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture.SetOnChange({}); }

void TImage::SetStretch(bool Value) { FStretch = Value; Invalidate(); }
void TImage::SetCenter(bool Value) { FCenter = Value; Invalidate(); }

void TImage::Paint() {
  TGraphic* g = FPicture.Graphic();
  if (!g || g->Empty()) return;
  if (FStretch)
    Canvas()->StretchDraw(ClientRect(), *g);
  else if (FCenter)
    Canvas()->Draw((Width() - g->Width()) / 2, (Height() - g->Height()) / 2, *g);
  else
    Canvas()->Draw(0, 0, *g);
}

// ---- TShape -----------------------------------------------------------------------------

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) { UpdateBounds(0, 0, 65, 65); }

void TShape::SetShape(TShapeType Value) { FShape = Value; Invalidate(); }
void TShape::SetPen(const TPen& Value) { FPen = Value; Invalidate(); }
void TShape::SetBrush(const TBrush& Value) { FBrush = Value; Invalidate(); }

void TShape::Paint() {
  TCanvas& c = *Canvas();
  *c.Pen() = FPen;
  *c.Brush() = FBrush;
  switch (FShape) {
    case stRectangle: c.Rectangle(0, 0, Width(), Height()); break;
    case stRoundRect: c.RoundRect(0, 0, Width(), Height(), Width() / 4, Height() / 4); break;
    case stEllipse: c.Ellipse(0, 0, Width(), Height()); break;
  }
}

}  // namespace vcl
