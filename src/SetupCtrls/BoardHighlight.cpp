#include "SetupCtrls/BoardHighlight.h"

#include <cfenv>
#include <cmath>

#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/PopupForm.h"
#include "SetupCtrls/RadioPanel.h"
#include "vcl/Platform.h"
#include "vcl/SysUtils.h"

using namespace vcl;

namespace setupctrls {

// ---- Strings and shading ----------------------------------------------------------------

std::string StripAmpersands(const std::string& S) {
  std::string r;
  for (char c : S)
    if (c != '&') r += c;
  return r;
}

std::string MakeIdentifier(const std::string& S) {
  if (S.empty() || IsValidIdent(S)) return S;
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  std::size_t first = 0;
  while (first < S.size() && !letter(S[first])) ++first;
  if (first == S.size()) return {};
  std::string r(1, S[first]);
  for (std::size_t i = first + 1; i < S.size(); ++i)
    if (letter(S[i]) || digit(S[i])) r += S[i];
  return r;
}

void ShadeEllipse(TBitmap& Image, int MaxX, int MaxY, float Intensity, TColor Color, bool Glow) {
  // The ring's geometry divides by MaxX and MaxY: a one-pixel image has no ring.
  if (MaxX <= 0 || MaxY <= 0) return;
  const float sx = 2.0f / static_cast<float>(MaxX), sy = 2.0f / static_cast<float>(MaxY);
  const TColor rgb = ColorToRGB(Color);
  const float ring[3] = {static_cast<float>(GetBValue(rgb)), static_cast<float>(GetGValue(rgb)),
                         static_cast<float>(GetRValue(rgb))};
  for (int r = 0; r <= MaxY && r < Image.Height(); ++r) {
    std::uint8_t* row = Image.ScanLine(r);
    for (int c = 0; c <= MaxX && c < Image.Width(); ++c) {
      const float x = static_cast<float>(c) * sx - 1.0f, y = static_cast<float>(r) * sy - 1.0f;
      const float d = x * x + y * y;
      if (d >= 1.0f) continue;
      float a = d < 0.5929f ? 0.16f : 1.0f - 8.0f * std::fabs(std::sqrt(d) - 0.875f);
      bool white = false;
      if (Glow) {
        a = 2.0f * a;
        if (a > 1.0f) {
          white = true;
          a = 2.0f - a;
        }
      }
      a = a * Intensity;
      std::uint8_t* px = row + 4 * c;
      for (int k = 0; k < 3; ++k) {
        const float base = white ? 255.0f : static_cast<float>(px[k]);
        // Rounding to nearest, halves to even (the default rounding mode).
        px[k] = static_cast<std::uint8_t>(std::nearbyint(base * (1.0f - a) + ring[k] * a));
      }
      if (white) px[3] = 0;
    }
  }
}

// ---- TBoardHighlight --------------------------------------------------------------------

namespace {

struct TKind {
  TColor Ring;
  float Idle, Lit, Glow;
  const char* MenuCaption;
  const char* MenuWord;
};

const TKind kKinds[] = {
    {0xFF0000, 0.25f, 0.5f, 1.0f, "&Options", "Options"},
    {0x00FFFF, 0.5f, 0.75f, 1.0f, "&Settings", "Settings"},
    {0x0000FF, 0.5f, 0.75f, 1.0f, "&Calibration", "Calibration"},
};

TBoardImage* BoardImageParent(const TControl& C) {
  TWinControl* p = C.Parent();
  return p && p->ClassNameIs("TBoardImage") ? static_cast<TBoardImage*>(p) : nullptr;
}

}  // namespace

TBoardHighlight::TBoardHighlight(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 65, 65);
  // The stored kind starts at ordinal 0, so this always fills colour and intensities.
  SetHighlightType(htSettings);
}

void TBoardHighlight::SetHighlightType(THighlightType Value) {
  if (Value == FHighlightType) return;
  FHighlightType = Value;
  const TKind& k = kKinds[Value];
  FRingColor = k.Ring;
  FIdleIntensity = k.Idle;
  FGlowIntensity = k.Glow;
  FLitIntensity = k.Lit;
  Invalidate();
}

void TBoardHighlight::SetTitle(const std::string& Value) {
  if (Value == FTitle) return;
  FTitle = Value;
  FCaptionText = StripAmpersands(Value);
  FNameBase = MakeIdentifier(Value);
}

