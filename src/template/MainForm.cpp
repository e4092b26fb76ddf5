#include "template/MainForm.h"

#include "KELTO32/PortIO.h"
#include "SetupCtrls/SetupCtrls.h"
#include "SetupCtrls/SupportForms.h"
#include "vcl/FormData.h"

using namespace vcl;
using namespace setupctrls;

TMainForm* MainForm = nullptr;
std::array<TTwoJumper*, 7> IRQJumpers{};
int CardBaseAddress = 0;
int CalibStep = 0;
bool StopReadout = false;

void RegisterAssets_template();  // generated from the files embedded in this library

void TMainForm::Register() {
  static bool registered = false;  // once: a later form must not undo a replaced asset
  if (registered) return;
  registered = true;
  RegisterAssets_template();
  RegisterSetupCtrls();
  TClassInfo info = ClassInfo<TMainForm>("TMainForm", "TForm", {}, false);
  info.Methods = {
      Method<TMainForm>("FormCreate", &TMainForm::FormCreate),
      Method<TMainForm>("Exit2Click", &TMainForm::Exit2Click),
      Method<TMainForm>("Howtousethisprogram1Click", &TMainForm::Howtousethisprogram1Click),
      Method<TMainForm>("TechnicalSupport1Click", &TMainForm::TechnicalSupport1Click),
      Method<TMainForm>("BaseEditChange", &TMainForm::BaseEditChange),
      Method<TMainForm>("IRQBoxChange", &TMainForm::IRQBoxChange),
      Method<TMainForm>("IRQ7Click", &TMainForm::IRQ7Click),
      Method<TMainForm>("ChannelBoxClick", &TMainForm::ChannelBoxClick),
      Method<TMainForm>("CalibButtonClick", &TMainForm::CalibButtonClick),
      Method<TMainForm>("NextClick", &TMainForm::NextClick),
      Method<TMainForm>("PrevClick", &TMainForm::PrevClick),
      Method<TMainForm>("QuitClick", &TMainForm::QuitClick),
      Method<TMainForm>("FinishClick", &TMainForm::FinishClick),
  };
  RegisterClass(std::move(info));
}

namespace {

// The component of the form data with that name and class; a form data file without it is
// an error, not a crash later.
template <class T>
void Bind(const TComponent* Owner, T*& Field, const std::string& Name) {
  Field = FindComponentAs<T>(Owner, Name);
  if (!Field) throw EFormDataError("MainForm.form: the form data has no component " + Name + " of the expected class");
}

}  // namespace

TMainForm::TMainForm(TComponent* AOwner, TFormDataLoading Loading) : TForm(AOwner) {
  Register();
  if (Loading == TFormDataLoading::Load) LoadFromFormData("MainForm.form");
}

// The components are bound before OnCreate runs, as the creation handler uses them.
void TMainForm::FormDataRead() {
  Bind(this, BoardImage1, "BoardImage1");
  Bind(this, BasePanel, "BasePanel");
  Bind(this, IRQPanel, "IRQPanel");
  Bind(this, SeDiffPanel, "SeDiffPanel");
  Bind(this, CalibPanel, "CalibPanel");
  Bind(this, BaseEdit, "BaseEdit");
  Bind(this, BaseFeedbackLabel, "BaseFeedbackLabel");
  Bind(this, BaseBA, "BaseBA");
  Bind(this, IRQBox, "IRQBox");
  Bind(this, IRQ2, "IRQ2");
  Bind(this, IRQ3, "IRQ3");
  Bind(this, IRQ4, "IRQ4");
  Bind(this, IRQ5, "IRQ5");
  Bind(this, IRQ6, "IRQ6");
  Bind(this, IRQ7, "IRQ7");
  for (std::size_t n = 0; n < CH.size(); ++n) Bind(this, CH[n], "CH" + std::to_string(n));
  Bind(this, SePianoSwitch, "SePianoSwitch");
  Bind(this, CalibButton, "CalibButton");
  Bind(this, CalibStart, "CalibStart");
  Bind(this, Data, "Data");
  Bind(this, CountPanel, "CountPanel");
  Bind(this, CTitle, "CTitle");
  Bind(this, CBody, "CBody");
  Bind(this, CBody2, "CBody2");
  Bind(this, PotMarker, "PotMarker");
  Bind(this, BAddr, "BAddr");
  Bind(this, IRQL, "IRQL");
  Bind(this, gainl, "gainl");
  Bind(this, InputL, "InputL");
  Bind(this, CountL, "CountL");
  Bind(this, Prev, "Prev");
  Bind(this, Next, "Next");
  Bind(this, Quit, "Quit");
  Bind(this, Finish, "Finish");
  Bind(this, MainMenu1, "MainMenu1");
  Bind(this, SetSup, "SetSup");
}

void TMainForm::FormCreate(TObject*) {
  IRQJumpers = {nullptr, IRQ2, IRQ3, IRQ4, IRQ5, IRQ6, IRQ7};
  // The supporter starts once, after the window is on screen and the first messages have
  // been handled: its idle handler removes itself at its first call.
  Application->SetOnIdle(TIdleEvent(SetSup, &TSetupSupporter::ApplicationIdle, "ApplicationIdle"));
  // Port-driver check: without the driver every port reads 0xAA55. The answer to the box
  // is ignored; start-up goes on either way.
  if ((InPortB(0x61) & 0xFFFF) == kelto32::kDriverMissing)
    Application->MessageBox(
        "KELTONT.SYS not detected. Please copy KELTONT.SYS into [NT]/system32/drivers and re-run this setup program.",
        "Warning", {mbOKCancel, miNone});
}

void TMainForm::Exit2Click(TObject*) { Close(); }

// The Help items act once the supporter's start-up has built its windows.
void TMainForm::Howtousethisprogram1Click(TObject*) {
  if (SetSup->HelpForm) SetSup->HelpForm->SetVisible(true);
}

void TMainForm::TechnicalSupport1Click(TObject*) {
  if (SetSup->TechForm) SetSup->TechForm->SetVisible(true);
}

