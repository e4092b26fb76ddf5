// The renderers' pictures against the worked examples, pixel by pixel; text pixels are left
// out of exact comparisons and only checked to lie in their cells.
#include <set>

#include "RendererFixture.h"
#include "SetupCtrls/BaseAddress.h"
#include "SetupCtrls/DipSwitch.h"
#include "SetupCtrls/RadioPanel.h"
#include "SetupCtrls/TwoJumper.h"

using namespace vcl;
using namespace setupctrls;

namespace {

// The cell of a text drawn with the renderers' label font at (X, Y), with one pixel to
// spare on either side for glyphs that overhang their advance.
TRect TextCell(int X, int Y, const std::string& Text) {
  TBitmap b(1, 1);
  SetLabelFont(*b.Canvas());
  return Bounds(X - 1, Y, b.Canvas()->TextWidth(Text) + 2, b.Canvas()->TextHeight(Text));
}

bool HasPixel(const TBitmap& B, const TRect& Cell, TColor Color) {
  for (int y = std::max(Cell.Top, 0); y < std::min(Cell.Bottom, B.Height()); ++y)
    for (int x = std::max(Cell.Left, 0); x < std::min(Cell.Right, B.Width()); ++x)
      if (PixelToColor(B.Bits()[y * B.Width() + x]) == Color) return true;
  return false;
}

TColor At(const TBitmap& B, int X, int Y) { return PixelToColor(B.Bits()[Y * B.Width() + X]); }

TEST_F(RendererFixture, DipSwitchAsCreatedWithValue5) {
  auto* dip = Place<TDipSwitch>(53, 43);
  dip->SetValue(5);
  const TBitmap surface = Paint();
  const TBitmap& upright = dip->Picture().Upright();
  ASSERT_EQ(upright.Width(), 53);
  ASSERT_EQ(upright.Height(), 43);
  const TRect on = TextCell(0, 0, "ON");
  const std::vector<TRect> slots = {{5, 13, 17, 40}, {21, 13, 33, 40}, {37, 13, 49, 40}};
  const std::vector<TRect> sliders = {{5, 13, 17, 24}, {37, 13, 49, 24}, {21, 29, 33, 40}};
  auto expected = [&](int x, int y) -> std::optional<TColor> {
    for (const TRect& r : sliders)
      if (auto c = Framed(x, y, r, clWhite)) return c;
    for (const TRect& r : slots)
      if (auto c = Framed(x, y, r, clGray)) return c;
    if (InCell(x, y, on)) return std::nullopt;
    return clBlack;
  };
  EXPECT_TRUE(pixelcheck::MatchesWhereDefined(upright, expected, "DipSwitch53x43"));
  EXPECT_TRUE(HasPixel(upright, on, clWhite));
  // otUp copies the picture onto the control unchanged.
  for (int y = 0; y < 43; ++y)
    for (int x = 0; x < 53; ++x) ASSERT_EQ(At(surface, x, y), At(upright, x, y)) << x << "," << y;
}

TEST_F(RendererFixture, PianoSwitchOfTheInputModePanelWithChannel0SingleEnded) {
  auto* piano = Place<TPianoSwitch>(49, 161);
  piano->SetOrientation(otLeft);
  piano->SetNumSwitches(8);
  piano->SetValue(1);
  const TBitmap surface = Paint();
  const TBitmap& up = piano->Picture().Upright();
  ASSERT_EQ(up.Width(), 161);
  ASSERT_EQ(up.Height(), 49);
  EXPECT_EQ(piano->Width(), 49);  // set before the first paint: no exchange
  const int keys[] = {3, 22, 41, 60, 79, 98, 117};
  auto expected = [&](int x, int y) -> std::optional<TColor> {
    for (int k : keys)
      if (auto c = Framed(x, y, {k, 13, k + 17, 49}, clWhite)) return c;
    if (x >= 136) return std::nullopt;  // the pressed key and its slanted edge, checked below
    return clBlack;
  };
  EXPECT_TRUE(pixelcheck::MatchesWhereDefined(up, expected, "PianoUpright"));
  // The pressed key (bit 0, the rightmost upright key at 136): dark, outlined, with the face
  // lines starting at row 14 between the black edges and leaning right.
  const int X = 136;
  for (int x = X; x < X + 17; ++x) EXPECT_EQ(At(up, x, 13), clBlack) << x;
  EXPECT_EQ(At(up, X, 14), clBlack);
  for (int x = X + 1; x <= X + 15; ++x) EXPECT_EQ(At(up, x, 14), clWhite) << x;
  EXPECT_EQ(At(up, X + 16, 14), clBlack);
  for (int x = X + 1; x <= X + 15; ++x) EXPECT_EQ(At(up, x, 47), RGB(0x40, 0x40, 0x40)) << x;
  EXPECT_EQ(At(up, X + 1, 30), RGB(0x40, 0x40, 0x40));
  EXPECT_EQ(At(up, X + 10, 30), clWhite);
  // Turned to otLeft, upright (x, y) lands on (y, 160 - x): bit 0's key is at the top.
  for (int y = 0; y < 49; ++y)
    for (int x = 0; x < 161; ++x) ASSERT_EQ(At(surface, y, 160 - x), At(up, x, y)) << x << "," << y;
  EXPECT_EQ(At(surface, 20, 160 - (X + 10)), clWhite);
}

TEST_F(RendererFixture, BaseAddressSwitchShowing200) {
  auto* ba = Place<TBaseAddress>(102, 61);
  ba->SetBaseAddressStr("200");
  Paint();
  const TBitmap& up = ba->Picture().Upright();
  const int xs[] = {3, 17, 31, 45, 59, 73, 87};
  std::vector<TRect> cells = {TextCell(0, 0, "ON")};
  TBitmap probe(1, 1);
  SetLabelFont(*probe.Canvas());
  const int ta = probe.Canvas()->TextWidth("A");
  for (int l = 0; l < 7; ++l) {
    const int tx = xs[l] + 6 - ta / 2;
    cells.push_back(TextCell(tx, 38, "A"));
    cells.push_back(TextCell(tx, 48, std::to_string(3 + l)));
  }
  auto inText = [&](int x, int y) {
    for (const TRect& c : cells)
      if (InCell(x, y, c)) return true;
    return false;
  };
  auto expected = [&](int x, int y) -> std::optional<TColor> {
    if (y < 38) {
      for (int l = 0; l < 7; ++l) {
        const TRect slider = l < 6 ? TRect{xs[l], 13, xs[l] + 12, 22} : TRect{87, 26, 99, 35};
        if (auto c = Framed(x, y, slider, clWhite)) return c;
        if (auto c = Framed(x, y, {xs[l], 13, xs[l] + 12, 35}, clGray)) return c;
      }
    }
    if (inText(x, y)) return std::nullopt;
    return y < 38 ? clBlack : clGreen;
  };
  EXPECT_TRUE(pixelcheck::MatchesWhereDefined(up, expected, "BaseAddress200"));
  for (std::size_t i = 1; i < cells.size(); ++i) EXPECT_TRUE(HasPixel(up, cells[i], clWhite)) << i;
}

struct JumperCase {
  const char* Name;
  int W, H;
  TOrientationType Orientation;
  bool Closed;
  TBorderStyle Border;
  TRect Pin1, Pin2;  // filled with a clear pen: one pixel smaller than the ellipse boxes
};

void PrintTo(const JumperCase& C, std::ostream* Os) { *Os << C.Name; }

class JumperPictures : public RendererFixture, public ::testing::WithParamInterface<JumperCase> {};

// The bounding box of the pixels of one colour inside a region.
TRect BoxOf(const TBitmap& B, const TRect& Region, TColor Color) {
  TRect r{B.Width(), B.Height(), -1, -1};
  for (int y = Region.Top; y < Region.Bottom; ++y)
    for (int x = Region.Left; x < Region.Right; ++x)
      if (At(B, x, y) == Color) {
        r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
      }
  return r;
}

TEST_P(JumperPictures, BaseOrCapAndPins) {
  const JumperCase& c = GetParam();
  auto* j = Place<TTwoJumper>(c.W, c.H);
  j->SetOrientation(c.Orientation);
  j->SetClosed(c.Closed);
  j->SetBorderStyle(c.Border);
  Paint();
  const TBitmap& up = j->Picture().Upright();
  const int w = up.Width(), h = up.Height();
  const int half = w / 2;
  EXPECT_EQ(BoxOf(up, {0, 0, half, h}, clYellow), c.Pin1);
  EXPECT_EQ(BoxOf(up, {half, 0, w, h}, clYellow), c.Pin2);
  const TColor fill = c.Closed ? clMaroon : clGray;
  const TColor outline = c.Border == bsSingle ? clBlack : fill;
  EXPECT_EQ(At(up, half, 3), fill);
  if (c.Closed) {
    EXPECT_EQ(At(up, 0, 0), outline);
    EXPECT_EQ(At(up, w - 1, h - 1), outline);
  } else {
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(At(up, 0, 0), face);             // background around the base
    EXPECT_EQ(At(up, 1, 1), face);             // rounded corner
    EXPECT_EQ(At(up, half, 1), outline);       // top edge of the base
    EXPECT_EQ(At(up, half, h - 2), outline);   // bottom edge
    EXPECT_EQ(At(up, half, h - 1), face);
  }
  if (c.Border == bsNone) {
    EXPECT_EQ(BoxOf(up, {0, 0, w, h}, clBlack), (TRect{w, h, -1, -1}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Jumper, JumperPictures,
    ::testing::Values(JumperCase{"AsCreatedOpen", 34, 18, otUp, false, bsSingle, {8, 6, 13, 11}, {20, 6, 25, 11}},
                      JumperCase{"AsCreatedClosed", 34, 18, otUp, true, bsSingle, {8, 6, 13, 11}, {20, 6, 25, 11}},
                      JumperCase{"IrqJumperOpen", 17, 34, otLeft, false, bsSingle, {8, 5, 13, 10}, {20, 5, 25, 10}},
                      JumperCase{"IrqJumperClosedNoBorder", 17, 34, otLeft, true, bsNone, {8, 5, 13, 10}, {20, 5, 25, 10}},
                      JumperCase{"OpenNoBorder", 34, 18, otUp, false, bsNone, {8, 6, 13, 11}, {20, 6, 25, 11}},
                      // 70 / 3.5 = 20, Q div 3 = 6; 18 / 4 = 4.5 goes to the even 4.
                      JumperCase{"WidePinsOfRadius4", 70, 18, otUp, false, bsSingle, {17, 5, 24, 12}, {45, 5, 52, 12}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(RendererFixture, IrqJumperTurnedLeftHasItsPinsOneAboveTheOther) {
  auto* j = Place<TTwoJumper>(17, 34);
  j->SetOrientation(otLeft);
  const TBitmap s = Paint();
  // Upright pins at x 8..12 and 20..24 land on rows 33-x: 21..25 and 9..13.
  EXPECT_EQ(BoxOf(s, {0, 0, 17, 17}, clYellow), (TRect{5, 9, 10, 14}));
  EXPECT_EQ(BoxOf(s, {0, 17, 17, 34}, clYellow), (TRect{5, 21, 10, 26}));
}

TEST_F(RendererFixture, JumperTakesItsBackgroundFromARadioPanelParent) {
  auto* radio = new TRadioPanel(Form);
  radio->SetParent(Panel);
  radio->SetColor(clAqua);
  auto* j = new TTwoJumper(Form);
  j->SetParent(radio);
  Paint();
  vcl::testkit::PaintedSurface(radio);
  EXPECT_EQ(At(j->Picture().Upright(), 0, 0), clAqua);
}

// ---- Orientation ----------------------------------------------------------------------------

struct TurnCase {
  const char* Name;
  TOrientationType Orientation;
  int W, H;                          // of the turned image
  std::vector<std::pair<TPoint, TPoint>> Moves;  // upright pixel -> turned pixel
};

void PrintTo(const TurnCase& C, std::ostream* Os) { *Os << C.Name; }

class Turning : public ::testing::TestWithParam<TurnCase> {};

TEST_P(Turning, EveryPixelGoesWhereTheTableSays) {
  TBitmap upright(3, 2);  // asymmetric: every pixel a different colour
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) upright.Canvas()->SetPixel(x, y, RGB(x * 80, y * 100, 7));
  TBitmap turned;
  TurnBitmap(upright, GetParam().Orientation, turned);
  ASSERT_EQ(turned.Width(), GetParam().W);
  ASSERT_EQ(turned.Height(), GetParam().H);
  for (const auto& [from, to] : GetParam().Moves)
    EXPECT_EQ(turned.Canvas()->Pixel(to.X, to.Y), upright.Canvas()->Pixel(from.X, from.Y));
  // Every upright pixel appears exactly once.
  std::multiset<TColor> a, b;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) a.insert(upright.Canvas()->Pixel(x, y));
  for (int y = 0; y < turned.Height(); ++y)
    for (int x = 0; x < turned.Width(); ++x) b.insert(turned.Canvas()->Pixel(x, y));
  EXPECT_EQ(a, b);
}

INSTANTIATE_TEST_SUITE_P(
    Orientation, Turning,
    ::testing::Values(TurnCase{"Up", otUp, 3, 2, {{{0, 0}, {0, 0}}, {{2, 1}, {2, 1}}}},
                      TurnCase{"Down", otDown, 3, 2, {{{0, 0}, {2, 1}}, {{2, 0}, {0, 1}}}},
                      // (x, y) -> (y, W-1-x): the upright top edge lies at the left.
                      TurnCase{"Left", otLeft, 2, 3, {{{0, 0}, {0, 2}}, {{2, 0}, {0, 0}}, {{1, 1}, {1, 1}}}},
                      // (x, y) -> (H-1-y, x): the upright top edge lies at the right.
                      TurnCase{"Right", otRight, 2, 3, {{{0, 0}, {1, 0}}, {{2, 1}, {0, 2}}, {{0, 1}, {0, 0}}}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(RendererFixture, AChangeOfAxisAfterTheFirstPaintExchangesWidthAndHeight) {
  auto* dip = Place<TDipSwitch>(53, 43);
  Paint();
  dip->SetOrientation(otDown);  // same axis
  Paint();
  EXPECT_EQ(dip->Width(), 53);
  dip->SetOrientation(otLeft);
  dip->SetOrientation(otRight);  // still pending
  EXPECT_TRUE(dip->Picture().SwapPending());
  Paint();
  EXPECT_EQ(dip->Width(), 43);
  EXPECT_EQ(dip->Height(), 53);
  EXPECT_FALSE(dip->Picture().SwapPending());
  Paint();
  EXPECT_EQ(dip->Picture().Upright().Width(), 53);  // the upright picture keeps its shape
  EXPECT_EQ(dip->Picture().Turned().Width(), 43);
}

TEST_F(RendererFixture, AnOrientationSetBeforeTheFirstPaintKeepsTheStoredSize) {
  auto* piano = Place<TPianoSwitch>(49, 161);
  piano->SetOrientation(otLeft);
  Paint();
  EXPECT_EQ(piano->Width(), 49);
  EXPECT_EQ(piano->Height(), 161);
  EXPECT_EQ(piano->Picture().Upright().Width(), 161);
}

TEST_F(RendererFixture, PenAndBrushOfTheUprightCanvasAreGivenBackAfterThePicture) {
  auto* j = Place<TTwoJumper>(34, 18);
  Paint();
  TCanvas& c = *const_cast<TBitmap&>(j->Picture().Upright()).Canvas();
  EXPECT_EQ(c.Pen()->Style(), psSolid);  // the pins were drawn with a clear pen
  EXPECT_EQ(c.Brush()->Color(), clWhite);
}

}  // namespace