void TBoardHighlight::SetRadioPanel(TRadioPanel* Value) {
  if (Value == FRadioPanel) return;
  if (Value && Parent()) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      TControl* c = Parent()->Controls(i);
      if (c == this || !c->ClassNameIs("TBoardHighlight")) continue;
      auto* other = static_cast<TBoardHighlight*>(c);
      // A panel may be shared only within one group.
      if (other->FRadioPanel == Value && (other->FTitle != FTitle || other->FHighlightType != FHighlightType)) return;
    }
  }
  FRadioPanel = Value;
}

bool TBoardHighlight::IsMemberOf(const TBoardHighlight& Other) const {
  return ClassNameIs("TBoardHighlight") && FTitle == Other.FTitle && FHighlightType == Other.FHighlightType;
}

std::vector<TBoardHighlight*> TBoardHighlight::Group() const {
  TBoardImage* image = BoardImageParent(*this);
  if (!image) return {const_cast<TBoardHighlight*>(this)};
  std::vector<TBoardHighlight*> members;
  for (int i = 0; i < image->ControlCount(); ++i) {
    TControl* c = image->Controls(i);
    if (!c->ClassNameIs("TBoardHighlight")) continue;
    auto* h = static_cast<TBoardHighlight*>(c);
    if (h->IsMemberOf(*this)) members.push_back(h);
  }
  return members;
}

std::string TBoardHighlight::KindCaption() const { return kKinds[FHighlightType].MenuCaption; }

// ---- Painting ---------------------------------------------------------------------------

void TBoardHighlight::Paint() {
  if (!FPrepared) {
    Prepare();
    FPrepared = true;
  }
  const TBitmap& image = FLit && FPopupActive ? FGlowImage : (FLit || FPopupActive ? FLitImage : FIdleImage);
  Canvas()->Draw(0, 0, image);
}

void TBoardHighlight::Prepare() {
  RenderImages();
  if (TBoardImage* image = BoardImageParent(*this)) {
    FMenu = image->Menu();
    AddMenuItem();
  } else {
    FMenu = nullptr;
  }
}

// Rendered once, from the pixels already drawn beneath the circle at its first paint.
void TBoardHighlight::RenderImages() {
  struct {
    TBitmap& Image;
    float Intensity;
    bool Glow;
  } images[] = {{FIdleImage, FIdleIntensity, false}, {FGlowImage, FGlowIntensity, true}, {FLitImage, FLitIntensity, false}};
  for (auto& i : images) {
    i.Image.SetSize(Width(), Height());
    i.Image.Canvas()->CopyRect({0, 0, Width(), Height()}, *Canvas(), {0, 0, Width(), Height()});
    ShadeEllipse(i.Image, Width() - 1, Height() - 1, i.Intensity, FRingColor, i.Glow);
  }
}

// ---- Hover and pin ----------------------------------------------------------------------

void TBoardHighlight::MouseEnter(bool Propagated) {
  if (FLit) return;
  FLit = true;
  Invalidate();
  if (FCreatePopup) ShowPopup();
  if (!Propagated)
    for (TBoardHighlight* m : Group()) m->MouseEnter(true);
}

void TBoardHighlight::MouseLeave(bool Propagated) {
  if (!FLit) return;
  if (FPopup && !FPinned) {
    const TPoint cursor = GetCursorPos();
    const TPoint p{cursor.X - FPopup->Left(), cursor.Y - FPopup->Top()};
    if (PtInRect({0, 0, FPopup->Width(), FPopup->Height()}, p)) {
      // Onto the popup: it stays, pinned, and closes when the mouse leaves it.
      FPopup->SetCloseOnLeave(true);
      Pin();
    } else {
      FPopup->Close();
    }
  }
  if (!Propagated)
    for (TBoardHighlight* m : Group()) m->MouseLeave(true);
}

void TBoardHighlight::Click() {
  TGraphicControl::Click();
  Pin();
}

void TBoardHighlight::Pin() {
  if (FPopup) {
    FPinned = true;
    CheckMenuItem(true);
  }
  for (TBoardHighlight* m : Group()) m->PinPopup();
}

void TBoardHighlight::PinPopup() {
  if (!FPopup) return;
  FPinned = true;
  CheckMenuItem(true);
  FPopup->BringToFront();
}

void TBoardHighlight::Unlight() {
  FLit = false;
  Invalidate();
}

void TBoardHighlight::PopupClose(TObject*, TCloseAction&) {
  CheckMenuItem(false);
  if (FPopup) FPopup->SetCloseOnLeave(false);
  Unlight();
  for (TBoardHighlight* m : Group()) m->Unlight();
}

