#include "vcl/Graphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "vcl/Assets.h"
#include "vcl/SysUtils.h"

namespace vcl {

// ---- Colours ----------------------------------------------------------------------------

TColor ColorToRGB(TColor Color) {
  if ((Color & clSystemColor) == 0) return Color & 0xFFFFFF;
  switch (Color) {
    case clWindow: return 0xFFFFFF;
    case clWindowText: return 0x000000;
    case clBtnFace: return 0xF0F0F0;
    case clBtnShadow: return 0xA0A0A0;
    case clBtnText: return 0x000000;
    case clBtnHighlight: return 0xFFFFFF;
    default: return 0xF0F0F0;
  }
}

namespace {

struct ColorName {
  TColor Color;
  const char* Name;
};

constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},     {clMaroon, "clMaroon"},         {clGreen, "clGreen"},
    {clOlive, "clOlive"},     {clNavy, "clNavy"},             {clPurple, "clPurple"},
    {clTeal, "clTeal"},       {clGray, "clGray"},             {clSilver, "clSilver"},
    {clRed, "clRed"},         {clLime, "clLime"},             {clYellow, "clYellow"},
    {clBlue, "clBlue"},       {clFuchsia, "clFuchsia"},       {clAqua, "clAqua"},
    {clWhite, "clWhite"},     {clWindow, "clWindow"},         {clWindowText, "clWindowText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"},   {clBtnText, "clBtnText"},
    {clBtnHighlight, "clBtnHighlight"},
};

int gPixelsPerInch = 96;

}  // namespace

std::string ColorToIdent(TColor Color) {
  for (const auto& n : kColorNames)
    if (n.Color == Color) return n.Name;
  return {};
}

bool IdentToColor(const std::string& Ident, TColor& Color) {
  for (const auto& n : kColorNames)
    if (SameText(n.Name, Ident)) {
      Color = n.Color;
      return true;
    }
  return false;
}

std::uint32_t ColorToPixel(TColor Color) {
  TColor c = ColorToRGB(Color);
  return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(c)) << 8) | static_cast<std::uint32_t>(GetBValue(c));
}

TColor PixelToColor(std::uint32_t Pixel) {
  return RGB((Pixel >> 16) & 0xFF, (Pixel >> 8) & 0xFF, Pixel & 0xFF);
}

// ---- Font -------------------------------------------------------------------------------

int ScreenPixelsPerInch() { return gPixelsPerInch; }
void SetScreenPixelsPerInch(int Value) { gPixelsPerInch = Value > 0 ? Value : 96; }

