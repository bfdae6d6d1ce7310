#include "platform/win32/monitor_profile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/icc_profile.h"
#include "platform/win32/handles.h"
#include "platform/win32/whole_file.h"

namespace lumiroll {
namespace {

std::optional<std::wstring> ProfilePathOf(HMONITOR monitor) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (!monitor || !::GetMonitorInfoW(monitor, &info)) return std::nullopt;
  // DeleteDC releases a CreateDC device context as it does a memory one.
  const UniqueMemoryDc dc(::CreateDCW(L"DISPLAY", info.szDevice, nullptr, nullptr));
  std::wstring path(MAX_PATH, L'\0');
  DWORD size = MAX_PATH;
  if (!dc || !::GetICMProfileW(dc.get(), &size, path.data())) return std::nullopt;
  path.resize(path.find(L'\0') == std::wstring::npos ? path.size() : path.find(L'\0'));
  return path;
}

}  // namespace

DisplayProfile ProfileOfMonitorShowing(HWND window) {
  const auto path = ProfilePathOf(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY));
  if (!path) return {};
  return DisplayProfile::FromBytes(ReadWholeFile(*path, kMaxIccProfileBytes).value_or(std::vector<std::uint8_t>{}));
}

}  // namespace lumiroll
