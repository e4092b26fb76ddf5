// Paint cost of the setting renderers: the first paint (upright picture, turning, copy)
// and a repaint with nothing changed. Run: build/bench/renderer_bench
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "SetupCtrls/BaseAddress.h"
#include "SetupCtrls/DipSwitch.h"
#include "SetupCtrls/TwoJumper.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"

using namespace vcl;
using namespace setupctrls;

namespace {

struct Host {
  TForm* Form = new TForm(Application);
  TPanel* Panel = new TPanel(Form);
  Host() {
    Panel->SetParent(Form);
    Panel->SetBounds(0, 0, 200, 200);
  }
  ~Host() { delete Form; }
};

template <class T>
T* Make(Host& H, int W, int Ht, TOrientationType O) {
  auto* c = new T(H.Form);
  c->SetOrientation(O);
  c->SetParent(H.Panel);
  c->SetBounds(0, 0, W, Ht);
  return c;
}

// The main window's instances: BaseBA, SePianoSwitch, one IRQ jumper, a plain DIP switch.
TGraphicControl* Configure(Host& H, int Which) {
  switch (Which) {
    case 0: { auto* d = Make<TDipSwitch>(H, 53, 43, otUp); d->SetValue(5); return d; }
    case 1: { auto* p = Make<TPianoSwitch>(H, 49, 161, otLeft); p->SetNumSwitches(8); p->SetValue(0x81); return p; }
    case 2: { auto* b = Make<TBaseAddress>(H, 102, 61, otUp); b->SetBaseAddressStr("2A0"); return b; }
    default: { auto* j = Make<TTwoJumper>(H, 17, 34, otLeft); j->SetClosed(true); return j; }
  }
}

const char* kNames[] = {"DipSwitch53x43", "PianoSwitch49x161", "BaseAddress102x61", "TwoJumper17x34"};

void FirstPaint(benchmark::State& State) {
  State.SetLabel(kNames[State.range(0)]);
  for (auto _ : State) {
    State.PauseTiming();
    Host h;
    Configure(h, static_cast<int>(State.range(0)));
    State.ResumeTiming();
    h.Panel->PaintSurface();
  }
}

void UnchangedRepaint(benchmark::State& State) {
  State.SetLabel(kNames[State.range(0)]);
  Host h;
  Configure(h, static_cast<int>(State.range(0)));
  h.Panel->PaintSurface();
  for (auto _ : State) h.Panel->PaintSurface();
}

// The panel alone: what a repaint costs without any renderer on it.
void EmptyPanelRepaint(benchmark::State& State) {
  Host h;
  for (auto _ : State) h.Panel->PaintSurface();
}

BENCHMARK(FirstPaint)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(UnchangedRepaint)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(EmptyPanelRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application->Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  Application->Shutdown();
  return 0;
}