void TFont::SetName(const std::string& Value) {
  if (Value == FName) return;
  FName = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

int TFont::Size() const {
  // -Height * 72 / ppi, rounded to nearest.
  return static_cast<int>(std::lround(-FHeight * 72.0 / ScreenPixelsPerInch()));
}

void TFont::SetSize(int Points) {
  SetHeight(-static_cast<int>(std::lround(Points * ScreenPixelsPerInch() / 72.0)));
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::Assign(const TFont& Source) {
  if (Source == *this) return;
  FName = Source.FName;
  FHeight = Source.FHeight;
  FColor = Source.FColor;
  FStyle = Source.FStyle;
  Changed();
}

// ---- Bitmap -----------------------------------------------------------------------------

TBitmap::TBitmap(const TBitmap& O) : TGraphic(O), FWidth(O.FWidth), FHeight(O.FHeight), FPixels(O.FPixels) {
  FCanvas.Bind(this, {0, 0}, {0, 0, FWidth, FHeight});
}

TBitmap& TBitmap::operator=(const TBitmap& O) {
  if (this != &O) {
    TGraphic::operator=(O);
    FWidth = O.FWidth;
    FHeight = O.FHeight;
    FPixels = O.FPixels;
    FCanvas.Bind(this, {0, 0}, {0, 0, FWidth, FHeight});
  }
  return *this;
}

void TBitmap::SetSize(int W, int H) {
  W = std::max(W, 0);
  H = std::max(H, 0);
  if (W == FWidth && H == FHeight) return;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(W) * static_cast<std::size_t>(H),
                                    0xFFFFFFFFu);
  for (int y = 0; y < std::min(H, FHeight); ++y)
    std::memcpy(&pixels[static_cast<std::size_t>(y) * W], &FPixels[static_cast<std::size_t>(y) * FWidth],
                sizeof(std::uint32_t) * static_cast<std::size_t>(std::min(W, FWidth)));
  FPixels.swap(pixels);
  FWidth = W;
  FHeight = H;
  FCanvas.Bind(this, {0, 0}, {0, 0, W, H});
}

std::uint8_t* TBitmap::ScanLine(int Row) {
  if (Row < 0 || Row >= FHeight) throw EInvalidOperation("Scan line index out of range");
  return reinterpret_cast<std::uint8_t*>(&FPixels[static_cast<std::size_t>(Row) * FWidth]);
}

const std::uint8_t* TBitmap::ScanLine(int Row) const {
  return const_cast<TBitmap*>(this)->ScanLine(Row);
}

// ---- Canvas: addressing -----------------------------------------------------------------

void TCanvas::Bind(TBitmap* Surface, TPoint Origin, TRect Clip) {
  FSurface = Surface;
  FOrigin = Origin;
  FClip = Surface ? Clip.Intersect({0, 0, Surface->Width(), Surface->Height()}) : TRect{};
}

std::uint32_t* TCanvas::PixelAddress(int SX, int SY) const {
  if (!FSurface || SX < 0 || SY < 0 || SX >= FSurface->Width() || SY >= FSurface->Height())
    return nullptr;
  return FSurface->Bits() + static_cast<std::size_t>(SY) * FSurface->Width() + SX;
}

void TCanvas::PutSurfacePixel(int SX, int SY, std::uint32_t Pixel) {
  if (!PtInRect(FClip, {SX, SY})) return;
  if (std::uint32_t* p = PixelAddress(SX, SY)) *p = Pixel;
}

TColor TCanvas::Pixel(int X, int Y) const {
  const std::uint32_t* p = PixelAddress(X + FOrigin.X, Y + FOrigin.Y);
  return p ? PixelToColor(*p) : clBlack;
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  PutSurfacePixel(X + FOrigin.X, Y + FOrigin.Y, ColorToPixel(Color));
}

// ---- Canvas: figures --------------------------------------------------------------------

namespace {

// Pixel (px, py) of a W x H box lies in the inscribed ellipse when its centre does; the
// middle row and column always reach the box edges, so the figure touches all four sides.
bool InEllipse(int W, int H, int px, int py) {
  double rx = W / 2.0, ry = H / 2.0;
  double dx = (px + 0.5 - rx), dy = (py + 0.5 - ry);
  if (std::fabs(dy) <= 0.5 || std::fabs(dx) <= 0.5) return true;
  return (dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) <= 1.0;
}

void Normalize(int& A, int& B) {
  if (A > B) std::swap(A, B);
}

std::vector<std::uint8_t> Erode(const std::vector<std::uint8_t>& Mask, int W, int H) {
  std::vector<std::uint8_t> out(Mask.size(), 0);
  auto at = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < W && y < H && Mask[static_cast<std::size_t>(y) * W + x];
  };
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      out[static_cast<std::size_t>(y) * W + x] =
          at(x, y) && at(x - 1, y) && at(x + 1, y) && at(x, y - 1) && at(x, y + 1);
  return out;
}

}  // namespace

