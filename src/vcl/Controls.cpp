#include "vcl/Controls.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

#include "vcl/qt/Bridge.h"

namespace vcl {

namespace {

// a * b / c rounded to the nearest integer.
int MulDiv(int A, int B, int C) {
  return static_cast<int>(std::lround(static_cast<double>(A) * B / C));
}

int Constrain(int Value, int Min, int Max) {
  if (Max > 0 && Value > Max) Value = Max;
  if (Min > 0 && Value < Min) Value = Min;
  return Value;
}

}  // namespace

// ---- TControl ---------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FFont.OnChange = [this] {
    if (!FSettingParentFont) FParentFont = false;
    FontChanged();
  };
}

TControl::~TControl() {
  SetDestroying();
  FFont.OnChange = nullptr;
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  UpdateBounds(ALeft, ATop, AWidth, AHeight);
  UpdateAnchorRules();
}

void TControl::UpdateBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = Constrain(std::max(AWidth, 0), FConstraints.MinWidth, FConstraints.MaxWidth);
  AHeight = Constrain(std::max(AHeight, 0), FConstraints.MinHeight, FConstraints.MaxHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const TRect old = BoundsRect();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  BoundsChanged(old);
  if (FParent && FAlign != alNone) FParent->AlignControls();
  if (old.Width() != FWidth || old.Height() != FHeight) Resize();
}

