// The small always-on-top window a highlight opens: its radio panel, the panel's text in a
// memo, Previous, Next and Done buttons and a status bar.
#pragma once

#include "vcl/ComCtrls.h"
#include "vcl/Forms.h"

namespace setupctrls {

class TBoardHighlight;

class TPopupForm : public vcl::TForm {
  VCL_CLASS_NAME(TPopupForm)
 public:
  TPopupForm(vcl::TComponent* AOwner, TBoardHighlight* Highlight);

  vcl::TStatusBar* PopupStatus = nullptr;
  TBoardHighlight* Highlight() const { return FHighlight; }
  bool CloseOnLeave() const { return FCloseOnLeave; }
  void SetCloseOnLeave(bool Value) { FCloseOnLeave = Value; }

  // Leaving the window closes it while CloseOnLeave is set; the cursor test ignores the
  // notice that comes when the mouse moves onto one of the popup's own controls.
  void CMMouseLeave() override;

 protected:
  void ActivationChanged(bool Active) override;

 private:
  TBoardHighlight* FHighlight;
  bool FCloseOnLeave = false;
};

}  // namespace setupctrls
