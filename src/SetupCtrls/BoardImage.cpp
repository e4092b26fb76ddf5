#include "SetupCtrls/BoardImage.h"

#include "SetupCtrls/BoardHighlight.h"

using namespace vcl;

namespace setupctrls {

TBoardImage::TBoardImage(TComponent* AOwner) : TCustomPanel(AOwner) {
  FPicture.SetOnChange(TNotifyEvent([this](TObject*) { PictureChange(); }));
  SetBounds(Left(), Top(), 105, 105);
}

TBoardImage::~TBoardImage() { FPicture.SetOnChange({}); }

void TBoardImage::SetStretch(bool Value) {
  if (Value == FStretch) return;
  FStretch = Value;
  PictureChange();
}

void TBoardImage::SetCenter(bool Value) {
  if (Value == FCenter) return;
  FCenter = Value;
  PictureChange();
}

void TBoardImage::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  PictureChange();
}

void TBoardImage::SetScale(bool Value) {
  if (Value == FScale) return;
  FScale = Value;
  PictureChange();
}

TRect TBoardImage::PictureRect() const {
  const int pw = FPicture.Width(), ph = FPicture.Height();
  if (FStretch) return ClientRect();
  if (FCenter) return Bounds((Width() - pw) / 2, (Height() - ph) / 2, pw, ph);
  return {0, 0, pw, ph};
}

bool TBoardImage::CanAutoSize(int& NewWidth, int& NewHeight) const {
  if (Align() == alNone || Align() == alLeft || Align() == alRight) NewWidth = FPicture.Width();
  if (Align() == alNone || Align() == alTop || Align() == alBottom) NewHeight = FPicture.Height();
  return true;
}

void TBoardImage::PictureChange() {
  const int pw = FPicture.Width(), ph = FPicture.Height();
  if (FAutoSize && pw > 0 && ph > 0) SetBounds(Left(), Top(), pw, ph);
  if (TGraphic* g = FPicture.Graphic()) {
    g->SetTransparent(FTransparent);
    FOpaque = !g->Transparent() && (FStretch || (g->Width() >= Width() && g->Height() >= Height()));
    // True-colour pictures carry no palette: a modified mark is simply cleared.
    if (g->PaletteModified() && !g->HasPalette()) g->SetPaletteModified(false);
  } else {
    FOpaque = false;
  }
  if (!FPainting) Invalidate();
}

void TBoardImage::PlaceOnParent() {
  if (!FPositionSaved) {
    FOriginLeft = Left();
    FOriginTop = Top();
    FPositionSaved = true;
  }
  if (FCenterOnForm && Parent()) {
    // The parent's outer size: for a form, the whole window with its frame and menu bar.
    const int left = (Parent()->Width() - Width()) / 2, top = (Parent()->Height() - Height()) / 2;
    if (left != Left() || top != Top()) SetBounds(left, top, Width(), Height());
  }
}

// Centred as soon as the window changes size, so the first paint at the new size is already
// in place (centring while painting costs a second paint of the picture and of what it
// uncovered).
void TBoardImage::ParentResized() { PlaceOnParent(); }

void TBoardImage::Paint() {
  PlaceOnParent();
  const bool wasPainting = FPainting;
  FPainting = true;
  struct Restore {
    bool& Flag;
    bool Value;
    ~Restore() { Flag = Value; }
  } restore{FPainting, wasPainting};
  // Where the picture does not cover the control, the parent's colour shows through.
  if (!FOpaque && Parent()) {
    Canvas()->Brush()->SetColor(Parent()->Color());
    Canvas()->FillRect(ClientRect());
  }
  if (TGraphic* g = FPicture.Graphic()) Canvas()->StretchDraw(PictureRect(), *g);
}

void TBoardImage::WndProc(TMessage& Message) {
  if (Message.Msg == WM_STARTTOUR) {
    StartTour(Message.WParam == 1);
    Message.Result = 0;
    return;
  }
  TCustomPanel::WndProc(Message);
}

void TBoardImage::StartTour(bool Propagated) {
  if (!FFirst) return;
  FFirst->MouseEnter(Propagated);
  FFirst->Click();
  FFirst->MouseLeave(Propagated);
}

}  // namespace setupctrls
