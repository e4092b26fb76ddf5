#include "SetupCtrls/SetupSupporter.h"

#include <cmath>

#include "LLLQVRWDM/LLLQVRWDM.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/SupportForms.h"
#include "vcl/Menus.h"

using namespace vcl;

namespace setupctrls {

namespace {

constexpr unsigned kTimerId = 1;
constexpr unsigned kTimerMs = 100;

const TColor kText = RGB(64, 64, 64);
const TColor kYellow = RGB(255, 255, 64);
const TColor kBlue = RGB(64, 64, 255);
const TColor kRed = RGB(255, 64, 64);

TTextRun Run(std::string Text, TColor Color = kText, bool Bold = false, int Size = 12) {
  return {std::move(Text), Color, Size, Bold};
}

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double V) { return static_cast<int>(std::nearbyint(V)); }

}  // namespace

// ---- Component --------------------------------------------------------------------------

TSetupSupporter::TSetupSupporter(TComponent* AOwner)
    : TComponent(AOwner), FWindowHandle(std::make_unique<TMessageWindow>([this](TMessage& M) { WndProc(M); })) {}

TSetupSupporter::~TSetupSupporter() {
  FCalibrating = false;
  FHelpPending = false;
  try {
    UpdateTimer();
  } catch (...) {
    // Stopping a timer cannot be refused; nothing may escape a destructor.
  }
  FWindowHandle.reset();  // ends any timer of the window
}

TForm* TSetupSupporter::MainWindow() const {
  if (TForm* main = Application->MainForm()) return main;
  return dynamic_cast<TForm*>(Owner());
}

void TSetupSupporter::ApplicationIdle(TObject* Sender, bool&) {
  if (auto* app = dynamic_cast<TApplication*>(Sender)) app->SetOnIdle({});
  StartUp();
}

void TSetupSupporter::StartUp() {
  const std::string card = CardName();
  TForm* main = MainWindow();
  if (!main) throw EInvalidOperation("The setup supporter needs a main window");

  HeaderLabel = new TLabel(main);
  HeaderLabel->SetName("HeaderLabel");
  HeaderLabel->Font()->SetName("Tahoma");
  HeaderLabel->Font()->SetSize(18);
  HeaderLabel->Font()->SetStyle({fsBold});
  HeaderLabel->Font()->SetColor(clBlack);
  HeaderLabel->SetAlignment(taCenter);
  HeaderLabel->SetParent(main);
  HeaderLabel->SetAlign(alTop);

  BuildHelpForm(card);
  BuildTechForm();

  bool found = true;
  if (FOnGetCardString) {
    if (TMainMenu* menu = main->Menu()) {
      TMenuItem* root = menu->Items();
      for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* file = root->Items(i);
        if (file->Caption() != "&File") continue;
        auto* entry = new TMenuItem(file);
        entry->SetName("DisplayPCI");
        entry->SetCaption("Display " + card + " Cards Installed");
        entry->SetOnClick(TNotifyEvent(this, &TSetupSupporter::DisplayPCIClick));
        file->Insert(0, entry);
        break;
      }
    }
    found = BuildPCIForm(card);
  }
  HeaderLabel->SetCaption(found ? card + SeriesSuffix() + " Settings Program"
                                 : "No " + card + (FbSeries ? " Series Card" : "") + " Found");
  FHelpPending = true;
  UpdateTimer();
}

void TSetupSupporter::WndProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER) {
    FWindowHandle->DefWindowProc(Message);
    return;
  }
  try {
    TimerTick();
  } catch (const std::exception& e) {
    Application->HandleException(e);
  }
}

void TSetupSupporter::UpdateTimer() {
  FWindowHandle->KillTimer(kTimerId);
  if ((FCalibrating || FHelpPending) && !FWindowHandle->SetTimer(kTimerId, kTimerMs))
    throw EOutOfResources("Not enough timers available");
}

void TSetupSupporter::SetCalibrating(bool Value) {
  if (Value == FCalibrating) return;
  FCalibrating = Value;
  UpdateTimer();
}

