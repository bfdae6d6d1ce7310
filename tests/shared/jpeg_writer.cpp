#include "tests/shared/jpeg_writer.h"

#include <cstdio>  // jpeglib.h needs FILE
#include <cstdlib>

#include <jpeglib.h>

namespace lumiroll::test {

Bytes EncodeJpegWith(int width, int height, const PixelFunction& pixel, const JpegCoding& coding) {
  jpeg_compress_struct c{};
  jpeg_error_mgr errors{};
  c.err = jpeg_std_error(&errors);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = static_cast<JDIMENSION>(width);
  c.image_height = static_cast<JDIMENSION>(height);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, coding.quality, TRUE);
  if (coding.greyscale) jpeg_set_colorspace(&c, JCS_GRAYSCALE);
  if (coding.progressive) jpeg_simple_progression(&c);
  c.arith_code = coding.arithmetic ? TRUE : FALSE;
  c.restart_in_rows = coding.restartRows;
  jpeg_start_compress(&c, TRUE);
  if (!coding.app1.empty())
    jpeg_write_marker(&c, JPEG_APP0 + 1, coding.app1.data(), static_cast<unsigned>(coding.app1.size()));
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < width; ++x) {
      const Rgb p = pixel(x, static_cast<int>(c.next_scanline));
      row[x * 3] = static_cast<JSAMPLE>(p.r), row[x * 3 + 1] = static_cast<JSAMPLE>(p.g),
              row[x * 3 + 2] = static_cast<JSAMPLE>(p.b);
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  Bytes jpeg(buffer, buffer + size);
  jpeg_destroy_compress(&c);
  std::free(buffer);
  return jpeg;
}

}  // namespace lumiroll::test
