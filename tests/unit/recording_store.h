#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace lumiroll::testing {

// The settings store in memory; counts whole-section deletions. Writes of the refused keys
// fail and store nothing, as when the registry key cannot be written.
class RecordingStore final : public SettingsStore {
 public:
  std::map<std::wstring, std::wstring, std::less<>> values;
  std::vector<std::wstring> writes;
  std::set<std::wstring, std::less<>> refused;
  int sectionDeletions = 0;

  std::optional<std::wstring> Read(std::wstring_view key) const override {
    const auto found = values.find(key);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  bool Write(std::wstring_view key, std::wstring_view text) override {
    writes.emplace_back(key);
    if (refused.contains(key)) return false;
    values[std::wstring(key)] = text;
    return true;
  }
  void DeleteSection() override {
    values.clear();
    ++sectionDeletions;
  }
};

}  // namespace lumiroll::testing