void TSetupSupporter::SetOnBeginCalib(const TNotifyEvent& Value) {
  FOnBeginCalib = Value;
  UpdateTimer();
}

void TSetupSupporter::TimerTick() {
  if (FHelpPending) {
    if (HelpForm) HelpForm->Show();
    FHelpPending = false;
    UpdateTimer();
    return;
  }
  Poll();
}

// ---- Windows ----------------------------------------------------------------------------

void TSetupSupporter::BuildHelpForm(const std::string& Card) {
  auto* f = new THelpForm(MainWindow());
  f->SetName("HelpForm");
  f->SetCaption("Instructions for Settings utility");
  f->SetFormStyle(fsStayOnTop);
  f->SetPosition(poMainFormCenter);

  f->HelpLabel = new TLabel(f);
  f->HelpLabel->SetName("HelpLabel");
  f->HelpLabel->Font()->SetName("Verdana");
  f->HelpLabel->Font()->SetSize(12);
  f->HelpLabel->Font()->SetStyle({fsBold});
  f->HelpLabel->SetAlignment(taCenter);
  f->HelpLabel->SetCaption("How to use this program");
  f->HelpLabel->SetParent(f);
  f->HelpLabel->SetAlign(alTop);

  f->HelpRich = new TRichEdit(f);
  f->HelpRich->SetName("HelpRich");
  f->HelpRich->SetParent(f);
  f->HelpRich->SetBounds(0, 24, 305, 73);
  f->HelpRich->SetReadOnly(true);
  f->HelpRich->SetScrollBars(ssVertical);
  f->HelpRich->SetWordWrap(true);
  f->HelpRich->SetColor(RGB(221, 221, 221));

  f->StartButton = new TButton(f);
  f->StartButton->SetName("StartButton");
  f->StartButton->SetParent(f);
  f->StartButton->SetBounds(0, 105, 173, 25);
  f->StartButton->SetCaption("Start");
  f->StartButton->SetDefault(true);
  f->StartButton->SetCancel(true);
  f->StartButton->SetTabOrder(0);
  f->StartButton->SetOnClick(TNotifyEvent(f, &THelpForm::StartButtonClick));

  // The document, a blank paragraph after every paragraph.
  TRichDocument doc;
  doc.FontName = "Verdana";
  auto paragraph = [&](std::vector<TTextRun> Runs, int BlankSize = 12) {
    doc.Paragraphs.push_back({std::move(Runs)});
    doc.Paragraphs.push_back({{Run("", kText, false, BlankSize)}});
  };
  paragraph({Run(FCompanyName + " " + Card + SeriesSuffix() + " Settings Program", kText, true, 16)}, 16);
  paragraph({Run("This program will help you configure the option jumpers and settings associated with this product. "
                 "You should have the product in-hand when first using this program.")});
  paragraph({Run("Yellow circles", kYellow, true), Run(" provide information on configuring jumpers and switches.")});
  paragraph({Run("Blue circles", kBlue, true),
             Run(" are informational only. They provide information on standard and optional features of the "
                 "product family.")});
  paragraph({Run("Red circles", kRed, true),
             Run(" handle calibration and types of configuration that require actually controlling the hardware "
                 "device. Run this settings program again once the card is installed. "),
             Run("Repeat the "), Run("setup circles", kYellow),
             Run(" (using the same settings) to configure this program, then perform the "),
             Run("calibration circles", kRed), Run(".")});
  paragraph({Run("Mouse over the highlight circles to see configuration or information popups for "), Run("setup", kYellow),
             Run(", "), Run("features", kBlue), Run(", and "), Run("calibration", kRed),
             Run(". Click a highlight circle to make its popup remain on-screen. "),
             Run("You can have all or as many of these popups onscreen at the same time as you desire.")});
  if (FMultiPort)
    paragraph({Run("Note:", kText, true, 16), Run(" Make sure to set the jumpers for each option group "),
               Run("\u2014"), Run(" the configuration options for each port are handled identically; "),
               Run("this program only shows the setup once, but you need to perform this setup for each group of "
                   "options on your device.")});
  if (FOnGetCardString)
    paragraph({Run("To see a list of " + Card + " cards installed, click \"Display " + Card +
                   " Cards Installed\" under the File menu.")});
  f->HelpRich->LoadDocument(doc);

  // Layout: client as wide as the text, fitted to the controls, 8 pixels more below, the
  // text growing with the window, Start centred, then scaled to the screen.
  f->SetClientWidth(f->HelpRich->Width());
  f->FitClientToControls();
  f->SetClientHeight(f->ClientHeight() + 8);
  f->HelpRich->SetAnchors({akLeft, akTop, akRight, akBottom});
  f->StartButton->SetLeft((f->ClientWidth() - f->StartButton->Width()) / 2);
  f->StartButton->SetAnchors({akBottom});
  const double factor =
      std::max(1.0, std::min(Screen->Height() / 450.0, Screen->Width() / 800.0));
  f->SetClientWidth(RoundHalfEven(f->ClientWidth() * factor));
  f->SetClientHeight(RoundHalfEven(f->ClientHeight() * factor));
  HelpForm = f;
}

