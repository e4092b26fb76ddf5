#include "vcl/Platform.h"

#include <QCursor>
#include <QObject>
#include <QTimerEvent>
#include <chrono>
#include <dlfcn.h>
#include <map>
#include <thread>

#include "vcl/qt/Bridge.h"

namespace vcl {

namespace {
std::function<std::uint32_t()>& TickSource() {
  static std::function<std::uint32_t()> source;
  return source;
}
bool gRefuseTimers = false;
std::function<void()>& SliceHook() {
  static std::function<void()> hook;
  return hook;
}
}  // namespace

void SleepSlice() {
  if (SliceHook())
    SliceHook()();
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void SetSleepSlice(std::function<void()> Slice) { SliceHook() = std::move(Slice); }

std::uint32_t GetTickCount() {
  if (TickSource()) return TickSource()();
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SetTickCountSource(std::function<std::uint32_t()> Source) { TickSource() = std::move(Source); }

TPoint GetCursorPos() {
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

namespace qt {

class MessageWindowObject : public QObject {
 public:
  explicit MessageWindowObject(TMessageWindow* Owner) : FOwner(Owner) {}
  std::map<unsigned, int> Timers;  // library timer id -> Qt timer id

 protected:
  void timerEvent(QTimerEvent* Event) override {
    for (const auto& [id, qtId] : Timers)
      if (qtId == Event->timerId()) {
        TMessage m{WM_TIMER, static_cast<std::intptr_t>(id), 0, 0};
        Guard([&] { FOwner->FMethod(m); });
        return;
      }
  }

 private:
  TMessageWindow* FOwner;
};

}  // namespace qt

TMessageWindow::TMessageWindow(TWndMethod Method)
    : FMethod(std::move(Method)), FObject(std::make_unique<qt::MessageWindowObject>(this)) {}

TMessageWindow::~TMessageWindow() {
  for (const auto& [id, qtId] : FObject->Timers) FObject->killTimer(qtId);
}

bool TMessageWindow::SetTimer(unsigned Id, unsigned IntervalMs) {
  KillTimer(Id);
  if (gRefuseTimers) return false;
  const int qtId = FObject->startTimer(static_cast<int>(IntervalMs), Qt::PreciseTimer);
  if (qtId == 0) return false;
  FObject->Timers[Id] = qtId;
  return true;
}

void TMessageWindow::KillTimer(unsigned Id) {
  auto it = FObject->Timers.find(Id);
  if (it == FObject->Timers.end()) return;
  FObject->killTimer(it->second);
  FObject->Timers.erase(it);
}

bool TMessageWindow::TimerActive(unsigned Id) const { return FObject->Timers.count(Id) != 0; }

std::intptr_t TMessageWindow::Perform(unsigned Msg, std::intptr_t WParam, std::intptr_t LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  FMethod(m);
  return m.Result;
}

void TMessageWindow::SetRefuseTimers(bool Value) { gRefuseTimers = Value; }

TLibraryHandle LoadSharedLibrary(const std::string& Name) {
  return dlopen(Name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* FindEntryPoint(TLibraryHandle Library, const std::string& Name) {
  return Library ? dlsym(Library, Name.c_str()) : nullptr;
}

}  // namespace vcl
