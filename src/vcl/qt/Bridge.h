// Private: the widgets and event filters through which Qt calls into controls. Every call
// from Qt into component code goes through Guard, so no exception ever crosses into Qt.
#pragma once

#include <QObject>
#include <QWidget>

#include "vcl/Controls.h"

namespace vcl::qt {

// Runs F; an escaping exception goes to the application's default error report.
template <class F>
void Guard(F&& Fn) {
  try {
    Fn();
  } catch (const std::exception& e) {
    vcl::HandleException(e);
  } catch (...) {
    vcl::HandleException(Exception("Unknown error"));
  }
}

TShiftState ToShiftState(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);

// The painting surface of a windowed control without a native widget.
class SurfaceWidget : public QWidget {
 public:
  explicit SurfaceWidget(TWinControl* Control);
  void Detach() { FControl = nullptr; }

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void enterEvent(QEnterEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

 private:
  TWinControl* FControl;
};

// Watches a control's widget for enter and leave; also the context object of the
// control's signal connections, so they end with the control.
class ControlBridge : public QObject {
 public:
  ControlBridge(TWinControl* Control, QWidget* Widget);
  void Detach() { FControl = nullptr; }
  TWinControl* Control() const { return FControl; }
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  TWinControl* FControl;
  QWidget* FWidget;
};

}  // namespace vcl::qt