void TCanvas::PaintFigure(const TRect& Box, std::vector<std::uint8_t>& Mask, bool UsePen) {
  const int w = Box.Width(), h = Box.Height();
  std::vector<std::uint8_t> inner = Mask;
  if (UsePen)
    for (int i = 0; i < FPen.Width(); ++i) inner = Erode(inner, w, h);
  const std::uint32_t pen = ColorToPixel(FPen.Color());
  const std::uint32_t brush = ColorToPixel(FBrush.Color());
  const bool fill = FBrush.Style() == bsSolid;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::size_t i = static_cast<std::size_t>(y) * w + x;
      if (!Mask[i]) continue;
      bool outline = UsePen && !inner[i];
      if (!outline && !fill) continue;
      PutSurfacePixel(Box.Left + x + FOrigin.X, Box.Top + y + FOrigin.Y, outline ? pen : brush);
    }
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  RoundRect(X1, Y1, X2, Y2, 0, 0);
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int EllipseW, int EllipseH) {
  Normalize(X1, X2);
  Normalize(Y1, Y2);
  const bool usePen = FPen.Style() == psSolid;
  if (!usePen) {
    --X2;
    --Y2;
  }
  TRect box{X1, Y1, X2, Y2};
  if (box.IsEmpty()) return;
  const int w = box.Width(), h = box.Height();
  const int ew = std::min(std::abs(EllipseW), w), eh = std::min(std::abs(EllipseH), h);
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(w) * h, 1);
  if (ew > 1 && eh > 1) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        // Corner zones: the quarter of the rounding ellipse that lies at each corner.
        int cx = -1, cy = -1;
        if (x + 0.5 < ew / 2.0) cx = x;
        else if (x + 0.5 > w - ew / 2.0) cx = x - (w - ew);
        if (y + 0.5 < eh / 2.0) cy = y;
        else if (y + 0.5 > h - eh / 2.0) cy = y - (h - eh);
        if (cx >= 0 && cy >= 0 && !InEllipse(ew, eh, cx, cy))
          mask[static_cast<std::size_t>(y) * w + x] = 0;
      }
  }
  PaintFigure(box, mask, usePen);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Normalize(X1, X2);
  Normalize(Y1, Y2);
  const bool usePen = FPen.Style() == psSolid;
  if (!usePen) {
    --X2;
    --Y2;
  }
  TRect box{X1, Y1, X2, Y2};
  if (box.IsEmpty()) return;
  const int w = box.Width(), h = box.Height();
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(w) * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) mask[static_cast<std::size_t>(y) * w + x] = InEllipse(w, h, x, y);
  PaintFigure(box, mask, usePen);
}

void TCanvas::FillRect(const TRect& R) {
  if (FBrush.Style() == bsClear) return;
  const std::uint32_t brush = ColorToPixel(FBrush.Color());
  TRect r = R.Offset(FOrigin.X, FOrigin.Y).Intersect(FClip);
  for (int y = r.Top; y < r.Bottom; ++y) std::fill_n(PixelAddress(r.Left, y), r.Width(), brush);
}

void TCanvas::LineTo(int X, int Y) {
  const TPoint from = FPenPos;
  FPenPos = {X, Y};
  if (FPen.Style() == psClear) return;
  const std::uint32_t pen = ColorToPixel(FPen.Color());
  const int w = FPen.Width(), lo = -(w - 1) / 2;
  auto stamp = [&](int px, int py) {
    for (int dy = 0; dy < w; ++dy)
      for (int dx = 0; dx < w; ++dx)
        PutSurfacePixel(px + lo + dx + FOrigin.X, py + lo + dy + FOrigin.Y, pen);
  };
  // Bresenham over the major axis; the end point itself is left out.
  int dx = std::abs(X - from.X), dy = std::abs(Y - from.Y);
  int sx = from.X < X ? 1 : -1, sy = from.Y < Y ? 1 : -1;
  int x = from.X, y = from.Y;
  if (dx >= dy) {
    int err = dx / 2;
    for (int i = 0; i < dx; ++i) {
      stamp(x, y);
      x += sx;
      err -= dy;
      if (err < 0) { y += sy; err += dx; }
    }
  } else {
    int err = dy / 2;
    for (int i = 0; i < dy; ++i) {
      stamp(x, y);
      y += sy;
      err -= dx;
      if (err < 0) { x += sx; err += dy; }
    }
  }
}

// ---- Canvas: block copies ---------------------------------------------------------------

