// The main window "Setup", built from its form data: the card photograph with its
// highlight circles, the setting panels, the calibration wizard and its live readout.
#pragma once

#include <array>

#include "SetupCtrls/BaseAddress.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/DipSwitch.h"
#include "SetupCtrls/RadioPanel.h"
#include "SetupCtrls/SetupSupporter.h"
#include "SetupCtrls/TwoJumper.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"

// Whether a new main window reads its form data (the program) or starts empty, to be
// filled by ReadFormData (tests that write the form data back and read it again).
enum class TFormDataLoading { Load, Skip };

class TMainForm : public vcl::TForm {
  VCL_CLASS_NAME(TMainForm)
 public:
  explicit TMainForm(vcl::TComponent* AOwner, TFormDataLoading Loading = TFormDataLoading::Load);

  // Components of the form data, bound by name after loading.
  setupctrls::TBoardImage* BoardImage1 = nullptr;
  setupctrls::TRadioPanel *BasePanel = nullptr, *IRQPanel = nullptr, *SeDiffPanel = nullptr, *CalibPanel = nullptr;
  vcl::TEdit* BaseEdit = nullptr;
  vcl::TLabel* BaseFeedbackLabel = nullptr;
  setupctrls::TBaseAddress* BaseBA = nullptr;
  vcl::TComboBox* IRQBox = nullptr;
  setupctrls::TTwoJumper *IRQ2 = nullptr, *IRQ3 = nullptr, *IRQ4 = nullptr, *IRQ5 = nullptr, *IRQ6 = nullptr,
                         *IRQ7 = nullptr;
  std::array<vcl::TCheckBox*, 8> CH{};
  setupctrls::TPianoSwitch* SePianoSwitch = nullptr;
  vcl::TButton* CalibButton = nullptr;
  vcl::TPanel *CalibStart = nullptr, *Data = nullptr, *CountPanel = nullptr;
  vcl::TLabel *CTitle = nullptr, *CBody = nullptr, *CBody2 = nullptr;
  vcl::TShape* PotMarker = nullptr;
  vcl::TLabel *BAddr = nullptr, *IRQL = nullptr, *gainl = nullptr, *InputL = nullptr, *CountL = nullptr;
  vcl::TButton *Prev = nullptr, *Next = nullptr, *Quit = nullptr, *Finish = nullptr;
  vcl::TMainMenu* MainMenu1 = nullptr;
  setupctrls::TSetupSupporter* SetSup = nullptr;

  // Handlers named in the form data.
  void FormCreate(vcl::TObject* Sender);
  void Exit2Click(vcl::TObject* Sender);
  void Howtousethisprogram1Click(vcl::TObject* Sender);
  void TechnicalSupport1Click(vcl::TObject* Sender);
  void BaseEditChange(vcl::TObject* Sender);
  void IRQBoxChange(vcl::TObject* Sender);
  void IRQ7Click(vcl::TObject* Sender);
  void ChannelBoxClick(vcl::TObject* Sender);
  void CalibButtonClick(vcl::TObject* Sender);
  void NextClick(vcl::TObject* Sender);
  void PrevClick(vcl::TObject* Sender);
  void QuitClick(vcl::TObject* Sender);
  void FinishClick(vcl::TObject* Sender);

  // Registers the class, its handlers and the component pack with the form-data reader.
  static void Register();

 protected:
  void FormDataRead() override;
  void DoClose(vcl::TCloseAction& Action) override;

 private:
  // The calibration wizard.
  void ShowSystemInfo();
  bool CalibrationRefused();
  void RunStep(int Step);
  void ShowStep(int Step);
  void UnipolarOffsetStep();
  void PreampOutputOffsetStep();
  void PreampInputOffsetStep();
  void NegativeFullScaleStep();
  void PositiveFullScaleStep();
  void MidrangeCheckStep();
  void CalibrationCompleteStep();
  void EndCalibration();
  // The live readout of steps 4 to 6; returns when it has stopped.
  void RunReadout();

  bool FReadoutRunning = false;
  bool FBeginPending = false;  // Begin Calibration pressed during a readout
  bool FClosePending = false;  // the window asked to close during a readout
};

extern TMainForm* MainForm;

// State of the unit shared by the card page and the calibration wizard.
// IRQJumpers[n] (n = 1 to 6) is the jumper of IRQ n + 1; entry 0 is unused.
extern std::array<setupctrls::TTwoJumper*, 7> IRQJumpers;
extern int CardBaseAddress;
extern int CalibStep;
extern bool StopReadout;
