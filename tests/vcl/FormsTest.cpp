#include <gtest/gtest.h>

#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "vcl/Platform.h"
#include "vcl/StdCtrls.h"
#include "vcl/Testing.h"

using namespace vcl;
using namespace vcl::testkit;

namespace {

struct IdleFixture : ::testing::Test {
  ~IdleFixture() override { Application->SetOnIdle({}); }
};

TEST_F(IdleFixture, IdleIsRaisedOnceTheQueueHasEmptiedAndNotWhileNothingHappens) {
  int idles = 0;
  Application->SetOnIdle(TIdleEvent([&](TObject* Sender, bool&) { idles += Sender == Application; }));
  ASSERT_TRUE(WaitFor([&] { return idles >= 1; }));
  const int settled = idles;
  for (int i = 0; i < 5; ++i) ProcessEvents();
  EXPECT_EQ(idles, settled);
}

TEST_F(IdleFixture, AHandlerThatIsNotDoneIsCalledAgainAndCanRemoveItself) {
  int idles = 0;
  Application->SetOnIdle(TIdleEvent([&](TObject*, bool& Done) {
    Done = ++idles >= 3;
    if (idles == 3) Application->SetOnIdle({});  // a one-shot handler removes itself
  }));
  ASSERT_TRUE(WaitFor([&] { return idles >= 3; }));
  for (int i = 0; i < 5; ++i) ProcessEvents();
  EXPECT_EQ(idles, 3);
}

TEST(MessageWindow, TimerTicksArriveAsTimerMessagesUntilKilled) {
  std::vector<std::intptr_t> ticks;
  TMessageWindow window([&](TMessage& M) {
    if (M.Msg == WM_TIMER) ticks.push_back(M.WParam);
  });
  ASSERT_TRUE(window.SetTimer(1, 20));
  ASSERT_TRUE(WaitFor([&] { return ticks.size() >= 3; }));
  EXPECT_EQ(ticks[0], 1);
  window.KillTimer(1);
  EXPECT_FALSE(window.TimerActive(1));
  const std::size_t seen = ticks.size();
  ASSERT_TRUE(window.SetTimer(2, 10));
  window.KillTimer(2);
  for (int i = 0; i < 5; ++i) ProcessEvents();
  EXPECT_EQ(ticks.size(), seen);
}

TEST(MessageWindow, ARefusedTimerIsReportedAndAnExceptionInATickReachesTheErrorReport) {
  TMessageBoxRecorder boxes;
  TMessageWindow window([](TMessage& M) {
    if (M.Msg == WM_TIMER) throw EOutOfResources("tick failed");
  });
  TMessageWindow::SetRefuseTimers(true);
  EXPECT_FALSE(window.SetTimer(1, 10));
  TMessageWindow::SetRefuseTimers(false);
  ASSERT_TRUE(window.SetTimer(1, 10));
  ASSERT_TRUE(WaitFor([&] { return !boxes.Calls().empty(); }));
  window.KillTimer(1);
  EXPECT_EQ(boxes.Calls()[0].Text, "tick failed");
}

TEST(TickCount, DifferencesSurviveTheWrapAround) {
  std::uint32_t now = 0xFFFFFFF0u;
  SetTickCountSource([&] { return now; });
  const std::uint32_t start = GetTickCount();
  now += 0x20;  // wraps past zero
  EXPECT_EQ(GetTickCount() - start, 0x20u);
  SetTickCountSource({});
  EXPECT_NE(GetTickCount(), now);
}

TEST(MessageBox, TheResponderSeesCaptionTextButtonsAndIconAndAnswers) {
  TMessageBoxRecorder boxes(mrCancel);
  const int answer = Application->MessageBox("KELTONT.SYS not detected.", "Warning", {mbOKCancel, miNone});
  EXPECT_EQ(answer, mrCancel);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].Caption, "Warning");
  EXPECT_EQ(boxes.Calls()[0].Text, "KELTONT.SYS not detected.");
  EXPECT_EQ(boxes.Calls()[0].Flags.Buttons, mbOKCancel);
  EXPECT_EQ(boxes.Calls()[0].Flags.Icon, miNone);
}

struct DialogFixture : ::testing::Test {
  TForm* Form = new TForm(Application);
  TEdit* Edit = new TEdit(Form);
  TButton* Ok = new TButton(Form);
  TButton* Cancel = new TButton(Form);
  std::vector<std::string> Clicked;
  DialogFixture() {
    Form->SetBounds(100, 100, 300, 200);
    for (TWinControl* c : std::initializer_list<TWinControl*>{Edit, Ok, Cancel}) c->SetParent(Form);
    Ok->SetBounds(10, 50, 75, 25);
    Cancel->SetBounds(100, 50, 75, 25);
    Ok->SetDefault(true);
    Cancel->SetCancel(true);
    Ok->SetOnClick(TNotifyEvent([this](TObject*) { Clicked.push_back("Ok"); }));
    Cancel->SetOnClick(TNotifyEvent([this](TObject*) { Clicked.push_back("Cancel"); }));
  }
  ~DialogFixture() override { delete Form; }
};

