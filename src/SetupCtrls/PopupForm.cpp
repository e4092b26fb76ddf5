#include "SetupCtrls/PopupForm.h"

#include "SetupCtrls/BoardHighlight.h"
#include "vcl/Platform.h"

using namespace vcl;

namespace setupctrls {

TPopupForm::TPopupForm(TComponent* AOwner, TBoardHighlight* Highlight) : TForm(AOwner), FHighlight(Highlight) {}

void TPopupForm::ActivationChanged(bool Active) {
  if (FHighlight) FHighlight->SetPopupActive(Active, true);
}

void TPopupForm::CMMouseLeave() {
  const TPoint cursor = GetCursorPos();
  const TPoint p{cursor.X - Left(), cursor.Y - Top()};
  if (PtInRect({0, 0, Width(), Height()}, p) || !FCloseOnLeave) {
    TForm::CMMouseLeave();
    return;
  }
  Close();
}

}  // namespace setupctrls
