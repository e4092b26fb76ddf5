#include "vcl/qt/Bridge.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace vcl::qt {

TShiftState ToShiftState(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
  TShiftState s;
  if (Modifiers & Qt::ShiftModifier) s.Include(ssShift);
  if (Modifiers & Qt::AltModifier) s.Include(ssAlt);
  if (Modifiers & Qt::ControlModifier) s.Include(ssCtrl);
  if (Buttons & Qt::LeftButton) s.Include(ssLeft);
  if (Buttons & Qt::RightButton) s.Include(ssRight);
  if (Buttons & Qt::MiddleButton) s.Include(ssMiddle);
  return s;
}

namespace {

bool ToButton(Qt::MouseButton B, TMouseButton& Out) {
  switch (B) {
    case Qt::LeftButton: Out = mbLeft; return true;
    case Qt::RightButton: Out = mbRight; return true;
    case Qt::MiddleButton: Out = mbMiddle; return true;
    default: return false;
  }
}

TPoint ToPoint(const QPointF& P) { return {static_cast<int>(P.x()), static_cast<int>(P.y())}; }

// For the start-up benchmark: with VCL_REPORT_FIRST_PAINT naming a control, the end of that
// control's first complete paint is written to standard error once, as
// "first-paint <name> <CLOCK_MONOTONIC nanoseconds>".
void ReportFirstPaint(const TWinControl& Control) {
  static const char* wanted = std::getenv("VCL_REPORT_FIRST_PAINT");
  static bool reported = false;
  if (!wanted || reported || Control.Name() != wanted) return;
  reported = true;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::fprintf(stderr, "first-paint %s %lld\n", wanted,
               static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stderr);
}

}  // namespace

SurfaceWidget::SurfaceWidget(TWinControl* Control) : FControl(Control) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

void SurfaceWidget::paintEvent(QPaintEvent* Event) {
  if (!FControl) return;
  const QRect before = geometry();
  Guard([&] { FControl->PaintSurface(); });
  if (!FControl) return;
  // A control that moved or resized itself while painting (a picture that centres itself)
  // is painted again, whole, at its new place.
  if (geometry() != before) {
    update();
    return;
  }
  TBitmap* s = FControl->Surface();
  if (s->Empty()) return;
  const QImage image(reinterpret_cast<const uchar*>(s->Bits()), s->Width(), s->Height(),
                     s->Width() * 4, QImage::Format_RGB32);
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QRect r = Event->rect();
  painter.drawImage(r, image, r);
  ReportFirstPaint(*FControl);
  // A window's surface is as big as the window (3 MB for a maximised one) and is painted
  // again rarely; the toolkit's backing store keeps the picture, so the pixels are freed.
  if (FControl->IsTopLevel()) FControl->ReleaseSurface();
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* Event) {
  if (!FControl) return;
  Guard([&] {
    FControl->SurfaceMouseMove(ToPoint(Event->position()),
                               ToShiftState(Event->modifiers(), Event->buttons()));
  });
}

void SurfaceWidget::mousePressEvent(QMouseEvent* Event) {
  TMouseButton b;
  if (!FControl || !ToButton(Event->button(), b)) return;
  Guard([&] {
    FControl->SurfaceMouseDown(ToPoint(Event->position()), b,
                               ToShiftState(Event->modifiers(), Event->buttons()));
  });
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* Event) { mousePressEvent(Event); }

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* Event) {
  TMouseButton b;
  if (!FControl || !ToButton(Event->button(), b)) return;
  Guard([&] {
    FControl->SurfaceMouseUp(ToPoint(Event->position()), b,
                             ToShiftState(Event->modifiers(), Event->buttons()));
  });
}

void SurfaceWidget::enterEvent(QEnterEvent* Event) {
  if (!FControl) return;
  Guard([&] { FControl->SurfaceMouseEnter(ToPoint(Event->position())); });
}

void SurfaceWidget::leaveEvent(QEvent*) {
  if (!FControl) return;
  Guard([&] { FControl->SurfaceMouseLeave(); });
}

void SurfaceWidget::resizeEvent(QResizeEvent*) {
  if (!FControl) return;
  Guard([&] { FControl->ClientResized(); });
}

ControlBridge::ControlBridge(TWinControl* Control, QWidget* Widget)
    : FControl(Control), FWidget(Widget) {
  FWidget->installEventFilter(this);
}

bool ControlBridge::eventFilter(QObject* Watched, QEvent* Event) {
  if (!FControl || Watched != FWidget || dynamic_cast<SurfaceWidget*>(FWidget)) return false;
  switch (Event->type()) {
    case QEvent::Enter: Guard([&] { FControl->CMMouseEnter(); }); break;
    case QEvent::Leave: Guard([&] { FControl->CMMouseLeave(); }); break;
    default: break;
  }
  return false;
}

}  // namespace vcl::qt
