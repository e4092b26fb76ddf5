// The board navigator's costs in the real main window: a full repaint of the board image
// with its seven highlights against a plain copy of as many bytes (the floor), and the time
// from a mouse-enter to the popup shown, the first time (building the popup) and later.
// Run: build/bench/navigator_bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/PopupForm.h"
#include "template/MainForm.h"

using namespace vcl;
using namespace setupctrls;

namespace {

TMainForm* NewMainForm() {
  auto* form = new TMainForm(nullptr);
  Application->SetOnIdle({});
  form->Show();
  form->BoardImage1->PaintSurface();  // the first paint renders the highlights' images
  return form;
}

void BoardImageRepaint(benchmark::State& State) {
  TMainForm* form = NewMainForm();
  for (auto _ : State) form->BoardImage1->PaintSurface();
  State.SetBytesProcessed(State.iterations() * 600 * 313 * 4);
  delete form;
}

void PlainCopyOfTheSameBytes(benchmark::State& State) {
  std::vector<std::uint32_t> a(600 * 313, 1), b(600 * 313);
  for (auto _ : State) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::DoNotOptimize(b.data());
  }
  State.SetBytesProcessed(State.iterations() * 600 * 313 * 4);
}

void HoverToPopupFirstTime(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    TMainForm* form = NewMainForm();
    auto* h = FindComponentAs<TBoardHighlight>(form, "IRQSHighlight");
    State.ResumeTiming();
    h->MouseEnter(false);
    State.PauseTiming();
    if (!h->Popup() || !h->Popup()->Visible()) State.SkipWithError("no popup");
    delete form;
    State.ResumeTiming();
  }
}

void HoverToPopupLaterTimes(benchmark::State& State) {
  TMainForm* form = NewMainForm();
  auto* h = FindComponentAs<TBoardHighlight>(form, "IRQSHighlight");
  h->MouseEnter(false);
  for (auto _ : State) {
    State.PauseTiming();
    h->Popup()->Close();
    State.ResumeTiming();
    h->MouseEnter(false);
  }
  delete form;
}

BENCHMARK(BoardImageRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainCopyOfTheSameBytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(HoverToPopupFirstTime)->Unit(benchmark::kMicrosecond)->Iterations(20);
BENCHMARK(HoverToPopupLaterTimes)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application->Initialize();
  Application->SetMessageBoxResponder([](const TMessageBoxCall&) { return static_cast<int>(mrOk); });
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  Application->Shutdown();
  return 0;
}
