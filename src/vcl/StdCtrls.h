// Standard controls on native widgets: label, one-line edit, push button, combo box,
// check box and memo.
#pragma once

#include <string>

#include "vcl/Controls.h"

namespace vcl {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TComboBoxStyle { csDropDown, csDropDownList };

// Text on its parent's background. With AutoSize the control takes the size of its text
// (keeping its width when words wrap).
class TLabel : public TWinControl {
  VCL_CLASS_NAME(TLabel)
 public:
  explicit TLabel(TComponent* AOwner);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  void Loaded() override;
  bool TabStop() const override { return false; }

 protected:
  void CaptionChanged() override;
  void FontChanged() override;

 private:
  void UpdateText();
  void AdjustSize();
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FAutoSize = true;
};

// One-line edit; OnChange fires on every change of the text, typed or set in code.
class TEdit : public TWinControl {
  VCL_CLASS_NAME(TEdit)
 public:
  explicit TEdit(TComponent* AOwner);
  std::string Text() const;
  void SetText(const std::string& Value);
  bool ReadOnly() const;
  void SetReadOnly(bool Value);
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
  // Private to the class library.
  void TextChanged();

 protected:
  void ColorChanged() override;
  void FontChanged() override;

 private:
  TNotifyEvent FOnChange;
};

// Push button. Enter in its form clicks the Default button, Esc the Cancel button.
class TButton : public TWinControl {
  VCL_CLASS_NAME(TButton)
 public:
  explicit TButton(TComponent* AOwner);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }

 protected:
  void CaptionChanged() override;
  void FontChanged() override;

 private:
  bool FDefault = false;
  bool FCancel = false;
};

// Editable drop-down list. OnChange fires when the user picks an item or edits the text,
// not when ItemIndex or Text is set from code. After an edit ItemIndex is the index of the
// item equal to the text, or -1.
class TComboBox : public TWinControl {
  VCL_CLASS_NAME(TComboBox)
 public:
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;
  TStrings* Items() { return &FItems; }
  void SetItems(const TStrings& Value) { FItems.Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  std::string Text() const;
  void SetText(const std::string& Value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
  // Private to the class library.
  void UserPicked(int Index);
  void UserEdited();

 protected:
  void FontChanged() override;

 private:
  void ItemsChanged();
  TStringList FItems;
  int FItemIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
  TNotifyEvent FOnChange;
};

// Check box; OnClick fires whenever Checked changes, by the user or from code.
class TCheckBox : public TWinControl {
  VCL_CLASS_NAME(TCheckBox)
 public:
  explicit TCheckBox(TComponent* AOwner);
  bool Checked() const;
  void SetChecked(bool Value);

 protected:
  void CaptionChanged() override;
  void FontChanged() override;
};

// Multi-line text with scroll bars and word wrap.
class TMemo : public TWinControl {
  VCL_CLASS_NAME(TMemo)
 public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;
  TStrings* Lines() { return &FLines; }
  void SetLines(const TStrings& Value) { FLines.Assign(Value); }
  std::string Text() const;
  void SetText(const std::string& Value) { FLines.SetText(Value); }
  bool ReadOnly() const;
  void SetReadOnly(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  void ColorChanged() override;
  void FontChanged() override;

 private:
  void LinesChanged();
  TStringList FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
};

}  // namespace vcl
