// The board navigator in the real main window: hovering, pinning and closing popups, their
// geometry, the guided tour and the highlight menus, driven by real mouse events.
#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/PopupForm.h"
#include "WizardFixture.h"

using namespace vcl;
using namespace vcl::testkit;
using namespace setupctrls;

namespace {

struct NavigatorFixture : WizardFixture {
  NavigatorFixture() {
    ParkMouse();
    ShowAndWait(Form);
    WaitFor([&] { return Form->MainMenu1->Items()->Count() == 4; });
  }
  ~NavigatorFixture() override {
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (dynamic_cast<TPopupForm*>(Screen->Forms(i))) Screen->Forms(i)->Hide();
  }
  TBoardHighlight* H(const std::string& Name) { return FindComponentAs<TBoardHighlight>(Form, Name); }
  TMenuItem* Item(const std::string& Name) { return FindComponentAs<TMenuItem>(Form, Name); }
  void Hover(TBoardHighlight* H) { MoveMouse(H, H->Width() / 2, H->Height() / 2); }
  void OffTheCircles() { MoveMouse(Form->BoardImage1, 100, 290); }
  std::vector<TPopupForm*> Popups() {
    std::vector<TPopupForm*> r;
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (auto* p = dynamic_cast<TPopupForm*>(Screen->Forms(i))) r.push_back(p);
    return r;
  }
  TControl* In(TPopupForm* P, const std::string& Name) { return FindComponentAs<TControl>(P, Name); }
};

TEST_F(NavigatorFixture, TheHighlightsAddTheirMenusAtTheirFirstPaint) {
  TMenuItem* root = Form->MainMenu1->Items();
  std::vector<std::string> entries;
  for (int i = 0; i < root->Count(); ++i) entries.push_back(root->Items(i)->Caption());
  EXPECT_EQ(entries, (std::vector<std::string>{"&File", "&Settings", "&Calibration", "&Help"}));
  const std::pair<const char*, const char*> names[] = {{"Settings1", "&Settings"}, {"BaseAddress1", "&Base Address"},
                                                       {"IRQ1", "&IRQ"}, {"SEorDiff1", "&S/E or Diff"},
                                                       {"Calibration1", "&Calibration"}, {"Calibration2", "&Calibration"}};
  for (auto [name, caption] : names) {
    ASSERT_NE(Item(name), nullptr) << name;
    EXPECT_EQ(Item(name)->Caption(), caption);
  }
  EXPECT_EQ(Item("Settings1")->IndexOf(Item("IRQ1")), 1);
  EXPECT_EQ(Item("Calibration1")->Count(), 1);
}

TEST_F(NavigatorFixture, HoveringOpensThePopupWithItsPanelAndLeavingToThePhotographClosesIt) {
  TBoardHighlight* base = H("BaseHighlight");
  Hover(base);
  ASSERT_NE(base->Popup(), nullptr);
  TPopupForm* popup = base->Popup();
  EXPECT_TRUE(popup->Visible());
  EXPECT_EQ(popup->Caption(), "Base Address");
  EXPECT_EQ(popup->Tag(), htSettings);
  EXPECT_EQ(Form->BasePanel->Parent(), popup);
  EXPECT_TRUE(Form->BasePanel->Visible());
  EXPECT_TRUE(base->Lit());
  EXPECT_EQ(FindComponentAs<TMemo>(popup, "StatusMemo")->Lines()->ToVector(), Form->BasePanel->Lines()->ToVector());
  EXPECT_TRUE(WaitFor([&] { return base->PopupActive(); }));  // the popup became the active window
  OffTheCircles();
  EXPECT_FALSE(popup->Visible());
  EXPECT_FALSE(base->Lit());
  EXPECT_FALSE(base->PopupActive());
  EXPECT_FALSE(Item("BaseAddress1")->Checked());
  EXPECT_EQ(Form->BasePanel->Parent(), popup);  // the panel stays in its popup for good
  Hover(base);
  EXPECT_EQ(base->Popup(), popup);  // shown again, not built again
  EXPECT_TRUE(popup->Visible());
}

TEST_F(NavigatorFixture, TheFourCalibrationCirclesLightTogetherAndShareOnePopup) {
  const char* members[] = {"CalibHighlight1", "BoardHighlight1", "BoardHighlight2", "BoardHighlight3"};
  Hover(H("BoardHighlight2"));
  for (const char* m : members) EXPECT_TRUE(H(m)->Lit()) << m;
  ASSERT_EQ(Popups().size(), 1u);
  TPopupForm* popup = Popups()[0];
  EXPECT_EQ(popup->Caption(), "Calibration");
  OffTheCircles();
  for (const char* m : members) EXPECT_FALSE(H(m)->Lit()) << m;
  Hover(H("BoardHighlight3"));
  EXPECT_EQ(Popups().size(), 1u);
  EXPECT_TRUE(popup->Visible());
}

TEST_F(NavigatorFixture, AClickPinsThePopupAndChecksTheMenuItem) {
  TBoardHighlight* irq = H("IRQSHighlight");
  ClickMouse(irq, 10, 10);
  ClickMouse(irq, 10, 10);
  OffTheCircles();
  ASSERT_NE(irq->Popup(), nullptr);
  EXPECT_TRUE(irq->Popup()->Visible());
  EXPECT_TRUE(irq->Pinned());
  EXPECT_TRUE(Item("IRQ1")->Checked());
  // Choosing the checked item closes the popup and clears the mark.
  Item("IRQ1")->Click();
  EXPECT_FALSE(irq->Popup()->Visible());
  EXPECT_FALSE(Item("IRQ1")->Checked());
  EXPECT_FALSE(irq->Lit());
}

TEST_F(NavigatorFixture, LeavingTheCircleIntoThePopupKeepsItUntilTheMouseLeavesThePopup) {
  TBoardHighlight* base = H("BaseHighlight");
  Hover(base);
  TPopupForm* popup = base->Popup();
  ASSERT_NE(popup, nullptr);
  MoveMouse(popup, 20, popup->ClientHeight() - 30);
  EXPECT_TRUE(popup->Visible());
  EXPECT_TRUE(base->Pinned());
  EXPECT_TRUE(popup->CloseOnLeave());
  EXPECT_TRUE(Item("BaseAddress1")->Checked());
  OffTheCircles();
  EXPECT_FALSE(popup->Visible());
  EXPECT_FALSE(popup->CloseOnLeave());
}

TEST_F(NavigatorFixture, TheIrqPopupIsLaidOutFromItsPanelAndMemoHeight) {
  Item("IRQ1")->Click();
  TPopupForm* p = H("IRQSHighlight")->Popup();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->ClientWidth(), 257);
  EXPECT_EQ(p->ClientHeight(), 230);
  EXPECT_EQ(In(p, "StatusMemo")->BoundsRect(), Bounds(6, 122, 245, 58));
  EXPECT_EQ(In(p, "PreviousButton")->BoundsRect(), Bounds(6, 186, 58, 25));
  EXPECT_EQ(In(p, "NextButton")->BoundsRect(), Bounds(99, 186, 58, 25));
  EXPECT_EQ(In(p, "DoneButton")->BoundsRect(), Bounds(193, 186, 58, 25));
  EXPECT_EQ(In(p, "PopupStatus")->BoundsRect(), Bounds(0, 211, 257, 19));
  EXPECT_EQ(p->PopupStatus, In(p, "PopupStatus"));
  EXPECT_EQ(Form->IRQPanel->BoundsRect(), Bounds(0, 0, 257, 121));

