#include "platform/win32/clipboard.h"

#include <cstring>

#include "platform/win32/handles.h"

namespace lumiroll {
namespace {

struct GlobalMemoryTraits {
  using Type = HGLOBAL;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::GlobalFree(h); }
};
using UniqueGlobalMemory = Unique<GlobalMemoryTraits>;

class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() {
    if (open_) ::CloseClipboard();
  }
  [[nodiscard]] bool open() const { return open_; }

 private:
  bool open_;
};

UniqueGlobalMemory CopyToGlobalMemory(std::wstring_view text) {
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return memory;
  auto* target = static_cast<wchar_t*>(::GlobalLock(memory.get()));
  if (!target) return UniqueGlobalMemory();
  std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
  target[text.size()] = L'\0';
  ::GlobalUnlock(memory.get());
  return memory;
}

}  // namespace

bool PutTextOnClipboard(std::wstring_view text, HWND owner) {
  UniqueGlobalMemory memory = CopyToGlobalMemory(text);
  if (!memory) return false;
  const OpenedClipboard clipboard(owner);
  if (!clipboard.open() || !::EmptyClipboard()) return false;
  if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
  memory.release();  // the clipboard owns it now
  return true;
}

}  // namespace lumiroll
