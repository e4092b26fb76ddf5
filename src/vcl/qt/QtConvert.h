// Private: conversions between the class library's values and Qt's.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "vcl/Graphics.h"

namespace vcl::qt {

inline QString ToQ(const std::string& S) { return QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size())); }
inline std::string FromQ(const QString& S) { return S.toStdString(); }

inline QColor ToQColor(TColor C) {
  TColor rgb = ColorToRGB(C);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

inline QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Width(), R.Height()); }

// The Qt font for a library font. Faces missing on this system are replaced by similar
// sans-serif faces at the same pixel size (see InstallFontSubstitutes).
// Canvas text is drawn without antialiasing, crisp like the bitmap fonts of the original
// platform; widgets keep Qt's smooth text.
enum class TTextSmoothing { Smooth, Crisp };
QFont ToQFont(const TFont& Font, TTextSmoothing Smoothing = TTextSmoothing::Smooth);
void InstallFontSubstitutes();

}  // namespace vcl::qt
