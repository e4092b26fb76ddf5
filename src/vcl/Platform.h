// Services of the operating system that components use: the millisecond tick count, the
// mouse cursor, hidden message windows with timers, and shared libraries.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "vcl/Controls.h"
#include "vcl/Types.h"

namespace vcl {

// Milliseconds since an arbitrary start, wrapping around at 32 bits. Differences of two
// readings (unsigned subtraction) measure elapsed time across the wrap-around.
std::uint32_t GetTickCount();
// Replaces the clock (tests); an empty function restores the real one.
void SetTickCountSource(std::function<std::uint32_t()> Source);

// Gives the processor away for a short slice (half a millisecond); waits on the tick count
// call it between readings instead of spinning.
void SleepSlice();
// Replaces the slice (tests: advance a fake tick count instead of sleeping); an empty
// function restores the real sleep.
void SetSleepSlice(std::function<void()> Slice);

// The mouse cursor's position in screen coordinates.
TPoint GetCursorPos();

namespace qt {
class MessageWindowObject;
}

// An invisible window whose messages go to a method. Timers of this window deliver
// WM_TIMER messages (WParam = timer identifier) on the GUI thread.
class TMessageWindow {
 public:
  using TWndMethod = std::function<void(TMessage&)>;
  explicit TMessageWindow(TWndMethod Method);
  ~TMessageWindow();  // ends every timer of the window
  TMessageWindow(const TMessageWindow&) = delete;
  TMessageWindow& operator=(const TMessageWindow&) = delete;

  // Starts (or restarts) timer Id with the interval; false when the system refuses it.
  bool SetTimer(unsigned Id, unsigned IntervalMs);
  void KillTimer(unsigned Id);
  bool TimerActive(unsigned Id) const;
  // The default handling of a message: nothing, result 0.
  void DefWindowProc(TMessage& Message) { Message.Result = 0; }
  // Delivers a message synchronously to the window's method.
  std::intptr_t Perform(unsigned Msg, std::intptr_t WParam, std::intptr_t LParam);

  // Makes every SetTimer fail (tests of the refusal path).
  static void SetRefuseTimers(bool Value);

 private:
  friend class qt::MessageWindowObject;
  TWndMethod FMethod;
  std::unique_ptr<qt::MessageWindowObject> FObject;
};

// A shared library loaded at run time; never unloaded.
using TLibraryHandle = void*;
// nullptr when the library cannot be loaded.
TLibraryHandle LoadSharedLibrary(const std::string& Name);
// nullptr when the library has no such entry point.
void* FindEntryPoint(TLibraryHandle Library, const std::string& Name);

}  // namespace vcl