void TControl::BoundsChanged(const TRect& OldBounds) {
  if (FParent && FVisible) {
    FParent->InvalidateRect(OldBounds);
    FParent->InvalidateRect(BoundsRect());
  }
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

void TControl::UpdateAnchorRules() {
  FAnchorBase = BoundsRect();
  FAnchorParentSize = FParent ? TPoint{FParent->ClientWidth(), FParent->ClientHeight()} : TPoint{};
}

TPoint TControl::ClientOrigin() const {
  TPoint p = FParent ? FParent->ClientOrigin() : TPoint{};
  return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint P) const {
  TPoint o = ClientOrigin();
  return {P.X + o.X, P.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint P) const {
  TPoint o = ClientOrigin();
  return {P.X - o.X, P.Y - o.Y};
}

void TControl::SetParent(TWinControl* Value) {
  if (Value == FParent) return;
  if (Value == this) throw EInvalidOperation("A control cannot be its own parent");
  if (FParent) FParent->RemoveControl(this);
  if (Value) Value->InsertControl(this);
  if (FParent) {
    if (FParentColor) ParentColorChanged();
    if (FParentFont) ParentFontChanged();
  }
  UpdateAnchorRules();
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
}

void TControl::SetParentComponent(TComponent* AParent) {
  auto* parent = dynamic_cast<TWinControl*>(AParent);
  if (!parent)
    throw EFormDataError("a " + ClassName() + " cannot be placed inside a " + AParent->ClassName());
  SetParent(parent);
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  VisibleChanged();
  if (FParent && FAlign != alNone) FParent->AlignControls();
}

void TControl::VisibleChanged() {
  if (FParent) FParent->InvalidateRect(BoundsRect());
}

bool TControl::Showing() const {
  if (!FVisible) return false;
  return FParent ? FParent->Showing() : true;
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  EnabledChanged();
  Invalidate();
}

void TControl::SetAnchors(TAnchors Value) {
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  if (FParent) FParent->AlignControls();
}

void TControl::SetConstraints(const TSizeConstraints& Value) {
  FConstraints = Value;
  UpdateBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::SetColor(TColor Value) {
  FParentColor = false;
  if (Value == FColor) return;
  FColor = Value;
  ColorChanged();
}

void TControl::SetParentColor(bool Value) {
  FParentColor = Value;
  if (Value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!FParentColor || !FParent || FParent->Color() == FColor) return;
  FColor = FParent->Color();
  ColorChanged();
}

void TControl::SetParentFont(bool Value) {
  FParentFont = Value;
  if (Value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FSettingParentFont = true;
  FFont.Assign(*FParent->Font());
  FSettingParentFont = false;
}

void TControl::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  CaptionChanged();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it != list.end()) {
    list.erase(it);
    list.push_back(this);
  }
  if (auto* win = dynamic_cast<TWinControl*>(this)) {
    if (win->Widget()) win->Widget()->raise();
  }
  Invalidate();
}

void TControl::Invalidate() {
  if (FParent) FParent->InvalidateRect(BoundsRect());
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::CMMouseEnter() {
  if (FOnMouseEnter) FOnMouseEnter(this);
}

void TControl::CMMouseLeave() {
  if (FOnMouseLeave) FOnMouseLeave(this);
}

std::intptr_t TControl::Perform(unsigned Msg, std::intptr_t WParam, std::intptr_t LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage&) {}

// ---- TWinControl ------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TWinControl(AOwner, nullptr) {}

TWinControl::TWinControl(TComponent* AOwner, QWidget* NativeWidget) : TControl(AOwner) {
  FWidget = NativeWidget ? NativeWidget : new qt::SurfaceWidget(this);
  FWidget->hide();
  FBridge = std::make_unique<qt::ControlBridge>(this, FWidget);
}

TWinControl::~TWinControl() {
  SetDestroying();
  DestroyChildren();
  if (auto* surface = dynamic_cast<qt::SurfaceWidget*>(FWidget)) surface->Detach();
  FBridge.reset();
  delete FWidget;
  FWidget = nullptr;
}

void TWinControl::DestroyChildren() {
  while (!FControls.empty()) delete FControls.back();
}

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount())
    throw EListError("Control index out of bounds (" + std::to_string(Index) + ")");
  return FControls[static_cast<std::size_t>(Index)];
}

int TWinControl::IndexOfControl(const TControl* Control) const {
  auto it = std::find(FControls.begin(), FControls.end(), Control);
  return it == FControls.end() ? -1 : static_cast<int>(it - FControls.begin());
}

void TWinControl::InsertControl(TControl* Control) {
  FControls.push_back(Control);
  Control->FParent = this;
  if (auto* win = dynamic_cast<TWinControl*>(Control)) {
    win->SetWidgetParent(FWidget);
    win->UpdateWidgetGeometry();
    win->FWidget->setVisible(win->Visible());
  } else {
    Control->Invalidate();
  }
  if (Control->Align() != alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* Control) {
  auto it = std::find(FControls.begin(), FControls.end(), Control);
  if (it == FControls.end()) return;
  FControls.erase(it);
  if (FMouseControl == Control) FMouseControl = nullptr;
  if (FCaptureControl == Control) FCaptureControl = nullptr;
  if (auto* win = dynamic_cast<TWinControl*>(Control)) {
    if (win->FWidget) {
      win->FWidget->hide();
      win->FWidget->setParent(nullptr);
    }
  } else {
    InvalidateRect(Control->BoundsRect());
  }
  Control->FParent = nullptr;
}

void TWinControl::SetWidgetParent(QWidget* Parent) { FWidget->setParent(Parent); }

void TWinControl::UpdateWidgetGeometry() {
  if (FWidget) FWidget->setGeometry(Left(), Top(), Width(), Height());
}

void TWinControl::BoundsChanged(const TRect&) {
  UpdateWidgetGeometry();
  AlignControls();
}

void TWinControl::VisibleChanged() {
  // A control without a parent has no place on screen; its widget stays hidden.
  if (FWidget && Parent()) FWidget->setVisible(Visible());
}

void TWinControl::EnabledChanged() {
  if (FWidget) FWidget->setEnabled(Enabled());
}

void TWinControl::ColorChanged() {
  Invalidate();
  for (TControl* c : FControls) c->ParentColorChanged();
}

void TWinControl::FontChanged() {
  Invalidate();
  for (TControl* c : FControls) c->ParentFontChanged();
}

void TWinControl::AlignControls() {
  const TPoint now{ClientWidth(), ClientHeight()};
  const TPoint old = FLastClientSize;
  FLastClientSize = now;
  // While form data is read, children keep their designed places; their anchor bases are
  // taken once loading has finished (Loaded).
  if ((old.X != now.X || old.Y != now.Y) && !ComponentState().Contains(csLoading))
    for (TControl* c : std::vector<TControl*>(FControls))
      if (c->Align() == alNone) AnchorChild(c, old, now);

  TRect r = ClientRect();
  auto aligned = [&](TAlign a) {
    for (TControl* c : std::vector<TControl*>(FControls)) {
      if (c->Align() != a || !c->Visible()) continue;
      switch (a) {
        case alTop: c->UpdateBounds(r.Left, r.Top, r.Width(), c->Height()); r.Top += c->Height(); break;
        case alBottom: c->UpdateBounds(r.Left, r.Bottom - c->Height(), r.Width(), c->Height()); r.Bottom -= c->Height(); break;
        case alLeft: c->UpdateBounds(r.Left, r.Top, c->Width(), r.Height()); r.Left += c->Width(); break;
        case alRight: c->UpdateBounds(r.Right - c->Width(), r.Top, c->Width(), r.Height()); r.Right -= c->Width(); break;
        case alClient: c->UpdateBounds(r.Left, r.Top, r.Width(), r.Height()); break;
        case alNone: break;
      }
    }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) aligned(a);
  if ((old.X != now.X || old.Y != now.Y) && !ComponentState().Contains(csLoading))
    for (TControl* c : std::vector<TControl*>(FControls)) c->ParentResized();
}

// Anchored at both edges: the distance to each edge stays; at the far edge only: the
// distance to it stays; at neither: the centre keeps its fraction of the parent's size.
void TWinControl::AnchorChild(TControl* Child, TPoint OldSize, TPoint NewSize) {
  const TRect base = Child->FAnchorBase;
  TPoint ps = Child->FAnchorParentSize;
  if (ps.X <= 0 && ps.Y <= 0) ps = OldSize;
  const TAnchors a = Child->Anchors();
  auto axis = [](bool Near, bool Far, int Pos, int Size, int OldParent, int NewParent, int& OutPos,
                 int& OutSize) {
    OutPos = Pos;
    OutSize = Size;
    const int delta = NewParent - OldParent;
    if (Near && Far)
      OutSize = Size + delta;
    else if (Far)
      OutPos = Pos + delta;
    else if (!Near && OldParent > 0)
      OutPos = MulDiv(Pos + Size / 2, NewParent, OldParent) - Size / 2;
  };
  int l, t, w, h;
  axis(a.Contains(akLeft), a.Contains(akRight), base.Left, base.Width(), ps.X, NewSize.X, l, w);
  axis(a.Contains(akTop), a.Contains(akBottom), base.Top, base.Height(), ps.Y, NewSize.Y, t, h);
  Child->UpdateBounds(l, t, w, h);
}

void TWinControl::ClientResized() {
  AlignControls();
  Resize();
}

TControl* TWinControl::GraphicControlAt(TPoint P) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) || !c->Visible() || !c->Enabled()) continue;
    if (PtInRect(c->BoundsRect(), P)) return c;
  }
  return nullptr;
}

