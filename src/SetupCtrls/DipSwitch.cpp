#include "SetupCtrls/DipSwitch.h"

#include <cmath>

using namespace vcl;

namespace setupctrls {

void SetLabelFont(TCanvas& C) {
  C.Font()->SetName("MS Sans Serif");
  C.Font()->SetSize(8);
  C.Font()->SetColor(clWhite);
}

TDipSwitch::TDipSwitch(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 53, 43); }

void TDipSwitch::SetSwitchColor(TColor Value) {
  if (Value == FSwitchColor) return;
  FSwitchColor = Value;
  Invalidate();
}

void TDipSwitch::SetOrientation(TOrientationType Value) {
  if (FPicture.SetOrientation(Value)) Invalidate();
}

bool TDipSwitch::ReadBinary(std::string S) {
  std::string digits;
  for (char c : S)
    if (c == '0' || c == '1') digits += c;
  if (digits.empty()) return false;
  const std::size_t n = FNumSwitches;
  if (digits.size() > n) digits.erase(0, digits.size() - n);
  if (digits.size() < n) digits.insert(0, n - digits.size(), '0');
  // Character k (from 1) is bit N-k; bits beyond the 32 of Value are not kept.
  std::uint32_t v = 0;
  for (std::size_t k = 1; k <= n; ++k)
    if (digits[k - 1] == '1' && n - k < 32) v |= std::uint32_t{1} << (n - k);
  if (v == FValue) return false;
  FValue = v;
  FBinaryValueStr = digits;
  return true;
}

void TDipSwitch::SetBinaryValueStr(const std::string& Value) {
  if (ReadBinary(Value)) Invalidate();
}

void TDipSwitch::SetValue(std::uint32_t Value) {
  if (Value == FValue) return;
  FValue = Value;
  std::string s(FNumSwitches, '0');
  for (int k = 1; k <= FNumSwitches; ++k)
    if (FNumSwitches - k < 32 && (Value >> (FNumSwitches - k)) & 1u) s[static_cast<std::size_t>(k - 1)] = '1';
  FBinaryValueStr = s;
  ReadBinary(s);  // drops the bits at or above bit N
  Invalidate();
}

void TDipSwitch::SetNumSwitches(int Value) {
  const auto n = static_cast<std::uint8_t>(Value);
  if (n == FNumSwitches) return;
  FNumSwitches = n;
  std::string& s = FBinaryValueStr;
  if (s.size() > n) s.erase(0, s.size() - n);
  if (s.size() < n) s.insert(0, n - s.size(), '0');
  ReadBinary(s);
  Invalidate();
}

bool TDipSwitch::SwitchOn(int I) const {
  const int bit = FNumSwitches - 1 - I;
  return bit < 32 && ((FValue >> bit) & 1u);
}

TDipSwitch::TGeometry TDipSwitch::Geometry(int W) const {
  const int n = FNumSwitches;
  TGeometry g{};
  g.SlotW = (W - 3) / (n + 1);
  g.Gap = (W - 3 - n * g.SlotW) / n + 1;
  g.Pitch = g.SlotW + g.Gap - 1;
  return g;
}

void TDipSwitch::Paint() {
  FPicture.Paint(*this, [this](TCanvas& C, int W, int H) { DrawUpright(C, W, H); });
}

void TDipSwitch::DrawUpright(TCanvas& C, int W, int H) {
  C.Pen()->SetColor(clBlack);
  C.Brush()->SetColor(clBlack);
  C.Rectangle(0, 0, W, H);
  SetLabelFont(C);
  C.Brush()->SetStyle(bsClear);
  C.TextOut(0, 0, "ON");
  C.Brush()->SetStyle(bsSolid);
  // Without switches there is only the body: the geometry divides by N.
  if (FNumSwitches == 0) return;

  const int sliderLen = (85 * ((H - 16) / 2)) / 100;
  const TGeometry g = Geometry(W);
  C.Brush()->SetColor(clGray);
  for (int i = 0; i < FNumSwitches; ++i) C.Rectangle(g.X(i), 13, g.X(i) + g.SlotW, H - 3);
  C.Brush()->SetColor(FSwitchColor);
  for (int i = 0; i < FNumSwitches; ++i) {
    if (SwitchOn(i))
      C.Rectangle(g.X(i), 13, g.X(i) + g.SlotW, 13 + sliderLen);
    else
      C.Rectangle(g.X(i), H - 3 - sliderLen, g.X(i) + g.SlotW, H - 3);
  }
}

// ---- TPianoSwitch -----------------------------------------------------------------------

TPianoSwitch::TPianoSwitch(TComponent* AOwner) : TDipSwitch(AOwner) {}

void TPianoSwitch::SetCheckDirection(TClockDirection Value) {
  if (Value == FCheckDirection) return;
  FCheckDirection = Value;
  Invalidate();
}

void TPianoSwitch::DrawUpright(TCanvas& C, int W, int H) {
  C.Pen()->SetColor(clBlack);
  C.Brush()->SetColor(clBlack);
  C.Rectangle(0, 0, W, H);
  if (NumSwitches() == 0) return;

  C.Brush()->SetColor(SwitchColor());
  const TGeometry g = Geometry(W);
  const auto third = static_cast<int>(std::nearbyint(g.SlotW / 3.0));
  const auto twoThirds = static_cast<int>(std::nearbyint(2.0 * g.SlotW / 3.0));
  const auto fourThirds = static_cast<int>(std::nearbyint(4.0 * g.SlotW / 3.0));
  for (int i = 0; i < NumSwitches(); ++i) C.Rectangle(g.X(i), 13, g.X(i) + g.SlotW, H);

  const int s = FCheckDirection == cdClockwise ? -1 : 1;
  const int e = FCheckDirection == cdClockwise ? twoThirds : fourThirds;
  for (int i = 0; i < NumSwitches(); ++i) {
    if (!SwitchOn(i)) continue;
    const int x0 = g.X(i);
    C.Brush()->SetColor(RGB(0x40, 0x40, 0x40));
    C.Pen()->SetColor(clBlack);
    C.Rectangle(x0, 13, x0 + g.SlotW, H);
    C.Pen()->SetColor(SwitchColor());
    for (int x = x0 + g.SlotW - 2; x >= x0 + 1; --x) {
      C.MoveTo(x, 14);
      C.LineTo(x + s * third, H - 2);
    }
    C.Pen()->SetColor(clBlack);
    C.MoveTo(x0, 14);
    C.LineTo(x0 + s * third, H - 2);
    C.MoveTo(x0 + g.SlotW - 1, 14);
    C.LineTo(x0 + e - 1, H - 2);
  }
}

}  // namespace setupctrls
