// Text on the canvas is drawn by Qt into the same 32-bit surface; it is the one place where
// pixels depend on the installed fonts.
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "vcl/Graphics.h"
#include "vcl/qt/QtConvert.h"

namespace vcl {

namespace qt {

QFont ToQFont(const TFont& Font, TTextSmoothing Smoothing) {
  QFont f(ToQ(Font.Name()));
  f.setPixelSize(std::max(1, Font.PixelSize()));
  f.setBold(Font.Style().Contains(fsBold));
  f.setItalic(Font.Style().Contains(fsItalic));
  f.setUnderline(Font.Style().Contains(fsUnderline));
  f.setStrikeOut(Font.Style().Contains(fsStrikeOut));
  f.setStyleHint(QFont::SansSerif,
                 Smoothing == TTextSmoothing::Crisp ? QFont::NoAntialias : QFont::PreferDefault);
  return f;
}

void InstallFontSubstitutes() {
  const QStringList sans = {"Liberation Sans", "DejaVu Sans", "Sans Serif"};
  const QStringList wide = {"DejaVu Sans", "Liberation Sans", "Sans Serif"};
  QFont::insertSubstitutions("MS Sans Serif", sans);
  QFont::insertSubstitutions("Arial", sans);
  QFont::insertSubstitutions("Tahoma", wide);
  QFont::insertSubstitutions("Verdana", wide);
}

}  // namespace qt

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  if (!FSurface || FSurface->Empty() || Text.empty()) return;
  QImage image(reinterpret_cast<uchar*>(FSurface->Bits()), FSurface->Width(), FSurface->Height(),
               FSurface->Width() * 4, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setClipRect(qt::ToQRect(FClip));
  painter.translate(FOrigin.X, FOrigin.Y);
  const QFont font = qt::ToQFont(FFont, qt::TTextSmoothing::Crisp);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  const QString text = qt::ToQ(Text);
  if (FBrush.Style() == bsSolid)
    painter.fillRect(QRect(X, Y, metrics.horizontalAdvance(text), metrics.height()),
                     qt::ToQColor(FBrush.Color()));
  painter.setPen(qt::ToQColor(FFont.Color()));
  painter.drawText(X, Y + metrics.ascent(), text);
  FPenPos = {X + metrics.horizontalAdvance(text), Y};
}

int TCanvas::TextWidth(const std::string& Text) {
  return QFontMetrics(qt::ToQFont(FFont, qt::TTextSmoothing::Crisp)).horizontalAdvance(qt::ToQ(Text));
}

int TCanvas::TextHeight(const std::string&) {
  return QFontMetrics(qt::ToQFont(FFont, qt::TTextSmoothing::Crisp)).height();
}

void SaveToPngFile(const TBitmap& Bitmap, const std::string& Path) {
  const QImage image(reinterpret_cast<const uchar*>(Bitmap.Bits()), Bitmap.Width(), Bitmap.Height(),
                     Bitmap.Width() * 4, QImage::Format_RGB32);
  if (!image.save(qt::ToQ(Path), "PNG")) throw EInvalidGraphic("Cannot write the picture " + Path);
}

}  // namespace vcl
