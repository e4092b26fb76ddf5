#include "SetupCtrls/RadioPanel.h"

#include "SetupCtrls/TwoJumper.h"

using namespace vcl;

namespace setupctrls {

TRadioPanel::TRadioPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
  SetAnchors({akLeft, akTop});
  SetBevelOuter(bvNone);
  SetBounds(Left(), Top(), 194, 100);
  SetVisible(false);
}

TRadioPanel::~TRadioPanel() = default;

void TRadioPanel::SetFinalAnchors(TAnchors Value) {
  if (FHosted) SetAnchors(Value);
  FFinalAnchors = Value;
}

void TRadioPanel::SelectJumper(TTwoJumper* Jumper) {
  bool changed = false;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->ClassNameIs("TTwoJumper")) continue;
    auto* j = static_cast<TTwoJumper*>(c);
    const bool closed = j == Jumper;
    if (j->Closed() != closed) changed = true;
    j->SetClosed(closed);
  }
  if (changed && FOnRadioChange) FOnRadioChange(Jumper);
}

}  // namespace setupctrls