void TWinControl::SetFocus() {
  if (FWidget) FWidget->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const { return FWidget && FWidget->hasFocus(); }

int TWinControl::TabOrder() const {
  if (!Parent() || !TabStop()) return -1;
  int order = 0;
  for (TControl* c : Parent()->FControls) {
    if (c == this) return order;
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->TabStop()) ++order;
  }
  return -1;
}

// The tab order is the order of the tab-stop children in the parent's child list; setting
// it moves this control among them and rebuilds Qt's focus chain.
void TWinControl::SetTabOrder(int Value) {
  TWinControl* parent = Parent();
  if (!parent || !TabStop()) return;
  auto stop = [](TControl* c) {
    auto* w = dynamic_cast<TWinControl*>(c);
    return w && w->TabStop() ? w : nullptr;
  };
  std::vector<TWinControl*> order;
  for (TControl* c : parent->FControls)
    if (TWinControl* w = stop(c); w && w != this) order.push_back(w);
  Value = std::clamp(Value, 0, static_cast<int>(order.size()));
  order.insert(order.begin() + Value, this);
  // Other children keep their places; the tab stops are reordered among their own slots.
  std::size_t next = 0;
  for (TControl*& c : parent->FControls)
    if (stop(c)) c = order[next++];
  for (std::size_t i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i]->FWidget, order[i + 1]->FWidget);
}

