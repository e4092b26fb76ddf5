// The setup supporter in the real main window: start-up, header, help, support and
// installed-cards windows, and the calibration polling. Ticks are delivered by calling the
// window procedure, so no test waits for the timer.
#include <set>

#include "LLLQVRWDM/LLLQVRWDM.h"
#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/PopupForm.h"
#include "SetupCtrls/SetupSupporter.h"
#include "SetupCtrls/SupportForms.h"
#include "WizardFixture.h"

using namespace vcl;
using namespace vcl::testkit;
using namespace setupctrls;

namespace {

struct SupporterFixture : WizardFixture {
  TSetupSupporter* Sup() { return Form->SetSup; }
  void Tick() {
    TMessage m{WM_TIMER, 1, 0, 0};
    Sup()->WndProc(m);
  }
  ~SupporterFixture() override { lllqvrwdm::WDMBound = false; }
};

struct HeaderCase {
  const char* Name;
  bool UseB, Series;
  const char* Header;
};

void PrintTo(const HeaderCase& C, std::ostream* Os) { *Os << C.Name; }

class Header : public SupporterFixture, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(Header, NamesTheCardAndTheSeries) {
  Sup()->SetUseCardNameB(GetParam().UseB);
  Sup()->SetbSeries(GetParam().Series);
  Sup()->StartUp();
  EXPECT_EQ(Sup()->HeaderLabel->Caption(), GetParam().Header);
  EXPECT_EQ(Sup()->HeaderLabel->Name(), "HeaderLabel");
  EXPECT_EQ(Sup()->HeaderLabel->Parent(), Form);
  EXPECT_EQ(Sup()->HeaderLabel->Align(), alTop);
  EXPECT_EQ(Sup()->PCIForm, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Supporter, Header,
                         ::testing::Values(HeaderCase{"ThisProgram", false, true, "RT16-4K Series Settings Program"},
                                           HeaderCase{"NoSeries", false, false, "RT16-4K Settings Program"},
                                           HeaderCase{"CardNameB", true, true, "QVR4K Series Settings Program"}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(SupporterFixture, TheFirstTickShowsTheHelpWindowOnceAndStopsTheTimer) {
  Sup()->StartUp();
  EXPECT_TRUE(Sup()->HelpPending());
  EXPECT_TRUE(Sup()->TimerRunning());
  EXPECT_FALSE(Sup()->HelpForm->Visible());
  Tick();
  EXPECT_TRUE(Sup()->HelpForm->Visible());
  EXPECT_FALSE(Sup()->HelpPending());
  EXPECT_FALSE(Sup()->TimerRunning());
  Sup()->SetOnBeginCalib(TNotifyEvent([](TObject*) {}));  // no flag set: no timer
  EXPECT_FALSE(Sup()->TimerRunning());
}

TEST_F(SupporterFixture, ARefusedTimerIsAnOutOfResourcesError) {
  TMessageWindow::SetRefuseTimers(true);
  try {
    Sup()->StartUp();
    ADD_FAILURE() << "no error";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "Not enough timers available");
  }
  TMessageWindow::SetRefuseTimers(false);
}

TEST_F(SupporterFixture, DestroyingTheSupporterRightAfterStartUpLeavesNoTimer) {
  Sup()->StartUp();
  delete Sup();
  Form->SetSup = nullptr;
  for (int i = 0; i < 3; ++i) ProcessEvents();
  EXPECT_TRUE(Boxes.Calls().empty());
}

TEST_F(SupporterFixture, TheHelpDocumentHoldsItsRunsAndTheWindowIsScaledToTheScreen) {
  Sup()->StartUp();
  const TRichDocument& doc = Sup()->HelpForm->HelpRich->Document();
  EXPECT_EQ(doc.FontName, "Verdana");
  ASSERT_EQ(doc.Paragraphs.size(), 12u);  // six paragraphs, each followed by a blank one
  const TTextRun& heading = doc.Paragraphs[0].Runs[0];
  EXPECT_EQ(heading.Text, "KELTO RT16-4K Series Settings Program");
  EXPECT_EQ(heading.Size, 16);
  EXPECT_TRUE(heading.Bold);
  EXPECT_EQ(doc.Paragraphs[1].Runs[0].Size, 16);  // the blank after the heading
  const TTextRun& yellow = doc.Paragraphs[4].Runs[0];
  EXPECT_EQ(yellow.Text, "Yellow circles");
  EXPECT_EQ(yellow.Color, RGB(255, 255, 64));
  EXPECT_TRUE(yellow.Bold);
  EXPECT_EQ(doc.Paragraphs[8].Runs[3].Text, "setup circles");
  EXPECT_FALSE(doc.Paragraphs[8].Runs[3].Bold);
  THelpForm* help = Sup()->HelpForm;
  EXPECT_EQ(help->Caption(), "Instructions for Settings utility");
  EXPECT_EQ(help->StartButton->Caption(), "Start");
  // 305 x 138 times the factor 1.28 of a 1024 x 768 screen, halves to even.
  EXPECT_EQ(help->ClientWidth(), 390);
  EXPECT_EQ(help->ClientHeight(), 177);
}

TEST_F(SupporterFixture, TheNoteAndTheInstalledCardsHintJoinTheDocumentWhenAskedFor) {
  Sup()->SetMultiPort(true);
  Sup()->SetOnGetCardString(TPCIEvent([](TObject*, int) { return std::string(); }));
  Sup()->StartUp();
  const TRichDocument& doc = Sup()->HelpForm->HelpRich->Document();
  ASSERT_EQ(doc.Paragraphs.size(), 16u);
  EXPECT_EQ(doc.Paragraphs[12].Runs[0].Text, "Note:");
  EXPECT_EQ(doc.Paragraphs[12].Runs[0].Size, 16);
  EXPECT_EQ(doc.Paragraphs[12].Runs[2].Text, "\u2014");
  EXPECT_EQ(doc.Paragraphs[14].Runs[0].Text,
            "To see a list of RT16-4K cards installed, click \"Display RT16-4K Cards Installed\" under the File menu.");
}

TEST_F(SupporterFixture, TechnicalSupportTextAndLayout) {
  Sup()->SetCallHow("");
  Sup()->StartUp();
  TTechForm* tech = Sup()->TechForm;
  EXPECT_EQ(tech->Caption(), "Technical Support");
  const std::string text = tech->TechMemo->Text();
  EXPECT_NE(text.find("and KELTO stands ready"), std::string::npos);
  EXPECT_NE(text.find("You can call us  for any of your product questions."), std::string::npos);
  EXPECT_EQ(tech->TechMemo->Lines()->Count(), 3);  // two paragraphs and an empty line
  EXPECT_EQ(tech->ClientWidth(), 305);
  EXPECT_EQ(tech->ClientHeight(), 122);
  EXPECT_EQ(tech->TechMemo->BoundsRect(), Bounds(0, 0, 305, 89));
  EXPECT_EQ(tech->CloseButton->BoundsRect(), Bounds(116, 97, 73, 25));
  tech->Show();
  tech->CloseButton->Click();
  EXPECT_FALSE(tech->Visible());
}

TEST_F(SupporterFixture, StartHidesTheHelpWindowAndOpensThePinnedBaseAddressPopup) {
  Application->SetMainForm(Form);
  ShowAndWait(Form);
  Sup()->StartUp();
  Tick();
  ASSERT_TRUE(Sup()->HelpForm->Visible());
  PressKey(Sup()->HelpForm->StartButton, TKey::Escape);  // Esc does what Start does
  EXPECT_FALSE(Sup()->HelpForm->Visible());
  auto* base = FindComponentAs<TBoardHighlight>(Form, "BaseHighlight");
  ASSERT_NE(base->Popup(), nullptr);
  EXPECT_TRUE(base->Popup()->Visible());
  EXPECT_TRUE(base->Pinned());
  base->Popup()->Hide();
  Application->SetMainForm(nullptr);
}

struct CardsCase {
  const char* Name;
  const char* Library;  // nullptr: nothing binds
  std::vector<std::string> Texts;
  std::vector<std::string> Lines;
  const char* Header;
};

void PrintTo(const CardsCase& C, std::ostream* Os) { *Os << C.Name; }

class InstalledCards : public SupporterFixture, public ::testing::WithParamInterface<CardsCase> {};

TEST_P(InstalledCards, AreListedAndDecideTheHeader) {
  if (GetParam().Library) lllqvrwdm::LoadQVRWDMFrom(GetParam().Library);
  std::vector<int> asked;
  Sup()->SetOnGetCardString(TPCIEvent([&](TObject* Sender, int Index) {
    EXPECT_EQ(Sender, Sup());
    asked.push_back(Index);
    return GetParam().Texts.at(static_cast<std::size_t>(Index));
  }));
  Sup()->StartUp();
  ASSERT_NE(Sup()->PCIForm, nullptr);
  EXPECT_EQ(Sup()->PCIForm->Caption(), "RT16-4K Cards installed");
  EXPECT_TRUE(Sup()->PCIForm->Visible());
  EXPECT_EQ(Sup()->PCIForm->PCIMemo->Lines()->ToVector(), GetParam().Lines);
  EXPECT_EQ(Sup()->HeaderLabel->Caption(), GetParam().Header);
  TMenuItem* file = Form->MainMenu1->Items()->Items(0);
  EXPECT_EQ(file->Items(0)->Caption(), "Display RT16-4K Cards Installed");
  EXPECT_EQ(file->Items(0)->Name(), "DisplayPCI");
  Sup()->PCIForm->CloseButton->Click();
  EXPECT_FALSE(Sup()->PCIForm->Visible());
  file->Items(0)->Click();
  EXPECT_TRUE(Sup()->PCIForm->Visible());
  Sup()->PCIForm->Hide();
}

INSTANTIATE_TEST_SUITE_P(
    Supporter, InstalledCards,
    ::testing::Values(
        CardsCase{"TwoCards", FAKE_FULL_LIBRARY, {"RT16-4K at 200", "RT16-4K at 300"},
                  {"RT16-4K at 200", "RT16-4K at 300"}, "RT16-4K Series Settings Program"},
        CardsCase{"TwoEmptyTexts", FAKE_FULL_LIBRARY, {"", ""}, {"No Card Found"}, "No RT16-4K Series Card Found"},
        CardsCase{"ZeroCards", FAKE_NO_CARD_LIBRARY, {}, {"No Card Found"}, "No RT16-4K Series Card Found"},
        CardsCase{"NegativeCount", FAKE_NEGATIVE_LIBRARY, {}, {"No Card Found"}, "No RT16-4K Series Card Found"},
        CardsCase{"LibraryIncomplete", FAKE_PARTIAL_LIBRARY, {}, {"No Card Found", "The card-driver library libQVRWDM.so is missing or incomplete."},
                  "No RT16-4K Series Card Found"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// ---- Calibration polling ------------------------------------------------------------------

struct PollingFixture : SupporterFixture {
  TComboBox* List = new TComboBox(Form);
  TButton* Button = new TButton(Form);
  TControl* HideMe = new TButton(Form);
  std::vector<int> Asked;
  std::set<int> Good;
  PollingFixture() {
    List->Items()->SetStrings(std::vector<std::string>(8, "?"));
    Button->SetCaption("Stop");
    Sup()->RegisterCalibDisplay(List, Button, HideMe);
    Sup()->SetOnGetCalibString(TCalibEvent([this](TObject*, std::uint8_t Channel, bool& Bad) {
      Asked.push_back(Channel);
      if (Good.count(Channel)) Bad = false;
      return "v" + std::to_string(Channel);
    }));
  }
};

TEST_F(PollingFixture, OneGoodChannelIsEnoughAndEveryChannelIsWritten) {
  Good = {5};
  Sup()->SetCalibrating(true);
  Tick();
  EXPECT_EQ(Asked.size(), 8u);
  EXPECT_TRUE(Boxes.Calls().empty());
  EXPECT_EQ(List->Items()->Get(5), "Channel 5\tv5");
  EXPECT_FALSE(HideMe->Visible());
  EXPECT_TRUE(Sup()->Calibrating());
}

TEST_F(PollingFixture, TotalFailureAsksRetryOrCancelWithPollingStopped) {
  bool calibratingDuringBox = true;
  Application->SetMessageBoxResponder([&](const TMessageBoxCall& Call) {
    calibratingDuringBox = Sup()->Calibrating();
    EXPECT_EQ(Call.Caption, "Total A/D failure");
    EXPECT_EQ(Call.Text,
              "Total A/D failure. The card may not be installed, or it may be installed at a different base address.");
    EXPECT_EQ(Call.Flags.Buttons, mbRetryCancel);
    EXPECT_EQ(Call.Flags.DefaultButton, 2);
    EXPECT_EQ(Call.Flags.Icon, miWarning);
    return static_cast<int>(mrRetry);
  });
  Sup()->SetCalibrating(true);
  Tick();
  EXPECT_FALSE(calibratingDuringBox);
  EXPECT_TRUE(Sup()->Calibrating());  // Retry resumes
  Application->SetMessageBoxResponder([](const TMessageBoxCall&) { return static_cast<int>(mrCancel); });
  Tick();
  EXPECT_FALSE(Sup()->Calibrating());
  EXPECT_EQ(Button->Caption(), "Start");  // the buttons get their Start state back
  Application->SetMessageBoxResponder({});
}

TEST_F(PollingFixture, NoChannelsMeansTotalFailureAndChangeButtonsFalseLeavesTheButtons) {
  Sup()->SetChannels(0);
  Sup()->SetChangeButtons(false);
  Boxes.SetAnswer(mrCancel);
  Sup()->SetCalibrating(true);
  Tick();
  EXPECT_TRUE(Asked.empty());
  ASSERT_EQ(Boxes.Calls().size(), 1u);
  EXPECT_EQ(Button->Caption(), "Stop");
}

TEST_F(PollingFixture, AMissingHandlerIsReportedAndAMissingItemIsAnIndexErrorThatPollingSurvives) {
  Sup()->SetOnGetCalibString({});
  Sup()->SetCalibrating(true);
  Tick();
  ASSERT_EQ(Boxes.Calls().size(), 1u);
  EXPECT_EQ(Boxes.Calls()[0].Caption, "OnGetCalibString Not Assigned");
  EXPECT_EQ(Boxes.Calls()[0].Text, "Error: calibration begun, but OnGetCalibString isn't assigned.");
  EXPECT_FALSE(Sup()->Calibrating());
  EXPECT_EQ(Button->Caption(), "Start");

  Boxes.Clear();
  Sup()->SetOnGetCalibString(TCalibEvent([](TObject*, std::uint8_t, bool& Bad) {
    Bad = false;
    return std::string("x");
  }));
  List->Items()->SetStrings({"a", "b"});  // no item for channels 2 to 7
  Sup()->SetCalibrating(true);
  Tick();
  ASSERT_EQ(Boxes.Calls().size(), 1u);  // the standard report of the index error
  EXPECT_NE(Boxes.Calls()[0].Text.find("List index out of bounds"), std::string::npos);
  EXPECT_TRUE(Sup()->Calibrating());
  Sup()->SetCalibrating(false);
}

}  // namespace
