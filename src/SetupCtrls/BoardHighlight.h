// A coloured circle over one part of the card picture. Placeholder until the board
// navigator lands: it keeps its published properties and draws a plain ring in the colour
// of its kind.
#pragma once

#include <string>

#include "vcl/Controls.h"

namespace setupctrls {

class TRadioPanel;

// The ordinal is stored in the popup window's Tag, so the values are fixed.
enum THighlightType : unsigned char { htOptions = 0, htSettings = 1, htCalibration = 2 };

class TBoardHighlight : public vcl::TGraphicControl {
  VCL_CLASS_NAME(TBoardHighlight)
 public:
  explicit TBoardHighlight(vcl::TComponent* AOwner);

  bool CreatePopup() const { return FCreatePopup; }
  void SetCreatePopup(bool Value) { FCreatePopup = Value; }
  THighlightType HighlightType() const { return FHighlightType; }
  void SetHighlightType(THighlightType Value);
  TRadioPanel* RadioPanel() const { return FRadioPanel; }
  void SetRadioPanel(TRadioPanel* Value) { FRadioPanel = Value; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }

  void MouseEnter(bool Propagated) { (void)Propagated; }
  void MouseLeave(bool Propagated) { (void)Propagated; }

 protected:
  void Paint() override;

 private:
  bool FCreatePopup = true;
  THighlightType FHighlightType = htSettings;
  TRadioPanel* FRadioPanel = nullptr;
  std::string FTitle;
};

}  // namespace setupctrls