// The memo and the Close button of the two small windows, created at their designed
// places; the caller sets the memo's text and font, then calls FitAroundMemo.
TMemo* TSetupSupporter::AddMemoAndClose(TForm* F, const std::string& MemoName, int CloseLeft, TButton*& Close) {
  auto* memo = new TMemo(F);
  memo->SetName(MemoName);
  memo->SetParent(F);
  memo->SetBounds(8, 8, 305, 89);
  memo->SetReadOnly(true);
  memo->SetScrollBars(ssVertical);
  memo->SetWordWrap(true);
  Close = new TButton(F);
  Close->SetName("CloseButton");
  Close->SetParent(F);
  Close->SetBounds(CloseLeft, 105, 73, 25);
  Close->SetCaption("Close");
  Close->SetCancel(true);
  Close->SetTabOrder(0);
  Close->SetOnClick(TNotifyEvent(this, &TSetupSupporter::CloseButtonClick));
  return memo;
}

namespace {

// The small windows' layout: fitted to their controls (which move 8 left and up), the memo
// growing with the window, the Close button keeping its distance to the bottom edge.
void FitAroundMemo(TForm* F, TMemo* Memo, TButton* Close) {
  F->FitClientToControls();
  Memo->SetAnchors({akLeft, akTop, akRight, akBottom});
  Close->SetAnchors({akBottom});
}

}  // namespace

void TSetupSupporter::BuildTechForm() {
  auto* f = new TTechForm(MainWindow());
  f->SetName("TechForm");
  f->SetCaption("Technical Support");
  f->SetFormStyle(fsStayOnTop);
  f->SetPosition(poDefault);
  f->TechMemo = AddMemoAndClose(f, "TechMemo", 165, f->CloseButton);
  f->TechMemo->SetText(
      "There are several ways to get technical support. First and fastest is to skim the relevant sections of the "
      "manual. However, some questions require personal assistance, and " +
      FCompanyName + " stands ready to provide that help. You can call us " + FCallHow +
      " for any of your product questions." +
      "\r\n\r\nIn order to provide the best and fastest support possible, we ask that you be at your computer when "
      "you call, and have the " +
      FCompanyName + " product manual and Vantrex CD at hand.");
  FitAroundMemo(f, f->TechMemo, f->CloseButton);
  f->CloseButton->SetLeft((f->ClientWidth() - f->CloseButton->Width()) / 2);
  TechForm = f;
}

