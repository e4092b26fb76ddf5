#include "vcl/Testing.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace vcl::testkit {

namespace {

// The widget that receives input at the control's client point, and that point in the
// widget's coordinates.
QWidget* InputWidget(TControl* Control, int X, int Y, QPoint& Out) {
  if (auto* w = dynamic_cast<TWinControl*>(Control)) {
    Out = QPoint(X, Y);
    return w->Widget();
  }
  TWinControl* parent = Control->Parent();
  if (!parent) throw EInvalidOperation("The control has no parent window to receive input");
  Out = QPoint(X + Control->Left(), Y + Control->Top());
  return parent->Widget();
}

QWindow* WindowOf(QWidget* W, QPoint& Pos) {
  QWidget* top = W->window();
  Pos = W->mapTo(top, Pos);
  if (!top->windowHandle()) throw EInvalidOperation("The control's window is not on the screen");
  return top->windowHandle();
}

Qt::MouseButton ToQt(TMouseButton B) {
  return B == mbRight ? Qt::RightButton : B == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

}  // namespace

void MoveMouse(TControl* Control, int X, int Y) {
  QPoint p;
  QWidget* w = InputWidget(Control, X, Y, p);
  QWindow* window = WindowOf(w, p);
  // The cursor position that controls ask for follows the simulated mouse.
  QCursor::setPos(window->mapToGlobal(p));
  QTest::mouseMove(window, p);
  ProcessEvents();
}

void ParkMouse() {
  QCursor::setPos(-10000, -10000);
  for (QWindow* w : QGuiApplication::topLevelWindows())
    if (w->isVisible()) QTest::mouseMove(w, QPoint(-5000, -5000));
  ProcessEvents();
}

void ClickMouse(TControl* Control, int X, int Y, TMouseButton Button) {
  QPoint p;
  QWidget* w = InputWidget(Control, X, Y, p);
  QWindow* window = WindowOf(w, p);
  QCursor::setPos(window->mapToGlobal(p));
  QTest::mouseMove(window, p);
  QTest::mouseClick(window, ToQt(Button), Qt::NoModifier, p);
  ProcessEvents();
}

void TypeText(TWinControl* Control, const std::string& Text) {
  QTest::keyClicks(Control->Widget(), QString::fromStdString(Text));
  ProcessEvents();
}

void PressKey(TWinControl* Control, TKey Key) {
  const Qt::Key k = Key == TKey::Escape ? Qt::Key_Escape : Key == TKey::Return ? Qt::Key_Return : Qt::Key_Backspace;
  QTest::keyClick(Control->Widget(), k);
  ProcessEvents();
}

void PickItem(TComboBox* Box, int Index) {
  auto* combo = static_cast<QComboBox*>(Box->Widget());
  combo->setCurrentIndex(Index);
  emit combo->activated(Index);  // what a pick in the drop-down list delivers
  ProcessEvents();
}

void ProcessEvents() { QApplication::processEvents(QEventLoop::AllEvents); }

bool WaitFor(const std::function<bool()>& Condition, int TimeoutMs) {
  return QTest::qWaitFor([&] { return Condition(); }, TimeoutMs);
}

void ShowAndWait(TForm* Form) {
  Form->Show();
  QWidget* top = Form->Widget()->window();
  if (!QTest::qWaitForWindowExposed(top, 2000)) ADD_FAILURE() << "window was not exposed";
  ProcessEvents();
}

TBitmap PaintedSurface(TWinControl* Control) {
  Control->PaintSurface();
  return *Control->Surface();
}

TMessageBoxRecorder::TMessageBoxRecorder(int Answer) : FAnswer(Answer) {
  Application->SetMessageBoxResponder([this](const TMessageBoxCall& Call) {
    FCalls.push_back(Call);
    return FAnswer;
  });
}

TMessageBoxRecorder::~TMessageBoxRecorder() { Application->SetMessageBoxResponder({}); }

}  // namespace vcl::testkit
