// The live readout's period and processor use on the simulated card: 100 cycles of
// calibration step 6 in the real main window, timed by the card's own clock of conversion
// starts. Run: build/bench/readout_bench
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "KELTO32/SimulatedCard.h"
#include "template/MainForm.h"

using namespace vcl;
using Clock = std::chrono::steady_clock;

namespace {

// The simulated card, noting when each conversion starts; Finish after Cycles of them.
class TTimedCard final : public kelto32::TPortBackend {
 public:
  TTimedCard(int Cycles, TMainForm*& Form) : FCycles(Cycles), FForm(Form) {}
  std::vector<Clock::time_point> Starts;
  std::uint16_t Read(std::uint16_t Port) override { return FSim.Read(Port); }
  void Write(std::uint16_t Port, std::uint8_t Value) override {
    // Steps 4 and 5 read out until Finish: end them at their first conversion.
    if (Port == 0x201 && Value == 0 && CalibStep < 6) FForm->FinishClick(FForm->Finish);
    if (Port == 0x201 && Value == 0 && CalibStep == 6) {
      Starts.push_back(Clock::now());
      if (static_cast<int>(Starts.size()) == FCycles + 1) FForm->FinishClick(FForm->Finish);
    }
    FSim.Write(Port, Value);
  }
  std::string Name() const override { return "timed sim"; }

 private:
  kelto32::TSimulatedCard FSim{{0x200, 0.0012, 1}};
  int FCycles;
  TMainForm*& FForm;
};

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application->Initialize();
  Application->SetMessageBoxResponder([](const TMessageBoxCall&) { return static_cast<int>(mrOk); });
  const int cycles = 100;
  TMainForm* form = nullptr;
  auto* card = new TTimedCard(cycles, form);
  kelto32::SetPortBackend(std::unique_ptr<kelto32::TPortBackend>(card));
  form = new TMainForm(Application);
  Application->SetOnIdle({});
  form->BaseEdit->SetText("200");
  form->CalibButtonClick(form->CalibButton);
  for (int i = 0; i < 5; ++i) form->NextClick(form->Next);
  const double cpu0 = CpuSeconds();
  const auto t0 = Clock::now();
  form->NextClick(form->Next);  // step 6: the measured readout
  const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
  const double cpu = CpuSeconds() - cpu0;

  std::vector<double> periods;
  for (std::size_t i = 1; i < card->Starts.size(); ++i)
    periods.push_back(std::chrono::duration<double, std::milli>(card->Starts[i] - card->Starts[i - 1]).count());
  std::sort(periods.begin(), periods.end());
  const double median = periods[periods.size() / 2];
  double mean = 0, var = 0;
  for (double p : periods) mean += p / periods.size();
  for (double p : periods) var += (p - mean) * (p - mean) / periods.size();
  std::printf("readout cycles            %zu\n", periods.size());
  std::printf("period median             %.2f ms\n", median);
  std::printf("period min .. max         %.2f .. %.2f ms\n", periods.front(), periods.back());
  std::printf("period standard deviation %.3f ms\n", std::sqrt(var));
  std::printf("cpu per second of readout %.2f %% of one core\n", 100.0 * cpu / wall);
  Application->Shutdown();
  return 0;
}
