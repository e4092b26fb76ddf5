#include "vcl/StdCtrls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "vcl/qt/Bridge.h"
#include "vcl/qt/QtConvert.h"

namespace vcl {

namespace {

// Font face, size, style and colour of a control onto its widget.
void ApplyFont(QWidget* W, const TFont& Font, QPalette::ColorRole TextRole = QPalette::WindowText) {
  W->setFont(qt::ToQFont(Font));
  QPalette p = W->palette();
  p.setColor(TextRole, qt::ToQColor(Font.Color()));
  p.setColor(QPalette::ButtonText, qt::ToQColor(Font.Color()));
  W->setPalette(p);
}

void ApplyBaseColor(QWidget* W, TColor Color) {
  QPalette p = W->palette();
  p.setColor(QPalette::Base, qt::ToQColor(Color));
  W->setPalette(p);
}

template <class W>
W* As(QWidget* Widget) {
  return static_cast<W*>(Widget);
}

}  // namespace

// ---- TLabel -----------------------------------------------------------------------------

TLabel::TLabel(TComponent* AOwner) : TWinControl(AOwner, new QLabel()) {
  auto* l = As<QLabel>(Widget());
  l->setTextFormat(Qt::PlainText);
  l->setAttribute(Qt::WA_TransparentForMouseEvents);
  SetParentColor(true);
  UpdateBounds(0, 0, 65, 13);
  ApplyFont(Widget(), *Font());
  UpdateText();
}

void TLabel::Loaded() {
  TWinControl::Loaded();
  AdjustSize();
}

void TLabel::SetAlignment(TAlignment Value) { FAlignment = Value; UpdateText(); }
void TLabel::SetLayout(TTextLayout Value) { FLayout = Value; UpdateText(); }
void TLabel::SetWordWrap(bool Value) { FWordWrap = Value; UpdateText(); }
void TLabel::SetAutoSize(bool Value) { FAutoSize = Value; AdjustSize(); }

void TLabel::CaptionChanged() { UpdateText(); }

void TLabel::FontChanged() {
  TWinControl::FontChanged();
  ApplyFont(Widget(), *Font());
  AdjustSize();
}

void TLabel::UpdateText() {
  auto* l = As<QLabel>(Widget());
  Qt::Alignment a = FAlignment == taCenter ? Qt::AlignHCenter
                    : FAlignment == taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
  a |= FLayout == tlCenter ? Qt::AlignVCenter : FLayout == tlBottom ? Qt::AlignBottom : Qt::AlignTop;
  l->setAlignment(a);
  l->setWordWrap(FWordWrap);
  l->setText(qt::ToQ(Caption()));
  AdjustSize();
}

void TLabel::AdjustSize() {
  if (!FAutoSize || ComponentState().Contains(csLoading)) return;
  auto* l = As<QLabel>(Widget());
  if (FWordWrap)
    SetBounds(Left(), Top(), Width(), l->heightForWidth(Width()));
  else {
    const QSize s = l->sizeHint();
    SetBounds(Left(), Top(), s.width(), s.height());
  }
}

// ---- TEdit ------------------------------------------------------------------------------

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner, new QLineEdit()) {
  QObject::connect(As<QLineEdit>(Widget()), &QLineEdit::textChanged, Bridge(),
                   [this] { qt::Guard([this] { TextChanged(); }); });
  UpdateBounds(0, 0, 121, 21);
  ApplyFont(Widget(), *Font(), QPalette::Text);
}

std::string TEdit::Text() const { return qt::FromQ(As<QLineEdit>(Widget())->text()); }
void TEdit::SetText(const std::string& Value) { As<QLineEdit>(Widget())->setText(qt::ToQ(Value)); }
bool TEdit::ReadOnly() const { return As<QLineEdit>(Widget())->isReadOnly(); }
void TEdit::SetReadOnly(bool Value) { As<QLineEdit>(Widget())->setReadOnly(Value); }

void TEdit::TextChanged() {
  if (FOnChange) FOnChange(this);
}

void TEdit::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyBaseColor(Widget(), Color());
}

void TEdit::FontChanged() {
  TWinControl::FontChanged();
  ApplyFont(Widget(), *Font(), QPalette::Text);
}

// ---- TButton ----------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner, new QPushButton()) {
  auto* b = As<QPushButton>(Widget());
  b->setAutoDefault(false);
  QObject::connect(b, &QPushButton::clicked, Bridge(), [this] { qt::Guard([this] { Click(); }); });
  UpdateBounds(0, 0, 75, 25);
  ApplyFont(Widget(), *Font(), QPalette::WindowText);
}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  As<QPushButton>(Widget())->setDefault(Value);
}

void TButton::CaptionChanged() { As<QPushButton>(Widget())->setText(qt::ToQ(Caption())); }

void TButton::FontChanged() {
  TWinControl::FontChanged();
  ApplyFont(Widget(), *Font());
}

