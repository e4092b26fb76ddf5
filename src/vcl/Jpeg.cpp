// JPEG decoding and encoding through libjpeg. libjpeg reports fatal errors through
// error_exit, which must not return and must not throw through libjpeg's C frames: the
// handler long-jumps back into the wrapper, which throws once libjpeg's frames are gone.
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "vcl/Graphics.h"

namespace vcl {

namespace {

constexpr unsigned long long kMaxJpegPixels = 16ull * 1024 * 1024;

struct ErrorManager {
  jpeg_error_mgr Public;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void OnFatalError(j_common_ptr Info) {
  auto* err = reinterpret_cast<ErrorManager*>(Info->err);
  (*Info->err->format_message)(Info, err->Message);
  std::longjmp(err->Jump, 1);
}

void OnMessage(j_common_ptr) {}  // warnings are not printed

}  // namespace

void TJPEGImage::LoadFromBytes(const unsigned char* Data, std::size_t Size) {
  jpeg_decompress_struct info;
  ErrorManager err;
  info.err = jpeg_std_error(&err.Public);
  err.Public.error_exit = OnFatalError;
  err.Public.output_message = OnMessage;
  std::strcpy(err.Message, "unknown error");
  TBitmap decoded;
  bool progressive = false;
  // Nothing with a destructor may be created between setjmp and the end of libjpeg's use.
  if (setjmp(err.Jump)) {
    jpeg_destroy_decompress(&info);
    throw EInvalidGraphic(std::string("JPEG error: ") + err.Message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, Data, static_cast<unsigned long>(Size));
  jpeg_read_header(&info, TRUE);
  // A header may claim any size up to 65535 x 65535: refuse what no picture of this program
  // needs instead of allocating gigabytes for it.
  if (static_cast<unsigned long long>(info.image_width) * info.image_height > kMaxJpegPixels) {
    jpeg_destroy_decompress(&info);
    throw EInvalidGraphic("JPEG error: the picture is too large (" + std::to_string(info.image_width) + " x " +
                          std::to_string(info.image_height) + ")");
  }
  info.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&info);
  progressive = info.progressive_mode != 0;
  decoded.SetSize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = decoded.ScanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  // A truncated file decodes with a warning and grey rows; refuse it as corrupt.
  const bool truncated = err.Public.num_warnings > 0;
  jpeg_destroy_decompress(&info);
  if (truncated) throw EInvalidGraphic("JPEG error: the data is incomplete or damaged");
  FBitmap = std::move(decoded);
  FProgressive = progressive;
}

std::vector<unsigned char> EncodeJPEG(const TBitmap& Bitmap, int Quality, bool Progressive) {
  jpeg_compress_struct info;
  ErrorManager err;
  info.err = jpeg_std_error(&err.Public);
  err.Public.error_exit = OnFatalError;
  err.Public.output_message = OnMessage;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(err.Jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    throw EInvalidGraphic(std::string("JPEG error: ") + err.Message);
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(Bitmap.Width());
  info.image_height = static_cast<JDIMENSION>(Bitmap.Height());
  info.input_components = 4;
  info.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, Quality, TRUE);
  if (Progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(Bitmap.ScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<unsigned char> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

}  // namespace vcl
