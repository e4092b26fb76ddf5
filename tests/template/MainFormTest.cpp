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
