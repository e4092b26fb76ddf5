#include <gtest/gtest.h>

#include "KELTO32/PortIO.h"
#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/SupportForms.h"
#include "template/MainForm.h"
#include "vcl/Assets.h"
#include "vcl/FormData.h"
#include "vcl/Menus.h"
#include "vcl/Testing.h"

using namespace vcl;
using namespace vcl::testkit;
using namespace setupctrls;

namespace {

// Answers every read of port 0x61 with a fixed value and records nothing else.
class TFixedPort61 final : public kelto32::TPortBackend {
 public:
  explicit TFixedPort61(std::uint16_t Value) : FValue(Value) {}
  std::uint16_t Read(std::uint16_t Port) override { return Port == 0x61 ? FValue : 0xFF; }
  void Write(std::uint16_t, std::uint8_t) override {}
  std::string Name() const override { return "fixed"; }

 private:
  std::uint16_t FValue;
};

// A main window built from its form data on the simulated card, with message boxes answered.
struct MainFormFixture : ::testing::Test {
  TMessageBoxRecorder Boxes{mrOk};
  TMainForm* Form = nullptr;
  MainFormFixture() { Form = new TMainForm(nullptr); }
  ~MainFormFixture() override {
    Application->SetOnIdle({});
    delete Form;
  }
  TControl* Control(const std::string& Name) {
    auto* c = FindComponentAs<TControl>(Form, Name);
    if (!c) ADD_FAILURE() << "no control " << Name;
    return c;
  }
};

struct TreeRow {
  const char* Name;
  const char* Class;
  const char* Parent;
  TRect Bounds;  // Left, Top, Width, Height as in the design tables; a Width of 0 means
                 // a label that takes the size of its text in the installed font
  bool Visible;
};

TEST_F(MainFormFixture, TheComponentTreeMatchesTheDesign) {
  const TreeRow rows[] = {
      {"BoardImage1", "TBoardImage", "MainForm", {126, 98, 600, 313}, true},
      {"BaseHighlight", "TBoardHighlight", "BoardImage1", {234, 207, 67, 33}, true},
      {"IRQSHighlight", "TBoardHighlight", "BoardImage1", {376, 208, 57, 31}, true},
      {"SeDiffHighlight", "TBoardHighlight", "BoardImage1", {526, 10, 41, 65}, true},
      {"CalibHighlight1", "TBoardHighlight", "BoardImage1", {224, 0, 73, 57}, true},
      {"BoardHighlight1", "TBoardHighlight", "BoardImage1", {382, 40, 17, 25}, true},
      {"BoardHighlight2", "TBoardHighlight", "BoardImage1", {389, 60, 25, 17}, true},
      {"BoardHighlight3", "TBoardHighlight", "BoardImage1", {506, 14, 25, 17}, true},
      {"BasePanel", "TRadioPanel", "MainForm", {446, 440, 161, 113}, false},
      {"IRQPanel", "TRadioPanel", "MainForm", {96, 424, 257, 121}, false},
      {"SeDiffPanel", "TRadioPanel", "MainForm", {670, 400, 187, 217}, false},
      {"CalibPanel", "TRadioPanel", "MainForm", {712, 182, 193, 171}, false},
      {"BaseEdit", "TEdit", "BasePanel", {48, 8, 41, 21}, true},
      {"BaseFeedbackLabel", "TLabel", "BasePanel", {96, 8, 57, 21}, true},
      {"BaseBA", "TBaseAddress", "BasePanel", {32, 40, 102, 61}, true},
      {"Label17", "TLabel", "IRQPanel", {88, 12, 0, 0}, true},
      {"IRQBox", "TComboBox", "IRQPanel", {84, 29, 69, 21}, true},
      {"Label44", "TLabel", "IRQPanel", {77, 56, 0, 0}, true},
      {"IRQ7", "TTwoJumper", "IRQPanel", {72, 72, 17, 34}, true},
      {"IRQ4", "TTwoJumper", "IRQPanel", {120, 72, 17, 34}, true},
      {"IRQ2", "TTwoJumper", "IRQPanel", {152, 72, 17, 34}, true},
      {"CH0", "TCheckBox", "SeDiffPanel", {8, 32, 97, 17}, true},
      {"CH7", "TCheckBox", "SeDiffPanel", {8, 165, 97, 17}, true},
      {"SePianoSwitch", "TPianoSwitch", "SeDiffPanel", {128, 24, 49, 161}, true},
      {"Label1", "TLabel", "SeDiffPanel", {128, 0, 36, 20}, true},
      {"Label2", "TLabel", "SeDiffPanel", {128, 192, 36, 20}, true},
      {"Label4", "TLabel", "CalibPanel", {56, 16, 76, 16}, true},
      {"Label3", "TLabel", "CalibPanel", {8, 40, 163, 64}, true},
      {"CalibButton", "TButton", "CalibPanel", {48, 128, 99, 25}, true},
      {"CalibStart", "TPanel", "MainForm", {8, 56, 193, 337}, false},
      {"CTitle", "TLabel", "CalibStart", {8, 8, 177, 41}, true},
      {"CBody", "TLabel", "CalibStart", {8, 56, 177, 120}, true},
      {"CBody2", "TLabel", "CalibStart", {8, 176, 177, 81}, true},
      {"Image1", "TImage", "CalibStart", {23, 270, 145, 65}, true},
      {"PotMarker", "TShape", "CalibStart", {60, 275, 25, 57}, false},
      {"Data", "TPanel", "MainForm", {216, 56, 137, 193}, false},
      {"Prev", "TButton", "Data", {6, 158, 35, 25}, true},
      {"Next", "TButton", "Data", {51, 158, 35, 25}, false},
      {"Quit", "TButton", "Data", {95, 158, 35, 25}, true},
      {"CountPanel", "TPanel", "MainForm", {216, 255, 137, 122}, false},
      {"Finish", "TButton", "CountPanel", {32, 84, 75, 25}, true},
  };
  for (const TreeRow& r : rows) {
    SCOPED_TRACE(r.Name);
    TControl* c = Control(r.Name);
    if (!c) continue;
    EXPECT_EQ(c->ClassName(), r.Class);
    ASSERT_NE(c->Parent(), nullptr);
    EXPECT_EQ(c->Parent()->Name(), r.Parent);
    if (r.Bounds.Right == 0) {
      EXPECT_EQ(c->Left(), r.Bounds.Left);
      EXPECT_EQ(c->Top(), r.Bounds.Top);
    } else {
      EXPECT_EQ(c->BoundsRect(), Bounds(r.Bounds.Left, r.Bounds.Top, r.Bounds.Right, r.Bounds.Bottom));
    }
    EXPECT_EQ(c->Visible(), r.Visible);
    EXPECT_EQ(c->Owner(), Form);
  }
}

TEST_F(MainFormFixture, HighlightsJumpersAndCheckBoxesCarryTheirSettings) {
  struct Row {
    const char* Name;
    THighlightType Type;
    const char* Title;
    const char* Panel;
  } highlights[] = {{"BaseHighlight", htSettings, "&Base Address", "BasePanel"},
                    {"IRQSHighlight", htSettings, "&IRQ", "IRQPanel"},
                    {"SeDiffHighlight", htSettings, "&S/E or Diff", "SeDiffPanel"},
                    {"CalibHighlight1", htCalibration, "&Calibration", "CalibPanel"},
                    {"BoardHighlight3", htCalibration, "&Calibration", "CalibPanel"}};
  for (const Row& r : highlights) {
    auto* h = FindComponentAs<TBoardHighlight>(Form, r.Name);
    ASSERT_NE(h, nullptr) << r.Name;
    EXPECT_EQ(h->HighlightType(), r.Type) << r.Name;
    EXPECT_EQ(h->Title(), r.Title) << r.Name;
    ASSERT_NE(h->RadioPanel(), nullptr) << r.Name;
    EXPECT_EQ(h->RadioPanel()->Name(), r.Panel) << r.Name;
  }
  EXPECT_EQ(Form->BoardImage1->First()->Name(), "BaseHighlight");
  EXPECT_EQ(Form->BoardImage1->Menu(), Form->MainMenu1);
  EXPECT_TRUE(Form->BoardImage1->Stretch());
  EXPECT_FALSE(Form->BoardImage1->AutoSize());
  EXPECT_EQ(Form->BoardImage1->Picture()->Width(), 600);
  EXPECT_EQ(Form->BoardImage1->Picture()->Height(), 313);

  for (int n = 1; n <= 6; ++n) {
    ASSERT_NE(IRQJumpers[n], nullptr);
    EXPECT_EQ(IRQJumpers[n]->Name(), "IRQ" + std::to_string(n + 1));
    EXPECT_EQ(IRQJumpers[n]->Tag(), n);
    EXPECT_EQ(IRQJumpers[n]->Orientation(), otLeft);
    EXPECT_FALSE(IRQJumpers[n]->Closed());
    EXPECT_EQ(IRQJumpers[n]->OnClick().MethodName(), "IRQ7Click");
  }
  for (int n = 0; n < 8; ++n) {
    EXPECT_EQ(Form->CH[n]->Caption(), "S/E CH" + std::to_string(n));
    EXPECT_EQ(Form->CH[n]->Tag(), n);
    EXPECT_EQ(Form->CH[n]->TabOrder(), n);
    EXPECT_FALSE(Form->CH[n]->Checked());
    EXPECT_EQ(Form->CH[n]->OnClick().MethodName(), "ChannelBoxClick");
  }
  EXPECT_EQ(Form->SePianoSwitch->NumSwitches(), 8);
  EXPECT_EQ(Form->SePianoSwitch->BinaryValueStr(), "00000000");
  EXPECT_EQ(Form->BaseBA->BaseAddressStr(), "200");
  EXPECT_EQ(Form->BaseEdit->Text(), "200");
  EXPECT_EQ(Form->BaseEdit->OnChange().MethodName(), "BaseEditChange");
  EXPECT_EQ(Form->IRQBox->Items()->ToVector(),
            (std::vector<std::string>{"None", "IRQ2", "IRQ3", "IRQ4", "IRQ5", "IRQ6", "IRQ7"}));
  EXPECT_EQ(Form->IRQBox->ItemIndex(), -1);
  EXPECT_EQ(Form->IRQBox->OnChange().MethodName(), "IRQBoxChange");
  EXPECT_EQ(FindComponentAs<TLabel>(Form, "Label44")->Caption(), "7   6   5   4   3   2");
  EXPECT_EQ(FindComponentAs<TLabel>(Form, "Label6")->Caption(), "Base Addres: ");
  EXPECT_EQ(FindComponentAs<TLabel>(Form, "Label8")->Caption(), "IRQ Level: ");
  EXPECT_EQ(FindComponentAs<TLabel>(Form, "Label9")->Caption(), "Software Gain of: ");
  EXPECT_EQ(Form->CalibButton->Caption(), "Begin Calibration");
  EXPECT_EQ(Form->CalibButton->OnClick().MethodName(), "CalibButtonClick");
  EXPECT_EQ(Form->Finish->OnClick().MethodName(), "FinishClick");
  EXPECT_EQ(Form->PotMarker->Pen().Color(), clRed);
  EXPECT_EQ(Form->PotMarker->Pen().Width(), 3);
  EXPECT_EQ(Form->BasePanel->Lines()->ToVector(),
            (std::vector<std::string>{"Enter the base address(in hex, from 100 to 3F0) on the top, then set the "
                                      "card's address switch to match the one on the bottom."}));
  EXPECT_EQ(Form->SeDiffPanel->Lines()->Count(), 3);
  EXPECT_EQ(Form->SetSup->CompanyName(), "KELTO");
  EXPECT_EQ(Form->SetSup->CardNameA(), "RT16-4K");
  EXPECT_EQ(Form->SetSup->CardNameB(), "QVR4K");
  EXPECT_TRUE(Form->SetSup->ChangeButtons());
  EXPECT_FALSE(Form->SetSup->CallHow().empty());
}

TEST_F(MainFormFixture, MenuHasFileAndHelpWithTheirItems) {
  TMenuItem* items = Form->MainMenu1->Items();
  ASSERT_EQ(items->Count(), 2);
  EXPECT_EQ(items->Items(0)->Caption(), "&File");
  EXPECT_EQ(items->Items(0)->Items(0)->Caption(), "&Exit");
  EXPECT_EQ(items->Items(1)->Caption(), "&Help");
  EXPECT_EQ(items->Items(1)->Items(0)->Caption(), "H&ow to use this program");
  EXPECT_EQ(items->Items(1)->Items(1)->Caption(), "&Technical Support");
  EXPECT_EQ(Form->Menu(), Form->MainMenu1);
  // Before the supporter has built its windows the Help items do nothing.
  items->Items(1)->Items(0)->Click();
  items->Items(1)->Items(1)->Click();
  for (int i = 0; i < Screen->FormCount(); ++i) EXPECT_FALSE(Screen->Forms(i)->Visible());
  Form->SetSup->StartUp();
  items->Items(1)->Items(0)->Click();
  items->Items(1)->Items(1)->Click();
  EXPECT_TRUE(Form->SetSup->HelpForm->Visible());
  EXPECT_TRUE(Form->SetSup->TechForm->Visible());
}

TEST_F(MainFormFixture, AtStartOnlyThePhotographItsCirclesAndTheMenuAreVisible) {
  ShowAndWait(Form);
  for (int i = 0; i < Form->ControlCount(); ++i) {
    TControl* c = Form->Controls(i);
    // The supporter's header joins at the first idle.
    EXPECT_EQ(c->Visible(), c == Form->BoardImage1 || c->Name() == "HeaderLabel") << c->Name();
  }
  EXPECT_EQ(Form->Caption(), "Setup");
  EXPECT_EQ(Form->Color(), clWhite);
  EXPECT_EQ(Form->WindowState(), wsMaximized);
  EXPECT_EQ(Form->Width(), Screen->Width());
  EXPECT_EQ(Form->Height(), Screen->Height());
}

TEST_F(MainFormFixture, TheSupporterStartsOnceAtTheFirstIdle) {
  ASSERT_TRUE(WaitFor([&] { return Form->SetSup->HeaderLabel != nullptr; }));
  EXPECT_FALSE(Application->OnIdle());
  for (int i = 0; i < 3; ++i) {
    Form->Invalidate();
    ProcessEvents();
  }
  // A second start-up would fail to name a second "HeaderLabel" and report it.
  EXPECT_TRUE(Boxes.Calls().empty());
  EXPECT_EQ(Form->SetSup->HeaderLabel->Caption(), "RT16-4K Series Settings Program");
}

TEST_F(MainFormFixture, WritingTheFormBackAndReadingItAgainGivesTheSameTree) {
  const std::string written = WriteFormData(Form);
  TMainForm copy(nullptr, TFormDataLoading::Skip);
  ReadFormData(&copy, written, "written");
  EXPECT_EQ(WriteFormData(&copy), written);
  ASSERT_EQ(copy.ComponentCount(), Form->ComponentCount());
  for (int i = 0; i < Form->ComponentCount(); ++i) {
    EXPECT_EQ(copy.Components(i)->Name(), Form->Components(i)->Name());
    EXPECT_EQ(copy.Components(i)->ClassName(), Form->Components(i)->ClassName());
  }
}

TEST(MainForm, FileExitClosesTheMainWindowAndEndsTheProgram) {
  TMessageBoxRecorder boxes;
  Application->CreateForm(MainForm);
  ASSERT_EQ(Application->MainForm(), MainForm);
  ShowAndWait(MainForm);
  MainForm->MainMenu1->Items()->Items(0)->Items(0)->Click();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(MainForm->Visible());
  Application->SetOnIdle({});
}

// A damaged photograph in the program makes the main window fail to build: the start reports
// where and why in an error box, no window is left half-built, and the loop does not start.
TEST(MainForm, ACorruptPictureIsReportedAtStartAndTheProgramEndsWithoutALoop) {
  TMainForm::Register();
  const TAsset good = *FindAsset("card.jpg");
  static const unsigned char kBroken[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01};
  RegisterAsset("card.jpg", kBroken, sizeof kBroken);
  TForm* const previousMain = Application->MainForm();
  Application->SetMainForm(nullptr);
  const int formsBefore = Application->ComponentCount();
  TMessageBoxRecorder boxes;
  TMainForm* form = nullptr;
  Application->CreateForm(form);
  RegisterAsset("card.jpg", good.Data, good.Size);
  EXPECT_EQ(form, nullptr);
  EXPECT_EQ(Application->MainForm(), nullptr);
  EXPECT_EQ(Application->ComponentCount(), formsBefore);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].Flags.Icon, miError);
  EXPECT_NE(boxes.Calls()[0].Text.find("MainForm.form:51"), std::string::npos) << boxes.Calls()[0].Text;
  EXPECT_NE(boxes.Calls()[0].Text.find("JPEG"), std::string::npos) << boxes.Calls()[0].Text;
  Application->Run();  // returns at once: there is no window whose closing could end it
  Application->SetMainForm(previousMain);
}

