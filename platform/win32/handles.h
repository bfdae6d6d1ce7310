#pragma once
// Owners for Win32 handles: each handle the programs open is closed by exactly one of these.
#include <windows.h>

#include <utility>

namespace lumiroll {

template <typename Traits>
class Unique {
 public:
  using Type = typename Traits::Type;

  Unique() = default;
  explicit Unique(Type handle) : handle_(handle) {}
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& other) noexcept : handle_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~Unique() { reset(); }

  [[nodiscard]] Type get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  Type release() { return std::exchange(handle_, Traits::Invalid()); }
  void reset(Type handle = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = handle;
  }
  // For out-parameters: closes what is held and lends the slot.
  Type* put() {
    reset();
    return &handle_;
  }

 private:
  Type handle_ = Traits::Invalid();
};

namespace traits {
struct KernelHandle {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::CloseHandle(h); }
};
struct FileHandle {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::CloseHandle(h); }
};
struct FindHandle {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::FindClose(h); }
};
struct RegistryKey {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::RegCloseKey(h); }
};
struct Module {
  using Type = HMODULE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::FreeLibrary(h); }
};
template <typename G>
struct GdiObject {
  using Type = G;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DeleteObject(h); }
};
struct MemoryDc {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DeleteDC(h); }
};
struct Icon {
  using Type = HICON;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DestroyIcon(h); }
};
struct Cursor {
  using Type = HCURSOR;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DestroyCursor(h); }
};
struct EnhMetaFile {
  using Type = HENHMETAFILE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DeleteEnhMetaFile(h); }
};
struct Window {
  using Type = HWND;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DestroyWindow(h); }
};
struct PowerNotify {
  using Type = HPOWERNOTIFY;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::UnregisterPowerSettingNotification(h); }
};
}  // namespace traits

using UniqueHandle = Unique<traits::KernelHandle>;
using UniqueFile = Unique<traits::FileHandle>;
using UniqueFind = Unique<traits::FindHandle>;
using UniqueKey = Unique<traits::RegistryKey>;
using UniqueModule = Unique<traits::Module>;
using UniqueBitmap = Unique<traits::GdiObject<HBITMAP>>;
using UniqueFont = Unique<traits::GdiObject<HFONT>>;
using UniqueBrush = Unique<traits::GdiObject<HBRUSH>>;
using UniqueMemoryDc = Unique<traits::MemoryDc>;
using UniqueIcon = Unique<traits::Icon>;
using UniqueCursor = Unique<traits::Cursor>;
using UniqueEnhMetaFile = Unique<traits::EnhMetaFile>;
using UniqueWindow = Unique<traits::Window>;
using UniquePowerNotify = Unique<traits::PowerNotify>;

// GetDC for the life of a scope.
class ScopedGetDc {
 public:
  explicit ScopedGetDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ScopedGetDc(const ScopedGetDc&) = delete;
  ScopedGetDc& operator=(const ScopedGetDc&) = delete;
  ~ScopedGetDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  [[nodiscard]] HDC get() const { return dc_; }

 private:
  HWND window_;  // not owned
  HDC dc_;
};

// SelectObject for the life of a scope; the previous object is selected back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() { ::SelectObject(dc_, previous_); }

 private:
  HDC dc_;            // not owned
  HGDIOBJ previous_;  // not owned: belonged to the DC before
};

}  // namespace lumiroll
