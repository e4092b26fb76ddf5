// Compares every pixel of a bitmap with a predicate; on failure the actual picture is
// written next to the test output (NAME.actual.ppm, bad pixels listed in the message).
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <sstream>
#include <string>

#include "vcl/Graphics.h"

namespace pixelcheck {

inline void WritePpm(const vcl::TBitmap& B, const std::string& Path) {
  if (FILE* f = std::fopen(Path.c_str(), "wb")) {
    std::fprintf(f, "P6\n%d %d\n255\n", B.Width(), B.Height());
    for (int y = 0; y < B.Height(); ++y)
      for (int x = 0; x < B.Width(); ++x) {
        const vcl::TColor c = vcl::PixelToColor(B.Bits()[y * B.Width() + x]);
        const unsigned char rgb[3] = {static_cast<unsigned char>(vcl::GetRValue(c)),
                                      static_cast<unsigned char>(vcl::GetGValue(c)),
                                      static_cast<unsigned char>(vcl::GetBValue(c))};
        std::fwrite(rgb, 1, 3, f);
      }
    std::fclose(f);
  }
}

// Expected(x, y) gives the colour pixel (x, y) must have, or nothing where any colour will
// do (text pixels).
inline ::testing::AssertionResult MatchesWhereDefined(
    const vcl::TBitmap& B, const std::function<std::optional<vcl::TColor>(int, int)>& Expected, const std::string& Name) {
  int bad = 0;
  std::ostringstream first;
  for (int y = 0; y < B.Height(); ++y)
    for (int x = 0; x < B.Width(); ++x) {
      const std::optional<vcl::TColor> expected = Expected(x, y);
      if (!expected) continue;
      const vcl::TColor want = vcl::ColorToRGB(*expected);
      const vcl::TColor got = vcl::PixelToColor(B.Bits()[y * B.Width() + x]);
      if (want != got && bad++ < 8)
        first << " (" << x << "," << y << ") got $" << std::hex << got << " want $" << want << std::dec;
    }
  if (bad == 0) return ::testing::AssertionSuccess();
  WritePpm(B, Name + ".actual.ppm");
  return ::testing::AssertionFailure() << bad << " wrong pixels in " << Name << ":" << first.str();
}

inline ::testing::AssertionResult Matches(const vcl::TBitmap& B, const std::function<vcl::TColor(int, int)>& Expected,
                                          const std::string& Name) {
  return MatchesWhereDefined(B, [&](int x, int y) { return std::optional<vcl::TColor>(Expected(x, y)); }, Name);
}

}  // namespace pixelcheck
