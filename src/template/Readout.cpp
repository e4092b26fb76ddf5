// The live A/D readout of calibration steps 4 to 6: about ten conversions a second on
// channel 0, shown as volts until Finish or Quit. It runs inside the click handler that
// entered the step and lets pending messages through once per cycle.
#include "template/Readout.h"

#include <cstdio>

#include "KELTO32/PortIO.h"
#include "template/MainForm.h"
#include "vcl/Platform.h"

using namespace vcl;

namespace readout {

double CountsToVolts(int High, int Low) {
  const int counts = (High & 0xFF) * 16 + (Low & 0xFF) / 16;
  return (counts - 2048) * 0.002441406;
}

std::string VoltsText(double Volts) {
  char field[64];
  std::snprintf(field, sizeof field, "%7.4f", Volts);
  return (std::string(field) + " Volts    ").substr(0, 20);
}

void WaitMilliseconds(std::uint32_t Ms) {
  const std::uint32_t start = GetTickCount();
  // Unsigned differences measure across the tick counter's wrap-around.
  while (GetTickCount() - start < Ms) SleepSlice();
}

}  // namespace readout

void TMainForm::RunReadout() {
  if (FReadoutRunning) return;  // one readout at a time; a second would nest without bound
  FReadoutRunning = true;
  Next->Hide();
  Prev->Hide();
  readout::WaitMilliseconds(readout::kSettleMs);
  while (!StopReadout) {
    OutPortB(CardBaseAddress + 1, 0);
    int counter = readout::kPollReads;
    int status;
    do {
      status = InPortB(CardBaseAddress + 2) & 0xFFFF;
      --counter;
      // Without the port driver every read gives 0xAA55: that is no finished conversion.
    } while (((status & 0x80) != 0 || status == kelto32::kDriverMissing) && counter != 0);
    if (counter == 0) {
      InputL->SetCaption("A/D Error");
    } else {
      InputL->SetCaption("Input Value");
      const int high = InPortB(CardBaseAddress + 1);
      const int low = InPortB(CardBaseAddress + 0);
      CountL->SetCaption(readout::VoltsText(readout::CountsToVolts(high, low)));
    }
    Application->ProcessMessages();
    readout::WaitMilliseconds(readout::kPeriodMs);
  }
  Next->Show();
  Prev->Show();
  FReadoutRunning = false;
  // What was asked for while the readout ran happens now that it has stopped.
  if (FClosePending) {
    FClosePending = false;
    FBeginPending = false;
    Close();
  } else if (FBeginPending) {
    FBeginPending = false;
    CalibButtonClick(CalibButton);
  }
}

void TMainForm::FinishClick(TObject*) { StopReadout = true; }

void TMainForm::DoClose(TCloseAction& Action) {
  if (FReadoutRunning) {
    // The readout loop runs inside a click handler: stop it, and close once it has returned.
    StopReadout = true;
    FClosePending = true;
    Action = caNone;
    return;
  }
  TForm::DoClose(Action);
}
