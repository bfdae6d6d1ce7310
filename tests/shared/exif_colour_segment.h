#pragma once
// APP1 EXIF segments declaring a colour space as cameras write it: IFD0 pointing to the Exif
// IFD (ColorSpace, then a pointer to the Interop IFD holding the interoperability index).
// Shared by the native tests and the loader tests under Wine.
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace lumiroll::test {

struct ExifColourFields {
  std::uint16_t colorSpace = 0xFFFF;
  std::string_view interopIndex = "R03";  // written with its terminating zero; empty: no Interop IFD
  bool bigEndian = false;
};

[[nodiscard]] inline std::vector<std::uint8_t> ExifColourSegment(const ExifColourFields& fields) {
  std::vector<std::uint8_t> out = {'E', 'x', 'i', 'f', 0, 0};
  const auto u16 = [&](unsigned v) {
    if (fields.bigEndian) out.insert(out.end(), {std::uint8_t(v >> 8), std::uint8_t(v)});
    else out.insert(out.end(), {std::uint8_t(v), std::uint8_t(v >> 8)});
  };
  const auto u32 = [&](unsigned v) {
    if (fields.bigEndian) u16(v >> 16), u16(v & 0xFFFF);
    else u16(v & 0xFFFF), u16(v >> 16);
  };
  const auto entry = [&](unsigned tag, unsigned type, unsigned count) { u16(tag), u16(type), u32(count); };
  const bool interop = !fields.interopIndex.empty();
  // Offsets from the TIFF header: IFD0 at 8 (one entry, 18 bytes), the Exif IFD at 26.
  constexpr unsigned kExifIfd = 26;
  const unsigned exifEntries = interop ? 3 : 2, interopIfd = kExifIfd + 2 + 12 * exifEntries + 4;
  out.insert(out.end(), fields.bigEndian ? std::initializer_list<std::uint8_t>{'M', 'M'}
                                         : std::initializer_list<std::uint8_t>{'I', 'I'});
  u16(42), u32(8);
  u16(1), entry(0x8769, 4, 1), u32(kExifIfd), u32(0);
  // The Exif IFD, with an unrelated tag first so a reader must look past it.
  u16(exifEntries);
  entry(0x9000, 7, 4), out.insert(out.end(), {'0', '2', '3', '0'});  // ExifVersion
  entry(0xA001, 3, 1), u16(fields.colorSpace), u16(0);
  if (interop) entry(0xA005, 4, 1), u32(interopIfd);
  u32(0);
  if (interop) {
    std::vector<std::uint8_t> text(fields.interopIndex.begin(), fields.interopIndex.end());
    text.resize(4, 0);  // held inside the entry
    u16(1), entry(0x0001, 2, static_cast<unsigned>(fields.interopIndex.size() + 1));
    out.insert(out.end(), text.begin(), text.end());
    u32(0);
  }
  return out;
}

}  // namespace lumiroll::test
