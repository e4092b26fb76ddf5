// Points and half-open rectangles.
#pragma once

#include <algorithm>

namespace vcl {

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Covers columns Left..Right-1 and rows Top..Bottom-1.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  TRect Offset(int DX, int DY) const { return {Left + DX, Top + DY, Right + DX, Bottom + DY}; }
  TRect Intersect(const TRect& O) const {
    TRect r{std::max(Left, O.Left), std::max(Top, O.Top), std::min(Right, O.Right),
            std::min(Bottom, O.Bottom)};
    if (r.IsEmpty()) return {};
    return r;
  }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int Left, int Top, int Right, int Bottom) { return {Left, Top, Right, Bottom}; }
inline TRect Bounds(int Left, int Top, int Width, int Height) {
  return {Left, Top, Left + Width, Top + Height};
}
inline TPoint Point(int X, int Y) { return {X, Y}; }

// True when P lies in R; the right and bottom edges are outside.
inline bool PtInRect(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

}  // namespace vcl
