// DIP switch and piano switch: a block of N switches showing the bits of Value, drawn
// upright and turned to the orientation. Display only.
//
// Switch i (0 to N-1 from the left of the upright picture) shows bit N-1-i of Value; the
// string BinaryValueStr reads like the upright row from left to right, "1" meaning ON.
// After any setter of Value, BinaryValueStr or NumSwitches (N from 1 to 32) the string has
// exactly N characters "0" or "1" and Value is the number they spell.
#pragma once

#include <cstdint>
#include <string>

#include "SetupCtrls/OrientedPicture.h"
#include "vcl/Controls.h"

namespace setupctrls {

class TDipSwitch : public vcl::TGraphicControl {
  VCL_CLASS_NAME(TDipSwitch)
 public:
  explicit TDipSwitch(vcl::TComponent* AOwner);

  vcl::TColor SwitchColor() const { return FSwitchColor; }
  void SetSwitchColor(vcl::TColor Value);
  TOrientationType Orientation() const { return FPicture.Orientation(); }
  void SetOrientation(TOrientationType Value);
  int NumSwitches() const { return FNumSwitches; }
  // N' keeps the rightmost digits of the string (padding with "0" on the left); Value
  // becomes what they spell.
  void SetNumSwitches(int Value);
  const std::string& BinaryValueStr() const { return FBinaryValueStr; }
  // Every character other than "0" and "1" is dropped; the last N digits are kept, padded
  // with "0" on the left. A text without digits changes nothing.
  void SetBinaryValueStr(const std::string& Value);
  std::uint32_t Value() const { return FValue; }
  // Bits at or above bit N are dropped.
  void SetValue(std::uint32_t Value);

  const TOrientedPicture& Picture() const { return FPicture; }

 protected:
  void Paint() override;
  // The upright picture into the W x H canvas; TPianoSwitch draws keys instead.
  virtual void DrawUpright(vcl::TCanvas& C, int W, int H);
  // Geometry shared by both pictures, every division truncating toward zero.
  struct TGeometry {
    int SlotW, Gap, Pitch;
    int X(int I) const { return I * Pitch + Gap; }
  };
  TGeometry Geometry(int W) const;
  // True when switch I (from the left) is ON.
  bool SwitchOn(int I) const;

 private:
  // Reads a string of binary digits into the string and Value; true when Value changed.
  bool ReadBinary(std::string S);

  std::uint8_t FNumSwitches = 3;
  std::uint32_t FValue = 0;
  std::string FBinaryValueStr = "000";
  vcl::TColor FSwitchColor = vcl::clWhite;
  TOrientedPicture FPicture;
};

enum TClockDirection : unsigned char { cdClockwise, cdCounterclockwise };

// A DIP switch drawn as piano (rocker) keys; a key whose bit is set is pressed, dark, with
// a face that leans by CheckDirection.
class TPianoSwitch : public TDipSwitch {
  VCL_CLASS_NAME(TPianoSwitch)
 public:
  explicit TPianoSwitch(vcl::TComponent* AOwner);
  TClockDirection CheckDirection() const { return FCheckDirection; }
  void SetCheckDirection(TClockDirection Value);

 protected:
  void DrawUpright(vcl::TCanvas& C, int W, int H) override;

 private:
  TClockDirection FCheckDirection = cdCounterclockwise;
};

// The font of the renderers' labels: "MS Sans Serif" 8 points (a similar sans-serif face
// where it is missing).
void SetLabelFont(vcl::TCanvas& C);

}  // namespace setupctrls
