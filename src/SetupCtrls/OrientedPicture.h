// The oriented drawing scheme of the setting renderers: the picture is drawn upright into
// an off-screen image, turned pixel by pixel to the control's orientation, and copied onto
// the control.
#pragma once

#include <functional>

#include "vcl/Controls.h"
#include "vcl/Graphics.h"

namespace setupctrls {

// The direction in which the top edge of the upright picture faces.
enum TOrientationType : unsigned char { otUp, otDown, otLeft, otRight };

inline bool IsVertical(TOrientationType O) { return O == otUp || O == otDown; }

// Fills Turned from Upright (W x H): otUp copies; otDown turns by a half turn; otLeft a
// quarter turn counter-clockwise, pixel (x, y) to (y, W-1-x); otRight a quarter turn
// clockwise, pixel (x, y) to (H-1-y, x).
void TurnBitmap(const vcl::TBitmap& Upright, TOrientationType Orientation, vcl::TBitmap& Turned);

// The state of the scheme that a renderer keeps: orientation, the two images, the pending
// exchange of Width and Height, and whether the control has been painted.
class TOrientedPicture {
 public:
  TOrientationType Orientation() const { return FOrientation; }
  // False when the value is unchanged. A change to the other axis sets SwapPending (a
  // further change before the next paint leaves it set).
  bool SetOrientation(TOrientationType Value);
  bool SwapPending() const { return FSwapPending; }
  bool Painted() const { return FPainted; }

  // One paint of Control: sizes the upright image (W x H, the control's size turned back to
  // upright), lets Draw paint the upright picture with the canvas's pen and brush given back
  // afterwards, turns it, exchanges Width and Height when a change of axis is pending and the
  // control was painted before, and copies the turned image onto the control.
  void Paint(vcl::TGraphicControl& Control, const std::function<void(vcl::TCanvas& C, int W, int H)>& Draw);

  const vcl::TBitmap& Upright() const { return FUprightBitmap; }
  const vcl::TBitmap& Turned() const { return FTurnedBitmap; }

 private:
  TOrientationType FOrientation = otUp;
  vcl::TBitmap FTurnedBitmap;
  vcl::TBitmap FUprightBitmap;
  bool FSwapPending = false;
  bool FPainted = false;
};

}  // namespace setupctrls
