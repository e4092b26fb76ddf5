#include "vcl/ComCtrls.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "vcl/qt/QtConvert.h"

namespace vcl {

// ---- TRichEdit --------------------------------------------------------------------------

TRichEdit::TRichEdit(TComponent* AOwner) : TWinControl(AOwner, new QTextEdit()) {
  auto* e = static_cast<QTextEdit*>(Widget());
  e->setAcceptRichText(false);
  SetScrollBars(ssNone);
  UpdateBounds(0, 0, 185, 89);
}

void TRichEdit::LoadDocument(const TRichDocument& Document) {
  FDocument = Document;
  auto* e = static_cast<QTextEdit*>(Widget());
  QTextDocument* doc = e->document();
  doc->clear();
  QTextCursor cursor(doc);
  QTextBlockFormat block;
  block.setAlignment(Qt::AlignLeft);
  bool first = true;
  for (const TRichParagraph& p : Document.Paragraphs) {
    if (!first) cursor.insertBlock(block);
    first = false;
    cursor.setBlockFormat(block);
    for (const TTextRun& r : p.Runs) {
      QTextCharFormat f;
      f.setFontFamilies({qt::ToQ(Document.FontName)});
      f.setFontPointSize(r.Size);
      f.setFontWeight(r.Bold ? QFont::Bold : QFont::Normal);
      f.setForeground(qt::ToQColor(r.Color));
      cursor.insertText(qt::ToQ(r.Text), f);
    }
  }
  e->moveCursor(QTextCursor::Start);  // the view opens at the top of the document
}

std::string TRichEdit::PlainText() const {
  return qt::FromQ(static_cast<QTextEdit*>(Widget())->toPlainText());
}

bool TRichEdit::ReadOnly() const { return static_cast<QTextEdit*>(Widget())->isReadOnly(); }
void TRichEdit::SetReadOnly(bool Value) { static_cast<QTextEdit*>(Widget())->setReadOnly(Value); }

void TRichEdit::SetScrollBars(TScrollStyle Value) {
  FScrollBars = Value;
  auto* e = static_cast<QTextEdit*>(Widget());
  const bool v = Value == ssVertical || Value == ssBoth, h = Value == ssHorizontal || Value == ssBoth;
  e->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  e->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TRichEdit::SetWordWrap(bool Value) {
  FWordWrap = Value;
  static_cast<QTextEdit*>(Widget())->setLineWrapMode(Value ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TRichEdit::ColorChanged() {
  TWinControl::ColorChanged();
  QPalette p = Widget()->palette();
  p.setColor(QPalette::Base, qt::ToQColor(Color()));
  Widget()->setPalette(p);
}

// ---- TStatusBar -------------------------------------------------------------------------

TStatusBar::TStatusBar(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  UpdateBounds(0, 0, 185, 19);
  SetAlign(alBottom);
}

void TStatusBar::SetPanels(const std::vector<TStatusPanel>& Value) {
  FPanels = Value;
  Invalidate();
}

void TStatusBar::Paint() {
  TCanvas& c = *Canvas();
  c.Brush()->SetColor(Color());
  c.FillRect(ClientRect());
  c.Font()->Assign(*Font());
  int x = 0;
  for (std::size_t i = 0; i < FPanels.size(); ++i) {
    const TStatusPanel& p = FPanels[i];
    const int right = i + 1 == FPanels.size() ? Width() : x + p.Width;
    if (p.Bevel) {
      c.Brush()->SetColor(clBtnShadow);
      c.FillRect({x, 1, right - 2, 2});
    }
    c.Brush()->SetStyle(bsClear);
    c.TextOut(x + 2, (Height() - c.TextHeight(p.Text)) / 2, p.Text);
    c.Brush()->SetStyle(bsSolid);
    x = right;
  }
}

}  // namespace vcl