void TWinControl::Invalidate() {
  if (FWidget) FWidget->update();
}

void TWinControl::InvalidateRect(const TRect& R) {
  if (FWidget && !R.IsEmpty()) FWidget->update(R.Left, R.Top, R.Width(), R.Height());
}

void TWinControl::Repaint() {
  if (FWidget) FWidget->repaint();
}

TPoint TWinControl::ClientOrigin() const {
  const QPoint p = FWidget->mapToGlobal(QPoint(0, 0));
  return {p.x(), p.y()};
}

std::vector<TComponent*> TWinControl::ChildComponents(const TComponent* Root) const {
  std::vector<TComponent*> r;
  for (TControl* c : FControls)
    if (c->Owner() == Root) r.push_back(c);
  return r;
}

void TWinControl::PaintWindow(TCanvas& Canvas) {
  Canvas.Brush()->SetColor(Color());
  Canvas.FillRect(ClientRect());
}

void TWinControl::PaintSurface() {
  FSurface.SetSize(FWidget->width(), FWidget->height());
  const TRect all{0, 0, FSurface.Width(), FSurface.Height()};
  FSurfaceCanvas.Bind(&FSurface, {0, 0}, all);
  PaintWindow(FSurfaceCanvas);
  for (TControl* c : std::vector<TControl*>(FControls)) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->Visible() || IndexOfControl(g) < 0) continue;
    g->FCanvas.Bind(&FSurface, {g->Left(), g->Top()}, g->BoundsRect());
    qt::Guard([&] { g->Paint(); });
    if (IndexOfControl(g) >= 0) g->FCanvas.Unbind();
  }
}

void TWinControl::SurfaceMouseEnter(TPoint P) {
  if (!IsTopLevel()) CMMouseEnter();
  SurfaceMouseMove(P, {});
}

void TWinControl::SurfaceMouseLeave() {
  if (TControl* c = FMouseControl) {
    FMouseControl = nullptr;
    c->CMMouseLeave();
  }
  if (!IsTopLevel()) CMMouseLeave();
}

void TWinControl::SurfaceMouseMove(TPoint P, TShiftState Shift) {
  TControl* now = GraphicControlAt(P);
  if (now != FMouseControl) {
    TControl* old = FMouseControl;
    FMouseControl = now;
    if (old) old->CMMouseLeave();
    if (now && IndexOfControl(now) >= 0) now->CMMouseEnter();
  }
  TControl* target = FCaptureControl ? FCaptureControl : (now ? now : this);
  if (target == this)
    MouseMove(Shift, P.X, P.Y);
  else if (IndexOfControl(target) >= 0)
    target->MouseMove(Shift, P.X - target->Left(), P.Y - target->Top());
}

void TWinControl::SurfaceMouseDown(TPoint P, TMouseButton Button, TShiftState Shift) {
  TControl* target = GraphicControlAt(P);
  if (!target) target = this;
  FCaptureControl = target;
  if (target == this)
    MouseDown(Button, Shift, P.X, P.Y);
  else
    target->MouseDown(Button, Shift, P.X - target->Left(), P.Y - target->Top());
}

void TWinControl::SurfaceMouseUp(TPoint P, TMouseButton Button, TShiftState Shift) {
  TControl* target = FCaptureControl ? FCaptureControl : this;
  FCaptureControl = nullptr;
  const TPoint local =
      target == this ? P : TPoint{P.X - target->Left(), P.Y - target->Top()};
  if (Button == mbLeft && PtInRect(target->ClientRect(), local)) target->Click();
  // The click handler may have removed the control.
  if (target == this || IndexOfControl(target) >= 0) target->MouseUp(Button, Shift, local.X, local.Y);
}

// ---- TCustomControl ---------------------------------------------------------------------

void TCustomControl::PaintWindow(TCanvas& Canvas) {
  FCanvas.Bind(Canvas.Surface(), Canvas.Origin(), Canvas.ClipRect());
  Paint();
  FCanvas.Unbind();
}

void TCustomControl::Paint() {
  FCanvas.Brush()->SetColor(Color());
  FCanvas.FillRect(ClientRect());
}

}  // namespace vcl
