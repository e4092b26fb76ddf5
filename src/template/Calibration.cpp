// The calibration wizard: Begin Calibration reads the card's base address and shows the
// system information, Next and Prev walk the steps, each of which shows its instructions,
// marks the potentiometer to turn and sets the card's gain; steps 4 to 6 run the readout.
#include "KELTO32/PortIO.h"
#include "template/MainForm.h"
#include "vcl/SysUtils.h"

using namespace vcl;

namespace {

// What a step shows and writes. An empty gain leaves the gain label as it is; a marker
// Left of 0 hides the marker.
struct TCalibrationStep {
  const char* Title;
  const char* Body;
  const char* Body2;
  const char* Gain;
  int GainCode;  // written at offset 3 after 0 at offset 2; -1: no writes
  int MarkerLeft;
  bool Readout;
};

const TCalibrationStep kSteps[] = {
    {"Unipolar Offset Adjust - `RP3`",
     "Connect a multimeter between `TP2` and `TP3` Adjust `RP3` until the multimeter reads \"`0.000 Volts`", "",
     "x1 Unipolar", 9, 85, false},
    {"Preamplifier Zero Output Offset Adjust - `RP5`",
     "Jumper connecter J2 `PIN 19` and `PIN 37` together. Connect a multimeter between `TP1` and `TP3` Adjust `RP5` "
     "until the multimeter reads \"`0.000 Volts`",
     "", "x1 Unipolar", 9, 138, false},
    {"Preamplifier Zero Input Offset Adjust - `RP4`",
     "Jumper connecter J2 `PIN 19` and `PIN 37` together. Connect a multimeter between `TP1` and `TP3`. Adjust `RP4` "
     "until the multimeter reads \"`0.000 Volts`",
     "", "x500 Unipolar", 15, 112, false},
    {"Analog Converter Negative Full Scale Adjust - `RP2`",
     "Connect a voltage calibrator with negative output to `PIN 19` and positive output to `PIN 37` Apply a "
     "`-4.9988v` input. Adjust `RP2` until the value to the right flickers between `-5.0000` and `-4.9975` Volts.",
     "Press Finish when finished Calibrating.", "1x Bipolar", 0, 60, true},
    {"Analog Converter Positive Full Scale Adjust - `RP1`",
     "Connect a voltage calibrator with negative output to `PIN 19` and positive output to `PIN 37` Apply a "
     "`+4.9963v` input. Adjust `RP1` until the value to the right flickers between `+4.9951` and `+4.9976` Volts.",
     "Press Finish when finished Calibrating.", "1x Bipolar", 0, 33, true},
    {"Analog Converter Midrange Check",
     "Connect a voltage calibrator with negative output to `PIN 19` and positive output to `PIN 37`. Apply a "
     "`0.0012v` input. Verify that the value to the right flickers between `0.00` and `0.0024` Volts.",
     "If a slight error occurs, toggle between steps RP2 and RP1 and adjust for the best result. Press Finish when "
     "finished Calibrating.",
     "1x Bipolar", 0, 33, true},
    {"", "Calibration is complete.", "", nullptr, -1, 0, false},
};

}  // namespace

void TMainForm::CalibButtonClick(TObject*) {
  if (FReadoutRunning) {
    // Begin Calibration stops a running readout and takes effect once it has stopped, so
    // no readout is left running behind the new start.
    FBeginPending = true;
    StopReadout = true;
    return;
  }
  CalibStart->Show();
  Data->Show();
  CalibStep = 0;
  // The text as typed, not the address the switch shows: 201 gives 0x201. A text that is
  // no hexadecimal number raises the conversion error, reported by the default error report.
  CardBaseAddress = StrToInt("$" + BaseEdit->Text());
  ShowSystemInfo();
  Next->SetVisible(!CalibrationRefused());
}

void TMainForm::ShowSystemInfo() {
  BAddr->SetCaption(BaseEdit->Text());
  IRQL->SetCaption("None");
  for (int n = 1; n <= 6; ++n)
    if (IRQJumpers[n]->Closed()) IRQL->SetCaption(IRQJumpers[n]->Name());
}

bool TMainForm::CalibrationRefused() {
  if (CH[0]->Checked()) {
    CTitle->SetCaption("WARNING!");
    CBody->SetCaption(
        "CALIBRATION CAN NOT BE PERFORMED WITH CHANNEL 0 IN SINGLE ENDED MODE. Please repeat differential/single-ended "
        "setup and set channel 0 to Differential mode. (Calibration will be performed using this channel.)");
    return true;
  }
  CBody->SetCaption(
      "The calibration program assumes that you have have changed the setup program settings to match your card. If "
      "not, please do so now or Calibration will not work.");
  return false;
}

void TMainForm::NextClick(TObject*) {
  ++CalibStep;
  RunStep(CalibStep);
}

void TMainForm::PrevClick(TObject*) {
  if (CalibStep > 1) --CalibStep;
  RunStep(CalibStep);
}

void TMainForm::QuitClick(TObject*) { EndCalibration(); }

void TMainForm::RunStep(int Step) {
  switch (Step) {
    case 1: UnipolarOffsetStep(); break;
    case 2: PreampOutputOffsetStep(); break;
    case 3: PreampInputOffsetStep(); break;
    case 4: NegativeFullScaleStep(); break;
    case 5: PositiveFullScaleStep(); break;
    case 6: MidrangeCheckStep(); break;
    case 7: CalibrationCompleteStep(); break;
    case 8: EndCalibration(); break;
    default: break;
  }
}

void TMainForm::UnipolarOffsetStep() { ShowStep(1); }
void TMainForm::PreampOutputOffsetStep() { ShowStep(2); }
void TMainForm::PreampInputOffsetStep() { ShowStep(3); }
void TMainForm::NegativeFullScaleStep() { ShowStep(4); }
void TMainForm::PositiveFullScaleStep() { ShowStep(5); }
void TMainForm::MidrangeCheckStep() { ShowStep(6); }
void TMainForm::CalibrationCompleteStep() { ShowStep(7); }

// Every step shows the same display whether Next or Prev entered it.
void TMainForm::ShowStep(int Step) {
  const TCalibrationStep& s = kSteps[Step - 1];
  if (s.Readout) StopReadout = false;
  CTitle->SetCaption(s.Title);
  CBody->SetCaption(s.Body);
  CBody2->SetCaption(s.Body2);
  if (s.Gain) gainl->SetCaption(s.Gain);
  PotMarker->SetVisible(s.MarkerLeft != 0);
  if (s.MarkerLeft != 0) PotMarker->SetBounds(s.MarkerLeft, 275, PotMarker->Width(), PotMarker->Height());
  CountPanel->SetVisible(s.Readout);
  if (s.GainCode >= 0) {
    OutPortB(CardBaseAddress + 2, 0);
    OutPortB(CardBaseAddress + 3, s.GainCode);
  }
  if (s.Readout) RunReadout();
}

void TMainForm::EndCalibration() {
  PotMarker->Hide();
  StopReadout = true;
  CalibStart->Hide();
  CountPanel->Hide();
  Data->Hide();
}
