#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace lumiroll::testing {

// The settings store in memory; counts whole-section deletions.
class RecordingStore final : public SettingsStore {
 public:
  std::map<std::wstring, std::wstring, std::less<>> values;
  std::vector<std::wstring> writes;
  int sectionDeletions = 0;

  std::optional<std::wstring> Read(std::wstring_view key) const override {
    const auto found = values.find(key);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  void Write(std::wstring_view key, std::wstring_view text) override {
    values[std::wstring(key)] = text;
    writes.emplace_back(key);
  }
  void DeleteSection() override {
    values.clear();
    ++sectionDeletions;
  }
};

}  // namespace lumiroll::testing
