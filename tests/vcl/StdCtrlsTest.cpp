#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "PixelCheck.h"
#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Testing.h"

using namespace vcl;
using namespace vcl::testkit;

namespace {

struct ControlsOnAForm : ::testing::Test {
  TForm* Form = new TForm(Application);
  ControlsOnAForm() { Form->SetBounds(0, 0, 400, 300); }
  ~ControlsOnAForm() override { delete Form; }
  template <class T>
  T* Add(TRect R) {
    auto* c = new T(Form);
    c->SetParent(Form);
    c->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    return c;
  }
};

TEST_F(ControlsOnAForm, ComboBoxChangesOnUserPicksAndEditsButNotOnItemIndexFromCode) {
  auto* box = Add<TComboBox>({84, 29, 153, 50});
  box->Items()->SetStrings({"None", "IRQ2", "IRQ3", "IRQ4"});
  std::vector<int> seen;
  box->SetOnChange(TNotifyEvent([&](TObject*) { seen.push_back(box->ItemIndex()); }));
  EXPECT_EQ(box->ItemIndex(), -1);

  box->SetItemIndex(2);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(box->Text(), "IRQ3");

  ShowAndWait(Form);
  auto* combo = static_cast<QComboBox*>(box->Widget());
  emit combo->activated(3);  // what a pick in the drop-down list delivers
  box->SetText("");
  TypeText(box, "IRQ2");
  TypeText(box, "x");
  EXPECT_EQ(seen, (std::vector<int>{3, -1, -1, -1, 1, -1}));
}

TEST_F(ControlsOnAForm, CheckBoxClicksWheneverCheckedChanges) {
  auto* box = Add<TCheckBox>({8, 32, 105, 49});
  box->SetCaption("S/E CH0");
  std::vector<bool> seen;
  box->SetOnClick(TNotifyEvent([&](TObject*) { seen.push_back(box->Checked()); }));
  box->SetChecked(true);
  box->SetChecked(true);  // no change, no click
  ShowAndWait(Form);
  ClickMouse(box, 5, 8);
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(ControlsOnAForm, LabelSizesItselfToItsTextUnlessAutoSizeIsOff) {
  auto* label = Add<TLabel>({8, 8, 20, 13});
  label->SetCaption("IRQ Channel");
  const int oneLine = label->Width();
  EXPECT_GT(oneLine, 20);
  label->SetCaption("IRQ Channel IRQ Channel");
  EXPECT_GT(label->Width(), oneLine);

  auto* fixed = Add<TLabel>({96, 8, 153, 29});
  fixed->SetAutoSize(false);
  fixed->SetCaption("a rather long caption that does not fit");
  EXPECT_EQ(fixed->BoundsRect(), (TRect{96, 8, 153, 29}));
}

TEST_F(ControlsOnAForm, MemoShowsItsLinesAndRichEditHoldsItsRuns) {
  auto* memo = Add<TMemo>({6, 122, 251, 180});
  memo->Lines()->SetStrings({"Set the IRQ channel jumpers.", ""});
  EXPECT_EQ(memo->Text(), "Set the IRQ channel jumpers.\r\n\r\n");

  auto* rich = Add<TRichEdit>({0, 24, 305, 97});
  TRichDocument doc{"Verdana",
                    {{{{"KELTO RT16-4K", clBlack, 16, true}}},
                     {{{"Yellow circles", RGB(255, 255, 64), 12, true}, {" provide information.", clBlack, 12, false}}}}};
  rich->LoadDocument(doc);
  EXPECT_EQ(rich->PlainText(), "KELTO RT16-4K\nYellow circles provide information.");
  EXPECT_EQ(rich->Document().Paragraphs.size(), 2u);
}

TEST_F(ControlsOnAForm, ImageDrawsItsPictureUnscaledFromTheTopLeft) {
  auto* panel = Add<TPanel>({0, 0, 100, 60});
  panel->SetBevelOuter(bvNone);
  panel->SetColor(clWhite);
  auto* image = new TImage(Form);
  image->SetParent(panel);
  image->SetBounds(10, 5, 30, 30);
  auto picture = std::make_unique<TBitmap>(20, 10);
  picture->Canvas()->Brush()->SetColor(clRed);
  picture->Canvas()->FillRect({0, 0, 20, 10});
  image->Picture()->SetGraphic(std::move(picture));
  EXPECT_TRUE(pixelcheck::Matches(
      PaintedSurface(panel), [](int x, int y) { return x >= 10 && x < 30 && y >= 5 && y < 15 ? clRed : clWhite; },
      "ImageUnscaled"));
}

TEST_F(ControlsOnAForm, ShapeEllipseKeepsItsWidePenInsideAndLeavesTheInsideClear) {
  auto* panel = Add<TPanel>({0, 0, 100, 80});
  panel->SetBevelOuter(bvNone);
  panel->SetColor(clWhite);
  auto* shape = new TShape(Form);
  shape->SetParent(panel);
  shape->SetBounds(10, 5, 25, 57);
  shape->SetShape(stEllipse);
  TPen pen;
  pen.SetColor(clRed);
  pen.SetWidth(3);
  shape->SetPen(pen);
  TBrush brush;
  brush.SetStyle(bsClear);
  shape->SetBrush(brush);
  const TBitmap s = PaintedSurface(panel);
  auto at = [&](int x, int y) { return PixelToColor(s.Bits()[y * s.Width() + x]); };
  EXPECT_EQ(at(10, 33), clRed);   // left edge, middle row
  EXPECT_EQ(at(12, 33), clRed);   // three pixels wide
  EXPECT_EQ(at(13, 33), clWhite);
  EXPECT_EQ(at(22, 33), clWhite); // inside stays clear
  EXPECT_EQ(at(9, 33), clWhite);  // nothing outside the control
  EXPECT_EQ(at(10, 5), clWhite);  // the corner is outside the ellipse
}

}  // namespace
