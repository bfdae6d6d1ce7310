#pragma once
// A folder of photographs mirrored through FUSE whose chosen files stop answering after their
// first block, as on a NAS that went to sleep or a dead share. The mirror is a Linux process
// (tests/e2e/stalling_mirror.py run by Debian's python3); the programs see it through Z:.
//
//   StallingFolder folder(L"name");
//   if (!folder.unavailable().empty()) GTEST_SKIP() << folder.unavailable();
//   write photographs into folder.source(), folder.Stall(L"a.jpg"), run a program on folder.path()
#include <string>
#include <string_view>

namespace lumiroll::e2e {

class StallingFolder {
 public:
  explicit StallingFolder(std::wstring_view name);
  // Kills the mirror by its process id, then unmounts it (lazily), so a read still waiting in it
  // fails at once instead of waiting on; then removes the folders.
  ~StallingFolder();
  StallingFolder(const StallingFolder&) = delete;
  StallingFolder& operator=(const StallingFolder&) = delete;

  // Why the machine cannot mount the mirror (no /dev/fuse, no fusepy): the test is skipped.
  // Empty when it is mounted. Where the machine has them, a mount that fails or does not come
  // within the liveness limit is a failure of the test, and this says so too.
  [[nodiscard]] const std::string& unavailable() const { return unavailable_; }
  // The plain folder the mirror shows, and the mirror itself.
  [[nodiscard]] const std::wstring& source() const { return source_; }
  [[nodiscard]] const std::wstring& path() const { return mount_; }

  // From now on, reads of the file past its first block wait until Release, or each for at most
  // the seconds given (0: until Release).
  void Stall(std::wstring_view name, double seconds = 0) const;
  void Release(std::wstring_view name) const;
  // How often the file has been opened through the mirror, and closed again (its read done).
  [[nodiscard]] int Opens(std::wstring_view name) const;
  [[nodiscard]] int Closes(std::wstring_view name) const;
  // The same for the listing of a folder of the mirror ("" its root, L"a\\b" below it): it waits
  // until ReleaseListing, or each for at most the seconds given; Listings counts those begun.
  void StallListing(std::wstring_view folder = {}, double seconds = 0) const;
  void ReleaseListing(std::wstring_view folder = {}) const;
  [[nodiscard]] int Listings(std::wstring_view folder = {}) const;

 private:
  [[nodiscard]] std::string WaitForMount();
  [[nodiscard]] std::wstring ListingMarker(std::wstring_view folder) const;
  [[nodiscard]] int LogCount(const wchar_t* log, const std::string& line) const;

  std::wstring root_, source_, mount_, control_;
  std::string unavailable_;
  std::string mirrorProcess_;  // its Linux process id; empty when it never answered
};

}  // namespace lumiroll::e2e
