// How long the show takes to build the image list of a very large folder: a folder of 32,767
// image files, then of 40,000, made under the temporary folder, BuildImageList timed over several
// runs (median), with its two parts (listing, matching and ordering) and the shuffle beside it.
// Given folders as arguments (bench/image_list_run.sh makes them from Linux in seconds), it
// times those instead: under Wine, making 40,000 files one by one takes many minutes.
// Prints figures; passes or fails nothing.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/folder_reader.h"
#include "saver/image_list.h"

namespace {

using lumiroll::FileSystemFolderReader;

constexpr int kRuns = 7;

double MedianMilliseconds(const std::function<void()>& work) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH + 1];
  ::GetTempPathW(MAX_PATH + 1, temp);
  return FileSystemFolderReader().OpenFolder(temp);
}

// Camera-like names in a scrambled order, in mixed case, across the eight extensions.
std::wstring FileName(int i) {
  static const wchar_t* const extensions[] = {L".jpg", L".JPG", L".gif", L".bmp", L".Jpg", L".emf", L".ico", L".jif"};
  const auto scrambled = static_cast<std::uint32_t>(i) * 7919u % 40009u;  // a permutation: 40009 is prime
  wchar_t name[64];
  std::swprintf(name, 64, L"%ls_%05u%ls", i % 3 ? L"IMG" : L"dsc", scrambled, extensions[i % 8]);
  return name;
}

// Files from..to-1 of the folder. Slow under Wine: each new name makes it search the whole
// folder for a name that differs only in case.
bool AddFiles(const std::wstring& folder, int from, int to) {
  ::CreateDirectoryW(folder.c_str(), nullptr);
  for (int i = from; i < to; ++i) {
    const std::wstring path = folder + L"\\" + FileName(i);
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) return false;
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  }
  return true;
}

void RemoveFiles(const std::wstring& folder, int count) {
  for (int i = 0; i < count; ++i) ::DeleteFileW((folder + L"\\" + FileName(i)).c_str());
  ::RemoveDirectoryW(folder.c_str());
}

int CountFiles(const std::wstring& folder) { return static_cast<int>(FileSystemFolderReader().List(folder).size()); }

void Measure(const std::wstring& folder, int files) {
  const FileSystemFolderReader reader;
  std::int16_t count = 0;
  std::vector<std::wstring> names;
  const double build = MedianMilliseconds([&] {
    names.clear();
    lumiroll::BuildImageList(folder, lumiroll::ImagePattern, count, names, reader);
  });
  std::vector<lumiroll::FolderEntry> entries;
  const double listing = MedianMilliseconds([&] { entries = reader.List(folder); });
  const double matching =
      MedianMilliseconds([&] { (void)lumiroll::MatchingFileNames(entries, lumiroll::ImagePattern); });
  const double shuffle = MedianMilliseconds([&] { lumiroll::ShuffleImages(names); });
  std::printf(
      "%6d files  ImageCount %6d  BuildImageList %8.1f ms  (listing %8.1f ms, matching and order %7.1f ms)"
      "  ShuffleImages %6.1f ms\n",
      files, count, build, listing, matching, shuffle);
  std::fflush(stdout);
}

void MeasureOwnFolders() {
  const std::wstring folder = TempFolder() + L"\\LumirollBenchImageList";
  int made = 0;
  for (int files : {32767, 40000}) {
    const auto start = std::chrono::steady_clock::now();
    if (!AddFiles(folder, made, files)) {
      std::printf("could not make %d files in the temporary folder\n", files);
      break;
    }
    std::printf("(%d more files made in %.0f s)\n", files - made,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    made = files;
    Measure(folder, files);
  }
  RemoveFiles(folder, made);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::printf("Image list of a large folder, median of %d runs\n", kRuns);
  std::fflush(stdout);
  if (argc < 2) MeasureOwnFolders();
  for (int i = 1; i < argc; ++i) {
    // As the file system spells it: only that text counts as found.
    const std::wstring folder = FileSystemFolderReader().OpenFolder(argv[i]);
    Measure(folder, CountFiles(folder));
  }
  return 0;
}
