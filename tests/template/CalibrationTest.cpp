#include "WizardFixture.h"

using namespace vcl;
using namespace vcl::testkit;

namespace {

struct Expect {
  int Step;
  bool CalibStart, Data, CountPanel, Next, Marker;
  int MarkerLeft;
  const char* Gain;
  const char* Title;
  std::vector<TPortWrite> Writes;  // made by the last action
};

struct WizardCase {
  const char* Name;
  const char* Address;  // typed into BaseEdit before Begin
  std::vector<const char*> Actions;
  Expect After;
};

void PrintTo(const WizardCase& C, std::ostream* Os) { *Os << C.Name; }

class WizardSteps : public WizardFixture, public ::testing::WithParamInterface<WizardCase> {};

TEST_P(WizardSteps, ShowAndWriteWhatTheStepTableSays) {
  const WizardCase& c = GetParam();
  FinishAfterFirstConversion();
  Form->BaseEdit->SetText(c.Address);
  for (const char* a : c.Actions) {
    Card->Writes.clear();
    const std::string action = a;
    if (action == "Begin") Form->CalibButtonClick(Form->CalibButton);
    if (action == "Next") Form->NextClick(Form->Next);
    if (action == "Prev") Form->PrevClick(Form->Prev);
    if (action == "Quit") Form->QuitClick(Form->Quit);
  }
  const Expect& e = c.After;
  EXPECT_EQ(CalibStep, e.Step);
  EXPECT_EQ(Form->CalibStart->Visible(), e.CalibStart);
  EXPECT_EQ(Form->Data->Visible(), e.Data);
  EXPECT_EQ(Form->CountPanel->Visible(), e.CountPanel);
  EXPECT_EQ(Form->Next->Visible(), e.Next);
  EXPECT_EQ(Form->PotMarker->Visible(), e.Marker);
  if (e.Marker) {
    EXPECT_EQ(Form->PotMarker->Left(), e.MarkerLeft);
    EXPECT_EQ(Form->PotMarker->Top(), 275);
  }
  EXPECT_EQ(Form->gainl->Caption(), e.Gain);
  EXPECT_EQ(Form->CTitle->Caption(), e.Title);
  const int b = std::stoi(c.Address, nullptr, 16);
  std::vector<TPortWrite> expected;
  for (const TPortWrite& w : e.Writes) expected.push_back({b + w.Port, w.Value});
  // Readout steps also start conversions at offset 1; the gain writes come first.
  std::vector<TPortWrite> gainWrites;
  for (const TPortWrite& w : Card->Writes)
    if (w.Port != b + 1) gainWrites.push_back(w);
  EXPECT_EQ(gainWrites, expected);
}

const char* kStep1 = "Unipolar Offset Adjust - `RP3`";
const char* kStep2 = "Preamplifier Zero Output Offset Adjust - `RP5`";
const char* kStep3 = "Preamplifier Zero Input Offset Adjust - `RP4`";
const char* kStep6 = "Analog Converter Midrange Check";

INSTANTIATE_TEST_SUITE_P(
    Wizard, WizardSteps,
    ::testing::Values(
        WizardCase{"BeginShowsTheIntroduction", "300", {"Begin"}, {0, true, true, false, true, false, 0, "", "", {}}},
        WizardCase{"NextEntersStep1", "300", {"Begin", "Next"},
                   {1, true, true, false, true, true, 85, "x1 Unipolar", kStep1, {{2, 0}, {3, 9}}}},
        WizardCase{"PrevInStep1RunsItAgain", "300", {"Begin", "Next", "Prev"},
                   {1, true, true, false, true, true, 85, "x1 Unipolar", kStep1, {{2, 0}, {3, 9}}}},
        WizardCase{"PrevRightAfterBeginDoesNothing", "300", {"Begin", "Prev"},
                   {0, true, true, false, true, false, 0, "", "", {}}},
        WizardCase{"Step2", "2a0", {"Begin", "Next", "Next"},
                   {2, true, true, false, true, true, 138, "x1 Unipolar", kStep2, {{2, 0}, {3, 9}}}},
        WizardCase{"Step3WritesGain15", "2a0", {"Begin", "Next", "Next", "Next"},
                   {3, true, true, false, true, true, 112, "x500 Unipolar", kStep3, {{2, 0}, {3, 15}}}},
        WizardCase{"PrevFromStep3ToStep2", "300", {"Begin", "Next", "Next", "Next", "Prev"},
                   {2, true, true, false, true, true, 138, "x1 Unipolar", kStep2, {{2, 0}, {3, 9}}}},
        WizardCase{"Step6AfterItsReadout", "200", {"Begin", "Next", "Next", "Next", "Next", "Next", "Next"},
                   {6, true, true, true, true, true, 33, "1x Bipolar", kStep6, {{2, 0}, {3, 0}}}},
        WizardCase{"Step7Complete", "200", {"Begin", "Next", "Next", "Next", "Next", "Next", "Next", "Next"},
                   {7, true, true, false, true, false, 0, "1x Bipolar", "", {}}},
        WizardCase{"PrevFromStep7ToStep6", "200",
                   {"Begin", "Next", "Next", "Next", "Next", "Next", "Next", "Next", "Prev"},
                   {6, true, true, true, true, true, 33, "1x Bipolar", kStep6, {{2, 0}, {3, 0}}}},
        WizardCase{"NextFromStep7EndsTheWizard", "200",
                   {"Begin", "Next", "Next", "Next", "Next", "Next", "Next", "Next", "Next"},
                   {8, false, false, false, true, false, 0, "1x Bipolar", "", {}}},
        WizardCase{"QuitEndsTheWizardAndKeepsTheStep", "200", {"Begin", "Next", "Next", "Quit"},
                   {2, false, false, false, true, false, 0, "x1 Unipolar", kStep2, {}}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(WizardFixture, BeginShowsTheSystemInformationAndTheIntroduction) {
  Form->BaseEdit->SetText("300");
  Form->IRQ5->SetClosed(true);
  Form->CalibButtonClick(Form->CalibButton);
  EXPECT_EQ(CardBaseAddress, 0x300);
  EXPECT_EQ(Form->BAddr->Caption(), "300");
  EXPECT_EQ(Form->IRQL->Caption(), "IRQ5");
  EXPECT_EQ(Form->CBody->Caption(),
            "The calibration program assumes that you have have changed the setup program settings to match your "
            "card. If not, please do so now or Calibration will not work.");
  EXPECT_TRUE(Form->Next->Visible());
  EXPECT_TRUE(Form->Prev->Visible());

  Form->IRQ5->SetClosed(false);
  Form->BaseEdit->SetText("2a0");
  Form->CalibButtonClick(Form->CalibButton);
  EXPECT_EQ(Form->IRQL->Caption(), "None");
  EXPECT_EQ(Form->BAddr->Caption(), "2a0");  // as typed
  EXPECT_EQ(CardBaseAddress, 0x2A0);
}

TEST_F(WizardFixture, TheTypedTextIsTakenNotTheAddressTheSwitchShows) {
  Form->BaseEdit->SetText("201");
  Form->CalibButtonClick(Form->CalibButton);
  EXPECT_EQ(Form->BaseBA->BaseAddressStr(), "200");
  EXPECT_EQ(CardBaseAddress, 0x201);
}

TEST_F(WizardFixture, ChannelZeroSingleEndedRefusesUntilItIsDifferentialAgain) {
  Form->CalibButtonClick(Form->CalibButton);
  ASSERT_TRUE(Form->Next->Visible());
  Form->CH[0]->SetChecked(true);
  Form->CalibButtonClick(Form->CalibButton);
  EXPECT_EQ(Form->CTitle->Caption(), "WARNING!");
  EXPECT_EQ(Form->CBody->Caption(),
            "CALIBRATION CAN NOT BE PERFORMED WITH CHANNEL 0 IN SINGLE ENDED MODE. Please repeat "
            "differential/single-ended setup and set channel 0 to Differential mode. (Calibration will be performed "
            "using this channel.)");
  EXPECT_FALSE(Form->Next->Visible());
  Form->PrevClick(Form->Prev);  // refused: nothing happens
  EXPECT_EQ(CalibStep, 0);
  Form->CH[0]->SetChecked(false);
  Form->CalibButtonClick(Form->CalibButton);
  EXPECT_TRUE(Form->Next->Visible());
  EXPECT_EQ(Form->CTitle->Caption(), "WARNING!");  // Begin does not clear the title
}

struct BadAddressCase {
  const char* Name;
  const char* Text;
};

void PrintTo(const BadAddressCase& C, std::ostream* Os) { *Os << C.Name; }

class BadBaseAddress : public WizardFixture, public ::testing::WithParamInterface<BadAddressCase> {};

TEST_P(BadBaseAddress, ThroughAMouseClickTheDefaultErrorReportShowsTheConversionError) {
  Form->BaseEdit->SetText("300");
  Form->CalibButtonClick(Form->CalibButton);
  Form->QuitClick(Form->Quit);
  Form->BaseEdit->SetText(GetParam().Text);
  Boxes.Clear();
  Form->CalibPanel->Show();
  ShowAndWait(Form);
  ClickMouse(Form->CalibButton, 10, 10);
  ASSERT_EQ(Boxes.Calls().size(), 1u);
  EXPECT_EQ(Boxes.Calls()[0].Text, std::string("'$") + GetParam().Text + "' is not a valid integer value");
  EXPECT_TRUE(Form->CalibStart->Visible());
  EXPECT_TRUE(Form->Data->Visible());
  EXPECT_EQ(CalibStep, 0);
  EXPECT_EQ(CardBaseAddress, 0x300);     // kept
  EXPECT_EQ(Form->BAddr->Caption(), "300");  // kept
}

INSTANTIATE_TEST_SUITE_P(Wizard, BadBaseAddress,
                         ::testing::Values(BadAddressCase{"Empty", ""}, BadAddressCase{"LetterBeyondF", "2g0"},
                                           BadAddressCase{"Blank", " 200"}, BadAddressCase{"NineDigits", "123456789"}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

}  // namespace
