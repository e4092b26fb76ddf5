// Top-level windows (TForm), the application object with its message loop, idle event,
// default error report and message boxes, and the screen.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "vcl/Controls.h"

namespace vcl {

class TMainMenu;
class TButton;
namespace qt {
class FormFrame;
}

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsStayOnTop };
// Border styles of windows; bsNone and bsSingle also serve controls with a border.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;

class TForm : public TWinControl {
  VCL_CLASS_NAME(TForm)
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  // Reads the form data asset into this form (components, properties, events), calls
  // FormDataRead, then runs OnCreate. Raises EFormDataError for malformed data.
  void LoadFromFormData(const std::string& AssetName);

  // Left, Top, Width and Height are the outer frame (title bar, border and menu bar
  // included); the client area lies inside, below the menu bar.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  TPoint ClientOrigin() const override;

  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value) { FAutoScroll = Value; }
  void SetConstraints(const TSizeConstraints& Value) override;

  // Shows the window, brings it to the front and activates it.
  void Show();
  // Runs the close event; the action decides: hide (the default), nothing, or for the
  // main window the end of the program.
  void Close();
  void BringToFront();
  bool Active() const;
  // The control that has the input focus inside this form, if any.
  void SetActiveControl(TWinControl* Control);
  // Client area becomes the bounding box of the visible children, which move so that the
  // box's top left corner is the client area's top left corner.
  void FitClientToControls();

  TNotifyEvent OnCreate() const { return FOnCreate; }
  void SetOnCreate(const TNotifyEvent& Value) { FOnCreate = Value; }
  TCloseEvent OnClose() const { return FOnClose; }
  void SetOnClose(const TCloseEvent& Value) { FOnClose = Value; }
  TNotifyEvent OnActivate() const { return FOnActivate; }
  void SetOnActivate(const TNotifyEvent& Value) { FOnActivate = Value; }
  TNotifyEvent OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(const TNotifyEvent& Value) { FOnDeactivate = Value; }

  std::vector<TComponent*> ChildComponents(const TComponent* Root) const override;
  bool IsTopLevel() const override { return true; }

  // Private to the class library: called by the window frame.
  void FrameActivationChanged(bool Active);
  void FrameGeometryChanged();
  void FrameCloseRequested();
  // Enter clicks the default button, Esc the cancel button; true when one was clicked.
  bool FrameKey(bool Escape);

 protected:
  // Decides what a close does: fires OnClose, which may change the action.
  virtual void DoClose(TCloseAction& Action);
  // The form data has been read; OnCreate comes next. Forms bind their fields here.
  virtual void FormDataRead() {}
  // The window became active or inactive (before OnActivate / OnDeactivate).
  virtual void ActivationChanged(bool Active) { (void)Active; }
  void VisibleChanged() override;
  void CaptionChanged() override;
  void UpdateWidgetGeometry() override;

 private:
  void ApplyWindowFlags();
  void PlaceOnFirstShow();
  TPoint FrameExtra() const;  // outer size minus client size

  qt::FormFrame* FFrame = nullptr;
  TMainMenu* FMenu = nullptr;
  TWindowState FWindowState = wsNormal;
  TFormStyle FFormStyle = fsNormal;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TPosition FPosition = poDesigned;
  bool FAutoScroll = true;
  bool FShownOnce = false;
  bool FApplyingGeometry = false;
  bool FActiveReported = false;  // the last activation state handed to the form
  TNotifyEvent FOnCreate, FOnActivate, FOnDeactivate;
  TCloseEvent FOnClose;
};

// ---- Message boxes ----------------------------------------------------------------------

enum TMsgButtons { mbOK, mbOKCancel, mbRetryCancel, mbYesNo, mbYesNoCancel };
enum TMsgIcon { miNone, miError, miWarning, miInformation, miQuestion };
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

struct TMessageBoxFlags {
  TMsgButtons Buttons = mbOK;
  TMsgIcon Icon = miNone;
  int DefaultButton = 1;    // 1 for the first button, 2 for the second, ...
  bool TopMost = false;     // kept on top of all windows and brought to the foreground
};

struct TMessageBoxCall {
  std::string Text;
  std::string Caption;
  TMessageBoxFlags Flags;
};

// Answers message boxes instead of showing them (tests). Returns a TModalResult.
using TMessageBoxResponder = std::function<int(const TMessageBoxCall&)>;

// ---- Application ------------------------------------------------------------------------

using TIdleEvent = TEvent<void(TObject* Sender, bool& Done)>;

class TApplication : public TComponent {
  VCL_CLASS_NAME(TApplication)
 public:
  TApplication();
  ~TApplication() override;

  // Starts the toolkit. Must come before any control is created.
  void Initialize();
  // Creates a form owned by the application; the first one becomes the main window. A form
  // that fails to build (bad form data, a corrupt picture) is reported through
  // HandleException and leaves Reference null; without a main window Run returns at once.
  template <class T>
  void CreateForm(T*& Reference) {
    try {
      Reference = new T(this);
    } catch (const std::exception& E) {
      Reference = nullptr;
      HandleException(E);
      return;
    }
    if (!FMainForm) FMainForm = Reference;
  }
  // Shows the main window and runs the message loop until Terminate or the main window
  // closes. Returns at once when there is no main window.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles every pending message and returns.
  void ProcessMessages();
  // Frees every form and stops the toolkit; the last call of a program.
  void Shutdown();

  TForm* MainForm() const { return FMainForm; }
  void SetMainForm(TForm* Value) { FMainForm = Value; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }

  // Raised each time the message queue has become empty. A handler that sets Done to false
  // is called again at once.
  TIdleEvent OnIdle() const { return FOnIdle; }
  void SetOnIdle(const TIdleEvent& Value);

  // The default error report: a modal box with the exception's message.
  void HandleException(const std::exception& E);
  int MessageBox(const std::string& Text, const std::string& Caption,
                 TMessageBoxFlags Flags = {});
  void SetMessageBoxResponder(TMessageBoxResponder Responder) { FResponder = std::move(Responder); }

  // Private to the class library.
  void DoIdle();

 private:
  TForm* FMainForm = nullptr;
  std::string FTitle = "Settings";
  TIdleEvent FOnIdle;
  TMessageBoxResponder FResponder;
  bool FTerminated = false;
};

// True when a display can be opened; otherwise Why says what is missing.
bool DisplayAvailable(std::string& Why);

class TScreen : public TObject {
  VCL_CLASS_NAME(TScreen)
 public:
  int Width() const;
  int Height() const;
  int PixelsPerInch() const;
  // Every form of the application, hidden ones included, in creation order.
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TForm* Forms(int Index) const { return FForms.at(static_cast<std::size_t>(Index)); }
  TForm* ActiveForm() const;

  // Private to the class library.
  void AddForm(TForm* Form) { FForms.push_back(Form); }
  void RemoveForm(TForm* Form);

 private:
  std::vector<TForm*> FForms;
};

extern TApplication* Application;
extern TScreen* Screen;

}  // namespace vcl
