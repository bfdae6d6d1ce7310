#pragma once
// What Setup does to the disk and to the settings, in order: the plan of file steps built from
// the system folder and the distribution folder, and the run of that plan.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "settings/settings.h"

namespace lumiroll {

inline constexpr std::array<std::wstring_view, 4> kSamplePhotographs = {L"harbor.jpg", L"meadow.jpg", L"lantern.jpg",
                                                                        L"tulips.jpg"};

enum class StepKind { CopyFile, MakeFolder, DeleteFile };

struct InstallStep {
  StepKind kind;
  std::wstring path;
  // CopyFile: the destination. DeleteFile: the copy that must be in place, with the same size,
  // before the original may go.
  std::wstring other;

  friend bool operator==(const InstallStep&, const InstallStep&) = default;
};

[[nodiscard]] std::wstring ImagesFolder(std::wstring_view sourceFolder);

// The ten file steps: the screen saver into the system folder, the "images" folder, the four
// photographs copied, then the four originals deleted. Without a known system folder the first
// step is left out rather than aimed at the root of the current drive.
[[nodiscard]] std::vector<InstallStep> InstallationSteps(std::wstring_view systemFolder,
                                                         std::wstring_view sourceFolder);

// 5 seconds, actual size, the "images" folder, random order.
[[nodiscard]] Settings DefaultSettings(std::wstring_view sourceFolder);

// A photograph may leave the distribution folder only when its copy is in place in full.
[[nodiscard]] bool MayDeletePhotograph(std::optional<std::uint64_t> originalSize,
                                       std::optional<std::uint64_t> copySize);

struct InstallResult {
  // The screen saver could not be copied: the message that says so, and nothing else was done.
  std::optional<std::wstring> saverNotCopied;
  std::vector<std::wstring_view> unsaved;  // the settings keys that could not be written
};

// Copies the screen saver; when that fails, stops there. Otherwise runs every other step
// whatever became of the one before (a photograph's failed step is not reported), then writes
// the default settings.
[[nodiscard]] InstallResult RunInstallation(FileSystem& files, SettingsStore& store, std::wstring_view systemFolder,
                                            std::wstring_view sourceFolder);

}  // namespace lumiroll
