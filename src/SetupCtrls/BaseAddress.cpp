#include "SetupCtrls/BaseAddress.h"

#include <cmath>

#include "SetupCtrls/DipSwitch.h"
#include "vcl/SysUtils.h"

using namespace vcl;

namespace setupctrls {

TBaseAddress::TBaseAddress(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 102, 61); }

void TBaseAddress::SetSwitchColor(TColor Value) {
  if (Value == FSwitchColor) return;
  FSwitchColor = Value;
  Invalidate();
}

void TBaseAddress::SetOnIsOne(bool Value) {
  if (Value == FOnIsOne) return;
  FOnIsOne = Value;
  Invalidate();
}

void TBaseAddress::SetLeftToRight(bool Value) {
  if (Value == FLeftToRight) return;
  FLeftToRight = Value;
  Invalidate();
}

void TBaseAddress::SetOrientation(TOrientationType Value) {
  if (FPicture.SetOrientation(Value)) Invalidate();
}

void TBaseAddress::SetNumSwitches(int Value) {
  const auto n = static_cast<std::uint8_t>(Value);
  if (n == FNumSwitches) return;
  FNumSwitches = n;
  Invalidate();
}

std::uint32_t TBaseAddress::Mask() const {
  std::uint32_t m = 0;
  for (int j = 0; j < FNumSwitches && 9 - j >= 0; ++j) m |= std::uint32_t{1} << (9 - j);
  return m;
}

void TBaseAddress::SetBaseAddressStr(const std::string& Value) {
  std::string digits;
  for (char c : UpperCase(Value))
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) digits += c;
  if (digits.empty()) return;
  // The library's conversion: leading zeros are not significant, nine or more significant
  // digits raise the conversion error naming "$" and the kept digits.
  const auto a = static_cast<std::uint32_t>(StrToInt("$" + digits)) & Mask();
  if (a == FAddress) return;
  FAddress = a;
  FBaseAddressStr = IntToHex(a, 1);
  Invalidate();
}

void TBaseAddress::Paint() {
  FPicture.Paint(*this, [this](TCanvas& C, int W, int H) { DrawUpright(C, W, H); });
}

void TBaseAddress::DrawUpright(TCanvas& C, int W, int H) {
  const int n = FNumSwitches;
  const int fontPx = static_cast<int>(std::lround(8.0 * ScreenPixelsPerInch() / 72.0));
  const int bodyH = H - 2 * fontPx - 1;
  C.Pen()->SetColor(clBlack);
  C.Brush()->SetColor(clBlack);
  C.Rectangle(0, 0, W, bodyH);
  C.Brush()->SetColor(clGreen);
  C.FillRect({0, bodyH, W, H});
  SetLabelFont(C);
  C.Brush()->SetStyle(bsClear);
  C.TextOut(0, 0, "ON");
  C.Brush()->SetStyle(bsSolid);
  // Without switches there is only the body and the strip: the geometry divides by N.
  if (n == 0) return;

  const int sliderLen = (85 * ((bodyH - 16) / 2)) / 100;
  const int slotBottom = bodyH - 3;
  const int slotW = (W - 3) / (n + 1);
  const int gap = (W - 3 - n * slotW) / n + 1;
  const int pitch = slotW + gap - 1;
  auto x = [&](int l) { return l * pitch + gap; };

  C.Brush()->SetColor(clGray);
  for (int l = 0; l < n; ++l) C.Rectangle(x(l), 13, x(l) + slotW, slotBottom);
  C.Brush()->SetColor(FSwitchColor);
  const int ta = C.TextWidth("A");
  for (int l = 0; l < n; ++l) {
    C.Brush()->SetStyle(bsClear);
    const int tx = x(l) + slotW / 2 - ta / 2;
    C.TextOut(tx, bodyH, "A");
    // The numbers rise from the left whatever LeftToRight says.
    C.TextOut(tx, bodyH + fontPx - 1, std::to_string(10 - n + l));
    C.Brush()->SetStyle(bsSolid);
    const int b = FLeftToRight ? 9 - l : 10 - n + l;
    const bool bitSet = b >= 0 && b < 32 && ((FAddress >> b) & 1u);
    if (bitSet == FOnIsOne)
      C.Rectangle(x(l), 13, x(l) + slotW, 13 + sliderLen);
    else
      C.Rectangle(x(l), slotBottom - sliderLen, x(l) + slotW, slotBottom);
  }
}

}  // namespace setupctrls
