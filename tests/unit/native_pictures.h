#pragma once
// Pictures for the native tests of the decoders: files of tests/win/data, and JPEGs of a colour
// function.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/shared/jpeg_writer.h"

namespace lumiroll::test {

// The bytes of a file of tests/win/data; empty when it cannot be read.
[[nodiscard]] Bytes DataFileBytes(const std::string& name);

// A baseline JPEG of width x height whose pixel (x, y) is colour(x, y), 0x00RRGGBB.
[[nodiscard]] Bytes EncodeJpeg(int width, int height, const std::function<std::uint32_t(int x, int y)>& colour);

}  // namespace lumiroll::test
