// The card settings page: the wiring between the setting controls of the base-address,
// IRQ and input-mode panels and the drawings that show how to set the card.
#include "template/MainForm.h"
#include "vcl/SysUtils.h"

using namespace vcl;
using namespace setupctrls;

void TMainForm::BaseEditChange(TObject*) {
  try {
    BaseBA->SetBaseAddressStr(BaseEdit->Text());
    // The trimmed, upper-cased text differs from the address the switch shows (bits the
    // switch cannot carry, a leading zero): tell the user which address it really is.
    const std::string typed = UpperCase(Trim(BaseEdit->Text()));
    BaseFeedbackLabel->SetCaption(typed != BaseBA->BaseAddressStr() ? BaseBA->BaseAddressStr() : "");
    BaseEdit->SetColor(clWindow);
  } catch (const std::exception&) {
    // A text the switch cannot take: the edit's colour is the only sign; nothing is reported.
    BaseEdit->SetParentColor(true);
  }
}

void TMainForm::IRQBoxChange(TObject*) {
  for (int n = 1; n <= 6; ++n) IRQJumpers[n]->SetClosed(n == IRQBox->ItemIndex());
}

void TMainForm::IRQ7Click(TObject* Sender) {
  const int t = static_cast<TComponent*>(Sender)->Tag();
  if (t < 1 || t > 6) return;  // only the six IRQ jumpers are wired here
  for (int n = 1; n <= 6; ++n) IRQJumpers[n]->SetClosed(false);
  IRQJumpers[t]->SetClosed(true);
  IRQBox->SetItemIndex(t);
}

void TMainForm::ChannelBoxClick(TObject* Sender) {
  auto* box = static_cast<TCheckBox*>(Sender);
  const std::uint32_t b = std::uint32_t{1} << box->Tag();
  SePianoSwitch->SetValue(box->Checked() ? SePianoSwitch->Value() + b : SePianoSwitch->Value() - b);
}
