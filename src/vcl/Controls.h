// Controls: the visual component base (TControl), controls that paint on their parent
// (TGraphicControl), controls with a window of their own (TWinControl, TCustomControl).
//
// A windowed control keeps an off-screen 32-bit surface. Its paint draws the control itself,
// then each visible graphic child in child-list order through a canvas whose origin and clip
// are the child's rectangle, then copies the surface to the screen; so a child's canvas can
// read the pixels already drawn beneath it. Windowed children lie above all graphic children.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Graphics.h"
#include "vcl/Types.h"

class QWidget;

namespace vcl {

class TWinControl;
namespace qt {
class ControlBridge;
}

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle };
using TShiftState = TSet<TShiftStateFlag>;
using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// A message delivered synchronously to a control's WndProc through Perform.
struct TMessage {
  unsigned Msg = 0;
  std::intptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_USER = 0x0400;  // first number free for a program's private messages

// Size limits; 0 means no limit.
struct TSizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
  int MaxWidth = 0;
  int MaxHeight = 0;
};

class TControl : public TComponent {
  VCL_CLASS_NAME(TControl)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Moves and sizes the control; an explicit placement also becomes the base of its anchors.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  virtual int ClientWidth() const { return FWidth; }
  virtual int ClientHeight() const { return FHeight; }
  TRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
  // Screen position of the client area's top left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* Value);
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent up to the top-level window too.
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  const TSizeConstraints& Constraints() const { return FConstraints; }
  virtual void SetConstraints(const TSizeConstraints& Value);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  // The control's font. Changing it through the pointer clears ParentFont.
  TFont* Font() { return &FFont; }
  const TFont* Font() const { return &FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);

  // Moves the control to the end of its parent's child list (on top of its siblings).
  void BringToFront();
  // Requests a repaint of the control's area; it happens at the next paint of the window.
  virtual void Invalidate();

  // Fires OnClick; controls override it to add their own click behaviour.
  virtual void Click();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // The mouse entered or left the control (delivered by the framework).
  virtual void CMMouseEnter();
  virtual void CMMouseLeave();

  // Delivers a message synchronously to WndProc and returns its result.
  std::intptr_t Perform(unsigned Msg, std::intptr_t WParam, std::intptr_t LParam);
  virtual void WndProc(TMessage& Message);

  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& Value) { FOnClick = Value; }
  TMouseEvent OnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(const TMouseEvent& Value) { FOnMouseDown = Value; }
  TMouseMoveEvent OnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(const TMouseMoveEvent& Value) { FOnMouseMove = Value; }
  TMouseEvent OnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(const TMouseEvent& Value) { FOnMouseUp = Value; }
  TNotifyEvent OnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(const TNotifyEvent& Value) { FOnMouseEnter = Value; }
  TNotifyEvent OnMouseLeave() const { return FOnMouseLeave; }
  void SetOnMouseLeave(const TNotifyEvent& Value) { FOnMouseLeave = Value; }
  TNotifyEvent OnResize() const { return FOnResize; }
  void SetOnResize(const TNotifyEvent& Value) { FOnResize = Value; }

  void SetParentComponent(TComponent* AParent) override;
  bool HasParentComponent() const override { return FParent != nullptr; }
  void Loaded() override;
  // Records the current bounds and parent client size as the base of anchoring.
  void UpdateAnchorRules();

 protected:
  // Stores new bounds without touching the anchor base (used by aligning and anchoring).
  void UpdateBounds(int ALeft, int ATop, int AWidth, int AHeight);
  // Called after the bounds changed; windowed controls move their widget here.
  virtual void BoundsChanged(const TRect& OldBounds);
  virtual void VisibleChanged();
  virtual void EnabledChanged() {}
  virtual void ColorChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  virtual void CaptionChanged() { Invalidate(); }
  virtual void Resize();
  // Called after the parent's client area changed size and the parent's children have been
  // anchored and aligned to it (not while form data is read).
  virtual void ParentResized() {}
  void ParentColorChanged();
  void ParentFontChanged();

 private:
  friend class TWinControl;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TWinControl* FParent = nullptr;
  bool FVisible = true;
  bool FEnabled = true;
  TAnchors FAnchors{akLeft, akTop};
  TAlign FAlign = alNone;
  TSizeConstraints FConstraints;
  TColor FColor = clWindow;
  bool FParentColor = false;
  TFont FFont;
  bool FParentFont = true;
  bool FSettingParentFont = false;
  std::string FCaption;
  TRect FAnchorBase;        // bounds when last placed explicitly
  TPoint FAnchorParentSize; // parent's client size at that moment
  TNotifyEvent FOnClick, FOnMouseEnter, FOnMouseLeave, FOnResize;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
};

