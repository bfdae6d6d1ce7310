#include "platform/display_profile.h"

#include <algorithm>
#include <utility>

#include "platform/colour_transform.h"

namespace lumiroll {
namespace {

// FNV-1a: quick, and good enough to tell a few monitors' profiles apart.
std::uint64_t HashOf(std::span<const std::uint8_t> bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const std::uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ULL;
  return hash;
}

}  // namespace

DisplayProfile DisplayProfile::FromBytes(std::vector<std::uint8_t> bytes) {
  DisplayProfile profile;
  if (bytes.empty() || !UsableAsDisplayProfile(bytes)) return profile;
  profile.hash_ = HashOf(bytes);
  profile.bytes_ = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
  return profile;
}

bool operator==(const DisplayProfile& a, const DisplayProfile& b) {
  if (a.bytes_ == b.bytes_) return true;
  if (!a.bytes_ || !b.bytes_ || a.hash_ != b.hash_) return false;
  return std::ranges::equal(*a.bytes_, *b.bytes_);
}

}  // namespace lumiroll
