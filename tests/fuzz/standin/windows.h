#pragma once
// The one Windows type the JPEG decoder's declarations use, so that it builds natively for fuzzing.
#include <cstdint>

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};