void TBoardHighlight::SetPopupActive(bool Value, bool Propagate) {
  FPopupActive = Value;
  BringToFront();
  Invalidate();
  TWinControl* parent = Parent();
  if (!Propagate || !parent || !BoardImageParent(*this)) return;
  // Every other member exactly once, although each one handled moves to the end of the
  // child list: a handled index is examined again and the upper bound drops by one.
  int i = 0, bound = parent->ControlCount();
  while (i < bound) {
    TControl* c = parent->Controls(i);
    if (c != this && c->ClassNameIs("TBoardHighlight") && static_cast<TBoardHighlight*>(c)->IsMemberOf(*this)) {
      static_cast<TBoardHighlight*>(c)->SetPopupActive(Value, false);
      --bound;
    } else {
      ++i;
    }
  }
}

// ---- Popup ------------------------------------------------------------------------------

void TBoardHighlight::ShowPopup() {
  if (FPopup) {
    if (!FPopup->Visible()) FPinned = false;
    FPopup->Show();
    return;
  }
  // A group shares the popup of whichever member was hovered first.
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TForm* f = Screen->Forms(i);
    if (f->Caption() == FCaptionText && f->Tag() == FHighlightType) return;
  }
  auto* popup = new TPopupForm(this, this);
  FPopup = popup;
  popup->SetAutoScroll(false);
  popup->SetBorderStyle(bsSizeToolWin);
  popup->SetFormStyle(fsStayOnTop);
  FPinned = false;

  int memoHeight = 58, panelLeft = 0, panelTop = 0;
  TRadioPanel* p = FRadioPanel;
  if (p) {
    memoHeight = p->MemoHeight();
    popup->SetOnActivate(p->OnActivate());
    popup->SetOnDeactivate(p->OnDeactivate());
    panelLeft = p->Left();
    panelTop = p->Top();
    p->SetBounds(0, 0, p->Width(), p->Height());
    p->SetVisible(true);
    popup->SetClientWidth(p->Width());
    popup->SetClientHeight(p->Height() + memoHeight + 51);
    p->SetParent(popup);
    p->SetAnchors(p->FinalAnchors());
    p->SetHosted();
  } else {
    popup->SetBounds(popup->Left(), popup->Top(), 194, 141);
  }
  popup->SetCaption(FCaptionText);
  popup->SetBounds(popup->Left(), popup->Top(), std::max(194, popup->Width()), std::max(122, popup->Height()));
  popup->SetConstraints({popup->Width(), popup->Height(), 0, 0});
  popup->SetTag(FHighlightType);

  // Placement: where the panel was designed on the main window, shifted by as much as the
  // board image has moved since its first paint; without a panel, 38 pixels below the image.
  int dx = 0, dy = 0;
  TWinControl* parent = Parent();
  if (TBoardImage* image = BoardImageParent(*this)) {
    dx = image->OriginLeft() - panelLeft;
    dy = image->OriginTop() - panelTop;
  }
  if (!p && parent) {
    dx = 0;
    dy = -parent->Height() - 38;
  }
  if (parent) popup->SetBounds(parent->Left() - dx, parent->Top() - dy, popup->Width(), popup->Height());
  popup->SetOnClose(TCloseEvent(this, &TBoardHighlight::PopupClose));

  const int cw = popup->ClientWidth(), ch = popup->ClientHeight();
  auto* status = new TStatusBar(popup);
  status->SetName("PopupStatus");
  status->SetAlign(alNone);
  status->SetPanels({TStatusPanel{"", 50, false}});
  status->SetParent(popup);
  status->SetBounds(0, ch - 19, cw, 19);
  status->SetAnchors({akLeft, akRight, akBottom});
  popup->PopupStatus = status;
  auto button = [&](const char* Name, const char* Caption, int Left, TAnchors Anchors,
                    void (TBoardHighlight::*Handler)(TObject*)) {
    auto* b = new TButton(popup);
    b->SetName(Name);
    b->SetCaption(Caption);
    b->SetParent(popup);
    b->SetBounds(Left, ch - 44, 58, 25);
    b->SetAnchors(Anchors);
    b->SetOnClick(TNotifyEvent(this, Handler));
    return b;
  };
  button("PreviousButton", "Previous", 6, {akLeft, akBottom}, &TBoardHighlight::PreviousButtonClick);
  button("NextButton", "Next", (cw - 58) / 2, {akBottom}, &TBoardHighlight::NextButtonClick);
  TButton* done = button("DoneButton", "Done", cw - 64, {akRight, akBottom}, &TBoardHighlight::DoneButtonClick);
  auto* memo = new TMemo(popup);
  memo->SetName("StatusMemo");
  memo->SetParent(popup);
  memo->SetBounds(6, ch - 50 - memoHeight, cw - 12, memoHeight);
  memo->SetAnchors({akLeft, akTop, akRight, akBottom});
  memo->SetReadOnly(true);
  memo->SetScrollBars(ssVertical);
  if (p) memo->SetLines(*p->Lines());

  // Keep the popup on the screen.
  int left = popup->Left(), top = popup->Top();
  if (left < 0)
    left = 0;
  else if (left + popup->Width() > Screen->Width())
    left = Screen->Width() - popup->Width();
  if (top < 0)
    top = 0;
  else if (top + popup->Height() > Screen->Height())
    top = Screen->Height() - popup->Height();
  popup->SetBounds(left, top, popup->Width(), popup->Height());

  popup->Show();
  popup->SetActiveControl(p ? static_cast<TWinControl*>(p) : done);
}

