// Hostile-file benchmark: for each file of a folder (bench/make_hostile_files.py), fitted and at
// actual size on a 1920 x 1080 screen, the peak working set of a process that loads it and then
// the ordinary photograph good.jpg, and the time until that photograph's pixels are on the back
// buffer: what the show does when a hostile file comes up, then the next photograph. Each file
// runs in a child process of its own, so each peak is that file's.
//
//   hostile_bench.exe FOLDER     bench/hostile_run.sh builds today's and a baseline's and runs both.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/child_process.h"
#include "platform/picture.h"
#include "platform/stretch_pixels.h"
#include "platform/win32/handles.h"
#include "platform/win32/picture_loader.h"
#include "saver/photo_rectangle.h"

namespace lumiroll::bench {
namespace {

constexpr int kScreenWidth = 1920, kScreenHeight = 1080;

// Draws what the picture kept into the screen-sized buffer where PaintPhoto would put the picture.
void Draw(const Picture& picture, std::vector<std::uint32_t>& screen, float scale) {
  const auto place = PlacePhoto(kScreenWidth, kScreenHeight, picture.width, picture.height, scale);
  if (!place) return;
  StretchPixels({picture.pixels, picture.pixelWidth, picture.pixelHeight}, {screen, kScreenWidth, kScreenHeight},
                {place->left, place->top, place->width, place->height});
}

// The child: loads file, then good; writes "loaded file-ms total-ms peak-bytes" to resultFile.
int RunChild(const std::wstring& file, const std::wstring& good, float scale, const std::wstring& resultFile) {
  std::vector<std::uint32_t> screen(static_cast<std::size_t>(kScreenWidth) * kScreenHeight);
  const DrawBound bound{kScreenWidth, kScreenHeight, scale};
  const auto start = std::chrono::steady_clock::now();
  const auto hostile = LoadPictureFile(file, bound);
  if (hostile) Draw(*hostile, screen, scale);
  const auto afterFile = std::chrono::steady_clock::now();
  const auto next = LoadPictureFile(good, bound);
  if (!next) return 3;
  Draw(*next, screen, scale);
  const auto end = std::chrono::steady_clock::now();
  const auto ms = [](auto d) { return std::chrono::duration<double, std::milli>(d).count(); };
  std::ofstream out(NarrowPath(resultFile).c_str());
  out << (hostile ? 1 : 0) << ' ' << ms(afterFile - start) << ' ' << ms(end - start) << ' ' << PeakWorkingSet() << '\n';
  return 0;
}

struct Result {
  bool ok = false;
  int loaded = 0;
  double fileMs = 0, totalMs = 0, peakMegabytes = 0;
};

Result RunInChild(const std::wstring& file, const std::wstring& good, float scale) {
  const auto line =
      RunSelfAsChild(L"\"" + file + L"\" \"" + good + L"\" " + std::to_wstring(scale), L"hostile_bench_result.txt");
  Result r;
  std::size_t peak = 0;
  std::istringstream in(line.value_or(""));
  if (in >> r.loaded >> r.fileMs >> r.totalMs >> peak) {
    r.ok = true;
    r.peakMegabytes = static_cast<double>(peak) / (1024.0 * 1024.0);
  }
  return r;
}

std::vector<std::wstring> FilesOf(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const UniqueFind search(::FindFirstFileW((folder + L"\\*").c_str(), &found));
  if (!search) return names;
  do {
    const std::wstring name = found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"good.jpg") names.push_back(name);
  } while (::FindNextFileW(search.get(), &found));
  std::sort(names.begin(), names.end());
  return names;
}

int RunAll(const std::wstring& folder) {
  const std::wstring good = folder + L"\\good.jpg";
  std::printf("%-34s %-6s %7s %10s %13s %13s\n", "file", "size", "loaded", "file ms", "next photo ms", "peak WS (MB)");
  for (const std::wstring& name : FilesOf(folder))
    for (const float scale : {0.0f, 1.0f}) {
      const Result r = RunInChild(folder + L"\\" + name, good, scale);
      std::printf("%-34ls %-6s ", name.c_str(), scale == 0.0f ? "fit" : "actual");
      if (!r.ok) std::printf("%7s\n", "failed");
      else std::printf("%7s %10.0f %13.0f %13.1f\n", r.loaded ? "yes" : "no", r.fileMs, r.totalMs, r.peakMegabytes);
      std::fflush(stdout);
    }
  return 0;
}

}  // namespace
}  // namespace lumiroll::bench

int wmain(int argc, wchar_t** argv) {
  using namespace lumiroll::bench;
  if (argc == 6 && std::wstring(argv[1]) == L"--child") return RunChild(argv[2], argv[3], std::stof(argv[4]), argv[5]);
  if (argc < 2) {
    std::fprintf(stderr, "usage: hostile_bench FOLDER\n");
    return 2;
  }
  return RunAll(argv[1]);
}
