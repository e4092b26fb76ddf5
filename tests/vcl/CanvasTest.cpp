#include <gtest/gtest.h>

#include "PixelCheck.h"
#include "vcl/Graphics.h"

using namespace vcl;

namespace {

constexpr TColor kPen = clBlack, kBrush = clRed, kPaper = clWhite;

bool In(int x, int y, int x1, int y1, int x2, int y2) { return x >= x1 && x < x2 && y >= y1 && y < y2; }

// A 20 x 20 white bitmap whose canvas has a black pen and a red brush.
struct Paper {
  TBitmap Bitmap{20, 20};
  TCanvas& C = *Bitmap.Canvas();
  Paper() {
    C.Pen()->SetColor(kPen);
    C.Brush()->SetColor(kBrush);
  }
};

struct FigureCase {
  const char* Name;
  std::function<void(TCanvas&)> Draw;
  std::function<TColor(int, int)> Expected;
};

void PrintTo(const FigureCase& C, std::ostream* Os) { *Os << C.Name; }

class RectangleRules : public ::testing::TestWithParam<FigureCase> {};

TEST_P(RectangleRules, EveryPixelFollowsTheRule) {
  Paper p;
  GetParam().Draw(p.C);
  EXPECT_TRUE(pixelcheck::Matches(p.Bitmap, GetParam().Expected, GetParam().Name));
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, RectangleRules,
    ::testing::Values(
        FigureCase{"FillRectCoversX1ToX2Minus1",
                   [](TCanvas& c) { c.FillRect({2, 3, 6, 5}); },
                   [](int x, int y) { return In(x, y, 2, 3, 6, 5) ? kBrush : kPaper; }},
        FigureCase{"RectanglePenDrawsInside",
                   [](TCanvas& c) { c.Rectangle(2, 2, 8, 7); },
                   [](int x, int y) {
                     if (!In(x, y, 2, 2, 8, 7)) return kPaper;
                     return In(x, y, 3, 3, 7, 6) ? kBrush : kPen;
                   }},
        FigureCase{"RectangleClearPenIsOnePixelSmaller",
                   [](TCanvas& c) { c.Pen()->SetStyle(psClear); c.Rectangle(2, 2, 8, 7); },
                   [](int x, int y) { return In(x, y, 2, 2, 7, 6) ? kBrush : kPaper; }},
        FigureCase{"RectangleClearBrushLeavesInside",
                   [](TCanvas& c) { c.Brush()->SetStyle(bsClear); c.Rectangle(2, 2, 8, 7); },
                   [](int x, int y) { return In(x, y, 2, 2, 8, 7) && !In(x, y, 3, 3, 7, 6) ? kPen : kPaper; }},
        FigureCase{"ReversedCornersDrawTheSameRectangle",
                   [](TCanvas& c) { c.Rectangle(8, 7, 2, 2); },
                   [](int x, int y) {
                     if (!In(x, y, 2, 2, 8, 7)) return kPaper;
                     return In(x, y, 3, 3, 7, 6) ? kBrush : kPen;
                   }},
        FigureCase{"HorizontalLineLeavesOutItsLastPixel",
                   [](TCanvas& c) { c.MoveTo(1, 1); c.LineTo(5, 1); },
                   [](int x, int y) { return y == 1 && x >= 1 && x < 5 ? kPen : kPaper; }},
        FigureCase{"VerticalLineUpwards",
                   [](TCanvas& c) { c.MoveTo(3, 9); c.LineTo(3, 4); },
                   [](int x, int y) { return x == 3 && y > 4 && y <= 9 ? kPen : kPaper; }},
        FigureCase{"DiagonalLine",
                   [](TCanvas& c) { c.MoveTo(0, 0); c.LineTo(4, 4); },
                   [](int x, int y) { return x == y && x < 4 ? kPen : kPaper; }},
        FigureCase{"ClearPenLineDrawsNothing",
                   [](TCanvas& c) { c.Pen()->SetStyle(psClear); c.MoveTo(0, 0); c.LineTo(9, 0); },
                   [](int, int) { return kPaper; }},
        FigureCase{"PixelsOutsideTheBitmapAreIgnored",
                   [](TCanvas& c) { c.FillRect({-5, -5, 2, 25}); },
                   [](int x, int) { return x < 2 ? kBrush : kPaper; }}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// The bounding box of the pixels that differ from the paper.
TRect Drawn(const TBitmap& B) {
  TRect r{B.Width(), B.Height(), -1, -1};
  for (int y = 0; y < B.Height(); ++y)
    for (int x = 0; x < B.Width(); ++x)
      if (PixelToColor(B.Bits()[y * B.Width() + x]) != kPaper) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r;
}

bool MirrorSymmetric(const TBitmap& B, const TRect& Box) {
  for (int y = Box.Top; y < Box.Bottom; ++y)
    for (int x = Box.Left; x < Box.Right; ++x) {
      const int mx = Box.Left + Box.Right - 1 - x, my = Box.Top + Box.Bottom - 1 - y;
      const auto at = [&](int px, int py) { return B.Bits()[py * B.Width() + px]; };
      if (at(x, y) != at(mx, y) || at(x, y) != at(x, my)) return false;
    }
  return true;
}

struct EllipseCase {
  const char* Name;
  TRect Box;
  bool ClearPen;
  TRect ExpectedBounds;
};

void PrintTo(const EllipseCase& C, std::ostream* Os) { *Os << C.Name; }

class EllipseRules : public ::testing::TestWithParam<EllipseCase> {};

TEST_P(EllipseRules, FillsItsBoxSymmetricallyAndTouchesEverySide) {
  const EllipseCase& c = GetParam();
  Paper p;
  if (c.ClearPen) p.C.Pen()->SetStyle(psClear);
  p.C.Ellipse(c.Box);
  const TRect drawn = Drawn(p.Bitmap);
  EXPECT_EQ(drawn, c.ExpectedBounds);
  EXPECT_TRUE(MirrorSymmetric(p.Bitmap, c.ExpectedBounds));
  // The corners of the box lie outside the ellipse.
  EXPECT_EQ(p.C.Pixel(drawn.Left, drawn.Top), kPaper);
  EXPECT_EQ(p.C.Pixel(drawn.Right - 1, drawn.Bottom - 1), kPaper);
  // The centre is filled with the brush.
  EXPECT_EQ(p.C.Pixel((drawn.Left + drawn.Right) / 2, (drawn.Top + drawn.Bottom) / 2), kBrush);
  if (!c.ClearPen) {
    EXPECT_EQ(p.C.Pixel(drawn.Left, (drawn.Top + drawn.Bottom) / 2), kPen);
    EXPECT_EQ(p.C.Pixel((drawn.Left + drawn.Right) / 2, drawn.Top), kPen);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, EllipseRules,
    ::testing::Values(EllipseCase{"SmallCircle", {8, 6, 14, 12}, false, {8, 6, 14, 12}},
                      EllipseCase{"OddSize", {1, 1, 8, 12}, false, {1, 1, 8, 12}},
                      EllipseCase{"FlatAndWide", {0, 8, 20, 11}, false, {0, 8, 20, 11}},
                      EllipseCase{"ClearPenIsOnePixelSmaller", {8, 6, 14, 12}, true, {8, 6, 13, 11}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(Canvas, WidePenOutlineStaysInsideTheFigure) {
  Paper p;
  p.C.Pen()->SetWidth(3);
  p.C.Brush()->SetStyle(bsClear);
  p.C.Ellipse(0, 0, 20, 20);
  EXPECT_EQ(Drawn(p.Bitmap), (TRect{0, 0, 20, 20}));
  for (int x = 0; x < 3; ++x) EXPECT_EQ(p.C.Pixel(x, 10), kPen) << x;
  EXPECT_EQ(p.C.Pixel(3, 10), kPaper);
  EXPECT_EQ(p.C.Pixel(10, 10), kPaper);
}

TEST(Canvas, RoundRectCutsItsCornersOnly) {
  Paper p;
  p.C.RoundRect(1, 1, 19, 15, 8, 8);
  EXPECT_EQ(Drawn(p.Bitmap), (TRect{1, 1, 19, 15}));
  EXPECT_TRUE(MirrorSymmetric(p.Bitmap, {1, 1, 19, 15}));
  EXPECT_EQ(p.C.Pixel(1, 1), kPaper);        // corner cut off
  EXPECT_EQ(p.C.Pixel(10, 1), kPen);         // straight top edge
  EXPECT_EQ(p.C.Pixel(1, 8), kPen);          // straight left edge
  EXPECT_EQ(p.C.Pixel(10, 8), kBrush);       // inside
}

TEST(Canvas, OriginAndClipConfineDrawingToTheControlRectangle) {
  TBitmap surface(20, 20);
  TCanvas c;
  c.Bind(&surface, {5, 4}, {5, 4, 12, 9});
  c.Brush()->SetColor(kBrush);
  c.FillRect({-10, -10, 40, 40});
  c.SetPixel(0, 0, clBlue);  // lands on surface (5, 4)
  EXPECT_TRUE(pixelcheck::Matches(
      surface,
      [](int x, int y) {
        if (x == 5 && y == 4) return clBlue;
        return In(x, y, 5, 4, 12, 9) ? kBrush : kPaper;
      },
      "OriginAndClip"));
  EXPECT_EQ(c.ClipRect(), (TRect{0, 0, 7, 5}));
  EXPECT_EQ(c.Pixel(0, 0), clBlue);
}

TEST(Canvas, CopyRectReadsTheSurfaceBeneathAndStretchesNearestPixel) {
  TBitmap src(4, 2);
  src.Canvas()->SetPixel(0, 0, clRed);
  src.Canvas()->SetPixel(3, 1, clBlue);
  TBitmap dst(8, 4);
  dst.Canvas()->CopyRect({0, 0, 8, 4}, *src.Canvas(), {0, 0, 4, 2});
  EXPECT_TRUE(pixelcheck::Matches(
      dst,
      [](int x, int y) {
        if (x < 2 && y < 2) return clRed;
        if (x >= 6 && y >= 2) return clBlue;
        return clWhite;
      },
      "CopyRectStretch"));
}

TEST(Canvas, TextDrawsInItsCellWithAClearBrushLeavingTheBackground) {
  Paper p;
  p.C.Font()->SetColor(clBlack);
  p.C.Brush()->SetStyle(bsClear);
  const int w = p.C.TextWidth("ON"), h = p.C.TextHeight("ON");
  ASSERT_GT(w, 0);
  p.C.TextOut(2, 3, "ON");
  const TRect drawn = Drawn(p.Bitmap);
  EXPECT_GE(drawn.Left, 2);
  EXPECT_GE(drawn.Top, 3);
  EXPECT_LE(drawn.Right, 2 + w + 1);
  EXPECT_LE(drawn.Bottom, 3 + h);

  // With a solid brush the text cell gets the brush colour.
  Paper q;
  q.C.TextOut(0, 0, "ON");
  EXPECT_EQ(q.C.Pixel(w - 1, h - 1), kBrush);
}

TEST(Font, PointsAndPixelsFollowThePixelsPerInch) {
  TFont f;
  f.SetSize(8);
  EXPECT_EQ(f.Height(), -11);
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  f.SetHeight(-16);
  EXPECT_EQ(f.Size(), 12);
  EXPECT_EQ(f.PixelSize(), 16);
}

TEST(Color, SystemColorsResolveToFixedPlatformColors) {
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0u);
  EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFFu);
  EXPECT_EQ(ColorToRGB(clWindowText), 0x000000u);
  EXPECT_EQ(ColorToRGB(clYellow), 0x00FFFFu);
  EXPECT_EQ(GetRValue(clYellow), 255);
  EXPECT_EQ(GetBValue(clYellow), 0);
  // Row bytes are blue, green, red, fourth.
  TBitmap b(1, 1);
  b.Canvas()->SetPixel(0, 0, RGB(10, 20, 30));
  EXPECT_EQ(b.ScanLine(0)[0], 30);
  EXPECT_EQ(b.ScanLine(0)[1], 20);
  EXPECT_EQ(b.ScanLine(0)[2], 10);
}

}  // namespace
