#include "vcl/FormData.h"

#include <cctype>
#include <map>

#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Graphics.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"
#include "vcl/SysUtils.h"

namespace vcl {

// ---- Registry ---------------------------------------------------------------------------

namespace {

std::map<std::string, TClassInfo>& Classes() {
  static std::map<std::string, TClassInfo> classes;
  return classes;
}

void RegisterLibraryClasses();

std::map<std::string, TClassInfo>& Registry() {
  static bool registered = false;
  if (!registered) {
    registered = true;
    RegisterLibraryClasses();
  }
  return Classes();
}

}  // namespace

void RegisterClass(TClassInfo Info) {
  Registry();
  std::string key = UpperCase(Info.Name);
  Classes()[key] = std::move(Info);
}

const TClassInfo* FindClassInfo(const std::string& Name) {
  auto& r = Registry();
  auto it = r.find(UpperCase(Name));
  return it == r.end() ? nullptr : &it->second;
}

std::vector<const TPropInfo*> ClassProperties(const std::string& ClassName) {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = FindClassInfo(ClassName); c; c = c->Parent.empty() ? nullptr : FindClassInfo(c->Parent))
    chain.insert(chain.begin(), c);
  std::vector<const TPropInfo*> props;
  for (const TClassInfo* c : chain)
    for (const TPropInfo& p : c->Properties) {
      bool replaced = false;
      for (auto& existing : props)
        if (SameText(existing->Name, p.Name)) {
          existing = &p;
          replaced = true;
        }
      if (!replaced) props.push_back(&p);
    }
  return props;
}

const TPropInfo* FindProperty(const std::string& ClassName, const std::string& Property) {
  for (const TPropInfo* p : ClassProperties(ClassName))
    if (SameText(p->Name, Property)) return p;
  return nullptr;
}

