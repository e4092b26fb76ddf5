#include <gtest/gtest.h>

#include "PixelCheck.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/SysUtils.h"
#include "vcl/Testing.h"

using namespace vcl;
using namespace vcl::testkit;

namespace {

// A graphic control that paints one colour and keeps a copy of what lay beneath it.
class TProbe : public TGraphicControl {
 public:
  TProbe(TComponent* Owner, TColor Color) : TGraphicControl(Owner), FColor(Color) {}
  TBitmap Beneath;
  std::vector<std::string>* Log = nullptr;

 protected:
  void Paint() override {
    Beneath.SetSize(Width(), Height());
    Beneath.Canvas()->CopyRect({0, 0, Width(), Height()}, *Canvas(), {0, 0, Width(), Height()});
    Canvas()->Brush()->SetColor(FColor);
    Canvas()->FillRect({0, 0, Width(), Height()});
  }
  void Click() override {
    if (Log) Log->push_back(Name() + ".Click");
    TGraphicControl::Click();
  }
  void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override {
    if (Log) Log->push_back(Name() + ".Down " + std::to_string(X) + "," + std::to_string(Y));
    TGraphicControl::MouseDown(B, S, X, Y);
  }
  void MouseUp(TMouseButton B, TShiftState S, int X, int Y) override {
    if (Log) Log->push_back(Name() + ".Up");
    TGraphicControl::MouseUp(B, S, X, Y);
  }
  void CMMouseEnter() override {
    if (Log) Log->push_back(Name() + ".Enter");
  }
  void CMMouseLeave() override {
    if (Log) Log->push_back(Name() + ".Leave");
  }

 private:
  TColor FColor;
};

// A form at the screen's top left with a plain panel filling part of it.
struct FormFixture : ::testing::Test {
  TForm* Form = new TForm(Application);
  TPanel* Panel = new TPanel(Form);
  FormFixture() {
    Form->SetBounds(0, 0, 400, 300);
    Panel->SetParent(Form);
    Panel->SetBounds(10, 10, 200, 100);
    Panel->SetBevelOuter(bvNone);
    Panel->SetColor(clGreen);
  }
  ~FormFixture() override {
    delete Form;
    ParkMouse();
  }
  TProbe* Probe(const std::string& Name, TRect Bounds, TColor Color) {
    auto* p = new TProbe(Form, Color);
    p->SetName(Name);
    p->SetParent(Panel);
    p->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    return p;
  }
};

TEST_F(FormFixture, GraphicChildrenPaintInChildOrderOverTheParentAndSeeWhatLiesBeneath) {
  TProbe* a = Probe("A", {10, 10, 50, 40}, clRed);
  TProbe* b = Probe("B", {30, 20, 70, 60}, clBlue);
  const TBitmap surface = PaintedSurface(Panel);
  EXPECT_TRUE(pixelcheck::Matches(
      surface,
      [](int x, int y) {
        if (x >= 30 && x < 70 && y >= 20 && y < 60) return clBlue;
        if (x >= 10 && x < 50 && y >= 10 && y < 40) return clRed;
        return clGreen;
      },
      "ChildOrder"));
  // A saw only the panel; B saw the panel and the part of A it covers.
  EXPECT_EQ(a->Beneath.Canvas()->Pixel(0, 0), clGreen);
  EXPECT_EQ(b->Beneath.Canvas()->Pixel(0, 0), clRed);
  EXPECT_EQ(b->Beneath.Canvas()->Pixel(39, 39), clGreen);

  a->BringToFront();
  const TBitmap after = PaintedSurface(Panel);
  EXPECT_EQ(PixelToColor(after.Bits()[25 * after.Width() + 35]), clRed);
}

TEST_F(FormFixture, MouseEnterAndLeaveReachGraphicControlsFromRealMouseMoves) {
  std::vector<std::string> log;
  TProbe* a = Probe("A", {10, 10, 50, 40}, clRed);
  TProbe* b = Probe("B", {100, 10, 140, 40}, clBlue);
  a->Log = b->Log = &log;
  ShowAndWait(Form);
  MoveMouse(Panel, 5, 5);
  MoveMouse(a, 3, 3);
  MoveMouse(a, 6, 6);  // moving inside does not enter again
  MoveMouse(b, 3, 3);
  MoveMouse(Panel, 80, 80);
  EXPECT_EQ(log, (std::vector<std::string>{"A.Enter", "A.Leave", "B.Enter", "B.Leave"}));
}

TEST_F(FormFixture, ClickGoesToTheGraphicControlUnderTheMouseWithItsOwnCoordinates) {
  std::vector<std::string> log;
  TProbe* a = Probe("A", {10, 10, 50, 40}, clRed);
  a->Log = &log;
  int clicks = 0;
  a->SetOnClick(TNotifyEvent([&](TObject* Sender) { clicks += Sender == a; }));
  ShowAndWait(Form);
  ClickMouse(a, 4, 7);
  EXPECT_EQ(clicks, 1);
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[log.size() - 3], "A.Down 4,7");
  EXPECT_EQ(log[log.size() - 2], "A.Click");
  EXPECT_EQ(log[log.size() - 1], "A.Up");
}

