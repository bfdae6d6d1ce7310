// JPEG with libjpeg-turbo: reduced in the DCT domain as far as the draw bound allows, then
// filtered down to the bound while the rows arrive, then turned upright by its EXIF
// orientation (on the few pixels kept, so that costs little).
//
// libjpeg reports errors by calling us, and we leave it with longjmp. So every C++ object lives
// in JpegDecode, owned by the caller's frame, and the frames that longjmp skips hold none.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <optional>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "platform/cubic_reduction.h"
#include "platform/exif_orientation.h"
#include "platform/picture_geometry.h"
#include "platform/win32/jpeg_colour.h"
#include "platform/win32/picture_decoders.h"

namespace lumiroll {
namespace {

// A progressive file may declare thousands of tiny scans to make decoding crawl.
constexpr int kMaxScans = 500;
// libjpeg's own working memory (whole-image buffers of progressive files): enough for a 4:2:0
// progressive photograph at the largest believed pixel count, and a clean failure beyond.
constexpr long long kJpegWorkingMemory = kMaxPicturePixels * 3;
constexpr int kBandRows = 16;

struct ErrorManager {
  jpeg_error_mgr base;  // first member: libjpeg hands back a pointer to it
  std::jmp_buf escape;
};

[[noreturn]] void Escape(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1); }

// Truncation is damage: libjpeg would only warn and fill the rest with grey. Other warnings
// (stray bytes between markers, common in camera files) are tolerated. Nothing is printed.
void EscapeOnTruncation(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) Escape(info);
}
void PrintNothing(j_common_ptr) {}

void LimitScans(j_common_ptr info) {
  if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) Escape(info);
}

struct JpegDecode {
  JpegDecode() {
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = Escape;
    errors.base.emit_message = EscapeOnTruncation;
    errors.base.output_message = PrintNothing;
    progress.progress_monitor = LimitScans;
    jpeg_create_decompress(&info);
    info.progress = &progress;
    info.mem->max_memory_to_use = static_cast<long>(std::min<long long>(kJpegWorkingMemory, LONG_MAX));
  }
  ~JpegDecode() { jpeg_destroy_decompress(&info); }
  JpegDecode(const JpegDecode&) = delete;
  JpegDecode& operator=(const JpegDecode&) = delete;

  jpeg_decompress_struct info{};
  ErrorManager errors{};
  jpeg_progress_mgr progress{};
  int orientation = kUpright;
  PixelSize own;      // upright
  PixelSize reduced;  // the pixels kept, as stored (before turning upright)
  std::vector<std::uint32_t> band;
  std::vector<JSAMPROW> rows;
  std::optional<CubicReducer> reducer;
  std::shared_ptr<const ColourTransform> colour;  // null: untagged, pixels left as decoded
};

int OrientationOf(const jpeg_decompress_struct& info) {
  for (jpeg_saved_marker_ptr m = info.marker_list; m; m = m->next) {
    if (m->marker != JPEG_APP0 + 1) continue;
    const int orientation = ExifOrientation({m->data, m->data_length});
    if (orientation != kUpright) return orientation;
  }
  return kUpright;
}

PixelSize Swapped(PixelSize size) { return {size.height, size.width}; }

// Four-colour files (from print work) come out as CMYK, usually stored inverted by Adobe's tools.
void CmykToRgb(std::uint32_t* pixels, std::size_t count, bool inverted) {
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t c = pixels[i] & 0xFF, m = pixels[i] >> 8 & 0xFF, y = pixels[i] >> 16 & 0xFF, k = pixels[i] >> 24;
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    pixels[i] = (c * k + 127) / 255 << 16 | (m * k + 127) / 255 << 8 | (y * k + 127) / 255;
  }
}

// Sets up the scaled decompression; false for an absurd declared size.
bool PrepareScaledOutput(JpegDecode& d, DrawBound bound) {
  jpeg_decompress_struct& info = d.info;
  if (!DeclaredSizeAcceptable(info.image_width, info.image_height)) return false;
  d.orientation = OrientationOf(info);
  const PixelSize stored{static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
  const bool swaps = OrientationSwapsSides(d.orientation);
  d.own = swaps ? Swapped(stored) : stored;
  const PixelSize kept = KeptSize(d.own, bound);
  info.scale_num = static_cast<unsigned>(ScaledDecodeEighths(stored, swaps ? Swapped(kept) : kept));
  info.scale_denom = 8;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  // Upsampling the colour planes together with the colour conversion (one SIMD pass) instead of
  // smoothing them first: the reduction that follows averages far more than that smoothing.
  info.do_fancy_upsampling = FALSE;
  return true;
}

// Runs libjpeg; false when it gave up on the data.
bool RunDecoder(JpegDecode& d, std::span<const std::uint8_t> bytes, DrawBound bound) {
  jpeg_decompress_struct& info = d.info;
  if (setjmp(d.errors.escape)) return false;
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
  SaveColourMarkers(info);
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (!PrepareScaledOutput(d, bound)) return false;
  d.colour = JpegColourTransform(info);
  jpeg_start_decompress(&info);

  const PixelSize decoded{static_cast<int>(info.output_width), static_cast<int>(info.output_height)};
  const bool swaps = OrientationSwapsSides(d.orientation);
  const PixelSize kept = swaps ? Swapped(KeptSize(d.own, bound)) : KeptSize(d.own, bound);
  d.reduced = {std::min(kept.width, decoded.width), std::min(kept.height, decoded.height)};
  d.reducer.emplace(decoded, d.reduced);
  d.band.resize(static_cast<std::size_t>(decoded.width) * kBandRows);
  for (int r = 0; r < kBandRows; ++r)
    d.rows.push_back(reinterpret_cast<JSAMPROW>(d.band.data() + static_cast<std::size_t>(r) * decoded.width));

  const bool cmyk = info.out_color_space == JCS_CMYK;
  while (info.output_scanline < info.output_height) {
    const JDIMENSION got = jpeg_read_scanlines(&info, d.rows.data(), kBandRows);
    if (got == 0) return false;
    // Four colours become three before the reduction, which carries three.
    const std::span<std::uint32_t> arrived(d.band.data(), static_cast<std::size_t>(decoded.width) * got);
    if (cmyk && d.colour) d.colour->Apply(arrived);
    else if (cmyk) CmykToRgb(arrived.data(), arrived.size(), info.saw_Adobe_marker);
    for (JDIMENSION r = 0; r < got; ++r) d.reducer->AddRow(d.band.data() + static_cast<std::size_t>(r) * decoded.width);
  }
  return true;
}

}  // namespace

std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> bytes, DrawBound bound) {
  JpegDecode d;
  if (!RunDecoder(d, bytes, bound)) return std::nullopt;
  std::vector<std::uint32_t> stored = d.reducer->TakePixels();
  // Three-colour pictures are converted after the reduction: its cost then follows the screen,
  // not the (up to four times larger) scaled decode, and the reduction filters encoded values
  // as it does for every untagged picture.
  if (d.colour && d.info.out_color_space != JCS_CMYK) d.colour->Apply(stored);
  const bool swaps = OrientationSwapsSides(d.orientation);
  Picture picture;
  picture.width = d.own.width;
  picture.height = d.own.height;
  picture.pixelWidth = swaps ? d.reduced.height : d.reduced.width;
  picture.pixelHeight = swaps ? d.reduced.width : d.reduced.height;
  picture.pixels = d.orientation == kUpright ? std::move(stored)
                                             : OrientPixels(stored, d.reduced.width, d.reduced.height, d.orientation);
  return picture;
}

}  // namespace lumiroll
