#include "setup/install_plan.h"

#include "setup/setup_texts.h"
#include "shared/paths.h"

namespace lumiroll {
namespace {

constexpr std::wstring_view kScreenSaverName = L"\\Lumiroll.scr";
constexpr std::wstring_view kImagesName = L"\\images";

std::wstring BackslashName(std::wstring_view name) { return L"\\" + std::wstring(name); }

bool IsScreenSaverCopy(const InstallStep& step) {
  return step.kind == StepKind::CopyFile && step.path.ends_with(kScreenSaverName);
}

void RunStep(FileSystem& files, const InstallStep& step) {
  switch (step.kind) {
    case StepKind::CopyFile: (void)files.CopyReplacing(step.path, step.other); break;
    case StepKind::MakeFolder: (void)files.MakeFolder(step.path); break;
    case StepKind::DeleteFile:
      if (MayDeletePhotograph(files.SizeOf(step.path), files.SizeOf(step.other))) (void)files.Delete(step.path);
      break;
  }
}

}  // namespace

std::wstring ImagesFolder(std::wstring_view sourceFolder) { return JoinPath(sourceFolder, kImagesName); }

std::vector<InstallStep> InstallationSteps(std::wstring_view systemFolder, std::wstring_view sourceFolder) {
  std::vector<InstallStep> steps;
  if (!systemFolder.empty())
    steps.push_back(
        {StepKind::CopyFile, JoinPath(sourceFolder, kScreenSaverName), JoinPath(systemFolder, kScreenSaverName)});
  const std::wstring images = ImagesFolder(sourceFolder);
  steps.push_back({StepKind::MakeFolder, images, {}});
  for (std::wstring_view photograph : kSamplePhotographs)
    steps.push_back({StepKind::CopyFile, JoinPath(sourceFolder, BackslashName(photograph)),
                     JoinPath(images, BackslashName(photograph))});
  for (std::wstring_view photograph : kSamplePhotographs)
    steps.push_back({StepKind::DeleteFile, JoinPath(sourceFolder, BackslashName(photograph)),
                     JoinPath(images, BackslashName(photograph))});
  return steps;
}

Settings DefaultSettings(std::wstring_view sourceFolder) {
  return Settings{5.0, kActualSize, ImagesFolder(sourceFolder), kRandom};
}

bool MayDeletePhotograph(std::optional<std::uint64_t> originalSize, std::optional<std::uint64_t> copySize) {
  return originalSize && copySize && *originalSize == *copySize;
}

InstallResult RunInstallation(FileSystem& files, SettingsStore& store, std::wstring_view systemFolder,
                              std::wstring_view sourceFolder) {
  for (const InstallStep& step : InstallationSteps(systemFolder, sourceFolder)) {
    if (!IsScreenSaverCopy(step)) {
      RunStep(files, step);
    } else if (!files.CopyReplacing(step.path, step.other)) {
      // Installed it is not: the photographs stay and the settings stay as they were.
      return {SaverNotCopiedMessage(step.path, step.other, files.Exists(step.path)), {}};
    }
  }
  return {std::nullopt, SaveSettings(store, DefaultSettings(sourceFolder))};
}

}  // namespace lumiroll