  // Larger: the memo stretches, Next stays centred, Done at the right, status at the bottom.
  p->SetBounds(p->Left(), p->Top(), 357, 330);
  EXPECT_EQ(In(p, "StatusMemo")->BoundsRect(), Bounds(6, 122, 345, 158));
  EXPECT_EQ(In(p, "PreviousButton")->Left(), 6);
  EXPECT_EQ(In(p, "NextButton")->Left(), 149);
  EXPECT_EQ(In(p, "DoneButton")->Left(), 293);
  EXPECT_EQ(In(p, "PopupStatus")->BoundsRect(), Bounds(0, 311, 357, 19));
  // Never smaller than at first.
  p->SetBounds(p->Left(), p->Top(), 100, 100);
  EXPECT_EQ(p->Width(), 257);
  EXPECT_EQ(p->Height(), 230);
}

TEST_F(NavigatorFixture, TheBasePopupIsWidenedToItsMinimumAndKeptOnTheScreen) {
  Item("BaseAddress1")->Click();
  TPopupForm* p = H("BaseHighlight")->Popup();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->ClientWidth(), 194);
  EXPECT_EQ(p->ClientHeight(), 222);
  EXPECT_EQ(Form->BasePanel->Width(), 161);
  EXPECT_EQ(In(p, "DoneButton")->Left(), 194 - 64);
  // Designed at (446, 440) with the image moved from (126, 98) to its centred place; the
  // bottom would pass the screen's edge, so it is raised to end there.
  EXPECT_EQ(p->Left(), Form->BoardImage1->Left() + 446 - 126);
  EXPECT_EQ(p->Top(), Screen->Height() - p->Height());
}

