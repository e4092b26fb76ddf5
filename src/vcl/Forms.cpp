#include "vcl/Forms.h"

#include <malloc.h>

#include <QApplication>
#include <QCloseEvent>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "vcl/Assets.h"
#include "vcl/FormData.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"
#include "vcl/qt/Bridge.h"
#include "vcl/qt/QtConvert.h"

namespace vcl {

namespace qt {

// The top-level window of a form: the menu bar above the client area. Closing through the
// window system is handed to the form, which decides whether to hide.
class FormFrame : public QWidget {
 public:
  FormFrame(TForm* Form, QWidget* Client) : FForm(Form), FClient(Client) {
    FMenuBar = new QMenuBar(this);
    FMenuBar->setNativeMenuBar(false);
    FMenuBar->hide();
    Client->setParent(this);
    Client->show();
  }
  void Detach() { FForm = nullptr; }
  QMenuBar* MenuBar() const { return FMenuBar; }
  int MenuHeight() const {
    return FMenuBar->isVisibleTo(this) ? FMenuBar->sizeHint().height() : 0;
  }
  // Places menu bar and client area for the current size.
  void Arrange(int ClientW, int ClientH) {
    const int m = MenuHeight();
    if (m > 0) FMenuBar->setGeometry(0, 0, std::max(ClientW, 0), m);
    FClient->setGeometry(0, m, std::max(ClientW, 0), std::max(ClientH, 0));
  }

 protected:
  void changeEvent(QEvent* Event) override {
    if (FForm && Event->type() == QEvent::ActivationChange) {
      const bool active = isActiveWindow();
      Guard([&] { FForm->FrameActivationChanged(active); });
    }
    QWidget::changeEvent(Event);
  }
  void resizeEvent(QResizeEvent*) override {
    if (FForm) Guard([&] { FForm->FrameGeometryChanged(); });
  }
  void enterEvent(QEnterEvent*) override {
    if (FForm) Guard([&] { FForm->CMMouseEnter(); });
  }
  void leaveEvent(QEvent*) override {
    if (FForm) Guard([&] { FForm->CMMouseLeave(); });
  }
  void moveEvent(QMoveEvent*) override {
    if (FForm) Guard([&] { FForm->FrameGeometryChanged(); });
  }
  void closeEvent(QCloseEvent* Event) override {
    Event->ignore();
    if (FForm) Guard([&] { FForm->FrameCloseRequested(); });
  }
  void keyPressEvent(QKeyEvent* Event) override {
    const int k = Event->key();
    bool handled = false;
    if (FForm && (k == Qt::Key_Escape || k == Qt::Key_Return || k == Qt::Key_Enter))
      Guard([&] { handled = FForm->FrameKey(k == Qt::Key_Escape); });
    if (!handled) QWidget::keyPressEvent(Event);
  }

 private:
  TForm* FForm;
  QWidget* FClient;
  QMenuBar* FMenuBar;
};

// The application object of Qt, with the library's idle detection and the last catch
// point of the message loop.
class Application : public QApplication {
 public:
  Application(int& Argc, char** Argv) : QApplication(Argc, Argv) {
    FIdleTimer.setSingleShot(true);
    FIdleTimer.setInterval(0);
    QObject::connect(&FIdleTimer, &QTimer::timeout, [] { Guard([] { vcl::Application->DoIdle(); }); });
  }
  // Every handled message re-arms the idle check; a zero timer fires once everything
  // pending has been handled, which is when the queue has become empty.
  void ArmIdle() {
    if (!FIdleTimer.isActive()) FIdleTimer.start();
  }
  bool notify(QObject* Receiver, QEvent* Event) override {
    if (Receiver != &FIdleTimer && FIdleWanted) ArmIdle();
    try {
      return QApplication::notify(Receiver, Event);
    } catch (const std::exception& e) {
      vcl::HandleException(e);
    } catch (...) {
      vcl::HandleException(Exception("Unknown error"));
    }
    return true;
  }
  bool FIdleWanted = false;

 private:
  QTimer FIdleTimer;
};

}  // namespace qt

namespace {

int gArgc = 1;
char gArgv0[] = "Settings";
char* gArgv[] = {gArgv0, nullptr};
qt::Application* gQtApp = nullptr;

}  // namespace

// Never destroyed by the C++ runtime: Qt's own globals are gone by then. The program ends
// with Application->Shutdown(), which frees the forms and the toolkit in the right order.
TScreen* Screen = new TScreen;
TApplication* Application = new TApplication;

// ---- TForm ------------------------------------------------------------------------------

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetColor(clBtnFace);
  FFrame = new qt::FormFrame(this, Widget());
  FFrame->hide();
  // A form is its own top-level window: hidden until shown.
  TControl::SetVisible(false);
  UpdateBounds(0, 0, 320, 240);
  Screen->AddForm(this);
}