TEST_F(DialogFixture, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
  ShowAndWait(Form);
  Edit->SetFocus();
  PressKey(Edit, TKey::Return);
  PressKey(Edit, TKey::Escape);
  EXPECT_EQ(Clicked, (std::vector<std::string>{"Ok", "Cancel"}));
}

TEST_F(DialogFixture, TypingRaisesOnChangeForEveryChangeOfTheText) {
  std::vector<std::string> texts;
  Edit->SetOnChange(TNotifyEvent([&](TObject*) { texts.push_back(Edit->Text()); }));
  ShowAndWait(Form);
  Edit->SetText("");
  TypeText(Edit, "2a0");
  EXPECT_EQ(texts, (std::vector<std::string>{"2", "2a", "2a0"}));
  Edit->SetText("300");
  EXPECT_EQ(texts.back(), "300");
}

TEST_F(DialogFixture, CloseHidesUnlessTheCloseEventKeepsTheWindow) {
  ShowAndWait(Form);
  TCloseAction action = caHide;
  Form->SetOnClose(TCloseEvent([&](TObject*, TCloseAction& A) { A = action; }));
  action = caNone;
  Form->Close();
  EXPECT_TRUE(Form->Visible());
  action = caHide;
  Form->Close();
  EXPECT_FALSE(Form->Visible());
  EXPECT_FALSE(Application->Terminated());
}

TEST_F(DialogFixture, FitClientToControlsTakesTheBoundingBoxOfTheVisibleChildren) {
  Edit->SetBounds(8, 8, 100, 21);
  Ok->SetBounds(20, 105, 75, 25);
  Cancel->Hide();
  Form->FitClientToControls();
  EXPECT_EQ(Form->ClientWidth(), 100);
  EXPECT_EQ(Form->ClientHeight(), 122);
  EXPECT_EQ(Edit->Left(), 0);
  EXPECT_EQ(Edit->Top(), 0);
  EXPECT_EQ(Ok->Left(), 12);
  EXPECT_EQ(Ok->Top(), 97);
}

TEST(Form, TheMenuBarLiesOutsideTheClientAreaAndScreenListsHiddenForms) {
  auto* form = new TForm(Application);
  form->SetBounds(0, 0, 400, 300);
  EXPECT_EQ(form->ClientHeight(), 300);
  auto* menu = new TMainMenu(form);
  auto* file = new TMenuItem(form);
  file->SetCaption("&File");
  menu->Items()->Add(file);
  form->SetMenu(menu);
  EXPECT_EQ(form->Height(), 300);
  EXPECT_LT(form->ClientHeight(), 300);
  EXPECT_GT(form->ClientHeight(), 250);
  EXPECT_EQ(form->ClientWidth(), 400);

  bool listed = false;
  for (int i = 0; i < Screen->FormCount(); ++i) listed |= Screen->Forms(i) == form;
  EXPECT_TRUE(listed);
  EXPECT_FALSE(form->Visible());
  delete form;
  for (int i = 0; i < Screen->FormCount(); ++i) EXPECT_NE(Screen->Forms(i), form);
}

TEST(Screen, OffscreenTestScreenIs1024By768At96Dpi) {
  EXPECT_EQ(Screen->Width(), 1024);
  EXPECT_EQ(Screen->Height(), 768);
  EXPECT_EQ(Screen->PixelsPerInch(), 96);
}

}  // namespace

namespace {

TEST(Form, ActivationIsReportedToTheFormAndItsEvents) {
  struct TWatched : TForm {
    using TForm::TForm;
    std::vector<std::string> Log;
    void ActivationChanged(bool Active) override { Log.push_back(Active ? "active" : "inactive"); }
  };
  auto* a = new TWatched(Application);
  auto* b = new TWatched(Application);
  a->SetBounds(0, 0, 200, 100);
  b->SetBounds(300, 0, 200, 100);
  std::vector<std::string> events;
  a->SetOnActivate(TNotifyEvent([&](TObject*) { events.push_back("a activate"); }));
  a->SetOnDeactivate(TNotifyEvent([&](TObject*) { events.push_back("a deactivate"); }));
  ShowAndWait(a);
  ASSERT_TRUE(WaitFor([&] { return a->Active(); }));
  ShowAndWait(b);
  ASSERT_TRUE(WaitFor([&] { return b->Active(); }));
  EXPECT_EQ(a->Log, (std::vector<std::string>{"active", "inactive"}));
  EXPECT_EQ(events, (std::vector<std::string>{"a activate", "a deactivate"}));
  EXPECT_EQ(Screen->ActiveForm(), b);
  delete a;
  delete b;
}

TEST(Form, MainFormCentrePlacesAWindowOverTheMainWindowTheFirstTimeOnly) {
  auto* main = new TForm(nullptr);
  Application->SetMainForm(main);
  main->SetBounds(100, 50, 600, 400);
  auto* help = new TForm(main);
  help->SetBounds(0, 0, 200, 100);
  help->SetPosition(poMainFormCenter);
  help->Show();
  EXPECT_EQ(help->Left(), 300);
  EXPECT_EQ(help->Top(), 200);
  help->Hide();
  help->SetLeft(10);
  help->Show();
  EXPECT_EQ(help->Left(), 10);
  delete main;  // frees the help window it owns
  EXPECT_EQ(Application->MainForm(), nullptr);
}

}  // namespace
