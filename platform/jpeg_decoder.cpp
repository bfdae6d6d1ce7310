// JPEG with libjpeg-turbo: only the part of the picture the draw bound can show is decoded
// (cropped columns, skipped rows), reduced in the DCT domain as far as the bound allows, filtered
// down to the bound while the rows arrive, then turned upright by its EXIF orientation (on the
// few pixels kept, so that costs little).
//
// A file whose entropy-coded data ends before its last row is damaged, whatever its coding: libjpeg
// would fill the rest with grey, and a few bytes declaring a huge picture would cost seconds. (For
// arithmetic coding, where a flat tail may rightly end the data early, see below.)
//
// libjpeg reports errors by calling us, and we leave it with longjmp. So every C++ object lives
// in JpegDecode, owned by the caller's frame, and the frames that longjmp skips hold none.
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
#include "platform/jpeg_colour.h"
#include "platform/jpeg_decoder.h"
#include "platform/picture_geometry.h"
#include "platform/picture_region.h"

namespace lumiroll {
namespace {

// A progressive file may declare thousands of tiny scans to make decoding crawl.
constexpr int kMaxScans = 500;
// libjpeg's own working memory (whole-image buffers of progressive files), a second line behind
// the declared-size check: enough for a 4:2:0 progressive photograph at the largest believed pixel
// count, and a clean failure beyond.
constexpr long long kJpegWorkingMemory = kMaxPicturePixels * 3;
constexpr int kBandRows = 16;

struct ErrorManager {
  jpeg_error_mgr base;  // first member: libjpeg hands back a pointer to it
  std::jmp_buf escape;
};

[[noreturn]] void Escape(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1); }

// The warnings that mean the entropy-coded data ran out or went wrong: libjpeg would only warn
// and fill the rest with grey. Other warnings (stray bytes between markers, common in camera
// files) are tolerated. Nothing is printed.
void EscapeOnDamage(j_common_ptr info, int level) {
  if (level >= 0) return;
  switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:    // the file ends inside the data
    case JWRN_HIT_MARKER:  // a marker where the data needed more bits
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:  // a restart marker missing or out of order
      Escape(info);
    default: break;
  }
}
void PrintNothing(j_common_ptr) {}

bool IsRestartMarker(int marker) { return marker >= JPEG_RST0 && marker <= JPEG_RST0 + 7; }

// Arithmetic-coded data that meets a marker is fed zeros without a warning, as the standard lets
// an encoder drop its final zero bytes: a flat tail (an even sky, a black band) legitimately ends
// the data early. To the decoder such a file and a few real bytes under a huge declared size look
// alike; what differs is the work, as zeros for a few flat rows cost nothing and zeros for 500
// megapixels cost seconds. So the data has ended early when the first scan (which codes every
// block; later progressive scans may rightly end early) meets a marker other than a restart with
// rows holding more than this many pixels still to come.
constexpr std::int64_t kMostPixelsWithoutData = std::min<std::int64_t>(16'000'000, kMaxPicturePixels / 8);

bool ArithmeticDataEndedEarly(const jpeg_decompress_struct& info) {
  if (!info.arith_code || info.input_scan_number != 1 || info.unread_marker == 0 || IsRestartMarker(info.unread_marker))
    return false;
  const std::int64_t rowsLeft =
      (std::int64_t{info.total_iMCU_rows} - info.input_iMCU_row) * info.max_v_samp_factor * DCTSIZE;
  return rowsLeft * info.image_width > kMostPixelsWithoutData;
}

// Called as each row of blocks is absorbed or each band is read.
void WatchProgress(j_common_ptr common) {
  if (!common->is_decompressor) return;
  const auto& info = *reinterpret_cast<j_decompress_ptr>(common);
  if (info.input_scan_number > kMaxScans || ArithmeticDataEndedEarly(info)) Escape(common);
}