void TBoardHighlight::DoneButtonClick(TObject*) {
  if (FPopup) FPopup->Close();
}

void TBoardHighlight::PreviousButtonClick(TObject*) { TourTo(-1); }
void TBoardHighlight::NextButtonClick(TObject*) { TourTo(+1); }

// The tour walks the items of this kind's menu entry and wraps at both ends.
void TBoardHighlight::TourTo(int Step) {
  if (!FMenu) return;
  TMenuItem* root = FMenu->Items();
  for (int e = 0; e < root->Count(); ++e) {
    TMenuItem* entry = root->Items(e);
    if (entry->Caption() != KindCaption()) continue;
    for (int i = 0; i < entry->Count(); ++i) {
      if (entry->Items(i)->Caption() != FTitle) continue;
      const int n = entry->Count();
      if (FPopup) FPopup->Close();
      const int target = (i + Step + n) % n;
      // The target's handler gets this highlight as Sender, which opens and pins its popup.
      if (TNotifyEvent handler = entry->Items(target)->OnClick()) handler(this);
      return;
    }
  }
}

// ---- Menus ------------------------------------------------------------------------------

void TBoardHighlight::AddMenuItem() {
  if (!FMenu) return;
  TMenuItem* root = FMenu->Items();
  TComponent* owner = FMenu->Owner();
  const int count = root->Count();
  const std::string kind = KindCaption();
  auto addItem = [&](TMenuItem* Entry) {
    if (FTitle.empty()) return;
    auto* item = new TMenuItem(owner);
    item->SetName(owner->UniqueName(FNameBase));
    item->SetCaption(FTitle);
    item->SetOnClick(TNotifyEvent(this, &TBoardHighlight::MenuItemClick));
    Entry->Add(item);
  };
  for (int e = 0; e < count; ++e) {
    TMenuItem* entry = root->Items(e);
    if (entry->Caption() != kind) continue;
    for (int i = 0; i < entry->Count(); ++i)
      if (entry->Items(i)->Caption() == FTitle) return;
    addItem(entry);
    return;
  }
  // A new entry for the kind, in front of the entries that follow it: Settings, Calibration,
  // Options, then Help.
  static const std::vector<std::string> stops[] = {{"&Help"}, {"&Calibration", "&Options", "&Help"}, {"&Options", "&Help"}};
  int at = count;
  for (int e = 0; e < count && at == count; ++e)
    for (const std::string& s : stops[FHighlightType])
      if (root->Items(e)->Caption() == s) at = e;
  auto* entry = new TMenuItem(owner);
  entry->SetName(owner->UniqueName(kKinds[FHighlightType].MenuWord));
  entry->SetCaption(kind);
  root->Insert(at, entry);
  addItem(entry);
}

void TBoardHighlight::CheckMenuItem(bool Value) {
  if (!FMenu) return;
  TMenuItem* root = FMenu->Items();
  for (int e = 0; e < root->Count(); ++e) {
    TMenuItem* entry = root->Items(e);
    if (entry->Caption() != KindCaption()) continue;
    for (int i = 0; i < entry->Count(); ++i)
      if (entry->Items(i)->Caption() == FTitle) {
        entry->Items(i)->SetChecked(Value);
        return;
      }
  }
}

void TBoardHighlight::MenuItemClick(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (item && item->ClassNameIs("TMenuItem") && item->Checked()) {
    // The group's popup is pinned: choosing the item again closes it.
    if (FPopup) {
      FPopup->Close();
    } else if (BoardImageParent(*this)) {
      for (TBoardHighlight* m : Group())
        if (m->FPopup) m->MenuItemClick(Sender);
    }
    return;
  }
  MouseEnter(false);
  Pin();
  MouseLeave(false);
}

}  // namespace setupctrls