TEST_F(NavigatorFixture, AHighlightWithoutPanelOpensAPlainPopupBelowTheImage) {
  auto* bare = new TBoardHighlight(Form);
  bare->SetParent(Form->BoardImage1);
  bare->SetBounds(10, 100, 30, 30);
  bare->SetTitle("&Plain");
  Form->BoardImage1->Repaint();
  Hover(bare);
  TPopupForm* p = bare->Popup();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Width(), 194);
  EXPECT_EQ(p->Height(), 141);
  EXPECT_EQ(p->Left(), Form->BoardImage1->Left());
  EXPECT_EQ(p->Top(), Form->BoardImage1->Top() + Form->BoardImage1->Height() + 38);
  EXPECT_TRUE(FindComponentAs<TMemo>(p, "StatusMemo")->Lines()->Count() == 0);
  EXPECT_TRUE(FindComponentAs<TButton>(p, "DoneButton")->Focused());
}

TEST_F(NavigatorFixture, NextAndPreviousTourOneKindAndWrapAround) {
  Item("BaseAddress1")->Click();
  auto press = [&](const char* Highlight, const char* Button) {
    FindComponentAs<TButton>(H(Highlight)->Popup(), Button)->Click();
  };
  press("BaseHighlight", "NextButton");
  EXPECT_FALSE(H("BaseHighlight")->Popup()->Visible());
  ASSERT_NE(H("IRQSHighlight")->Popup(), nullptr);
  EXPECT_TRUE(H("IRQSHighlight")->Popup()->Visible());
  EXPECT_TRUE(H("IRQSHighlight")->Pinned());
  EXPECT_TRUE(Item("IRQ1")->Checked());
  press("IRQSHighlight", "NextButton");
  press("SeDiffHighlight", "NextButton");  // wraps to the first
  EXPECT_TRUE(H("BaseHighlight")->Popup()->Visible());
  press("BaseHighlight", "PreviousButton");  // wraps to the last
  EXPECT_TRUE(H("SeDiffHighlight")->Popup()->Visible());
  EXPECT_FALSE(H("BaseHighlight")->Popup()->Visible());

  // A kind with a single item: the popup closes and opens again, pinned.
  Item("Calibration2")->Click();
  TPopupForm* calib = Popups().back();
  FindComponentAs<TButton>(calib, "NextButton")->Click();
  EXPECT_TRUE(calib->Visible());
  EXPECT_TRUE(Item("Calibration2")->Checked());
}

TEST_F(NavigatorFixture, TheStartTourMessageOpensAndPinsTheFirstPopup) {
  Form->BoardImage1->Perform(WM_STARTTOUR, 0, 0);
  TBoardHighlight* base = H("BaseHighlight");
  ASSERT_NE(base->Popup(), nullptr);
  EXPECT_TRUE(base->Popup()->Visible());
  EXPECT_TRUE(base->Pinned());
  EXPECT_TRUE(Item("BaseAddress1")->Checked());
  base->Popup()->Close();
  Form->BoardImage1->SetFirst(nullptr);
  Form->BoardImage1->Perform(WM_STARTTOUR, 0, 0);
  EXPECT_FALSE(base->Popup()->Visible());
}

TEST_F(NavigatorFixture, ChoosingTheCheckedItemClosesAPopupThatAnotherMemberOwns) {
  Hover(H("BoardHighlight3"));  // the popup belongs to the member hovered first
  ClickMouse(H("BoardHighlight3"), 5, 5);
  OffTheCircles();
  ASSERT_EQ(Popups().size(), 1u);
  EXPECT_EQ(H("BoardHighlight3")->Popup(), Popups()[0]);
  EXPECT_TRUE(Item("Calibration2")->Checked());
  Item("Calibration2")->Click();  // its handler belongs to CalibHighlight1
  EXPECT_FALSE(Popups()[0]->Visible());
  EXPECT_FALSE(Item("Calibration2")->Checked());
}

}  // namespace
