// The highlight's pure parts: the ring shading, the title's derived names, the menu
// entries and groups on a small board of its own.
#include "RendererFixture.h"
#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/RadioPanel.h"
#include "vcl/Menus.h"

using namespace vcl;
using namespace setupctrls;

namespace {

TBitmap Black(int W, int H) {
  TBitmap b(W, H);
  b.Canvas()->Brush()->SetColor(clBlack);
  b.Canvas()->FillRect({0, 0, W, H});
  return b;
}

TColor At(const TBitmap& B, int X, int Y) { return PixelToColor(B.Bits()[Y * B.Width() + X]); }

struct ShadeCase {
  const char* Name;
  int X, Y;
  float Intensity;
  bool Glow;
  TColor Expected;
};

void PrintTo(const ShadeCase& C, std::ostream* Os) { *Os << C.Name; }

class Shading : public ::testing::TestWithParam<ShadeCase> {};

TEST_P(Shading, YellowRingOverBlack) {
  TBitmap b = Black(65, 65);
  ShadeEllipse(b, 64, 64, GetParam().Intensity, clYellow, GetParam().Glow);
  EXPECT_EQ(At(b, GetParam().X, GetParam().Y), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Highlight, Shading,
    ::testing::Values(ShadeCase{"CornerUntouched", 0, 0, 0.5f, false, clBlack},
                      ShadeCase{"EdgeMiddleOutside", 64, 32, 1.0f, true, clBlack},  // d = 1 exactly
                      ShadeCase{"CentreTintAtRest", 32, 32, 0.5f, false, RGB(20, 20, 0)},
                      ShadeCase{"CentreTintDoubledInTheGlow", 32, 32, 1.0f, true, RGB(82, 82, 0)},
                      ShadeCase{"RingPeakLit", 60, 32, 0.75f, false, RGB(191, 191, 0)},
                      ShadeCase{"RingPeakGlowIsWhite", 60, 32, 1.0f, true, RGB(255, 255, 255)},
                      ShadeCase{"RingFlankLit", 58, 32, 0.75f, false, RGB(96, 96, 0)},
                      ShadeCase{"RingFlankGlowShadesBackToYellow", 58, 32, 1.0f, true, RGB(255, 255, 0)}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(Shading, TheThreeImagesDifferOnlyInsideTheEllipseAndOnePixelIsLeftAlone) {
  const TBitmap original = [] {
    TBitmap b(40, 20);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) b.Canvas()->SetPixel(x, y, RGB(x * 6, y * 12, 90));
    return b;
  }();
  for (bool glow : {false, true}) {
    TBitmap b = original;
    ShadeEllipse(b, 39, 19, 0.75f, clRed, glow);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) {
        const float fx = x * (2.0f / 39) - 1, fy = y * (2.0f / 19) - 1;
        if (fx * fx + fy * fy >= 1) {
          EXPECT_EQ(At(b, x, y), At(original, x, y)) << x << "," << y;
        }
      }
  }
  TBitmap thin = original;
  ShadeEllipse(thin, 0, 19, 1.0f, clRed, true);  // one pixel wide: no ring, no crash
  ShadeEllipse(thin, 39, 0, 1.0f, clRed, true);
  EXPECT_EQ(At(thin, 5, 5), At(original, 5, 5));
}

TEST(HighlightNames, AmpersandsAndIdentifiers) {
  const std::pair<const char*, const char*> strip[] = {{"&Base Address", "Base Address"}, {"A&&B", "AB"}, {"", ""}};
  for (auto [in, out] : strip) EXPECT_EQ(StripAmpersands(in), out) << in;
  const std::pair<const char*, const char*> ident[] = {
      {"&Base Address", "BaseAddress"}, {"&S/E or Diff", "SEorDiff"}, {"&IRQ", "IRQ"},
      {"&Calibration", "Calibration"},  {"Plain_1", "Plain_1"},        {"12 Volts", "Volts"},
      {"&&&", ""},                      {"", ""}};
  for (auto [in, out] : ident) EXPECT_EQ(MakeIdentifier(in), out) << in;
}

// A board image with its own menu holding "&File" and "&Help".
struct BoardFixture : RendererFixture {
  TMainMenu* Menu = new TMainMenu(Form);
  TBoardImage* Board = new TBoardImage(Form);
  BoardFixture() {
    for (const char* caption : {"&File", "&Help"}) {
      auto* item = new TMenuItem(Form);
      item->SetCaption(caption);
      Menu->Items()->Add(item);
    }
    Board->SetParent(Panel);
    Board->SetCenterOnForm(false);
    Board->SetAutoSize(false);
    Board->SetBounds(0, 0, 200, 100);
    Board->SetMenu(Menu);
  }
  TBoardHighlight* Add(THighlightType Type, const std::string& Title) {
    auto* h = new TBoardHighlight(Form);
    h->SetParent(Board);
    h->SetBounds(10 * Board->ControlCount(), 10, 20, 20);
    h->SetHighlightType(Type);
    h->SetTitle(Title);
    return h;
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> r;
    for (int i = 0; i < Menu->Items()->Count(); ++i) r.push_back(Menu->Items()->Items(i)->Caption());
    return r;
  }
  void PaintBoard() { vcl::testkit::PaintedSurface(Board); }
};

TEST_F(BoardFixture, KindEntriesLineUpBeforeHelpWhateverTheCreationOrder) {
  Add(htOptions, "&Info");
  Add(htCalibration, "&Trim");
  Add(htSettings, "&Jumper");
  PaintBoard();
  EXPECT_EQ(Entries(), (std::vector<std::string>{"&File", "&Settings", "&Calibration", "&Options", "&Help"}));
  EXPECT_NE(Form->FindComponent("Options1"), nullptr);
  EXPECT_NE(Form->FindComponent("Info1"), nullptr);
  EXPECT_NE(Form->FindComponent("Jumper1"), nullptr);
}

TEST_F(BoardFixture, OneItemServesAGroupAndAnEmptyTitleAddsOnlyTheEntry) {
  for (int i = 0; i < 4; ++i) Add(htCalibration, "&Calibration");
  Add(htSettings, "");
  PaintBoard();
  EXPECT_EQ(Entries(), (std::vector<std::string>{"&File", "&Settings", "&Calibration", "&Help"}));
  TMenuItem* calibration = Menu->Items()->Items(2);
  EXPECT_EQ(calibration->Name(), "Calibration1");
  ASSERT_EQ(calibration->Count(), 1);
  EXPECT_EQ(calibration->Items(0)->Name(), "Calibration2");
  EXPECT_EQ(Menu->Items()->Items(1)->Count(), 0);
}

TEST_F(BoardFixture, GroupsNeedEqualTitleAndKindAndRenamedTitlesLoseTheirItem) {
  TBoardHighlight* a = Add(htSettings, "&IRQ");
  TBoardHighlight* b = Add(htCalibration, "&IRQ");
  TBoardHighlight* c = Add(htSettings, "&IRQ");
  EXPECT_EQ(a->Group(), (std::vector<TBoardHighlight*>{a, c}));
  EXPECT_EQ(b->Group(), (std::vector<TBoardHighlight*>{b}));
  PaintBoard();
  a->SetTitle("&Other");
  EXPECT_EQ(Menu->Items()->Items(1)->Items(0)->Caption(), "&IRQ");
  a->CheckMenuItem(true);  // finds no item any more
  EXPECT_FALSE(Menu->Items()->Items(1)->Items(0)->Checked());
}

TEST_F(BoardFixture, APanelIsSharedOnlyWithinOneGroup) {
  auto* panel = new TRadioPanel(Form);
  TBoardHighlight* a = Add(htCalibration, "&Calibration");
  TBoardHighlight* b = Add(htCalibration, "&Calibration");
  TBoardHighlight* other = Add(htSettings, "&Calibration");
  a->SetRadioPanel(panel);
  b->SetRadioPanel(panel);
  other->SetRadioPanel(panel);
  EXPECT_EQ(a->RadioPanel(), panel);
  EXPECT_EQ(b->RadioPanel(), panel);
  EXPECT_EQ(other->RadioPanel(), nullptr);
  other->SetRadioPanel(nullptr);
  EXPECT_EQ(other->RadioPanel(), nullptr);
}

TEST_F(BoardFixture, ImagesAreRenderedOnceFromThePixelsBeneathAtTheFirstPaint) {
  auto picture = std::make_unique<TBitmap>(200, 100);
  picture->Canvas()->Brush()->SetColor(clBlack);
  picture->Canvas()->FillRect({0, 0, 200, 100});
  Board->SetStretch(true);
  Board->Picture()->SetGraphic(std::move(picture));
  TBoardHighlight* h = Add(htSettings, "&Jumper");
  h->SetBounds(10, 10, 65, 65);
  PaintBoard();
  EXPECT_EQ(At(h->IdleImage(), 32, 32), RGB(20, 20, 0));
  EXPECT_EQ(At(h->IdleImage(), 0, 0), clBlack);
  h->SetHighlightType(htCalibration);  // colour changes, the images do not
  EXPECT_EQ(h->RingColor(), clRed);
  PaintBoard();
  EXPECT_EQ(At(h->IdleImage(), 32, 32), RGB(20, 20, 0));
  const TBitmap s = vcl::testkit::PaintedSurface(Board);
  EXPECT_EQ(At(s, 10 + 32, 10 + 32), RGB(20, 20, 0));
}

TEST_F(BoardFixture, CentringUsesTheParentsOuterSizeAndKeepsTheFirstPosition) {
  Board->SetParent(Form);
  Board->SetCenterOnForm(true);
  Board->SetBounds(126, 98, 600, 313);
  Form->SetBounds(0, 0, 1032, 776);
  Form->PaintSurface();
  vcl::testkit::PaintedSurface(Board);
  EXPECT_EQ(Board->Left(), 216);
  EXPECT_EQ(Board->Top(), 231);
  EXPECT_EQ(Board->OriginLeft(), 126);
  EXPECT_EQ(Board->OriginTop(), 98);
  // A later resize centres it at once, so the next paint draws it in its place only once.
  Form->SetBounds(0, 0, 800, 600);
  EXPECT_EQ(Board->Left(), 100);
  EXPECT_EQ(Board->Top(), 143);
  EXPECT_EQ(Board->OriginLeft(), 126);
}

TEST_F(BoardFixture, PictureRectStretchesCentresOrStaysAtTheTopLeft) {
  Board->Picture()->SetGraphic(std::make_unique<TBitmap>(300, 40));
  EXPECT_EQ(Board->PictureRect(), (TRect{0, 0, 300, 40}));
  Board->SetCenter(true);
  EXPECT_EQ(Board->PictureRect(), (TRect{-50, 30, 250, 70}));  // wider than the control: clipped both sides
  Board->SetStretch(true);
  EXPECT_EQ(Board->PictureRect(), (TRect{0, 0, 200, 100}));
  EXPECT_TRUE(Board->Opaque());
  Board->Picture()->SetGraphic(nullptr);
  EXPECT_FALSE(Board->Opaque());
  int w = 0, h = 0;
  Board->Picture()->SetGraphic(std::make_unique<TBitmap>(30, 20));
  EXPECT_TRUE(Board->CanAutoSize(w, h));
  EXPECT_EQ(w, 30);
  EXPECT_EQ(h, 20);
}

}  // namespace