namespace {

// Copies Src's SrcRect (source surface coordinates) into DestRect of the destination,
// nearest pixel; Put receives destination coordinates.
template <class PutFn>
void CopyScaled(const TBitmap& Src, const TRect& SrcRect, const TRect& Dest, PutFn Put) {
  if (Dest.IsEmpty() || SrcRect.IsEmpty()) return;
  const int dw = Dest.Width(), dh = Dest.Height(), sw = SrcRect.Width(), sh = SrcRect.Height();
  for (int y = 0; y < dh; ++y) {
    int sy = SrcRect.Top + static_cast<int>(static_cast<long long>(y) * sh / dh);
    for (int x = 0; x < dw; ++x) {
      int sx = SrcRect.Left + static_cast<int>(static_cast<long long>(x) * sw / dw);
      std::uint32_t pixel = 0xFF000000u;
      if (sx >= 0 && sy >= 0 && sx < Src.Width() && sy < Src.Height())
        pixel = Src.Bits()[static_cast<std::size_t>(sy) * Src.Width() + sx];
      Put(Dest.Left + x, Dest.Top + y, pixel);
    }
  }
}

}  // namespace

void TCanvas::Draw(int X, int Y, const TGraphic& Graphic) {
  StretchDraw(Bounds(X, Y, Graphic.Width(), Graphic.Height()), Graphic);
}

void TCanvas::StretchDraw(const TRect& Dest, const TGraphic& Graphic) {
  const TBitmap* src = Graphic.Pixels();
  if (!src || src->Empty()) return;
  if (Dest.Width() == src->Width() && Dest.Height() == src->Height()) {
    // Same size: a plain copy of the rows that lie inside the clip.
    const TRect d = Dest.Offset(FOrigin.X, FOrigin.Y);
    const TRect r = d.Intersect(FClip);
    for (int y = r.Top; y < r.Bottom; ++y)
      std::memcpy(PixelAddress(r.Left, y), src->Bits() + static_cast<std::size_t>(y - d.Top) * src->Width() + (r.Left - d.Left),
                  sizeof(std::uint32_t) * static_cast<std::size_t>(r.Width()));
    return;
  }
  CopyScaled(*src, {0, 0, src->Width(), src->Height()}, Dest.Offset(FOrigin.X, FOrigin.Y),
             [this](int x, int y, std::uint32_t p) { PutSurfacePixel(x, y, p); });
}

void TCanvas::CopyRect(const TRect& Dest, const TCanvas& Source, const TRect& SourceRect) {
  if (!Source.FSurface || SourceRect.IsEmpty()) return;
  // Take the source pixels first: source and destination may share a surface.
  const TRect src = SourceRect.Offset(Source.FOrigin.X, Source.FOrigin.Y);
  TBitmap copy(src.Width(), src.Height());
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) {
      const std::uint32_t* p = Source.PixelAddress(src.Left + x, src.Top + y);
      copy.Bits()[static_cast<std::size_t>(y) * src.Width() + x] = p ? *p : 0xFF000000u;
    }
  CopyScaled(copy, {0, 0, src.Width(), src.Height()}, Dest.Offset(FOrigin.X, FOrigin.Y),
             [this](int x, int y, std::uint32_t p) { PutSurfacePixel(x, y, p); });
}

// ---- Picture ----------------------------------------------------------------------------

void TPicture::SetGraphic(std::unique_ptr<TGraphic> Value, std::string AssetName) {
  FGraphic = std::move(Value);
  FAssetName = std::move(AssetName);
  Changed();
}

void TPicture::Assign(const TPicture* Source) {
  if (Source == this) return;
  if (Source && Source->FGraphic)
    SetGraphic(Source->FGraphic->Clone(), Source->FAssetName);
  else
    SetGraphic(nullptr);
}

void TPicture::LoadFromAsset(const std::string& Name) {
  const TAsset* asset = FindAsset(Name);
  if (!asset) throw EInvalidGraphic("Picture asset '" + Name + "' is not part of the program");
  auto jpeg = std::make_unique<TJPEGImage>();
  jpeg->LoadFromBytes(asset->Data, asset->Size);
  SetGraphic(std::move(jpeg), Name);
}

}  // namespace vcl
