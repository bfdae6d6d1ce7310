#pragma once
// Embedded ICC colour profiles: putting together the pieces a JPEG carries in its APP2 segments,
// and a first look at the profile's header. Anything damaged or absurd yields nothing, so the
// picture is shown as an untagged one. No Windows here, so the native tests reach it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/byte_reader.h"

namespace lumiroll {

// Real profiles, even large lookup-table ones, stay far below this.
inline constexpr std::size_t kMaxIccProfileBytes = std::size_t{4} << 20;
inline constexpr std::size_t kIccHeaderBytes = 128;

// Each APP2 piece: "ICC_PROFILE\0", its number (from 1) and the number of pieces, then its bytes.
// segments holds the data of every APP2 segment in file order; other APP2 uses are skipped.
[[nodiscard]] inline std::optional<std::vector<std::uint8_t>> AssembleIccProfile(
    std::span<const std::span<const std::uint8_t>> segments) {
  constexpr std::uint8_t kIccId[] = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0};
  constexpr std::size_t kPieceHeader = sizeof kIccId + 2;
  std::vector<std::span<const std::uint8_t>> pieces;
  std::size_t total = 0;
  for (const auto& segment : segments) {
    if (segment.size() < kPieceHeader || !std::equal(kIccId, kIccId + sizeof kIccId, segment.begin())) continue;
    const std::size_t number = segment[12], count = segment[13];
    if (count == 0 || number == 0 || number > count) return std::nullopt;
    if (pieces.empty()) pieces.resize(count);
    if (pieces.size() != count || !pieces[number - 1].empty()) return std::nullopt;  // disagreeing or twice
    pieces[number - 1] = segment.subspan(kPieceHeader);
    total += pieces[number - 1].size();
    if (pieces[number - 1].empty() || total > kMaxIccProfileBytes) return std::nullopt;
  }
  if (pieces.empty()) return std::nullopt;
  std::vector<std::uint8_t> profile;
  profile.reserve(total);
  for (const auto& piece : pieces) {
    if (piece.empty()) return std::nullopt;  // a piece is missing
    profile.insert(profile.end(), piece.begin(), piece.end());
  }
  return profile;
}

enum class IccColourSpace { kRgb, kGrey, kCmyk, kOther };

// The colour space a profile's header declares; nothing when the bytes cannot be a profile
// (too short, too long, no "acsp" signature, or declaring more bytes than there are).
[[nodiscard]] inline std::optional<IccColourSpace> IccProfileColourSpace(std::span<const std::uint8_t> profile) {
  if (profile.size() < kIccHeaderBytes || profile.size() > kMaxIccProfileBytes) return std::nullopt;
  const ByteReader header(profile, ByteOrder::kBigEndian);
  const auto u32 = [&](std::size_t at) { return header.At<std::uint32_t>(at); };
  constexpr auto tag = [](char a, char b, char c, char d) {
    return std::uint32_t(std::uint8_t(a)) << 24 | std::uint32_t(std::uint8_t(b)) << 16 |
           std::uint32_t(std::uint8_t(c)) << 8 | std::uint8_t(d);
  };
  const std::uint32_t declared = u32(0);
  if (declared < kIccHeaderBytes || declared > profile.size() || u32(36) != tag('a', 'c', 's', 'p'))
    return std::nullopt;
  switch (u32(16)) {
    case tag('R', 'G', 'B', ' '): return IccColourSpace::kRgb;
    case tag('G', 'R', 'A', 'Y'): return IccColourSpace::kGrey;
    case tag('C', 'M', 'Y', 'K'): return IccColourSpace::kCmyk;
    default: return IccColourSpace::kOther;
  }
}

}  // namespace lumiroll
