// A coloured circle over one part of the card picture. It draws a soft elliptical ring in
// the colour of its kind, brightens under the mouse, opens a popup with the setting
// controls of its RadioPanel, keeps the popup open when clicked (pinned) and lists itself
// in the main menu. Highlights under one board image with equal Title and kind form a
// group: they light, pin and unlight together and share one popup and one menu item.
#pragma once

#include <string>
#include <vector>

#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/Graphics.h"
#include "vcl/Menus.h"

namespace setupctrls {

class TRadioPanel;
class TPopupForm;

// The ordinal is stored in the popup window's Tag, so the values are fixed.
enum THighlightType : unsigned char { htOptions = 0, htSettings = 1, htCalibration = 2 };

// "&Base Address" gives "Base Address"; a doubled "&&" goes entirely too.
std::string StripAmpersands(const std::string& S);
// The identifier form of a title: "&S/E or Diff" gives "SEorDiff".
std::string MakeIdentifier(const std::string& S);
// Blends a soft elliptical ring of Color into Image (pixels 0..MaxX, 0..MaxY) in place,
// in single-precision arithmetic; Glow gives the ring a white core. An image one pixel wide
// or high is left unchanged.
void ShadeEllipse(vcl::TBitmap& Image, int MaxX, int MaxY, float Intensity, vcl::TColor Color, bool Glow);

class TBoardHighlight : public vcl::TGraphicControl {
  VCL_CLASS_NAME(TBoardHighlight)
 public:
  explicit TBoardHighlight(vcl::TComponent* AOwner);

  bool CreatePopup() const { return FCreatePopup; }
  void SetCreatePopup(bool Value) { FCreatePopup = Value; }
  THighlightType HighlightType() const { return FHighlightType; }
  // Sets colour and intensities; the menu entry stays and the images are not rendered again.
  void SetHighlightType(THighlightType Value);
  TRadioPanel* RadioPanel() const { return FRadioPanel; }
  // Refused silently when a highlight of another group already uses the panel.
  void SetRadioPanel(TRadioPanel* Value);
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value);

  // The mouse-enter and mouse-leave handling, with group propagation unless Propagated.
  void MouseEnter(bool Propagated);
  void MouseLeave(bool Propagated);
  // Fires OnClick, then pins the popup.
  void Click() override;
  void Pin();
  void PinPopup();
  void Unlight();
  void SetPopupActive(bool Value, bool Propagate);
  // The close event of the popup this highlight created.
  void PopupClose(vcl::TObject* Sender, vcl::TCloseAction& Action);
  void ShowPopup();
  void PreviousButtonClick(vcl::TObject* Sender);
  void NextButtonClick(vcl::TObject* Sender);
  void DoneButtonClick(vcl::TObject* Sender);
  void AddMenuItem();
  void CheckMenuItem(bool Value);
  void MenuItemClick(vcl::TObject* Sender);

  // State, for the popup and for tests.
  bool Lit() const { return FLit; }
  bool Pinned() const { return FPinned; }
  bool PopupActive() const { return FPopupActive; }
  TPopupForm* Popup() const { return FPopup; }
  vcl::TMainMenu* Menu() const { return FMenu; }
  const std::string& CaptionText() const { return FCaptionText; }
  const std::string& NameBase() const { return FNameBase; }
  vcl::TColor RingColor() const { return FRingColor; }
  const vcl::TBitmap& IdleImage() const { return FIdleImage; }
  const vcl::TBitmap& LitImage() const { return FLitImage; }
  const vcl::TBitmap& GlowImage() const { return FGlowImage; }
  // The members of this highlight's group, itself included, in the parent's child order;
  // only itself when the parent is no board image.
  std::vector<TBoardHighlight*> Group() const;

 protected:
  void Paint() override;
  void CMMouseEnter() override { MouseEnter(false); }
  void CMMouseLeave() override { MouseLeave(false); }

 private:
  void Prepare();
  void RenderImages();
  bool IsMemberOf(const TBoardHighlight& Other) const;
  // "&Options", "&Settings" or "&Calibration": the menu entry of this highlight's kind.
  std::string KindCaption() const;
  void TourTo(int Step);  // -1 Previous, +1 Next

  vcl::TBitmap FIdleImage, FGlowImage, FLitImage;
  float FIdleIntensity = 0, FGlowIntensity = 0, FLitIntensity = 0;
  vcl::TColor FRingColor = 0;
  THighlightType FHighlightType = htOptions;
  bool FLit = false;
  TPopupForm* FPopup = nullptr;
  std::string FTitle, FCaptionText, FNameBase;
  vcl::TMainMenu* FMenu = nullptr;
  bool FPrepared = false;
  bool FCreatePopup = true;
  bool FPinned = false;
  TRadioPanel* FRadioPanel = nullptr;
  bool FPopupActive = false;
};

}  // namespace setupctrls