// ---- TComboBox --------------------------------------------------------------------------

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner, new QComboBox()) {
  auto* c = As<QComboBox>(Widget());
  c->setEditable(true);
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setCompleter(nullptr);  // typing shows what was typed, nothing completed
  c->setCurrentIndex(-1);
  QObject::connect(c, &QComboBox::activated, Bridge(),
                   [this](int i) { qt::Guard([this, i] { UserPicked(i); }); });
  QObject::connect(c->lineEdit(), &QLineEdit::textEdited, Bridge(),
                   [this] { qt::Guard([this] { UserEdited(); }); });
  FItems.SetOnChange(TNotifyEvent([this](TObject*) { ItemsChanged(); }));
  UpdateBounds(0, 0, 145, 21);
  ApplyFont(Widget(), *Font(), QPalette::Text);
}

TComboBox::~TComboBox() { FItems.SetOnChange({}); }

void TComboBox::ItemsChanged() {
  auto* c = As<QComboBox>(Widget());
  const QSignalBlocker block(c);
  const QString text = c->currentText();
  c->clear();
  for (const auto& s : FItems.ToVector()) c->addItem(qt::ToQ(s));
  if (FItemIndex >= FItems.Count()) FItemIndex = -1;
  c->setCurrentIndex(FItemIndex);
  if (FItemIndex < 0 && c->isEditable()) c->setEditText(text);
}

void TComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems.Count()) Value = -1;
  FItemIndex = Value;
  auto* c = As<QComboBox>(Widget());
  const QSignalBlocker block(c);
  c->setCurrentIndex(Value);
  if (Value < 0 && c->isEditable()) c->setEditText(QString());
}

std::string TComboBox::Text() const { return qt::FromQ(As<QComboBox>(Widget())->currentText()); }

void TComboBox::SetText(const std::string& Value) {
  auto* c = As<QComboBox>(Widget());
  const QSignalBlocker block(c);
  FItemIndex = FItems.IndexOf(Value);
  c->setCurrentIndex(FItemIndex);
  if (c->isEditable()) c->setEditText(qt::ToQ(Value));
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
  FStyle = Value;
  auto* c = As<QComboBox>(Widget());
  c->setEditable(Value == csDropDown);
  c->setCompleter(nullptr);
  if (c->lineEdit())
    QObject::connect(c->lineEdit(), &QLineEdit::textEdited, Bridge(),
                     [this] { qt::Guard([this] { UserEdited(); }); }, Qt::UniqueConnection);
}

void TComboBox::UserPicked(int Index) {
  FItemIndex = Index;
  if (FOnChange) FOnChange(this);
}

void TComboBox::UserEdited() {
  FItemIndex = FItems.IndexOf(Text());
  if (FOnChange) FOnChange(this);
}

void TComboBox::FontChanged() {
  TWinControl::FontChanged();
  ApplyFont(Widget(), *Font(), QPalette::Text);
}

// ---- TCheckBox --------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner, new QCheckBox()) {
  QObject::connect(As<QCheckBox>(Widget()), &QCheckBox::toggled, Bridge(),
                   [this] { qt::Guard([this] { Click(); }); });
  UpdateBounds(0, 0, 97, 17);
  ApplyFont(Widget(), *Font(), QPalette::WindowText);
}

bool TCheckBox::Checked() const { return As<QCheckBox>(Widget())->isChecked(); }
void TCheckBox::SetChecked(bool Value) { As<QCheckBox>(Widget())->setChecked(Value); }
void TCheckBox::CaptionChanged() { As<QCheckBox>(Widget())->setText(qt::ToQ(Caption())); }

void TCheckBox::FontChanged() {
  TWinControl::FontChanged();
  ApplyFont(Widget(), *Font());
}

// ---- TMemo ------------------------------------------------------------------------------

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner, new QPlainTextEdit()) {
  FLines.SetOnChange(TNotifyEvent([this](TObject*) { LinesChanged(); }));
  SetScrollBars(ssNone);
  SetWordWrap(true);
  UpdateBounds(0, 0, 185, 89);
  ApplyFont(Widget(), *Font(), QPalette::Text);
}

TMemo::~TMemo() { FLines.SetOnChange({}); }

void TMemo::LinesChanged() {
  QStringList lines;
  for (const auto& s : FLines.ToVector()) lines << qt::ToQ(s);
  As<QPlainTextEdit>(Widget())->setPlainText(lines.join('\n'));
}

std::string TMemo::Text() const { return FLines.Text(); }
bool TMemo::ReadOnly() const { return As<QPlainTextEdit>(Widget())->isReadOnly(); }
void TMemo::SetReadOnly(bool Value) { As<QPlainTextEdit>(Widget())->setReadOnly(Value); }

void TMemo::SetScrollBars(TScrollStyle Value) {
  FScrollBars = Value;
  auto* m = As<QPlainTextEdit>(Widget());
  const bool v = Value == ssVertical || Value == ssBoth, h = Value == ssHorizontal || Value == ssBoth;
  m->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  m->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TMemo::SetWordWrap(bool Value) {
  FWordWrap = Value;
  As<QPlainTextEdit>(Widget())->setLineWrapMode(Value ? QPlainTextEdit::WidgetWidth
                                                      : QPlainTextEdit::NoWrap);
}

void TMemo::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyBaseColor(Widget(), Color());
}

void TMemo::FontChanged() {
  TWinControl::FontChanged();
  ApplyFont(Widget(), *Font(), QPalette::Text);
}

}  // namespace vcl
