#include <gtest/gtest.h>

#include "RendererFixture.h"
#include "SetupCtrls/RadioPanel.h"
#include "SetupCtrls/TwoJumper.h"

using namespace vcl;
using namespace vcl::testkit;
using namespace setupctrls;

namespace {

struct RadioFixture : RendererFixture {
  TRadioPanel* Radio = new TRadioPanel(Form);
  std::vector<TTwoJumper*> Jumpers;
  std::vector<std::string> Log;
  RadioFixture() {
    Radio->SetParent(Form);
    Radio->SetBounds(0, 0, 200, 100);
    Radio->SetVisible(true);
    Panel->Hide();
    for (int i = 0; i < 3; ++i) {
      auto* j = new TTwoJumper(Form);
      j->SetName("J" + std::to_string(i));
      j->SetParent(Radio);
      j->SetBounds(10 + 40 * i, 10, 34, 18);
      j->SetOnClick(TNotifyEvent([this, j](TObject* Sender) { Log.push_back("click " + j->Name() + (Sender == j ? "" : "?")); }));
      Jumpers.push_back(j);
    }
    Radio->SetOnRadioChange(TNotifyEvent([this](TObject* Sender) {
      Log.push_back("change " + static_cast<TComponent*>(Sender)->Name());
    }));
  }
  std::string States() const {
    std::string s;
    for (auto* j : Jumpers) s += j->Closed() ? '1' : '0';
    return s;
  }
};

struct SelectCase {
  const char* Name;
  bool RadioEnabled;
  std::string Before;
  int Clicked;
  std::string After;
  std::vector<std::string> Log;
};

void PrintTo(const SelectCase& C, std::ostream* Os) { *Os << C.Name; }

class RadioSelection : public RadioFixture, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(RadioSelection, AClickThroughTheMouseTogglesSelectsAndReports) {
  const SelectCase& c = GetParam();
  Radio->SetRadioEnabled(c.RadioEnabled);
  for (std::size_t i = 0; i < Jumpers.size(); ++i) Jumpers[i]->SetClosed(c.Before[i] == '1');
  ShowAndWait(Form);
  ClickMouse(Jumpers[static_cast<std::size_t>(c.Clicked)], 17, 9);
  EXPECT_EQ(States(), c.After);
  EXPECT_EQ(Log, c.Log);
}

INSTANTIATE_TEST_SUITE_P(
    Radio, RadioSelection,
    ::testing::Values(
        SelectCase{"OpenOneWhileAnotherIsClosed", true, "100", 1, "010", {"change J1", "click J1"}},
        SelectCase{"AllOpen", true, "000", 2, "001", {"click J2"}},
        SelectCase{"TheClosedOneStaysClosed", true, "010", 1, "010", {"change J1", "click J1"}},
        SelectCase{"WithoutRadioOnlyToggles", false, "100", 1, "110", {"click J1"}},
        SelectCase{"WithoutRadioTogglesBack", false, "100", 0, "000", {"click J0"}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(RadioFixture, InitialValuesAndCaption) {
  TRadioPanel fresh(nullptr);
  EXPECT_FALSE(fresh.Visible());
  EXPECT_EQ(fresh.Width(), 194);
  EXPECT_EQ(fresh.Height(), 100);
  EXPECT_EQ(fresh.MemoHeight(), 58);
  EXPECT_FALSE(fresh.RadioEnabled());
  EXPECT_EQ(fresh.BevelOuter(), bvNone);
  EXPECT_EQ(fresh.Caption(), "");
  EXPECT_EQ(fresh.Lines()->Count(), 0);
  EXPECT_EQ(fresh.FinalAnchors(), (TAnchors{akLeft, akTop}));
}

TEST_F(RadioFixture, FinalAnchorsApplyOnlyOnceHosted) {
  Radio->SetFinalAnchors({akLeft, akTop, akRight, akBottom});
  EXPECT_EQ(Radio->Anchors(), (TAnchors{akLeft, akTop}));
  Radio->SetHosted();
  Radio->SetAnchors(Radio->FinalAnchors());  // what the popup does when it takes the panel in
  Radio->SetFinalAnchors({akLeft, akBottom});
  EXPECT_EQ(Radio->Anchors(), (TAnchors{akLeft, akBottom}));
}

TEST_F(RadioFixture, SettingClosedFiresNothingAndADescendantIsNoJumper) {
  struct TFancyJumper : TTwoJumper {
    using TTwoJumper::TTwoJumper;
    std::string ClassName() const override { return "TFancyJumper"; }
  };
  auto* fancy = new TFancyJumper(Form);
  fancy->SetParent(Radio);
  fancy->SetClosed(true);
  Radio->SetRadioEnabled(true);
  Jumpers[0]->SetClosed(true);
  EXPECT_TRUE(Log.empty());
  Radio->SelectJumper(Jumpers[1]);
  EXPECT_EQ(States(), "010");
  EXPECT_TRUE(fancy->Closed());  // not a TTwoJumper by class name
}

}  // namespace
