// A two-pin jumper of the card: a pin header drawn open (bare base and pins) or closed (a
// cap over both pins). A click toggles Closed and fires OnClick; on a radio panel with
// RadioEnabled it also becomes the panel's one closed jumper.
#pragma once

#include "SetupCtrls/OrientedPicture.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"

namespace setupctrls {

class TTwoJumper : public vcl::TGraphicControl {
  VCL_CLASS_NAME(TTwoJumper)
 public:
  explicit TTwoJumper(vcl::TComponent* AOwner);

  bool Closed() const { return FClosed; }
  // Fires no event and tells no panel.
  void SetClosed(bool Value);
  vcl::TColor BaseColor() const { return FBaseColor; }
  void SetBaseColor(vcl::TColor Value);
  vcl::TColor PinColor() const { return FPinColor; }
  void SetPinColor(vcl::TColor Value);
  vcl::TColor JumperColor() const { return FJumperColor; }
  void SetJumperColor(vcl::TColor Value);
  vcl::TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(vcl::TBorderStyle Value);
  TOrientationType Orientation() const { return FPicture.Orientation(); }
  void SetOrientation(TOrientationType Value);

  // Toggles, then lets a radio panel parent with RadioEnabled select this jumper, then
  // fires OnClick.
  void Click() override;
  const TOrientedPicture& Picture() const { return FPicture; }

 protected:
  void Paint() override;

 private:
  void DrawUpright(vcl::TCanvas& C, int W, int H);
  bool FClosed = false;
  vcl::TColor FBaseColor = vcl::clGray;
  vcl::TColor FJumperColor = vcl::clMaroon;
  vcl::TColor FPinColor = vcl::clYellow;
  vcl::TBorderStyle FBorderStyle = vcl::bsSingle;
  TOrientedPicture FPicture;
};

}  // namespace setupctrls
