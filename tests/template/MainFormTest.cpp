#include <gtest/gtest.h>

#include "template/MainForm.h"
#include "vcl/Menus.h"
#include "vcl/Testing.h"

using namespace vcl;
using namespace vcl::testkit;

namespace {

TEST(MainForm, OpensMaximisedAsSetupWithTheFileAndHelpMenus) {
  Application->CreateForm(MainForm);
  ASSERT_EQ(Application->MainForm(), MainForm);
  EXPECT_EQ(MainForm->Caption(), "Setup");
  EXPECT_EQ(MainForm->Color(), clWhite);
  EXPECT_EQ(MainForm->WindowState(), wsMaximized);
  ASSERT_NE(MainForm->Menu(), nullptr);
  TMenuItem* items = MainForm->Menu()->Items();
  ASSERT_EQ(items->Count(), 2);
  EXPECT_EQ(items->Items(0)->Caption(), "&File");
  EXPECT_EQ(items->Items(1)->Caption(), "&Help");
  EXPECT_EQ(items->Items(0)->Items(0)->Caption(), "&Exit");

  ShowAndWait(MainForm);
  EXPECT_EQ(MainForm->Width(), Screen->Width());
  EXPECT_EQ(MainForm->Height(), Screen->Height());

  // File > Exit closes the main window, which ends the program.
  items->Items(0)->Items(0)->Click();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(MainForm->Visible());
}

}  // namespace

#include "KELTO32/PortIO.h"

namespace {

// Answers every read of port 0x61 with a fixed value.
class TFixedPort61 final : public kelto32::TPortBackend {
 public:
  explicit TFixedPort61(std::uint16_t Value) : FValue(Value) {}
  std::uint16_t Read(std::uint16_t Port) override { return Port == 0x61 ? FValue : 0xFF; }
  void Write(std::uint16_t, std::uint8_t) override {}
  std::string Name() const override { return "fixed"; }

 private:
  std::uint16_t FValue;
};

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
  delete form;
  kelto32::SetPortBackend(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Port61, PortDriverCheck, ::testing::Values(0xAA55, 0x00AA, 0x0055, 0x00FF, 0x0020),
                         [](const auto& Info) { return "Reads" + std::to_string(Info.param); });

}  // namespace