TForm::~TForm() {
  SetDestroying();
  Screen->RemoveForm(this);
  if (Application->MainForm() == this) Application->SetMainForm(nullptr);
  // Components first (menus, popups, windows this form owns), then the children.
  DestroyComponents();
  DestroyChildren();
  FFrame->Detach();
  // Take the client widget out of the frame first: the base class deletes it.
  SetWidgetParent(nullptr);
  delete FFrame;
  FFrame = nullptr;
}

void TForm::LoadFromFormData(const std::string& AssetName) {
  ReadFormData(this, AssetText(AssetName), AssetName);
  FormDataRead();
  if (FOnCreate) FOnCreate(this);
}

TPoint TForm::FrameExtra() const {
  const QRect outer = FFrame->frameGeometry(), inner = FFrame->geometry();
  return {outer.width() - inner.width(), outer.height() - inner.height() + FFrame->MenuHeight()};
}

int TForm::ClientWidth() const { return std::max(Width() - FrameExtra().X, 0); }
int TForm::ClientHeight() const { return std::max(Height() - FrameExtra().Y, 0); }

void TForm::SetClientWidth(int Value) { SetBounds(Left(), Top(), Value + FrameExtra().X, Height()); }
void TForm::SetClientHeight(int Value) { SetBounds(Left(), Top(), Width(), Value + FrameExtra().Y); }

TPoint TForm::ClientOrigin() const { return TWinControl::ClientOrigin(); }

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TForm::UpdateWidgetGeometry() {
  if (!FFrame || FApplyingGeometry) return;
  FApplyingGeometry = true;
  const QRect outer = FFrame->frameGeometry(), inner = FFrame->geometry();
  const int decoW = outer.width() - inner.width(), decoH = outer.height() - inner.height();
  FFrame->move(Left(), Top());
  FFrame->resize(std::max(Width() - decoW, 1), std::max(Height() - decoH, 1));
  FFrame->Arrange(ClientWidth(), ClientHeight());
  FApplyingGeometry = false;
}

void TForm::FrameGeometryChanged() {
  if (FApplyingGeometry) return;
  const QRect outer = FFrame->frameGeometry();
  FApplyingGeometry = true;
  UpdateBounds(outer.x(), outer.y(), outer.width(), outer.height());
  FFrame->Arrange(ClientWidth(), ClientHeight());
  FApplyingGeometry = false;
  AlignControls();
}

void TForm::SetConstraints(const TSizeConstraints& Value) {
  TWinControl::SetConstraints(Value);
  const QRect outer = FFrame->frameGeometry(), inner = FFrame->geometry();
  const int decoW = outer.width() - inner.width(), decoH = outer.height() - inner.height();
  FFrame->setMinimumSize(std::max(Value.MinWidth - decoW, 0), std::max(Value.MinHeight - decoH, 0));
  FFrame->setMaximumSize(Value.MaxWidth > 0 ? Value.MaxWidth - decoW : QWIDGETSIZE_MAX,
                         Value.MaxHeight > 0 ? Value.MaxHeight - decoH : QWIDGETSIZE_MAX);
}

void TForm::SetMenu(TMainMenu* Value) {
  if (Value == FMenu) return;
  if (FMenu) FMenu->AttachToMenuBar(nullptr);
  FMenu = Value;
  if (FMenu) FMenu->AttachToMenuBar(FFrame->MenuBar());
  FFrame->MenuBar()->setVisible(FMenu != nullptr);
  // The menu bar takes its height from the client area; the outer size stays.
  FFrame->Arrange(ClientWidth(), ClientHeight());
  AlignControls();
}

void TForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (!Visible()) return;
  switch (Value) {
    case wsMaximized: FFrame->showMaximized(); break;
    case wsMinimized: FFrame->showMinimized(); break;
    case wsNormal: FFrame->showNormal(); break;
  }
}

void TForm::SetFormStyle(TFormStyle Value) {
  FFormStyle = Value;
  ApplyWindowFlags();
}

void TForm::SetBorderStyle(TFormBorderStyle Value) {
  FBorderStyle = Value;
  ApplyWindowFlags();
}

void TForm::ApplyWindowFlags() {
  Qt::WindowFlags flags = Qt::Window;
  if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) flags = Qt::Tool;
  if (FBorderStyle == bsNone) flags |= Qt::FramelessWindowHint;
  if (FFormStyle == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  const bool visible = FFrame->isVisible();
  FFrame->setWindowFlags(flags);
  if (visible) FFrame->show();
}

void TForm::CaptionChanged() { FFrame->setWindowTitle(qt::ToQ(Caption())); }

