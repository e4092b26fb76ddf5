// The card's address DIP switch for a base address typed in hexadecimal: one switch per
// address line, labelled A3 .. A9 on a green strip below the body.
//
// With N switches the control shows address bits 9 down to 10-N. BaseAddressStr takes free
// text and keeps the address in a normal form: upper-case hexadecimal without leading zeros
// of the address masked to the switch bits.
#pragma once

#include <cstdint>
#include <string>

#include "SetupCtrls/OrientedPicture.h"
#include "vcl/Controls.h"

namespace setupctrls {

class TBaseAddress : public vcl::TGraphicControl {
  VCL_CLASS_NAME(TBaseAddress)
 public:
  explicit TBaseAddress(vcl::TComponent* AOwner);

  vcl::TColor SwitchColor() const { return FSwitchColor; }
  void SetSwitchColor(vcl::TColor Value);
  // False (the default): a switch set to ON stands for an address bit 0.
  bool OnIsOne() const { return FOnIsOne; }
  void SetOnIsOne(bool Value);
  // False (the default): the rightmost switch carries bit 9.
  bool LeftToRight() const { return FLeftToRight; }
  void SetLeftToRight(bool Value);
  TOrientationType Orientation() const { return FPicture.Orientation(); }
  void SetOrientation(TOrientationType Value);
  int NumSwitches() const { return FNumSwitches; }
  // Leaves the address as it is; the next BaseAddressStr masks with the new switch range.
  void SetNumSwitches(int Value);
  const std::string& BaseAddressStr() const { return FBaseAddressStr; }
  // Keeps the hexadecimal digits of the text (any case) and the address bits the switches
  // carry. A text without hexadecimal digits changes nothing. More than eight significant
  // digits raise EConvertError ("'$<digits>' is not a valid integer value") with nothing
  // stored.
  void SetBaseAddressStr(const std::string& Value);
  std::uint32_t Address() const { return FAddress; }

  // The address bits the switches carry: bits 9-j for j = 0 to N-1 (bits below 0 are none).
  std::uint32_t Mask() const;
  const TOrientedPicture& Picture() const { return FPicture; }

 protected:
  void Paint() override;

 private:
  void DrawUpright(vcl::TCanvas& C, int W, int H);

  std::uint8_t FNumSwitches = 7;
  std::uint32_t FAddress = 0;
  std::string FBaseAddressStr = "0";
  vcl::TColor FSwitchColor = vcl::clWhite;
  bool FOnIsOne = false;
  bool FLeftToRight = false;
  TOrientedPicture FPicture;
};

}  // namespace setupctrls
