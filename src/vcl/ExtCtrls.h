// Panels, picture boxes and shapes.
#pragma once

#include <memory>

#include "vcl/Controls.h"

namespace vcl {

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// A windowed container that paints a flat background, its bevels and a centred caption.
class TCustomPanel : public TCustomControl {
  VCL_CLASS_NAME(TCustomPanel)
 public:
  explicit TCustomPanel(TComponent* AOwner);
  TPanelBevel BevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);

 protected:
  void Paint() override;

 private:
  TPanelBevel FBevelInner = bvNone;
  TPanelBevel FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
};

class TPanel : public TCustomPanel {
  VCL_CLASS_NAME(TPanel)
 public:
  using TCustomPanel::TCustomPanel;
};

// Shows a picture unscaled from its top left corner (or stretched, or centred).
class TImage : public TGraphicControl {
  VCL_CLASS_NAME(TImage)
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  TPicture* Picture() { return &FPicture; }
  void SetPicture(const TPicture* Value) { FPicture.Assign(Value); }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);

 protected:
  void Paint() override;

 private:
  TPicture FPicture;
  bool FStretch = false;
  bool FCenter = false;
};

enum TShapeType { stRectangle, stRoundRect, stEllipse };

// A rectangle or ellipse filling the control; its pen draws inside the control's area.
class TShape : public TGraphicControl {
  VCL_CLASS_NAME(TShape)
 public:
  explicit TShape(TComponent* AOwner);
  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType Value);
  const TPen& Pen() const { return FPen; }
  void SetPen(const TPen& Value);
  const TBrush& Brush() const { return FBrush; }
  void SetBrush(const TBrush& Value);

 protected:
  void Paint() override;

 private:
  TShapeType FShape = stRectangle;
  TPen FPen;
  TBrush FBrush;
};

}  // namespace vcl
