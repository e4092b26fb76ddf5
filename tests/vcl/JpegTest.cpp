#include <gtest/gtest.h>

#include <cstdlib>

#include "vcl/Graphics.h"

using namespace vcl;

void RegisterAssets_vcl_tests();

namespace {

// Left half red, right half blue: flat areas survive JPEG compression closely.
TBitmap TwoColours(int W, int H) {
  TBitmap b(W, H);
  b.Canvas()->Brush()->SetColor(clRed);
  b.Canvas()->FillRect({0, 0, W / 2, H});
  b.Canvas()->Brush()->SetColor(clBlue);
  b.Canvas()->FillRect({W / 2, 0, W, H});
  return b;
}

bool Near(TColor A, TColor B, int Tolerance) {
  return std::abs(GetRValue(A) - GetRValue(B)) <= Tolerance && std::abs(GetGValue(A) - GetGValue(B)) <= Tolerance &&
         std::abs(GetBValue(A) - GetBValue(B)) <= Tolerance;
}

class JpegRoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(JpegRoundTrip, DecodesSizeModeAndColours) {
  const bool progressive = GetParam();
  const std::vector<unsigned char> data = EncodeJPEG(TwoColours(600, 313), 95, progressive);
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(data.data(), data.size());
  EXPECT_EQ(jpeg.Width(), 600);
  EXPECT_EQ(jpeg.Height(), 313);
  EXPECT_EQ(jpeg.ProgressiveEncoding(), progressive);
  TBitmap pixels = *jpeg.Pixels();
  EXPECT_TRUE(Near(pixels.Canvas()->Pixel(100, 150), clRed, 8));
  EXPECT_TRUE(Near(pixels.Canvas()->Pixel(500, 150), clBlue, 8));
}

INSTANTIATE_TEST_SUITE_P(Jpeg, JpegRoundTrip, ::testing::Values(false, true),
                         [](const auto& Info) { return Info.param ? "Progressive" : "Baseline"; });

TEST(Jpeg, CorruptDataRaisesAClearErrorAndKeepsThePreviousPicture) {
  const std::vector<unsigned char> good = EncodeJPEG(TwoColours(16, 8), 90, false);
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(good.data(), good.size());

  const std::vector<std::vector<unsigned char>> bad = {
      {},                                                    // nothing at all
      {'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'},              // no JPEG marker
      std::vector<unsigned char>(good.begin(), good.begin() + static_cast<long>(good.size() / 2)),  // truncated
  };
  for (const auto& data : bad) {
    EXPECT_THROW(jpeg.LoadFromBytes(data.data(), data.size()), EInvalidGraphic) << data.size();
    EXPECT_EQ(jpeg.Width(), 16);
    EXPECT_EQ(jpeg.Height(), 8);
  }
}

TEST(Jpeg, AHeaderClaimingAHugePictureIsRefusedBeforeAnythingIsAllocated) {
  std::vector<unsigned char> data = EncodeJPEG(TwoColours(16, 8), 90, false);
  // The frame header (marker FF C0): length (2 bytes), precision, then height and width.
  for (std::size_t i = 0; i + 8 < data.size(); ++i)
    if (data[i] == 0xFF && data[i + 1] == 0xC0) {
      data[i + 5] = data[i + 7] = 0xFF;  // 65280 x 65280, within what libjpeg accepts
      data[i + 6] = data[i + 8] = 0x00;
      break;
    }
  TJPEGImage jpeg;
  try {
    jpeg.LoadFromBytes(data.data(), data.size());
    ADD_FAILURE() << "no error";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message().find("too large (65280 x 65280)"), std::string::npos) << e.Message();
  }
}

TEST(Picture, LoadsAssetsAndReportsMissingOrBrokenOnesWithoutChange) {
  RegisterAssets_vcl_tests();
  TPicture picture;
  int changes = 0;
  picture.SetOnChange(TNotifyEvent([&](TObject*) { ++changes; }));
  EXPECT_THROW(picture.LoadFromAsset("NoSuch.jpg"), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromAsset("Broken.jpg"), EInvalidGraphic);
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(changes, 0);

  auto bitmap = std::make_unique<TBitmap>(3, 2);
  picture.SetGraphic(std::move(bitmap));
  TPicture copy;
  copy.Assign(&picture);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Height(), 2);
  EXPECT_NE(copy.Graphic(), picture.Graphic());
  EXPECT_EQ(changes, 1);
}

}  // namespace
