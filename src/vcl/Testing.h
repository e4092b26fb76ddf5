// Test helpers: drive controls with real Qt input events, wait with a watchdog, record
// message boxes. Tests of every layer use these instead of Qt.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace vcl::testkit {

// Moves the mouse to (X, Y) in the control's client coordinates; enter and leave
// notifications follow as they would for a user.
void MoveMouse(TControl* Control, int X, int Y);
// Moves the mouse off every window, far away.
void ParkMouse();
void ClickMouse(TControl* Control, int X, int Y, TMouseButton Button = mbLeft);
// Types the text into a windowed control that takes keys, as key presses.
void TypeText(TWinControl* Control, const std::string& Text);
// Picks an item of a combo box as a user does in its drop-down list.
void PickItem(TComboBox* Box, int Index);
enum class TKey { Escape, Return, Backspace };
void PressKey(TWinControl* Control, TKey Key);

void ProcessEvents();
// Processes events until Condition holds or TimeoutMs passed; returns Condition().
bool WaitFor(const std::function<bool()>& Condition, int TimeoutMs = 2000);
// Shows the form and waits until the window system has put it on the screen.
void ShowAndWait(TForm* Form);
// Paints the control's surface now and returns a copy of it.
TBitmap PaintedSurface(TWinControl* Control);

// Answers every message box while it lives and records what was asked.
class TMessageBoxRecorder {
 public:
  explicit TMessageBoxRecorder(int Answer = mrOk);
  ~TMessageBoxRecorder();
  TMessageBoxRecorder(const TMessageBoxRecorder&) = delete;
  TMessageBoxRecorder& operator=(const TMessageBoxRecorder&) = delete;
  void SetAnswer(int Answer) { FAnswer = Answer; }
  const std::vector<TMessageBoxCall>& Calls() const { return FCalls; }
  void Clear() { FCalls.clear(); }

 private:
  int FAnswer;
  std::vector<TMessageBoxCall> FCalls;
};

}  // namespace vcl::testkit