TEST_F(FormFixture, AnExceptionInAHandlerIsReportedAndTheProgramGoesOn) {
  TMessageBoxRecorder boxes;
  auto* button = new TButton(Form);
  button->SetParent(Form);
  button->SetBounds(250, 10, 75, 25);
  int clicks = 0;
  button->SetOnClick(TNotifyEvent([&](TObject*) {
    ++clicks;
    StrToInt("$xyz");
  }));
  ShowAndWait(Form);
  ClickMouse(button, 5, 5);
  ClickMouse(button, 5, 5);
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[0].Text, "'$xyz' is not a valid integer value");
  EXPECT_EQ(boxes.Calls()[0].Caption, Application->Title());
  EXPECT_EQ(boxes.Calls()[0].Flags.Icon, miError);
}

struct AnchorCase {
  const char* Name;
  TAnchors Anchors;
  TRect Expected;  // as Left, Top, Right, Bottom after the parent grows to 300 x 150
};

void PrintTo(const AnchorCase& C, std::ostream* Os) { *Os << C.Name; }

class Anchoring : public FormFixture, public ::testing::WithParamInterface<AnchorCase> {};

TEST_P(Anchoring, ChildFollowsTheEdgesItIsAnchoredTo) {
  auto* child = new TPanel(Form);
  child->SetParent(Panel);
  child->SetBounds(10, 10, 50, 20);
  child->SetAnchors(GetParam().Anchors);
  Panel->SetBounds(10, 10, 300, 150);
  EXPECT_EQ(child->BoundsRect(), GetParam().Expected);
  Panel->SetBounds(10, 10, 200, 100);  // back to the first size: back to the first place
  EXPECT_EQ(child->BoundsRect(), (TRect{10, 10, 60, 30}));
}

INSTANTIATE_TEST_SUITE_P(
    Controls, Anchoring,
    ::testing::Values(AnchorCase{"LeftTop", {akLeft, akTop}, {10, 10, 60, 30}},
                      AnchorCase{"LeftRightStretches", {akLeft, akTop, akRight}, {10, 10, 160, 30}},
                      AnchorCase{"AllFourStretch", {akLeft, akTop, akRight, akBottom}, {10, 10, 160, 80}},
                      AnchorCase{"RightBottomMoves", {akRight, akBottom}, {110, 60, 160, 80}},
                      // Bottom only: the centre keeps its fraction of the width, (35 * 300 / 200) = 52.5 -> 53.
                      AnchorCase{"BottomOnlyKeepsCentreFraction", {akBottom}, {28, 60, 78, 80}},
                      AnchorCase{"NoneScalesBothCentres", {}, {28, 20, 78, 40}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(FormFixture, AlignTopAndClientShareTheClientArea) {
  auto* top = new TPanel(Form);
  top->SetParent(Panel);
  top->SetHeight(30);
  top->SetAlign(alTop);
  auto* rest = new TPanel(Form);
  rest->SetParent(Panel);
  rest->SetAlign(alClient);
  EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 200, 30}));
  EXPECT_EQ(rest->BoundsRect(), (TRect{0, 30, 200, 100}));
  Panel->SetWidth(250);
  EXPECT_EQ(top->Width(), 250);
  EXPECT_EQ(rest->BoundsRect(), (TRect{0, 30, 250, 100}));
}

TEST_F(FormFixture, ParentColorAndFontFollowTheParentUntilSetOwnValues) {
  auto* label = new TLabel(Form);
  label->SetParent(Panel);
  EXPECT_TRUE(label->ParentColor());
  EXPECT_EQ(label->Color(), clGreen);
  Panel->SetColor(clYellow);
  EXPECT_EQ(label->Color(), clYellow);
  label->SetColor(clRed);
  EXPECT_FALSE(label->ParentColor());
  Panel->SetColor(clBlue);
  EXPECT_EQ(label->Color(), clRed);
  label->SetParentColor(true);
  EXPECT_EQ(label->Color(), clBlue);

  Panel->Font()->SetHeight(-16);
  EXPECT_EQ(label->Font()->Height(), -16);
  label->Font()->SetStyle({fsBold});
  EXPECT_FALSE(label->ParentFont());
  Panel->Font()->SetHeight(-20);
  EXPECT_EQ(label->Font()->Height(), -16);
}

TEST_F(FormFixture, DestroyingAParentDestroysItsChildrenAndTheyLeaveTheirOwner) {
  Probe("A", {0, 0, 5, 5}, clRed);
  const int before = Form->ComponentCount();
  delete Panel;
  Panel = nullptr;
  EXPECT_EQ(Form->ComponentCount(), before - 2);
  EXPECT_EQ(Form->FindComponent("A"), nullptr);
}

TEST(Messages, PerformDeliversSynchronouslyToWndProc) {
  struct TReceiver : TGraphicControl {
    using TGraphicControl::TGraphicControl;
    void WndProc(TMessage& M) override {
      if (M.Msg == WM_USER + 162) M.Result = M.WParam + 1;
    }
  } receiver(nullptr);
  EXPECT_EQ(receiver.Perform(WM_USER + 162, 41, 0), 42);
  EXPECT_EQ(receiver.Perform(WM_USER, 41, 0), 0);
}

}  // namespace
