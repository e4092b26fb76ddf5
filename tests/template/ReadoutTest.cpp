#include <set>

#include "KELTO32/SimulatedCard.h"
#include "WizardFixture.h"
#include "template/Readout.h"

using namespace vcl;
using namespace vcl::testkit;

namespace {

struct CountsCase {
  const char* Name;
  int High, Low;
  const char* Text;
};

void PrintTo(const CountsCase& C, std::ostream* Os) { *Os << C.Name; }

class Conversion : public ::testing::TestWithParam<CountsCase> {};

TEST_P(Conversion, ResultBytesBecomeTheDisplayText) {
  const std::string text = readout::VoltsText(readout::CountsToVolts(GetParam().High, GetParam().Low));
  EXPECT_EQ(text, GetParam().Text);
  EXPECT_EQ(text.size(), 17u);
}

INSTANTIATE_TEST_SUITE_P(Readout, Conversion,
                         ::testing::Values(CountsCase{"Counts0", 0x00, 0x00, "-5.0000 Volts    "},
                                           CountsCase{"Counts2048", 0x80, 0x00, " 0.0000 Volts    "},
                                           CountsCase{"Counts2049", 0x80, 0x10, " 0.0024 Volts    "},
                                           CountsCase{"Counts2047", 0x7F, 0xF0, "-0.0024 Volts    "},
                                           CountsCase{"Counts4095", 0xFF, 0xF0, " 4.9976 Volts    "},
                                           CountsCase{"LowNibbleIgnored", 0x80, 0x0F, " 0.0000 Volts    "},
                                           CountsCase{"HighBitsOfAWordIgnored", 0x1FF, 0x1F0, " 4.9976 Volts    "}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(ReadoutText, IsCutToTwentyCharacters) {
  EXPECT_EQ(readout::VoltsText(-1234.5), "-1234.5000 Volts    ");
  EXPECT_EQ(readout::VoltsText(-12345.5).size(), 20u);
}

// The wizard walked to step 4, whose readout runs until a test's hook stops it.
struct ReadoutFixture : WizardFixture {
  ReadoutFixture() {
    Form->BaseEdit->SetText("200");
    Form->CalibButtonClick(Form->CalibButton);
    for (int i = 0; i < 3; ++i) Form->NextClick(Form->Next);
  }
  void EnterReadoutStep() { Form->NextClick(Form->Next); }
};

TEST_F(ReadoutFixture, ShowsTheReadingHidesNextAndPrevWhileRunningAndStopsWithinACycleOfFinish) {
  Card->High = 0xFF;
  Card->Low = 0xF0;
  std::vector<bool> buttonsHidden;
  Card->OnConversion = [&](int N) {
    buttonsHidden.push_back(!Form->Next->Visible() && !Form->Prev->Visible());
    if (N == 3) Form->FinishClick(Form->Finish);
  };
  EnterReadoutStep();
  EXPECT_EQ(Card->Conversions, 3);  // no conversion after the cycle in which Finish came
  EXPECT_EQ(buttonsHidden, (std::vector<bool>{true, true, true}));
  EXPECT_TRUE(Form->Next->Visible());
  EXPECT_TRUE(Form->Prev->Visible());
  EXPECT_EQ(Form->InputL->Caption(), "Input Value");
  EXPECT_EQ(Form->CountL->Caption(), " 4.9976 Volts    ");
  EXPECT_EQ(CalibStep, 4);
}

TEST_F(ReadoutFixture, WaitsTenMillisecondsBeforeTheFirstConversionAndAPeriodBetweenThem) {
  Ticks.Now = 0xFFFFFF00u;  // the tick counter wraps during the readout
  Card->OnConversion = [&](int N) {
    if (N == 4) Form->FinishClick(Form->Finish);
  };
  const std::uint32_t entered = Ticks.Now;
  EnterReadoutStep();
  ASSERT_EQ(Card->ConversionTicks.size(), 4u);
  EXPECT_GE(Card->ConversionTicks[0] - entered, readout::kSettleMs);
  for (std::size_t i = 1; i < Card->ConversionTicks.size(); ++i)
    EXPECT_GE(Card->ConversionTicks[i] - Card->ConversionTicks[i - 1], readout::kPeriodMs) << i;
  EXPECT_LT(Card->ConversionTicks.back() - entered, 400u);
}

struct PollCase {
  const char* Name;
  int BusyReads;
  const char* Input;
  bool Reading;
};

void PrintTo(const PollCase& C, std::ostream* Os) { *Os << C.Name; }

class StatusPolling : public ReadoutFixture, public ::testing::WithParamInterface<PollCase> {};

TEST_P(StatusPolling, NineHundredNinetyNineReadsAreUsableTheThousandthIsAFailure) {
  Form->CountL->SetCaption("-1.0000 Volts    ");  // the last reading shown
  Card->BusyReads = GetParam().BusyReads;
  Card->High = 0x80;
  Card->OnConversion = [&](int) { Form->FinishClick(Form->Finish); };
  EnterReadoutStep();
  EXPECT_EQ(Form->InputL->Caption(), GetParam().Input);
  EXPECT_EQ(Form->CountL->Caption(), GetParam().Reading ? " 0.0000 Volts    " : "-1.0000 Volts    ");
}

INSTANTIATE_TEST_SUITE_P(Readout, StatusPolling,
                         ::testing::Values(PollCase{"ReadyAtOnce", 0, "Input Value", true},
                                           PollCase{"ReadyOnRead999", 998, "Input Value", true},
                                           PollCase{"ReadyOnRead1000", 999, "A/D Error", false},
                                           PollCase{"NeverReady", 5000, "A/D Error", false}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(ReadoutFixture, AFailedCycleKeepsTheLastValueAndAGoodOneShowsInputValueAgain) {
  Card->High = 0x80;
  Card->Low = 0x10;
  Card->OnConversion = [&](int N) {
    Card->BusyReads = N == 2 ? 5000 : 0;
    if (N == 3) Form->FinishClick(Form->Finish);
  };
  Form->InputL->SetCaption("");
  EnterReadoutStep();
  EXPECT_EQ(Form->InputL->Caption(), "Input Value");
  EXPECT_EQ(Form->CountL->Caption(), " 0.0024 Volts    ");
}

TEST_F(ReadoutFixture, WithoutThePortDriverTheReadoutShowsAnError) {
  kelto32::SetPortBackend(std::make_unique<kelto32::TNoDriverPorts>());
  Card = nullptr;
  int cycles = 0;
  Form->CountL->SetCaption("");
  Application->SetOnIdle({});
  // The driver-missing backend starts no conversion hook: stop through a cycle count.
  SetSleepSlice([&] {
    ++Ticks.Now;
    if (Ticks.Now % 100 == 0 && ++cycles == 3) Form->FinishClick(Form->Finish);
  });
  EnterReadoutStep();
  EXPECT_EQ(Form->InputL->Caption(), "A/D Error");
  EXPECT_EQ(Form->CountL->Caption(), "");
}

TEST_F(ReadoutFixture, QuitDuringAReadoutStopsItAndHidesThePanels) {
  Card->OnConversion = [&](int N) {
    if (N == 2) Form->QuitClick(Form->Quit);
  };
  EnterReadoutStep();
  EXPECT_EQ(Card->Conversions, 2);
  EXPECT_FALSE(Form->CalibStart->Visible());
  EXPECT_FALSE(Form->Data->Visible());
  EXPECT_FALSE(Form->CountPanel->Visible());
  EXPECT_FALSE(Form->PotMarker->Visible());
  EXPECT_TRUE(Form->Next->Visible());  // shown again, out of sight with their panel
}

TEST_F(ReadoutFixture, ClosingTheWindowDuringAReadoutStopsItFirstThenCloses) {
  Application->SetMainForm(Form);
  Card->OnConversion = [&](int N) {
    if (N == 2) Form->Exit2Click(nullptr);
  };
  ShowAndWait(Form);
  EnterReadoutStep();
  EXPECT_EQ(Card->Conversions, 2);
  EXPECT_FALSE(Form->Visible());
  EXPECT_TRUE(Application->Terminated());
  Application->SetMainForm(nullptr);
}

TEST_F(ReadoutFixture, BeginCalibrationDuringAReadoutStopsItAndThenStartsOver) {
  Card->OnConversion = [&](int N) {
    if (N == 2) Form->CalibButtonClick(Form->CalibButton);
    if (N > 5) Form->FinishClick(Form->Finish);  // a safety net: never reached
  };
  Form->CH[0]->SetChecked(true);  // the new start is refused: Next must stay hidden
  EnterReadoutStep();
  EXPECT_EQ(Card->Conversions, 2);
  EXPECT_EQ(CalibStep, 0);
  EXPECT_EQ(Form->CTitle->Caption(), "WARNING!");
  EXPECT_FALSE(Form->Next->Visible());
  EXPECT_TRUE(Form->Prev->Visible());
}

TEST_F(ReadoutFixture, FinishWithoutAReadoutHasNoEffectAndTheNextReadoutStillRuns) {
  Form->FinishClick(Form->Finish);
  Card->OnConversion = [&](int N) {
    if (N == 2) Form->FinishClick(Form->Finish);
  };
  EnterReadoutStep();
  EXPECT_EQ(Card->Conversions, 2);
}

TEST(ReadoutOnTheSimulatedCard, ShowsTheMidrangeInputWithinOneCount) {
  TFakeTicks ticks;
  TMessageBoxRecorder boxes;
  auto* sim = new kelto32::TSimulatedCard({0x200, 0.0012, 7});
  kelto32::SetPortBackend(std::unique_ptr<kelto32::TPortBackend>(sim));
  auto* form = new TMainForm(nullptr);
  Application->SetOnIdle({});
  std::set<std::string> shown;
  int cycles = 0;
  SetSleepSlice([&] {
    ++ticks.Now;
    // Each readout step runs for about twenty cycles; the texts of step 6 are collected.
    if (ticks.Now % 100 == 0) {
      if (CalibStep == 6) shown.insert(form->CountL->Caption());
      if (++cycles % 20 == 0) form->FinishClick(form->Finish);
    }
  });
  form->BaseEdit->SetText("200");
  form->CalibButtonClick(form->CalibButton);
  for (int i = 0; i < 6; ++i) form->NextClick(form->Next);
  EXPECT_EQ(CalibStep, 6);
  EXPECT_EQ(form->InputL->Caption(), "Input Value");
  shown.erase("");
  EXPECT_FALSE(shown.empty());
  for (const std::string& s : shown) EXPECT_TRUE(s == " 0.0000 Volts    " || s == " 0.0024 Volts    ") << s;
  delete form;
  kelto32::SetPortBackend(nullptr);
  CalibStep = 0;
}

// The simulated card answers at 300h but the user typed 2A0: nothing answers there, so every
// cycle shows "A/D Error", and Finish and Quit still end the readout and the wizard.
TEST(ReadoutOnTheSimulatedCard, NoCardAtTheTypedAddressShowsADErrorEveryCycleAndFinishAndQuitWork) {
  TFakeTicks ticks;
  TMessageBoxRecorder boxes;
  kelto32::SetPortBackend(std::make_unique<kelto32::TSimulatedCard>(kelto32::TSimulatedCard::TSettings{0x300, 0.0012, 7}));
  auto* form = new TMainForm(nullptr);
  Application->SetOnIdle({});
  std::vector<std::string> inputs;
  int cycles = 0;
  SetSleepSlice([&] {
    ++ticks.Now;
    if (ticks.Now % 100 == 0 && CalibStep == 4) {
      inputs.push_back(form->InputL->Caption());
      if (++cycles == 4) form->FinishClick(form->Finish);
    }
  });
  form->BaseEdit->SetText("2A0");
  form->CalibButtonClick(form->CalibButton);
  for (int i = 0; i < 4; ++i) form->NextClick(form->Next);
  EXPECT_EQ(cycles, 4);
  ASSERT_FALSE(inputs.empty());
  for (const std::string& s : inputs) EXPECT_TRUE(s.empty() || s == "A/D Error") << s;
  EXPECT_EQ(form->InputL->Caption(), "A/D Error");
  EXPECT_TRUE(form->Next->Visible());  // the readout has ended
  form->QuitClick(form->Quit);
  EXPECT_FALSE(form->CalibStart->Visible());
  EXPECT_FALSE(form->CountPanel->Visible());
  EXPECT_TRUE(boxes.Calls().empty());
  delete form;
  kelto32::SetPortBackend(nullptr);
  CalibStep = 0;
}

}  // namespace