bool TSetupSupporter::BuildPCIForm(const std::string& Card) {
  auto* f = new TPCIForm(MainWindow());
  f->SetName("PCIForm");
  f->SetCaption(Card + " Cards installed");
  f->SetFormStyle(fsStayOnTop);
  f->SetPosition(poDefault);
  f->Show();  // opens at start-up, before its controls are added
  f->PCIMemo = AddMemoAndClose(f, "PCIMemo", 123, f->CloseButton);
  f->PCIMemo->Font()->SetName("Tahoma");
  f->PCIMemo->Font()->SetSize(10);
  f->PCIMemo->Font()->SetStyle({fsBold});
  FitAroundMemo(f, f->PCIMemo, f->CloseButton);
  PCIForm = f;

  // The card check.
  lllqvrwdm::LoadQVRWDM();
  bool found = false;
  if (lllqvrwdm::WDMBound) {
    const int n = lllqvrwdm::GetNumCards();
    if (n > 0) {
      f->PCIMemo->Lines()->Clear();
      for (int i = 0; i < n; ++i) {
        const std::string text = FOnGetCardString(this, i);
        if (text.empty()) continue;
        f->PCIMemo->Lines()->Add(text);
        found = true;
      }
    }
  }
  if (!found) {
    f->PCIMemo->SetText("No Card Found");
    // Without the driver library the number of cards cannot be asked: say so.
    if (!lllqvrwdm::WDMBound)
      f->PCIMemo->Lines()->Add(std::string("The card-driver library ") + lllqvrwdm::kLibraryName +
                               " is missing or incomplete.");
  }
  return found;
}

void TSetupSupporter::DisplayPCIClick(TObject*) {
  if (PCIForm) PCIForm->Show();
}

void TSetupSupporter::CloseButtonClick(TObject* Sender) {
  auto* control = dynamic_cast<TControl*>(Sender);
  if (!control) return;
  if (auto* window = dynamic_cast<TForm*>(control->Parent())) window->Hide();
}

void THelpForm::StartButtonClick(TObject*) {
  Hide();
  TForm* main = Application->MainForm();
  if (!main) return;
  for (int i = 0; i < main->ControlCount(); ++i)
    if (auto* image = dynamic_cast<TBoardImage*>(main->Controls(i))) {
      image->Perform(WM_STARTTOUR, 0, 0);
      return;
    }
}

// ---- Calibration polling ----------------------------------------------------------------

void TSetupSupporter::RegisterCalibDisplay(TComboBox*& ChannelList, TButton*& StartStopButton, TControl*& HideControl) {
  FCalibDisplays.push_back({&ChannelList, &StartStopButton, &HideControl});
}

void TSetupSupporter::Poll() {
  if (FOnBeginCalib) FOnBeginCalib(this);
  if (!FOnGetCalibString) {
    SetCalibrating(false);
    Application->MessageBox("Error: calibration begun, but OnGetCalibString isn't assigned.",
                            "OnGetCalibString Not Assigned", {mbOK, miWarning, 1, true});
    StopCalib();
    return;
  }
  for (const TCalibDisplay& d : FCalibDisplays)
    if (*d.HideControl) (*d.HideControl)->Hide();
  bool itsAllBad = true;
  for (int channel = 0; channel < FChannels; ++channel) {
    const auto ch = static_cast<std::uint8_t>(channel);
    ShowChannelText(ch, FOnGetCalibString(this, ch, itsAllBad));
  }
  if (!itsAllBad) return;
  // Polling stops before the box opens, so no poll runs while it is on screen.
  SetCalibrating(false);
  const int answer = Application->MessageBox(
      "Total A/D failure. The card may not be installed, or it may be installed at a different base address.",
      "Total A/D failure", {mbRetryCancel, miWarning, 2, true});
  if (answer == mrRetry)
    SetCalibrating(true);
  else
    StopCalib();
}

void TSetupSupporter::ShowChannelText(std::uint8_t Channel, const std::string& Text) {
  for (const TCalibDisplay& d : FCalibDisplays)
    if (TComboBox* list = *d.ChannelList) list->Items()->Put(Channel, "Channel " + std::to_string(Channel) + "\t" + Text);
}

void TSetupSupporter::StopCalib() {
  if (FChangeButtons)
    for (const TCalibDisplay& d : FCalibDisplays)
      if (TButton* b = *d.StartStopButton) {
        b->SetOnClick(FOnStartButtonClick);
        b->SetCaption("Start");
      }
  SetCalibrating(false);
}

}  // namespace setupctrls