namespace {

const TMethodInfo* FindMethod(const std::string& ClassName, const std::string& Name) {
  for (const TClassInfo* c = FindClassInfo(ClassName); c; c = c->Parent.empty() ? nullptr : FindClassInfo(c->Parent))
    for (const TMethodInfo& m : c->Methods)
      if (SameText(m.Name, Name)) return &m;
  return nullptr;
}

// ---- Library classes --------------------------------------------------------------------

const std::vector<std::string> kAlignNames = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
const std::vector<std::string> kAnchorNames = {"akLeft", "akTop", "akRight", "akBottom"};
const std::vector<std::string> kFontStyleNames = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
const std::vector<std::string> kAlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};
const std::vector<std::string> kLayoutNames = {"tlTop", "tlCenter", "tlBottom"};
const std::vector<std::string> kScrollNames = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
const std::vector<std::string> kBevelNames = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
const std::vector<std::string> kBorderNames = {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"};
const std::vector<std::string> kWindowStateNames = {"wsNormal", "wsMinimized", "wsMaximized"};
const std::vector<std::string> kFormStyleNames = {"fsNormal", "fsStayOnTop"};
const std::vector<std::string> kPositionNames = {"poDesigned", "poDefault", "poScreenCenter", "poMainFormCenter"};
const std::vector<std::string> kComboStyleNames = {"csDropDown", "csDropDownList"};
const std::vector<std::string> kShapeNames = {"stRectangle", "stRoundRect", "stEllipse"};
const std::vector<std::string> kPenStyleNames = {"psSolid", "psClear"};
const std::vector<std::string> kBrushStyleNames = {"bsSolid", "bsClear"};

// Font properties of a control, written only while the control does not take its
// parent's font.
std::vector<TPropInfo> FontProperties() {
  auto notParent = [](TComponent* c) { return !static_cast<TControl*>(c)->ParentFont(); };
  std::vector<TPropInfo> props = {
      StrProp<TControl>("Font.Name", [](TControl* c) { return c->Font()->Name(); },
                        [](TControl* c, const std::string& v) { c->Font()->SetName(v); }, std::nullopt),
      IntProp<TControl>("Font.Height", [](TControl* c) { return c->Font()->Height(); },
                        [](TControl* c, int v) { c->Font()->SetHeight(v); }, std::nullopt),
      ColorProp<TControl>("Font.Color", [](TControl* c) { return c->Font()->Color(); },
                          [](TControl* c, TColor v) { c->Font()->SetColor(v); }, std::nullopt),
      SetProp<TControl, TFontStyle>("Font.Style", kFontStyleNames, [](TControl* c) { return c->Font()->Style(); },
                                    [](TControl* c, TFontStyles v) { c->Font()->SetStyle(v); }, std::nullopt),
  };
  for (auto& p : props) p.Stored = notParent;
  return props;
}

TPropInfo ConstraintProp(const char* Name, int TSizeConstraints::*Field) {
  return IntProp<TControl>(
      Name, [Field](TControl* c) { return c->Constraints().*Field; },
      [Field](TControl* c, int v) {
        TSizeConstraints k = c->Constraints();
        k.*Field = v;
        c->SetConstraints(k);
      },
      0);
}

TPropInfo ColorPropOf(std::optional<TColor> Default) {
  TPropInfo p = ColorProp<TControl>("Color", &TControl::Color, &TControl::SetColor, Default);
  p.Stored = [](TComponent* c) { return !static_cast<TControl*>(c)->ParentColor(); };
  return p;
}

void RegisterLibraryClasses() {
  auto add = [](TClassInfo info) { Classes()[UpperCase(info.Name)] = std::move(info); };

  add(ClassInfo<TComponent>("TComponent", "", {IntProp<TComponent>("Tag", &TComponent::Tag, &TComponent::SetTag, 0)}, false));

  std::vector<TPropInfo> control = {
      IntProp<TControl>("Left", &TControl::Left, &TControl::SetLeft, std::nullopt),
      IntProp<TControl>("Top", &TControl::Top, &TControl::SetTop, std::nullopt),
      IntProp<TControl>("Width", &TControl::Width, &TControl::SetWidth, std::nullopt),
      IntProp<TControl>("Height", &TControl::Height, &TControl::SetHeight, std::nullopt),
      StrProp<TControl>("Caption", &TControl::Caption, &TControl::SetCaption, std::string()),
      BoolProp<TControl>("Visible", &TControl::Visible, &TControl::SetVisible, true),
      BoolProp<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled, true),
      EnumProp<TControl, TAlign>("Align", kAlignNames, &TControl::Align, &TControl::SetAlign, alNone),
      SetProp<TControl, TAnchorKind>("Anchors", kAnchorNames, &TControl::Anchors, &TControl::SetAnchors,
                                     TAnchors{akLeft, akTop}),
      ColorPropOf(clWindow),
      BoolProp<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false),
      BoolProp<TControl>("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true),
      ConstraintProp("Constraints.MinWidth", &TSizeConstraints::MinWidth),
      ConstraintProp("Constraints.MinHeight", &TSizeConstraints::MinHeight),
      ConstraintProp("Constraints.MaxWidth", &TSizeConstraints::MaxWidth),
      ConstraintProp("Constraints.MaxHeight", &TSizeConstraints::MaxHeight),
      EventProp<TControl>("OnClick", &TControl::OnClick, &TControl::SetOnClick),
      EventProp<TControl>("OnMouseEnter", &TControl::OnMouseEnter, &TControl::SetOnMouseEnter),
      EventProp<TControl>("OnMouseLeave", &TControl::OnMouseLeave, &TControl::SetOnMouseLeave),
      EventProp<TControl>("OnResize", &TControl::OnResize, &TControl::SetOnResize),
  };
  for (auto& p : FontProperties()) control.push_back(std::move(p));
  add(ClassInfo<TControl>("TControl", "TComponent", std::move(control), false));
  add(ClassInfo<TGraphicControl>("TGraphicControl", "TControl", {}, false));
  TPropInfo tabOrder = IntProp<TWinControl>("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, std::nullopt);
  tabOrder.Stored = [](TComponent* c) { return static_cast<TWinControl*>(c)->TabOrder() >= 0; };
  add(ClassInfo<TWinControl>("TWinControl", "TControl", {tabOrder}, false));
  add(ClassInfo<TCustomControl>("TCustomControl", "TWinControl", {}, false));

  add(ClassInfo<TForm>("TForm", "TWinControl",
                       {
                           BoolProp<TForm>("Visible", &TForm::Visible, &TForm::SetVisible, false),
                           ColorPropOf(clBtnFace),
                           IntProp<TForm>("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth, std::nullopt),
                           IntProp<TForm>("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight, std::nullopt),
                           RefProp<TForm, TMainMenu>("Menu", "TMainMenu", &TForm::Menu, &TForm::SetMenu),
                           EnumProp<TForm, TWindowState>("WindowState", kWindowStateNames, &TForm::WindowState,
                                                         &TForm::SetWindowState, wsNormal),
                           EnumProp<TForm, TFormStyle>("FormStyle", kFormStyleNames, &TForm::FormStyle,
                                                       &TForm::SetFormStyle, fsNormal),
                           EnumProp<TForm, TFormBorderStyle>("BorderStyle", kBorderNames, &TForm::BorderStyle,
                                                             &TForm::SetBorderStyle, bsSizeable),
                           EnumProp<TForm, TPosition>("Position", kPositionNames, &TForm::Position,
                                                      &TForm::SetPosition, poDesigned),
                           BoolProp<TForm>("AutoScroll", &TForm::AutoScroll, &TForm::SetAutoScroll, true),
                           EventProp<TForm>("OnCreate", &TForm::OnCreate, &TForm::SetOnCreate),
                           EventProp<TForm>("OnActivate", &TForm::OnActivate, &TForm::SetOnActivate),
                           EventProp<TForm>("OnDeactivate", &TForm::OnDeactivate, &TForm::SetOnDeactivate),
                       },
                       false));
  // Client size is derived from the outer size; it is read, never written.
  for (const char* n : {"ClientWidth", "ClientHeight"})
    for (auto& p : Classes()[UpperCase("TForm")].Properties)
      if (p.Name == n) p.Stored = [](TComponent*) { return false; };

  add(ClassInfo<TLabel>("TLabel", "TWinControl",
                        {
                            BoolProp<TLabel>("ParentColor", &TLabel::ParentColor, &TLabel::SetParentColor, true),
                            EnumProp<TLabel, TAlignment>("Alignment", kAlignmentNames, &TLabel::Alignment,
                                                         &TLabel::SetAlignment, taLeftJustify),
                            EnumProp<TLabel, TTextLayout>("Layout", kLayoutNames, &TLabel::Layout, &TLabel::SetLayout, tlTop),
                            BoolProp<TLabel>("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, false),
                            BoolProp<TLabel>("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true),
                        }));
  add(ClassInfo<TEdit>("TEdit", "TWinControl",
                       {
                           StrProp<TEdit>("Text", &TEdit::Text, &TEdit::SetText, std::string()),
                           BoolProp<TEdit>("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly, false),
                           EventProp<TEdit>("OnChange", &TEdit::OnChange, &TEdit::SetOnChange),
                       }));
  add(ClassInfo<TButton>("TButton", "TWinControl",
                         {
                             BoolProp<TButton>("Default", &TButton::Default, &TButton::SetDefault, false),
                             BoolProp<TButton>("Cancel", &TButton::Cancel, &TButton::SetCancel, false),
                         }));
  add(ClassInfo<TComboBox>("TComboBox", "TWinControl",
                           {
                               EnumProp<TComboBox, TComboBoxStyle>("Style", kComboStyleNames, &TComboBox::Style,
                                                                   &TComboBox::SetStyle, csDropDown),
                               StringsProp<TComboBox>("Items", &TComboBox::Items),
                               IntProp<TComboBox>("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex, -1),
                               StrProp<TComboBox>("Text", &TComboBox::Text, &TComboBox::SetText, std::string()),
                               EventProp<TComboBox>("OnChange", &TComboBox::OnChange, &TComboBox::SetOnChange),
                           }));
  add(ClassInfo<TCheckBox>("TCheckBox", "TWinControl",
                           {BoolProp<TCheckBox>("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked, false)}));
  add(ClassInfo<TMemo>("TMemo", "TWinControl",
                       {
                           StringsProp<TMemo>("Lines", &TMemo::Lines),
                           BoolProp<TMemo>("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly, false),
                           EnumProp<TMemo, TScrollStyle>("ScrollBars", kScrollNames, &TMemo::ScrollBars,
                                                         &TMemo::SetScrollBars, ssNone),
                           BoolProp<TMemo>("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap, true),
                       }));
  add(ClassInfo<TCustomPanel>("TCustomPanel", "TCustomControl",
                              {
                                  ColorPropOf(clBtnFace),
                                  EnumProp<TCustomPanel, TPanelBevel>("BevelInner", kBevelNames, &TCustomPanel::BevelInner,
                                                                      &TCustomPanel::SetBevelInner, bvNone),
                                  EnumProp<TCustomPanel, TPanelBevel>("BevelOuter", kBevelNames, &TCustomPanel::BevelOuter,
                                                                      &TCustomPanel::SetBevelOuter, bvRaised),
                                  IntProp<TCustomPanel>("BevelWidth", &TCustomPanel::BevelWidth,
                                                        &TCustomPanel::SetBevelWidth, 1),
                                  IntProp<TCustomPanel>("BorderWidth", &TCustomPanel::BorderWidth,
                                                        &TCustomPanel::SetBorderWidth, 0),
                              },
                              false));
  add(ClassInfo<TPanel>("TPanel", "TCustomPanel", {}));
  add(ClassInfo<TImage>("TImage", "TGraphicControl",
                        {
                            PictureProp<TImage>("Picture", &TImage::Picture),
                            BoolProp<TImage>("Stretch", &TImage::Stretch, &TImage::SetStretch, false),
                            BoolProp<TImage>("Center", &TImage::Center, &TImage::SetCenter, false),
                        }));
  add(ClassInfo<TShape>(
      "TShape", "TGraphicControl",
      {
          EnumProp<TShape, TShapeType>("Shape", kShapeNames, &TShape::Shape, &TShape::SetShape, stRectangle),
          ColorProp<TShape>("Pen.Color", [](TShape* s) { return s->Pen().Color(); },
                            [](TShape* s, TColor v) { TPen p = s->Pen(); p.SetColor(v); s->SetPen(p); }, clBlack),
          IntProp<TShape>("Pen.Width", [](TShape* s) { return s->Pen().Width(); },
                          [](TShape* s, int v) { TPen p = s->Pen(); p.SetWidth(v); s->SetPen(p); }, 1),
          EnumProp<TShape, TPenStyle>("Pen.Style", kPenStyleNames, [](TShape* s) { return s->Pen().Style(); },
                                      [](TShape* s, TPenStyle v) { TPen p = s->Pen(); p.SetStyle(v); s->SetPen(p); }, psSolid),
          ColorProp<TShape>("Brush.Color", [](TShape* s) { return s->Brush().Color(); },
                            [](TShape* s, TColor v) { TBrush b = s->Brush(); b.SetColor(v); s->SetBrush(b); }, clWhite),
          EnumProp<TShape, TBrushStyle>("Brush.Style", kBrushStyleNames, [](TShape* s) { return s->Brush().Style(); },
                                        [](TShape* s, TBrushStyle v) { TBrush b = s->Brush(); b.SetStyle(v); s->SetBrush(b); }, bsSolid),
      }));
  add(ClassInfo<TRichEdit>("TRichEdit", "TWinControl",
                           {
                               BoolProp<TRichEdit>("ReadOnly", &TRichEdit::ReadOnly, &TRichEdit::SetReadOnly, false),
                               EnumProp<TRichEdit, TScrollStyle>("ScrollBars", kScrollNames, &TRichEdit::ScrollBars,
                                                                 &TRichEdit::SetScrollBars, ssNone),
                               BoolProp<TRichEdit>("WordWrap", &TRichEdit::WordWrap, &TRichEdit::SetWordWrap, true),
                           }));
  add(ClassInfo<TStatusBar>("TStatusBar", "TCustomControl",
                            {
                                ColorPropOf(clBtnFace),
                                EnumProp<TControl, TAlign>("Align", kAlignNames, &TControl::Align, &TControl::SetAlign, alBottom),
                            }));
  add(ClassInfo<TMainMenu>("TMainMenu", "TComponent", {}));
  add(ClassInfo<TMenuItem>("TMenuItem", "TComponent",
                           {
                               StrProp<TMenuItem>("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption, std::string()),
                               BoolProp<TMenuItem>("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false),
                               BoolProp<TMenuItem>("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true),
                               BoolProp<TMenuItem>("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true),
                               EventProp<TMenuItem>("OnClick", &TMenuItem::OnClick, &TMenuItem::SetOnClick),
                           }));
}

// ---- Parser -----------------------------------------------------------------------------

struct TValueNode {
  enum Type { Int, Str, Ident, List, Asset } Kind = Int;
  std::int64_t Number = 0;
  std::string Text;
  std::vector<TValueNode> Items;
  int Line = 0;
};

struct TPropNode {
  std::string Name;
  TValueNode Value;
  int Line = 0;
};

struct TObjectNode {
  std::string Name, Class;
  std::vector<TPropNode> Props;
  std::vector<TObjectNode> Children;
  int Line = 0;
};

class TParser {
 public:
  TParser(const std::string& Text, std::string Source) : FText(Text), FSource(std::move(Source)) { Next(); }

  TObjectNode ParseFile() {
    TObjectNode root = ParseObject();
    if (FTok != End) Fail("text after the end of the form");
    return root;
  }

  [[noreturn]] void Fail(const std::string& What, int Line = 0) const {
    throw EFormDataError(FSource + ":" + std::to_string(Line ? Line : FTokLine) + ": " + What);
  }

 private:
  enum Token { End, Ident, Number, String, Punct };

  void SkipBlanks() {
    for (;;) {
      while (FPos < FText.size() && std::isspace(static_cast<unsigned char>(FText[FPos]))) {
        if (FText[FPos] == '\n') ++FLine;
        ++FPos;
      }
      if (FPos < FText.size() && FText[FPos] == '#') {
        while (FPos < FText.size() && FText[FPos] != '\n') ++FPos;
        continue;
      }
      return;
    }
  }

  void Next() {
    SkipBlanks();
    FTokLine = FLine;
    FValue.clear();
    if (FPos >= FText.size()) {
      FTok = End;
      return;
    }
    const char c = FText[FPos];
    auto isIdent = [](char ch, bool first) {
      return std::isalpha(static_cast<unsigned char>(ch)) || ch == '_' ||
             (!first && (std::isdigit(static_cast<unsigned char>(ch)) || ch == '.'));
    };
    if (isIdent(c, true)) {
      while (FPos < FText.size() && isIdent(FText[FPos], FValue.empty())) FValue += FText[FPos++];
      FTok = Ident;
    } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '$') {
      std::size_t start = FPos++;
      while (FPos < FText.size() && std::isxdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
      FValue = FText.substr(start, FPos - start);
      FTok = Number;
    } else if (c == '"') {
      ++FPos;
      for (;;) {
        if (FPos >= FText.size() || FText[FPos] == '\n') Fail("string without its closing quote");
        char ch = FText[FPos++];
        if (ch == '"') break;
        if (ch == '\\') {
          if (FPos >= FText.size()) Fail("string without its closing quote");
          char e = FText[FPos++];
          switch (e) {
            case 'n': FValue += '\n'; break;
            case 'r': FValue += '\r'; break;
            case 't': FValue += '\t'; break;
            case '"': FValue += '"'; break;
            case '\\': FValue += '\\'; break;
            default: Fail(std::string("unknown escape \\") + e);
          }
        } else {
          FValue += ch;
        }
      }
      FTok = String;
    } else if (c == ':' || c == '{' || c == '}' || c == '=' || c == '[' || c == ']' || c == ',') {
      FValue = std::string(1, c);
      ++FPos;
      FTok = Punct;
    } else {
      Fail(std::string("unexpected character '") + c + "'");
    }
  }

  bool IsPunct(char c) const { return FTok == Punct && FValue[0] == c; }

  void Expect(char c, const char* What) {
    if (!IsPunct(c)) Fail(std::string("expected ") + What);
    Next();
  }

  std::string ExpectIdent(const char* What) {
    if (FTok != Ident) Fail(std::string("expected ") + What);
    std::string v = FValue;
    Next();
    return v;
  }

  TObjectNode ParseObject() {
    const int line = FTokLine;
    std::string name = ExpectIdent("a component name");
    return ParseObjectAfterName(std::move(name), line);
  }

  TObjectNode ParseObjectAfterName(std::string Name, int Line) {
    TObjectNode node;
    node.Line = Line;
    node.Name = std::move(Name);
    Expect(':', "':' after the component name");
    node.Class = ExpectIdent("a class name");
    Expect('{', "'{'");
    while (!IsPunct('}')) {
      if (FTok == End) Fail("missing '}' for " + node.Name, node.Line);
      const int line = FTokLine;
      std::string name = ExpectIdent("a property or component");
      if (IsPunct(':')) {
        node.Children.push_back(ParseObjectAfterName(std::move(name), line));
        continue;
      }
      Expect('=', "'=' after the property name");
      node.Props.push_back({name, ParseValue(), line});
    }
    Next();
    return node;
  }

  TValueNode ParseValue() {
    TValueNode v;
    v.Line = FTokLine;
    if (FTok == Number) {
      v.Kind = TValueNode::Int;
      try {
        const bool negative = FValue[0] == '-';
        std::string digits = negative ? FValue.substr(1) : FValue;
        std::int64_t n = digits[0] == '$' ? static_cast<std::uint32_t>(StrToInt(digits)) : std::stoll(digits);
        v.Number = negative ? -n : n;
      } catch (const std::exception&) {
        Fail("'" + FValue + "' is not a number");
      }
      Next();
    } else if (FTok == String) {
      v.Kind = TValueNode::Str;
      while (FTok == String) {
        v.Text += FValue;
        Next();
      }
    } else if (FTok == Ident && FValue == "asset") {
      Next();
      if (FTok != String) Fail("expected the asset's file name in quotes");
      v.Kind = TValueNode::Asset;
      v.Text = FValue;
      Next();
    } else if (FTok == Ident) {
      v.Kind = TValueNode::Ident;
      v.Text = FValue;
      Next();
    } else if (IsPunct('[')) {
      v.Kind = TValueNode::List;
      Next();
      while (!IsPunct(']')) {
        v.Items.push_back(ParseValue());
        if (IsPunct(',')) Next();
        else if (!IsPunct(']')) Fail("expected ',' or ']'");
      }
      Next();
    } else {
      Fail("expected a value");
    }
    return v;
  }

  const std::string& FText;
  std::string FSource;
  std::size_t FPos = 0;
  int FLine = 1;
  Token FTok = End;
  std::string FValue;
  int FTokLine = 1;
};

// ---- Reader -----------------------------------------------------------------------------

class TReader {
 public:
  TReader(TComponent* Root, std::string Source) : FRoot(Root), FSource(std::move(Source)) {}

  void Read(const TObjectNode& Node) {
    if (!SameText(Node.Class, FRoot->ClassName()))
      Fail(Node.Line, "the form data describes a " + Node.Class + ", not a " + FRoot->ClassName());
    FRoot->SetLoading(true);
    FCreated.push_back(FRoot);
    try {
      if (FRoot->Name() != Node.Name) FRoot->SetName(Node.Name);
      Apply(FRoot, Node);
      ResolveFixups();
    } catch (...) {
      for (TComponent* c : FCreated) c->SetLoading(false);
      throw;
    }
    for (TComponent* c : FCreated) c->Loaded();
  }

 private:
  struct Fixup {
    TComponent* Target;
    const TPropInfo* Prop;
    std::string Name;
    int Line;
  };

  [[noreturn]] void Fail(int Line, const std::string& What) const {
    throw EFormDataError(FSource + ":" + std::to_string(Line) + ": " + What);
  }

  void Apply(TComponent* C, const TObjectNode& Node) {
    for (const TPropNode& p : Node.Props) SetProperty(C, p);
    for (const TObjectNode& child : Node.Children) {
      const TClassInfo* info = FindClassInfo(child.Class);
      if (!info || !info->Create) Fail(child.Line, "unknown class '" + child.Class + "'");
      TComponent* c = info->Create(FRoot);
      c->SetLoading(true);
      FCreated.push_back(c);
      try {
        c->SetName(child.Name);
        c->SetParentComponent(C);
      } catch (const Exception& e) {
        Fail(child.Line, e.Message());
      }
      Apply(c, child);
    }
  }

  void SetProperty(TComponent* C, const TPropNode& P) {
    const TPropInfo* info = FindProperty(C->ClassName(), P.Name);
    if (!info) Fail(P.Line, "unknown property '" + P.Name + "' of " + C->ClassName());
    const TValueNode& v = P.Value;
    auto expect = [&](bool Ok, const char* What) {
      if (!Ok) Fail(P.Line, "property '" + P.Name + "' expects " + What);
    };
    auto member = [&](const TValueNode& n) -> std::int64_t {
      expect(n.Kind == TValueNode::Ident, "one of its names");
      for (std::size_t i = 0; i < info->Names.size(); ++i)
        if (SameText(info->Names[i], n.Text)) return static_cast<std::int64_t>(i);
      Fail(P.Line, "'" + n.Text + "' is not a value of property '" + P.Name + "'");
    };
    TPropValue value;
    switch (info->Kind) {
      case TPropKind::Integer:
        expect(v.Kind == TValueNode::Int, "an integer");
        value.Int = v.Number;
        break;
      case TPropKind::String:
        expect(v.Kind == TValueNode::Str, "a string in quotes");
        value.Str = v.Text;
        break;
      case TPropKind::Boolean:
        expect(v.Kind == TValueNode::Ident && (SameText(v.Text, "true") || SameText(v.Text, "false")),
               "true or false");
        value.Int = SameText(v.Text, "true");
        break;
      case TPropKind::Enum: value.Int = member(v); break;
      case TPropKind::Set:
        expect(v.Kind == TValueNode::List, "a set in brackets");
        for (const TValueNode& item : v.Items) value.Int |= std::int64_t{1} << member(item);
        break;
      case TPropKind::Color: {
        TColor c = 0;
        if (v.Kind == TValueNode::Int)
          value.Int = v.Number;
        else if (v.Kind == TValueNode::Ident && IdentToColor(v.Text, c))
          value.Int = c;
        else
          expect(false, "a colour name or number");
        break;
      }
      case TPropKind::Strings:
        expect(v.Kind == TValueNode::List, "a list of strings in brackets");
        for (const TValueNode& item : v.Items) {
          expect(item.Kind == TValueNode::Str, "a list of strings in brackets");
          value.List.push_back(item.Text);
        }
        break;
      case TPropKind::Picture:
        expect(v.Kind == TValueNode::Asset, "asset \"file name\"");
        value.Str = v.Text;
        break;
      case TPropKind::Reference:
        expect(v.Kind == TValueNode::Ident, "a component name");
        FFixups.push_back({C, info, v.Text, P.Line});
        return;
      case TPropKind::Event:
        expect(v.Kind == TValueNode::Ident, "a handler name");
        FFixups.push_back({C, info, v.Text, P.Line});
        return;
    }
    try {
      info->Set(C, value);
    } catch (const Exception& e) {
      Fail(P.Line, "property '" + P.Name + "': " + e.Message());
    }
  }

  void ResolveFixups() {
    for (const Fixup& f : FFixups) {
      if (f.Prop->Kind == TPropKind::Event) {
        const TMethodInfo* m = FindMethod(FRoot->ClassName(), f.Name);
        if (!m) Fail(f.Line, "unknown handler '" + f.Name + "' of " + FRoot->ClassName());
        f.Prop->SetEvent(f.Target, m->Bind(FRoot));
        continue;
      }
      TComponent* ref = SameText(f.Name, FRoot->Name()) ? FRoot : FRoot->FindComponent(f.Name);
      if (!ref) Fail(f.Line, "unknown component '" + f.Name + "' for property '" + f.Prop->Name + "'");
      const TClassInfo* want = FindClassInfo(f.Prop->RefClass);
      if (want && want->IsInstance && !want->IsInstance(ref))
        Fail(f.Line, "'" + f.Name + "' is not a " + f.Prop->RefClass + " for property '" + f.Prop->Name + "'");
      TPropValue v;
      v.Ref = ref;
      try {
        f.Prop->Set(f.Target, v);
      } catch (const Exception& e) {
        Fail(f.Line, "property '" + f.Prop->Name + "': " + e.Message());
      }
    }
  }

  TComponent* FRoot;
  std::string FSource;
  std::vector<TComponent*> FCreated;
  std::vector<Fixup> FFixups;
};

// ---- Writer -----------------------------------------------------------------------------

std::string Quote(const std::string& S) {
  std::string r = "\"";
  for (char c : S) {
    switch (c) {
      case '\n': r += "\\n"; break;
      case '\r': r += "\\r"; break;
      case '\t': r += "\\t"; break;
      case '"': r += "\\\""; break;
      case '\\': r += "\\\\"; break;
      default: r += c;
    }
  }
  return r + "\"";
}

std::string FormatValue(const TPropInfo& P, const TPropValue& V) {
  switch (P.Kind) {
    case TPropKind::Integer: return std::to_string(V.Int);
    case TPropKind::String: return Quote(V.Str);
    case TPropKind::Boolean: return V.Int ? "true" : "false";
    case TPropKind::Enum:
      return V.Int >= 0 && V.Int < static_cast<std::int64_t>(P.Names.size()) ? P.Names[static_cast<std::size_t>(V.Int)]
                                                                              : std::to_string(V.Int);
    case TPropKind::Set: {
      std::string r = "[";
      for (std::size_t i = 0; i < P.Names.size(); ++i)
        if (V.Int & (std::int64_t{1} << i)) r += (r.size() > 1 ? ", " : "") + P.Names[i];
      return r + "]";
    }
    case TPropKind::Color: {
      std::string name = ColorToIdent(static_cast<TColor>(V.Int));
      return name.empty() ? "$" + IntToHex(static_cast<std::uint32_t>(V.Int), 8) : name;
    }
    case TPropKind::Strings: {
      std::string r = "[";
      for (std::size_t i = 0; i < V.List.size(); ++i) r += (i ? ", " : "") + Quote(V.List[i]);
      return r + "]";
    }
    case TPropKind::Reference: return V.Ref ? V.Ref->Name() : std::string();
    case TPropKind::Picture: return "asset " + Quote(V.Str);
    case TPropKind::Event: return V.Str;
  }
  return {};
}

void WriteObject(std::string& Out, TComponent* Root, TComponent* C, int Depth) {
  const std::string indent(static_cast<std::size_t>(Depth) * 2, ' ');
  Out += indent + C->Name() + " : " + C->ClassName() + " {\n";
  for (const TPropInfo* p : ClassProperties(C->ClassName())) {
    if (p->Stored && !p->Stored(C)) continue;
    const TPropValue v = p->Get(C);
    if (p->Default && v == *p->Default) continue;
    // References, pictures and events with nothing to name are left out.
    if ((p->Kind == TPropKind::Reference && !v.Ref) || (p->Kind == TPropKind::Picture && v.Str.empty()) ||
        (p->Kind == TPropKind::Event && v.Str.empty()))
      continue;
    Out += indent + "  " + p->Name + " = " + FormatValue(*p, v) + "\n";
  }
  for (TComponent* child : C->ChildComponents(Root)) WriteObject(Out, Root, child, Depth + 1);
  Out += indent + "}\n";
}

}  // namespace

void ReadFormData(TComponent* Root, const std::string& Text, const std::string& SourceName) {
  TParser parser(Text, SourceName);
  const TObjectNode node = parser.ParseFile();
  TReader(Root, SourceName).Read(node);
}

std::string WriteFormData(TComponent* Root) {
  std::string out;
  WriteObject(out, Root, Root, 0);
  return out;
}

}  // namespace vcl