void TForm::PlaceOnFirstShow() {
  if (FShownOnce) return;
  FShownOnce = true;
  auto centreOn = [this](int X, int Y, int W, int H) {
    SetBounds(X + (W - Width()) / 2, Y + (H - Height()) / 2, Width(), Height());
  };
  TForm* main = Application->MainForm();
  if (FPosition == poMainFormCenter && main && main != this)
    centreOn(main->Left(), main->Top(), main->Width(), main->Height());
  else if (FPosition == poScreenCenter || (FPosition == poMainFormCenter && (!main || main == this)))
    centreOn(0, 0, Screen->Width(), Screen->Height());
  if (FPosition != poDefault) UpdateWidgetGeometry();
}

void TForm::VisibleChanged() {
  if (!FFrame) return;
  if (Visible()) {
    PlaceOnFirstShow();
    UpdateWidgetGeometry();
    switch (FWindowState) {
      case wsMaximized: FFrame->showMaximized(); break;
      case wsMinimized: FFrame->showMinimized(); break;
      case wsNormal: FFrame->show(); break;
    }
  } else {
    FFrame->hide();
    // Not every window system reports the deactivation of a window that hides.
    FrameActivationChanged(false);
  }
}

void TForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TForm::BringToFront() {
  FFrame->raise();
  FFrame->activateWindow();
}

bool TForm::Active() const { return FFrame->isActiveWindow(); }

void TForm::SetActiveControl(TWinControl* Control) {
  if (Control) Control->SetFocus();
}

void TForm::Close() {
  const bool isMain = Application->MainForm() == this;
  TCloseAction action = isMain ? caFree : caHide;
  DoClose(action);
  switch (action) {
    case caNone: break;
    case caHide: Hide(); break;
    case caMinimize: FFrame->showMinimized(); break;
    case caFree:
      // Freeing a window while its own event is handled is unsafe; the main window ends
      // the program and is freed by the program's exit, other windows only hide.
      Hide();
      if (isMain) Application->Terminate();
      break;
  }
}

void TForm::DoClose(TCloseAction& Action) {
  if (FOnClose) FOnClose(this, Action);
}

void TForm::FrameCloseRequested() { Close(); }

void TForm::FrameActivationChanged(bool IsActive) {
  if (IsActive == FActiveReported) return;
  FActiveReported = IsActive;
  ActivationChanged(IsActive);
  if (IsActive && FOnActivate) FOnActivate(this);
  if (!IsActive && FOnDeactivate) FOnDeactivate(this);
}

bool TForm::FrameKey(bool Escape) {
  // Search this form's controls for a visible, enabled default or cancel button.
  std::function<TButton*(TWinControl*)> find = [&](TWinControl* W) -> TButton* {
    for (int i = 0; i < W->ControlCount(); ++i) {
      TControl* c = W->Controls(i);
      if (!c->Visible() || !c->Enabled()) continue;
      if (auto* b = dynamic_cast<TButton*>(c); b && (Escape ? b->Cancel() : b->Default())) return b;
      if (auto* w = dynamic_cast<TWinControl*>(c))
        if (TButton* b = find(w)) return b;
    }
    return nullptr;
  };
  if (TButton* b = find(this)) {
    b->Click();
    return true;
  }
  return false;
}

void TForm::FitClientToControls() {
  TRect box;
  bool any = false;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    const TRect r = c->BoundsRect();
    box = any ? TRect{std::min(box.Left, r.Left), std::min(box.Top, r.Top),
                      std::max(box.Right, r.Right), std::max(box.Bottom, r.Bottom)}
              : r;
    any = true;
  }
  if (!any) return;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Visible()) c->SetBounds(c->Left() - box.Left, c->Top() - box.Top, c->Width(), c->Height());
  }
  const TPoint extra = FrameExtra();
  SetBounds(Left(), Top(), box.Width() + extra.X, box.Height() + extra.Y);
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->UpdateAnchorRules();
}

std::vector<TComponent*> TForm::ChildComponents(const TComponent* Root) const {
  std::vector<TComponent*> r;
  if (Root == this)
    for (int i = 0; i < ComponentCount(); ++i) {
      TComponent* c = Components(i);
      if (!dynamic_cast<TControl*>(c) && !c->HasParentComponent()) r.push_back(c);
    }
  for (TComponent* c : TWinControl::ChildComponents(Root)) r.push_back(c);
  return r;
}

// ---- TApplication -----------------------------------------------------------------------

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() { Shutdown(); }

void TApplication::Shutdown() {
  DestroyComponents();
  FMainForm = nullptr;
  SetExceptionHandler({});
  delete gQtApp;
  gQtApp = nullptr;
}

