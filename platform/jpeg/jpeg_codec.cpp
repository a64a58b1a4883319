// libjpeg reports a fatal error by calling error_exit, whose default ends the process. Here
// it jumps back to the caller instead. No C++ object is created between setjmp and the
// calls that may jump, so the jump never skips a destructor.
#include "platform/jpeg/jpeg_codec.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace zorvane {
namespace {

// Larger pictures are refused rather than allocated: the program's own are at most a few
// hundred pixels wide.
constexpr long long kMaxPixels = 64LL * 1024 * 1024;

struct JumpingErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
  auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
  std::longjmp(manager->jump, 1);
}

void Silence(j_common_ptr) {}

// Returns false for a picture that cannot be decoded. `out` is created by the caller so
// that nothing here needs destroying when libjpeg jumps back.
bool DecodeInto(std::span<const std::uint8_t> jpeg, Picture& out) {
  jpeg_decompress_struct info{};
  JumpingErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpOnError;
  errors.base.output_message = Silence;

  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  const long long pixels = static_cast<long long>(info.output_width) * info.output_height;
  if (pixels <= 0 || pixels > kMaxPixels || info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  const std::size_t stride = static_cast<std::size_t>(out.width) * 3;
  out.bgr.resize(stride * static_cast<std::size_t>(out.height));
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out.bgr.data() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> jpeg) {
  if (jpeg.empty()) return std::nullopt;
  Picture picture;
  if (!DecodeInto(jpeg, picture)) return std::nullopt;
  return picture;
}

}  // namespace zorvane
