// Colours, pens, brushes, fonts, 32-bit bitmaps, the canvas that draws on them with the
// pixel rules of the classic Windows GDI, and pictures.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Types.h"

namespace vcl {

// ---- Colours ----------------------------------------------------------------------------

// Below 0x80000000 a colour is 0x00BBGGRR (red in the low byte); 0x80000000 + n names
// system colour n.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clSystemColor = 0x80000000;
constexpr TColor clWindow = clSystemColor + 5;
constexpr TColor clWindowText = clSystemColor + 8;
constexpr TColor clBtnFace = clSystemColor + 15;
constexpr TColor clBtnShadow = clSystemColor + 16;
constexpr TColor clBtnText = clSystemColor + 18;
constexpr TColor clBtnHighlight = clSystemColor + 20;

// Resolves system colours to the fixed platform colours (button face light grey, window
// white, window text black); other colours are returned unchanged.
TColor ColorToRGB(TColor Color);
constexpr TColor RGB(int R, int G, int B) {
  return static_cast<TColor>(R) | (static_cast<TColor>(G) << 8) | (static_cast<TColor>(B) << 16);
}
constexpr int GetRValue(TColor C) { return C & 0xFF; }
constexpr int GetGValue(TColor C) { return (C >> 8) & 0xFF; }
constexpr int GetBValue(TColor C) { return (C >> 16) & 0xFF; }

// Colour names known to form data ("clWhite", "clBtnFace", ...). Empty when unnamed.
std::string ColorToIdent(TColor Color);
bool IdentToColor(const std::string& Ident, TColor& Color);

// ---- Pen, brush, font ---------------------------------------------------------------------

enum TPenStyle { psSolid, psClear };
enum TBrushStyle { bsSolid, bsClear };
enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

class TPen {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value < 1 ? 1 : Value; }
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value) { FStyle = Value; }
  friend bool operator==(const TPen&, const TPen&) = default;

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
};

class TBrush {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; FStyle = bsSolid; }
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value) { FStyle = Value; }
  friend bool operator==(const TBrush&, const TBrush&) = default;

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

// Pixels per logical inch of the screen, used to turn points into pixels (96 until the
// application has asked the display).
int ScreenPixelsPerInch();
void SetScreenPixelsPerInch(int Value);

// Height is in pixels; negative means the character height without internal leading, as
// set through Size in points (8 points at 96 pixels per inch give Height -11).
class TFont {
 public:
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int Size() const;
  void SetSize(int Points);
  // Pixel size of the characters (the absolute Height).
  int PixelSize() const { return FHeight < 0 ? -FHeight : FHeight; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  void Assign(const TFont& Source);
  friend bool operator==(const TFont& A, const TFont& B) {
    return A.FName == B.FName && A.FHeight == B.FHeight && A.FColor == B.FColor &&
           A.FStyle == B.FStyle;
  }

  // Called after every change; controls repaint or update their widget from it.
  std::function<void()> OnChange;

 private:
  void Changed() { if (OnChange) OnChange(); }
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
};

// ---- Bitmap and canvas --------------------------------------------------------------------

class TBitmap;
class TGraphic;

// Draws on a 32-bit surface through an origin and a clip rectangle (both in surface
// coordinates), following the GDI rules: a figure (X1, Y1, X2, Y2) covers columns X1..X2-1
// and rows Y1..Y2-1, the pen draws inside it, a clear pen makes the filled figure one pixel
// smaller at right and bottom, a line leaves out its last pixel, text is placed by the
// top-left corner of its first character cell.
class TCanvas {
 public:
  TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Points the canvas at a surface; drawing at (x, y) lands on Surface pixel
  // (x + Origin.X, y + Origin.Y) when that lies inside Clip.
  void Bind(TBitmap* Surface, TPoint Origin, TRect Clip);
  void Unbind() { FSurface = nullptr; }
  bool IsBound() const { return FSurface != nullptr; }
  TBitmap* Surface() const { return FSurface; }
  TPoint Origin() const { return FOrigin; }
  // The clip rectangle in canvas coordinates.
  TRect ClipRect() const { return FClip.Offset(-FOrigin.X, -FOrigin.Y); }

  TPen* Pen() { return &FPen; }
  TBrush* Brush() { return &FBrush; }
  TFont* Font() { return &FFont; }

  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int EllipseW, int EllipseH);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  void FillRect(const TRect& R);
  void MoveTo(int X, int Y) { FPenPos = {X, Y}; }
  void LineTo(int X, int Y);
  TPoint PenPos() const { return FPenPos; }

  void TextOut(int X, int Y, const std::string& Text);
  int TextWidth(const std::string& Text);
  int TextHeight(const std::string& Text);

  TColor Pixel(int X, int Y) const;  // clBlack outside the surface, as GDI gives no colour
  void SetPixel(int X, int Y, TColor Color);