class PortDriverCheck : public ::testing::TestWithParam<std::uint16_t> {};

TEST_P(PortDriverCheck, WarnsOnlyWhenPort61Reads0xAA55AndStartUpGoesOnAfterCancel) {
  kelto32::SetPortBackend(std::make_unique<TFixedPort61>(GetParam()));
  TMessageBoxRecorder boxes(mrCancel);
  auto* form = new TMainForm(nullptr);
  const bool missing = GetParam() == 0xAA55;
  ASSERT_EQ(boxes.Calls().size(), missing ? 1u : 0u);
  if (missing) {
    EXPECT_EQ(boxes.Calls()[0].Caption, "Warning");
    EXPECT_EQ(boxes.Calls()[0].Text,
              "KELTONT.SYS not detected. Please copy KELTONT.SYS into [NT]/system32/drivers and re-run this "
              "setup program.");
    EXPECT_EQ(boxes.Calls()[0].Flags.Buttons, mbOKCancel);
    EXPECT_EQ(boxes.Calls()[0].Flags.Icon, miNone);
  }
  EXPECT_EQ(form->Caption(), "Setup");  // the window was built either way
  EXPECT_FALSE(Application->Terminated());
  Application->SetOnIdle({});
  delete form;
  kelto32::SetPortBackend(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Port61, PortDriverCheck, ::testing::Values(0xAA55, 0x00AA, 0x0055, 0x00FF, 0x0020),
                         [](const auto& Info) { return "Reads" + std::to_string(Info.param); });

}  // namespace
