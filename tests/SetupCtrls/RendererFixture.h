// A white, bevel-less panel on a form that hosts one renderer at its top left corner, and
// helpers to compare the renderer's pictures with the rectangles of the worked examples.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "PixelCheck.h"
#include "SetupCtrls/SetupCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"

struct RendererFixture : ::testing::Test {
  vcl::TForm* Form = new vcl::TForm(vcl::Application);
  vcl::TPanel* Panel = new vcl::TPanel(Form);
  RendererFixture() {
    setupctrls::RegisterSetupCtrls();
    Form->SetBounds(0, 0, 400, 300);
    Panel->SetParent(Form);
    Panel->SetBounds(0, 0, 300, 250);
    Panel->SetBevelOuter(vcl::bvNone);
    Panel->SetColor(vcl::clWhite);
  }
  ~RendererFixture() override { delete Form; }

  template <class T>
  T* Place(int W, int H) {
    auto* c = new T(Form);
    c->SetParent(Panel);
    c->SetBounds(0, 0, W, H);
    return c;
  }
  vcl::TBitmap Paint() { return vcl::testkit::PaintedSurface(Panel); }
};

// A rectangle drawn with a one-pixel black pen and a brush: outline black, inside Fill.
inline std::optional<vcl::TColor> Framed(int X, int Y, const vcl::TRect& R, vcl::TColor Fill) {
  if (!vcl::PtInRect(R, {X, Y})) return std::nullopt;
  const bool edge = X == R.Left || X == R.Right - 1 || Y == R.Top || Y == R.Bottom - 1;
  return edge ? vcl::clBlack : Fill;
}

inline bool InCell(int X, int Y, const vcl::TRect& Cell) { return vcl::PtInRect(Cell, {X, Y}); }