void TApplication::Initialize() {
  if (gQtApp) return;
  // Window surfaces are megabytes and come and go (a window's is freed once it is on
  // screen): a fixed threshold keeps them in their own mappings, which go back to the
  // system when freed, instead of letting glibc raise the threshold and keep them on the heap.
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);
  gQtApp = new qt::Application(gArgc, gArgv);
  QApplication::setQuitOnLastWindowClosed(false);
  qt::InstallFontSubstitutes();
  SetScreenPixelsPerInch(Screen->PixelsPerInch());
  SetExceptionHandler([this](const std::exception& E) { HandleException(E); });
  gQtApp->FIdleWanted = static_cast<bool>(FOnIdle);
}

void TApplication::Run() {
  if (!gQtApp) Initialize();
  FTerminated = false;
  if (!FMainForm) return;  // nothing could end a loop without a window
  FMainForm->Show();
  if (FTerminated) return;
  QApplication::exec();
}

void TApplication::Terminate() {
  FTerminated = true;
  QApplication::quit();
}

void TApplication::ProcessMessages() { QApplication::processEvents(QEventLoop::AllEvents); }

void TApplication::SetOnIdle(const TIdleEvent& Value) {
  FOnIdle = Value;
  if (gQtApp) {
    gQtApp->FIdleWanted = static_cast<bool>(Value);
    if (Value) gQtApp->ArmIdle();
  }
}

void TApplication::DoIdle() {
  if (!FOnIdle) return;
  bool done = true;
  FOnIdle(this, done);
  if (!done && gQtApp) gQtApp->ArmIdle();
}

void TApplication::HandleException(const std::exception& E) {
  MessageBox(E.what(), FTitle, {mbOK, miError});
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption,
                             TMessageBoxFlags Flags) {
  if (FResponder) return FResponder(TMessageBoxCall{Text, Caption, Flags});
  QMessageBox box;
  box.setWindowTitle(qt::ToQ(Caption));
  box.setText(qt::ToQ(Text));
  switch (Flags.Icon) {
    case miNone: box.setIcon(QMessageBox::NoIcon); break;
    case miError: box.setIcon(QMessageBox::Critical); break;
    case miWarning: box.setIcon(QMessageBox::Warning); break;
    case miInformation: box.setIcon(QMessageBox::Information); break;
    case miQuestion: box.setIcon(QMessageBox::Question); break;
  }
  std::vector<std::pair<QMessageBox::StandardButton, int>> buttons;
  switch (Flags.Buttons) {
    case mbOK: buttons = {{QMessageBox::Ok, mrOk}}; break;
    case mbOKCancel: buttons = {{QMessageBox::Ok, mrOk}, {QMessageBox::Cancel, mrCancel}}; break;
    case mbRetryCancel: buttons = {{QMessageBox::Retry, mrRetry}, {QMessageBox::Cancel, mrCancel}}; break;
    case mbYesNo: buttons = {{QMessageBox::Yes, mrYes}, {QMessageBox::No, mrNo}}; break;
    case mbYesNoCancel:
      buttons = {{QMessageBox::Yes, mrYes}, {QMessageBox::No, mrNo}, {QMessageBox::Cancel, mrCancel}};
      break;
  }
  QMessageBox::StandardButtons set;
  for (auto& b : buttons) set |= b.first;
  box.setStandardButtons(set);
  const std::size_t def = static_cast<std::size_t>(std::clamp(Flags.DefaultButton, 1, static_cast<int>(buttons.size())));
  box.setDefaultButton(buttons[def - 1].first);
  if (Flags.TopMost) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  const int answer = box.exec();
  for (auto& b : buttons)
    if (b.first == answer) return b.second;
  // Closed through the window system: the cancel answer where there is one.
  return Flags.Buttons == mbOK ? mrOk : (Flags.Buttons == mbYesNo ? mrNo : mrCancel);
}

bool DisplayAvailable(std::string& Why) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform && std::string(platform).rfind("xcb", 0) != 0 &&
      std::string(platform).rfind("wayland", 0) != 0)
    return true;
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((display && *display) || (wayland && *wayland)) return true;
  Why = "no display: neither DISPLAY nor WAYLAND_DISPLAY is set";
  return false;
}

// ---- TScreen ----------------------------------------------------------------------------

int TScreen::Width() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().width() : 0;
}

int TScreen::Height() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().height() : 0;
}

int TScreen::PixelsPerInch() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? static_cast<int>(std::lround(s->logicalDotsPerInch())) : 96;
}

TForm* TScreen::ActiveForm() const {
  for (TForm* f : FForms)
    if (f->Active()) return f;
  return nullptr;
}

void TScreen::RemoveForm(TForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
}

}  // namespace vcl
