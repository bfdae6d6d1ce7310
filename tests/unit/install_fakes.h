#pragma once
// Fakes for the installer's and uninstaller's decisions: a disk in memory (files with sizes,
// folders, files that cannot be replaced or deleted, copies that stop half-way as on a full
// disk).
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "recording_store.h"

namespace lumiroll::testing {

class FakeDisk final : public FileSystem {
 public:
  std::map<std::wstring, std::uint64_t> files;
  std::set<std::wstring> folders;
  std::set<std::wstring> locked;  // in use: cannot be replaced or deleted
  std::set<std::wstring> fullAt;  // a copy to here stops half-way and fails
  std::vector<std::wstring> log;  // "copy a -> b", "mkdir a", "delete a"

  bool CopyReplacing(const std::wstring& from, const std::wstring& to) override {
    log.push_back(L"copy " + from + L" -> " + to);
    const auto source = files.find(from);
    if (source == files.end() || folders.contains(to) || locked.contains(to) || !folders.contains(Parent(to)))
      return false;
    if (fullAt.contains(to)) {
      files[to] = source->second / 2;
      return false;
    }
    files[to] = source->second;
    return true;
  }
  bool MakeFolder(const std::wstring& path) override {
    log.push_back(L"mkdir " + path);
    if (Exists(path) || locked.contains(path) || !folders.contains(Parent(path))) return false;
    folders.insert(path);
    return true;
  }
  bool Delete(const std::wstring& path) override {
    log.push_back(L"delete " + path);
    if (locked.contains(path)) return false;
    return files.erase(path) == 1;
  }
  std::optional<std::uint64_t> SizeOf(const std::wstring& path) const override {
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  }
  bool Exists(const std::wstring& path) const override { return files.contains(path) || folders.contains(path); }

 private:
  static std::wstring Parent(const std::wstring& path) {
    const auto slash = path.find_last_of(L'\\');
    std::wstring parent = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    return parent.size() == 2 && parent[1] == L':' ? parent + L"\\" : parent;  // "D:" is the root "D:\"
  }
};

}  // namespace lumiroll::testing