  // Plain copy of Graphic at its own size with its top left at (X, Y).
  void Draw(int X, int Y, const TGraphic& Graphic);
  // Graphic scaled to Dest, nearest pixel.
  void StretchDraw(const TRect& Dest, const TGraphic& Graphic);
  // Copies Source's pixels in SourceRect into Dest of this canvas, scaling nearest pixel
  // when the sizes differ.
  void CopyRect(const TRect& Dest, const TCanvas& Source, const TRect& SourceRect);

 private:
  friend class TBitmap;
  std::uint32_t* PixelAddress(int SurfaceX, int SurfaceY) const;
  void PutSurfacePixel(int SX, int SY, std::uint32_t Pixel);
  // Paints a figure given as a mask over Box (canvas coordinates): the outline (the mask
  // minus its erosion by the pen width) in the pen colour, the rest in the brush colour.
  void PaintFigure(const TRect& Box, std::vector<std::uint8_t>& Mask, bool UsePen);

  TBitmap* FSurface = nullptr;
  TPoint FOrigin;
  TRect FClip;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TPoint FPenPos;
};

// Converts a colour to the surface's pixel value (bytes blue, green, red, 0xFF).
std::uint32_t ColorToPixel(TColor Color);
TColor PixelToColor(std::uint32_t Pixel);

// ---- Graphics -----------------------------------------------------------------------------

class TGraphic : public TObject {
  VCL_CLASS_NAME(TGraphic)
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  bool Empty() const { return Width() == 0 || Height() == 0; }
  // The picture as 32-bit pixels (nullptr when empty).
  virtual const TBitmap* Pixels() const = 0;
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }
  // True-colour graphics carry no palette; the flag exists for callers that ask.
  virtual bool HasPalette() const { return false; }
  bool PaletteModified() const { return FPaletteModified; }
  void SetPaletteModified(bool Value) { FPaletteModified = Value; }

 private:
  bool FTransparent = false;
  bool FPaletteModified = false;
};

// 32-bit bitmap: row r is reachable as bytes blue, green, red, fourth (ScanLine(r)).
class TBitmap : public TGraphic {
  VCL_CLASS_NAME(TBitmap)
 public:
  TBitmap() { FCanvas.Bind(this, {0, 0}, {}); }
  TBitmap(int W, int H) : TBitmap() { SetSize(W, H); }
  TBitmap(const TBitmap& O);
  TBitmap& operator=(const TBitmap& O);

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int W) { SetSize(W, FHeight); }
  void SetHeight(int H) { SetSize(FWidth, H); }
  // Keeps the pixels that still fit; new pixels are white.
  void SetSize(int W, int H);
  std::uint8_t* ScanLine(int Row);
  const std::uint8_t* ScanLine(int Row) const;
  std::uint32_t* Bits() { return FPixels.data(); }
  const std::uint32_t* Bits() const { return FPixels.data(); }
  TCanvas* Canvas() { return &FCanvas; }
  const TBitmap* Pixels() const override { return this; }
  std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TBitmap>(*this); }

 private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<std::uint32_t> FPixels;
  TCanvas FCanvas;
};

// A JPEG picture (baseline or progressive), decoded with libjpeg.
class TJPEGImage : public TGraphic {
  VCL_CLASS_NAME(TJPEGImage)
 public:
  // Raises EInvalidGraphic for data that is not a complete, decodable JPEG.
  void LoadFromBytes(const unsigned char* Data, std::size_t Size);
  int Width() const override { return FBitmap.Width(); }
  int Height() const override { return FBitmap.Height(); }
  bool ProgressiveEncoding() const { return FProgressive; }
  const TBitmap* Pixels() const override { return &FBitmap; }
  std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TJPEGImage>(*this); }

 private:
  TBitmap FBitmap;
  bool FProgressive = false;
};

// Writes a bitmap as a PNG file (documentation pictures, test output); raises
// EInvalidGraphic when the file cannot be written.
void SaveToPngFile(const TBitmap& Bitmap, const std::string& Path);

// Encodes a bitmap as JPEG (quality 0..100); used by the asset generators.
std::vector<unsigned char> EncodeJPEG(const TBitmap& Bitmap, int Quality, bool Progressive);

// Holds one graphic and reports every change through OnChange.
class TPicture : public TObject {
  VCL_CLASS_NAME(TPicture)
 public:
  TGraphic* Graphic() const { return FGraphic.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> Value, std::string AssetName = {});
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }
  // Copies the other picture's graphic (none when Source is null or empty).
  void Assign(const TPicture* Source);
  // Loads an embedded asset (JPEG); raises EInvalidGraphic when it is missing or corrupt.
  void LoadFromAsset(const std::string& Name);
  // The asset the graphic came from, empty for graphics set in code.
  const std::string& AssetName() const { return FAssetName; }

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

 private:
  void Changed() { if (FOnChange) FOnChange(this); }
  std::unique_ptr<TGraphic> FGraphic;
  std::string FAssetName;
  TNotifyEvent FOnChange;
};

}  // namespace vcl
