// The container of the setting controls that belong to one highlight circle. It carries the
// explanatory text that the popup shows (Lines) and the height of that memo; it starts
// hidden, and once its popup takes it in (Hosted) it gets its final anchors. With
// RadioEnabled its two-pin jumpers act as one radio group.
#pragma once

#include "vcl/Classes.h"
#include "vcl/ExtCtrls.h"

namespace setupctrls {

class TTwoJumper;
using TRadioPanelChangeEvent = vcl::TNotifyEvent;

class TRadioPanel : public vcl::TCustomPanel {
  VCL_CLASS_NAME(TRadioPanel)
 public:
  explicit TRadioPanel(vcl::TComponent* AOwner);
  ~TRadioPanel() override;

  vcl::TStrings* Lines() { return &FLines; }
  void SetLines(const vcl::TStrings& Value) { FLines.Assign(Value); }
  int MemoHeight() const { return FMemoHeight; }
  void SetMemoHeight(int Value) { FMemoHeight = Value; }
  bool RadioEnabled() const { return FRadioEnabled; }
  void SetRadioEnabled(bool Value) { FRadioEnabled = Value; }
  vcl::TAnchors FinalAnchors() const { return FFinalAnchors; }
  // Takes effect at once only when the panel is hosted; otherwise when it is taken in.
  void SetFinalAnchors(vcl::TAnchors Value);
  bool Hosted() const { return FHosted; }
  // Called by the popup that takes the panel in; never undone.
  void SetHosted() { FHosted = true; }

  TRadioPanelChangeEvent OnRadioChange() const { return FOnRadioChange; }
  void SetOnRadioChange(const TRadioPanelChangeEvent& Value) { FOnRadioChange = Value; }
  vcl::TNotifyEvent OnActivate() const { return FOnActivate; }
  void SetOnActivate(const vcl::TNotifyEvent& Value) { FOnActivate = Value; }
  vcl::TNotifyEvent OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(const vcl::TNotifyEvent& Value) { FOnDeactivate = Value; }

  // Closes Jumper and opens every other TTwoJumper child (by class name, the class itself),
  // then fires OnRadioChange with Jumper as Sender when any Closed changed.
  void SelectJumper(TTwoJumper* Jumper);

 private:
  bool FRadioEnabled = false;
  TRadioPanelChangeEvent FOnRadioChange;
  vcl::TStringList FLines;
  int FMemoHeight = 58;
  vcl::TNotifyEvent FOnActivate, FOnDeactivate;
  vcl::TAnchors FFinalAnchors{vcl::akLeft, vcl::akTop};
  bool FHosted = false;
};

}  // namespace setupctrls
