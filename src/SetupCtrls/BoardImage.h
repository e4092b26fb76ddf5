// The photograph of the card and the parent of its highlight circles. It draws its picture
// (stretched, centred or at the top left), keeps itself centred on its parent, remembers
// where it stood at its first paint (popups are placed relative to that), names the main
// menu that its highlights add their entries to, and names the highlight where the guided
// tour starts.
#pragma once

#include "vcl/ExtCtrls.h"
#include "vcl/Graphics.h"
#include "vcl/Menus.h"

namespace setupctrls {

// The private message that starts the guided tour: the first user message number + 162.
constexpr unsigned WM_STARTTOUR = vcl::WM_USER + 162;

class TBoardHighlight;

class TBoardImage : public vcl::TCustomPanel {
  VCL_CLASS_NAME(TBoardImage)
 public:
  explicit TBoardImage(vcl::TComponent* AOwner);
  ~TBoardImage() override;

  vcl::TPicture* Picture() { return &FPicture; }
  // Copies the given picture into the owned one.
  void SetPicture(const vcl::TPicture* Value) { FPicture.Assign(Value); }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  // Stored; changing it re-runs PictureChange and has no other effect.
  bool Scale() const { return FScale; }
  void SetScale(bool Value);
  bool CenterOnForm() const { return FCenterOnForm; }
  void SetCenterOnForm(bool Value) { FCenterOnForm = Value; }
  TBoardHighlight* First() const { return FFirst; }
  void SetFirst(TBoardHighlight* Value) { FFirst = Value; }
  vcl::TMainMenu* Menu() const { return FMenu; }
  void SetMenu(vcl::TMainMenu* Value) { FMenu = Value; }

  // Left and Top at the first paint, before any centring.
  int OriginLeft() const { return FOriginLeft; }
  int OriginTop() const { return FOriginTop; }
  bool PositionSaved() const { return FPositionSaved; }
  // Whether the control covers its whole area (the picture is opaque and fills it).
  bool Opaque() const { return FOpaque; }

  // The rectangle the picture is drawn into.
  vcl::TRect PictureRect() const;
  // The size auto-sizing asks for: the picture's width where Align leaves the width free,
  // its height where Align leaves the height free. Always allowed.
  bool CanAutoSize(int& NewWidth, int& NewHeight) const;
  void WndProc(vcl::TMessage& Message) override;

 protected:
  void Paint() override;
  void ParentResized() override;
  // Answers WM_STARTTOUR: opens and pins the popup of First.
  virtual void StartTour(bool Propagated);

 private:
  // Saves the designed place once, then centres the image on its parent when asked to.
  void PlaceOnParent();
  void PictureChange();

  vcl::TPicture FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FTransparent = false;
  bool FPainting = false;
  bool FScale = true;
  vcl::TMainMenu* FMenu = nullptr;
  bool FCenterOnForm = true;
  bool FPositionSaved = false;
  TBoardHighlight* FFirst = nullptr;
  int FOriginLeft = 0;
  int FOriginTop = 0;
  bool FAutoSize = true;
  bool FOpaque = false;
};

}  // namespace setupctrls