struct JpegDecode {
  JpegDecode() {
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = Escape;
    errors.base.emit_message = EscapeOnDamage;
    errors.base.output_message = PrintNothing;
    progress.progress_monitor = WatchProgress;
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
  PixelSize own;    // upright
  StoredPlan plan;  // what is read of the stored picture, and the upright part kept
  // The plan's stored region in decoded (scaled) pixels: the columns [left, left + width) of each
  // row libjpeg hands back once cropped, and the rows [top, top + height).
  PictureRegion decoded;
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

// Sets up the scaled decompression of the planned part; false for an absurd declared size.
bool PrepareScaledOutput(JpegDecode& d, DrawBound bound) {
  jpeg_decompress_struct& info = d.info;
  if (!DeclaredSizeAcceptable(info.image_width, info.image_height)) return false;
  d.orientation = OrientationOf(info);
  const PixelSize stored{static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
  const bool swaps = OrientationSwapsSides(d.orientation);
  d.own = swaps ? Swapped(stored) : stored;
  d.plan = PlanStoredPart(stored, d.orientation, bound);
  const PixelSize kept = swaps ? Swapped(d.plan.upright.pixels) : d.plan.upright.pixels;
  info.scale_num = static_cast<unsigned>(ScaledDecodeEighths({d.plan.stored.width, d.plan.stored.height}, kept));
  info.scale_denom = 8;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  // Upsampling the colour planes together with the colour conversion (one SIMD pass) instead of
  // smoothing them first: the reduction that follows averages far more than that smoothing.
  info.do_fancy_upsampling = FALSE;
  return true;
}

// The stored region in output pixels. Its edges lie on whole blocks, so they scale exactly; an
// edge at the picture's border becomes libjpeg's own rounded-up output side.
PictureRegion ScaledRegion(PictureRegion stored, const jpeg_decompress_struct& info) {
  const auto scaled = [&](int edge, JDIMENSION side) {
    return static_cast<int>(std::min<std::int64_t>(ScaledSide(edge, static_cast<int>(info.scale_num)), side));
  };
  const int left = scaled(stored.left, info.output_width), top = scaled(stored.top, info.output_height);
  return {left, top, scaled(stored.left + stored.width, info.output_width) - left,
          scaled(stored.top + stored.height, info.output_height) - top};
}

// Narrows libjpeg's output rows to the region's columns (widened by libjpeg to whole blocks) and
// skips the rows above it, a row of blocks at a time so that data ending early is found early.
// Leaves d.decoded.left as the region's first column within the cropped rows.
void CropToRegion(JpegDecode& d) {
  jpeg_decompress_struct& info = d.info;
  if (d.decoded.width < static_cast<int>(info.output_width)) {
    JDIMENSION left = static_cast<JDIMENSION>(d.decoded.left), width = static_cast<JDIMENSION>(d.decoded.width);
    jpeg_crop_scanline(&info, &left, &width);
    d.decoded.left -= static_cast<int>(left);
  } else {
    d.decoded.left = 0;
  }
  const auto rowsPerStep = static_cast<JDIMENSION>(std::max(1, info.max_v_samp_factor * info.min_DCT_scaled_size));
  while (info.output_scanline < static_cast<JDIMENSION>(d.decoded.top)) {
    const JDIMENSION step = std::min(rowsPerStep, static_cast<JDIMENSION>(d.decoded.top) - info.output_scanline);
    if (jpeg_skip_scanlines(&info, step) != step) Escape(reinterpret_cast<j_common_ptr>(&info));
    WatchProgress(reinterpret_cast<j_common_ptr>(&info));
  }
}

// The one place decoded rows pass on their way to the kept pixels.
void KeepBand(JpegDecode& d, JDIMENSION rows) {
  const std::size_t stride = d.info.output_width;
  // Four colours become three before the reduction, which carries three.
  const std::span<std::uint32_t> arrived(d.band.data(), stride * rows);
  if (d.info.out_color_space == JCS_CMYK && d.colour) d.colour->Apply(arrived);
  else if (d.info.out_color_space == JCS_CMYK) CmykToRgb(arrived.data(), arrived.size(), d.info.saw_Adobe_marker);
  for (JDIMENSION r = 0; r < rows; ++r) d.reducer->AddRow(d.band.data() + r * stride + d.decoded.left);
}

// Runs libjpeg; false when it gave up on the data.
bool RunDecoder(JpegDecode& d, std::span<const std::uint8_t> bytes, DrawBound bound, const DisplayProfile& display) {
  jpeg_decompress_struct& info = d.info;
  if (setjmp(d.errors.escape)) return false;
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
  SaveColourMarkers(info);
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (!PrepareScaledOutput(d, bound)) return false;
  d.colour = JpegColourTransform(info, display);
  jpeg_start_decompress(&info);

  d.decoded = ScaledRegion(d.plan.stored, info);
  const bool swaps = OrientationSwapsSides(d.orientation);
  const PixelSize kept = swaps ? Swapped(d.plan.upright.pixels) : d.plan.upright.pixels;
  const PixelSize decoded{d.decoded.width, d.decoded.height};
  d.reduced = {std::min(kept.width, decoded.width), std::min(kept.height, decoded.height)};
  d.reducer.emplace(decoded, d.reduced);
  CropToRegion(d);
  d.band.resize(static_cast<std::size_t>(info.output_width) * kBandRows);
  for (int r = 0; r < kBandRows; ++r)
    d.rows.push_back(reinterpret_cast<JSAMPROW>(d.band.data() + static_cast<std::size_t>(r) * info.output_width));

  const auto end = static_cast<JDIMENSION>(d.decoded.top + d.decoded.height);
  while (info.output_scanline < end) {
    const JDIMENSION got =
        jpeg_read_scanlines(&info, d.rows.data(), std::min<JDIMENSION>(kBandRows, end - info.output_scanline));
    if (got == 0) return false;
    WatchProgress(reinterpret_cast<j_common_ptr>(&info));
    KeepBand(d, got);
  }
  return true;
}

}  // namespace

std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> bytes, DrawBound bound, const DisplayProfile& display) {
  JpegDecode d;
  if (!RunDecoder(d, bytes, bound, display)) return std::nullopt;
  const PixelSize reduced = d.reduced;
  std::vector<std::uint32_t> stored = d.reducer->TakePixels();
  // Three-colour pictures are converted after the reduction: its cost then follows the screen,
  // not the (up to four times larger) scaled decode, and the reduction filters encoded values
  // as it does for every untagged picture.
  if (d.colour && d.info.out_color_space != JCS_CMYK) d.colour->Apply(stored);
  const bool swaps = OrientationSwapsSides(d.orientation);
  Picture picture;
  picture.width = d.own.width;
  picture.height = d.own.height;
  picture.pixelWidth = swaps ? reduced.height : reduced.width;
  picture.pixelHeight = swaps ? reduced.width : reduced.height;
  picture.pixels = d.orientation == kUpright ? std::move(stored)
                                             : OrientPixels(stored, reduced.width, reduced.height, d.orientation);
  picture.region = d.plan.upright.region;
  return picture;
}

}  // namespace lumiroll