// A control without a window of its own, painted on its parent's surface.
class TGraphicControl : public TControl {
  VCL_CLASS_NAME(TGraphicControl)
 public:
  explicit TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}
  // The canvas on the parent's surface, with origin and clip at this control's rectangle.
  // It is bound while the parent paints.
  TCanvas* Canvas() { return &FCanvas; }

 protected:
  virtual void Paint() {}

 private:
  friend class TWinControl;
  TCanvas FCanvas;
};

// A control with a window (a Qt widget) of its own, parent of other controls.
class TWinControl : public TControl {
  VCL_CLASS_NAME(TWinControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const;
  int IndexOfControl(const TControl* Control) const;
  // The topmost visible, enabled graphic child that contains P (client coordinates).
  TControl* GraphicControlAt(TPoint P) const;

  void SetFocus();
  bool Focused() const;
  // The position among the siblings that take the focus with Tab; -1 for a control that
  // does not (TabStop false) or has no parent.
  int TabOrder() const;
  void SetTabOrder(int Value);
  virtual bool TabStop() const { return true; }
  // A top-level window learns of the mouse entering and leaving from its frame.
  virtual bool IsTopLevel() const { return false; }

  // Repaints the whole surface now (used where a paint must not wait for the event loop).
  void Repaint();
  void Invalidate() override;
  // Invalidates a rectangle of the client area.
  void InvalidateRect(const TRect& R);

  std::vector<TComponent*> ChildComponents(const TComponent* Root) const override;
  TPoint ClientOrigin() const override;

  // Private to the class library: the widget and its bridge.
  QWidget* Widget() const { return FWidget; }
  qt::ControlBridge* Bridge() const { return FBridge.get(); }
  // The surface that graphic children paint on (valid after PaintSurface; a top-level
  // window's is released once its picture is on screen, see ReleaseSurface).
  TBitmap* Surface() { return &FSurface; }
  // Frees the surface's pixels; the next PaintSurface allocates them again.
  void ReleaseSurface() { FSurface.SetSize(0, 0); }

  // Called by the bridge: paints control and graphic children onto the surface.
  void PaintSurface();
  // Called by the bridge when the client area changed size outside the library's control
  // (a top-level window resized by the user).
  void ClientResized();
  // Called by the bridge for mouse input on the surface (client coordinates).
  void SurfaceMouseMove(TPoint P, TShiftState Shift);
  void SurfaceMouseDown(TPoint P, TMouseButton Button, TShiftState Shift);
  void SurfaceMouseUp(TPoint P, TMouseButton Button, TShiftState Shift);
  void SurfaceMouseEnter(TPoint P);
  void SurfaceMouseLeave();

 protected:
  // Windowed controls built on a native Qt widget hand it in; without one the control gets
  // a painting surface.
  TWinControl(TComponent* AOwner, QWidget* NativeWidget);
  // Paints the control itself on the surface before its graphic children (fills Color).
  virtual void PaintWindow(TCanvas& Canvas);
  void BoundsChanged(const TRect& OldBounds) override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  // Lays out aligned children and moves anchored ones after a change of the client area.
  void AlignControls();
  // Destroys every child control now (windowed controls destroy their children first).
  void DestroyChildren();
  // Replaces the widget (top-level windows put their client area inside a frame).
  void SetWidgetParent(QWidget* Parent);
  // Applies the widget geometry for the current bounds.
  virtual void UpdateWidgetGeometry();
  TPoint LastClientSize() const { return FLastClientSize; }

 private:
  friend class TControl;
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  void AnchorChild(TControl* Child, TPoint OldSize, TPoint NewSize);

  std::vector<TControl*> FControls;
  QWidget* FWidget = nullptr;
  std::unique_ptr<qt::ControlBridge> FBridge;
  TBitmap FSurface;
  TCanvas FSurfaceCanvas;
  TControl* FMouseControl = nullptr;    // graphic child under the mouse
  TControl* FCaptureControl = nullptr;  // control that got the last mouse press
  TPoint FLastClientSize;
};

// A windowed control with a canvas and a Paint to override.
class TCustomControl : public TWinControl {
  VCL_CLASS_NAME(TCustomControl)
 public:
  explicit TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}
  TCanvas* Canvas() { return &FCanvas; }

 protected:
  virtual void Paint();
  void PaintWindow(TCanvas& Canvas) override;

 private:
  TCanvas FCanvas;
};

}  // namespace vcl
