// Rich-text view and status bar.
#pragma once

#include <string>
#include <vector>

#include "vcl/Controls.h"
#include "vcl/StdCtrls.h"

namespace vcl {

// A run of text with one look. Size is in points.
struct TTextRun {
  std::string Text;
  TColor Color = clBlack;
  int Size = 12;
  bool Bold = false;
  friend bool operator==(const TTextRun&, const TTextRun&) = default;
};

struct TRichParagraph {
  std::vector<TTextRun> Runs;
  friend bool operator==(const TRichParagraph&, const TRichParagraph&) = default;
};

// A document of left-aligned paragraphs in one font face.
struct TRichDocument {
  std::string FontName;
  std::vector<TRichParagraph> Paragraphs;
};

// Read-only rich-text view; the document is loaded in one step.
class TRichEdit : public TWinControl {
  VCL_CLASS_NAME(TRichEdit)
 public:
  explicit TRichEdit(TComponent* AOwner);
  void LoadDocument(const TRichDocument& Document);
  const TRichDocument& Document() const { return FDocument; }
  // The document's text, paragraphs separated by line feeds.
  std::string PlainText() const;
  bool ReadOnly() const;
  void SetReadOnly(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  void ColorChanged() override;

 private:
  TRichDocument FDocument;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
};

struct TStatusPanel {
  std::string Text;
  int Width = 50;
  bool Bevel = true;
};

// A bar of text panels, normally along the bottom of a window.
class TStatusBar : public TCustomControl {
  VCL_CLASS_NAME(TStatusBar)
 public:
  explicit TStatusBar(TComponent* AOwner);
  std::vector<TStatusPanel>& Panels() { return FPanels; }
  void SetPanels(const std::vector<TStatusPanel>& Value);

 protected:
  void Paint() override;

 private:
  std::vector<TStatusPanel> FPanels;
};

}  // namespace vcl
