#include "stalling_folder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "driver.h"

namespace lumiroll::e2e {
namespace {

constexpr int kMirrorLifetimeSeconds = 600;  // a mirror whose test died unmounts itself then

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string Utf8(std::wstring_view text) {
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

// A Linux path as Wine's Z: drive shows it.
std::wstring OnDriveZ(const std::string& unixPath) {
  std::wstring path = L"Z:" + Wide(unixPath);
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

std::string UnixPath(const std::wstring& onDriveZ) {
  std::string path = Utf8(onDriveZ.substr(2));
  for (auto& c : path)
    if (c == '\\') c = '/';
  return path;
}

// Wine runs a Linux program given by its Z: path, though it hands back no handle to wait on.
bool StartLinuxProgram(const std::wstring& program, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
    return false;
  if (info.hThread) ::CloseHandle(info.hThread);
  if (info.hProcess) ::CloseHandle(info.hProcess);
  return true;
}

std::string ReadText(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A new folder of its own under /tmp, where the mirror, its source and its control files live.
std::string FreshUnixFolder(std::wstring_view name) {
  static unsigned counter = 0;
  for (;;) {
    const std::string folder = "/tmp/lumiroll-mirror-" + Utf8(name) + "-" + std::to_string(::GetCurrentProcessId()) +
                               "-" + std::to_string(++counter);
    if (::CreateDirectoryW(OnDriveZ(folder).c_str(), nullptr)) return folder;
  }
}

}  // namespace

StallingFolder::StallingFolder(std::wstring_view name) {
  const std::string root = FreshUnixFolder(name);
  root_ = OnDriveZ(root);
  source_ = root_ + L"\\source";
  mount_ = root_ + L"\\mirror";
  control_ = root_ + L"\\control";
  for (const std::wstring* folder : {&source_, &mount_, &control_}) ::CreateDirectoryW(folder->c_str(), nullptr);
  const std::wstring arguments = Wide(LUMIROLL_E2E_DIR "/stalling_mirror.py ") + Wide(root) + L"/source " + Wide(root) +
                                 L"/mirror " + Wide(root) + L"/control " + std::to_wstring(kMirrorLifetimeSeconds);
  if (!StartLinuxProgram(L"Z:\\usr\\bin\\python3", arguments)) {
    unavailable_ = "cannot start /usr/bin/python3 for the FUSE mirror";
    return;
  }
  unavailable_ = WaitForMount();
}

std::string StallingFolder::WaitForMount() {
  std::string status;
  const bool machineHasFuse = FileExists(L"Z:\\dev\\fuse");
  if (!WaitUntil([&] { return !(status = ReadText(control_ + L"\\status")).empty(); }, kLivenessMs))
    status = "did not answer";
  if (status.starts_with("mounted ")) {
    mirrorProcess_ = status.substr(8);
    return {};
  }
  // Only a machine without FUSE (or without fusepy, which loads it) skips; anything else fails.
  const bool lacksFuse = !machineHasFuse || status.find("No module named") != std::string::npos ||
                         status.find("libfuse") != std::string::npos;
  if (!lacksFuse) ADD_FAILURE() << "the FUSE mirror, on a machine with /dev/fuse: " << status;
  return "FUSE mirror " + status;
}

StallingFolder::~StallingFolder() {
  const std::string root = UnixPath(root_), mount = root + "/mirror";
  std::string script;
  if (!mirrorProcess_.empty()) script += "kill -9 " + mirrorProcess_ + "; ";
  script += "umount -l " + mount + " 2>/dev/null || fusermount3 -u -z " + mount + " 2>/dev/null; rm -rf " + root;
  if (StartLinuxProgram(L"Z:\\bin\\sh", L"-c \"" + Wide(script) + L"\""))
    (void)WaitUntil([&] { return !FileExists(root_); }, kLivenessMs);
}

void StallingFolder::Stall(std::wstring_view name, double seconds) const {
  (void)WriteFileBytes(control_ + L"\\" + std::wstring(name) + L".stall", seconds > 0 ? std::to_string(seconds) : "");
}

void StallingFolder::Release(std::wstring_view name) const {
  ::DeleteFileW((control_ + L"\\" + std::wstring(name) + L".stall").c_str());
}

int StallingFolder::Opens(std::wstring_view name) const { return LogCount(L"opened", Utf8(name)); }

int StallingFolder::Closes(std::wstring_view name) const { return LogCount(L"closed", Utf8(name)); }

int StallingFolder::LogCount(const wchar_t* log, const std::string& wanted) const {
  std::istringstream lines(ReadText(control_ + L"\\" + log));
  int count = 0;
  for (std::string line; std::getline(lines, line);) count += line == wanted;
  return count;
}

std::wstring StallingFolder::ListingMarker(std::wstring_view folder) const {
  std::wstring name(folder);
  for (auto& c : name)
    if (c == L'\\') c = L'%';
  return control_ + L"\\LISTING-" + name + L".stall";
}

void StallingFolder::StallListing(std::wstring_view folder, double seconds) const {
  (void)WriteFileBytes(ListingMarker(folder), seconds > 0 ? std::to_string(seconds) : "");
}

void StallingFolder::ReleaseListing(std::wstring_view folder) const { ::DeleteFileW(ListingMarker(folder).c_str()); }

int StallingFolder::Listings(std::wstring_view folder) const {
  std::string line = "/" + Utf8(folder);
  for (auto& c : line)
    if (c == '\\') c = '/';
  return LogCount(L"listed", line);
}

}  // namespace lumiroll::e2e
