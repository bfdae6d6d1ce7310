#include "saver/win32/thank_you.h"

#include <windows.h>

#include <cstdint>
#include <span>

#include "saver/resource_ids.h"

namespace lumiroll {
namespace {

// The bytes of an RCDATA resource of the program; empty when it is missing. Resources are part
// of the loaded module: nothing to free.
std::span<const std::uint8_t> ResourceBytes(int id) {
  HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_RCDATA);
  if (!found) return {};
  HGLOBAL loaded = ::LoadResource(nullptr, found);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const std::uint8_t*>(bytes), ::SizeofResource(nullptr, found)};
}

}  // namespace

const PictureBox& Form4::Picture1() {
  static const PictureBox box = [] {
    PictureBox loaded;
    loaded.LoadPicture(ResourceBytes(IDR_THANK_YOU_JPEG));
    return loaded;
  }();
  return box;
}

}  // namespace lumiroll
