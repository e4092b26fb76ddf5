#include "WizardFixture.h"

using namespace vcl;
using namespace vcl::testkit;

namespace {

struct CardPageFixture : WizardFixture {
  CardPageFixture() {
    for (TControl* panel : {static_cast<TControl*>(Form->BasePanel), static_cast<TControl*>(Form->IRQPanel),
                            static_cast<TControl*>(Form->SeDiffPanel)})
      panel->Show();
    Form->IRQPanel->SetLeft(380);  // side by side with the base-address panel, in view
    Form->IRQPanel->SetTop(200);
    ShowAndWait(Form);
  }
  void Type(const std::string& Text) {
    Form->BaseEdit->SetFocus();
    Form->BaseEdit->SetText("");
    TypeText(Form->BaseEdit, Text);
  }
  bool EditMarkedBad() const { return Form->BaseEdit->ParentColor() && Form->BaseEdit->Color() == Form->BasePanel->Color(); }
};

struct TypedCase {
  const char* Name;
  const char* Typed;
  const char* Switch;    // what BaseBA shows
  const char* Feedback;  // BaseFeedbackLabel
};

void PrintTo(const TypedCase& C, std::ostream* Os) { *Os << C.Name; }

class TypedAddress : public CardPageFixture, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedAddress, SwitchAndFeedbackFollowTheKeys) {
  Type(GetParam().Typed);
  EXPECT_EQ(Form->BaseBA->BaseAddressStr(), GetParam().Switch);
  EXPECT_EQ(Form->BaseFeedbackLabel->Caption(), GetParam().Feedback);
  EXPECT_FALSE(EditMarkedBad());
  EXPECT_EQ(Form->BaseEdit->Color(), clWindow);
}

INSTANTIATE_TEST_SUITE_P(
    CardPage, TypedAddress,
    ::testing::Values(TypedCase{"LowerCase2a0", "2a0", "2A0", ""}, TypedCase{"Top3f0", "3f0", "3F0", ""},
                      TypedCase{"BitBelowTheSwitch", "201", "200", "200"},
                      TypedCase{"LeadingZero", "0200", "200", "200"}, TypedCase{"PaddedWithBlanks", " 200 ", "200", ""},
                      TypedCase{"LettersBeyondF", "xyz", "200", "200"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(CardPageFixture, EmptyingTheEditKeepsTheLastAddressAndShowsIt) {
  Type("2a0");
  Form->BaseEdit->SetText("");
  EXPECT_EQ(Form->BaseBA->BaseAddressStr(), "2A0");
  EXPECT_EQ(Form->BaseFeedbackLabel->Caption(), "2A0");
}

TEST_F(CardPageFixture, NineSignificantDigitsMarkTheEditUntilTheNextGoodEntry) {
  Type("12345678");
  EXPECT_EQ(Form->BaseBA->BaseAddressStr(), "278");
  EXPECT_EQ(Form->BaseFeedbackLabel->Caption(), "278");
  TypeText(Form->BaseEdit, "9");
  EXPECT_TRUE(EditMarkedBad());
  EXPECT_EQ(Form->BaseBA->BaseAddressStr(), "278");
  EXPECT_EQ(Form->BaseFeedbackLabel->Caption(), "278");
  EXPECT_TRUE(Boxes.Calls().empty());  // nothing is reported
  PressKey(Form->BaseEdit, TKey::Backspace);
  EXPECT_FALSE(EditMarkedBad());
  EXPECT_EQ(Form->BaseEdit->Color(), clWindow);
}

TEST_F(CardPageFixture, IrqBoxAndJumperClicksKeepOneJumperClosed) {
  auto closed = [] {
    std::string s;
    for (int n = 1; n <= 6; ++n) s += IRQJumpers[n]->Closed() ? '1' : '0';
    return s;  // IRQ2 .. IRQ7
  };
  PickItem(Form->IRQBox, 4);  // "IRQ5"
  EXPECT_EQ(closed(), "000100");
  PickItem(Form->IRQBox, 0);  // "None"
  EXPECT_EQ(closed(), "000000");
  ClickMouse(Form->IRQ3, 8, 17);
  EXPECT_EQ(closed(), "010000");
  EXPECT_EQ(Form->IRQBox->ItemIndex(), 2);
  EXPECT_EQ(Form->IRQBox->Text(), "IRQ3");
  ClickMouse(Form->IRQ3, 8, 17);  // the closed jumper stays closed
  EXPECT_EQ(closed(), "010000");
  ClickMouse(Form->IRQ7, 8, 17);
  EXPECT_EQ(closed(), "000001");
  Form->IRQBox->SetText("IRQ9");  // a text that is no item opens all
  Form->IRQBoxChange(Form->IRQBox);
  EXPECT_EQ(closed(), "000000");
}

TEST_F(CardPageFixture, ChannelBoxesSetTheirBitsOfThePianoSwitch) {
  ClickMouse(Form->CH[0], 5, 8);
  ClickMouse(Form->CH[7], 5, 8);
  EXPECT_EQ(Form->SePianoSwitch->Value(), 129u);
  ClickMouse(Form->CH[0], 5, 8);
  EXPECT_EQ(Form->SePianoSwitch->Value(), 128u);
  EXPECT_EQ(Form->SePianoSwitch->BinaryValueStr(), "10000000");
}

}  // namespace
