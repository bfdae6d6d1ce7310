// Format benchmark: a large picture of a format WIC decoded before our own decoder did, loaded and
// fitted to 1920 x 1080 by the loader today and by WIC as the show used it before (WIC's decode,
// our strip-wise reduction): median time and peak working set, each in a child process of its own.
//
//   lumiroll_bench_formats.exe FILE [RUNS]    FILE a BMP or GIF; bench/run.sh makes and runs one.
#include <windows.h>
#include <wincodec.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/child_process.h"
#include "bench/median.h"
#include "platform/picture.h"
#include "platform/picture_format.h"
#include "platform/win32/picture_decoders.h"
#include "platform/win32/picture_loader.h"
#include "platform/win32/whole_file.h"

namespace lumiroll::bench {
namespace {

constexpr DrawBound kFitted{1920, 1080, kFitScale};
enum class Method { kOurs, kWicBefore };

std::optional<Picture> LoadWithWic(const std::wstring& file) {
  const auto bytes = ReadWholeFile(file, std::uint64_t{1} << 30);
  if (!bytes) return std::nullopt;
  const GUID container =
      SniffPictureFormat(*bytes) == PictureFormat::kGif ? GUID_ContainerFormatGif : GUID_ContainerFormatBmp;
  return DecodeWithWic(*bytes, container, kFitted);
}

// The child: writes "median-ms peak-bytes" to resultFile.
int RunChild(Method method, const std::wstring& file, int runs, const std::wstring& resultFile) {
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const auto picture = method == Method::kOurs ? LoadPictureFile(file, kFitted) : LoadWithWic(file);
    if (!picture) return 3;
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::ofstream out(NarrowPath(resultFile).c_str());
  out << Median(times) << ' ' << PeakWorkingSet() << '\n';
  return 0;
}

int RunAll(const std::wstring& file, int runs) {
  std::printf("%-40s %-22s %10s %14s\n", "picture", "method", "median ms", "peak WS (MB)");
  const std::wstring name = file.substr(file.find_last_of(L"\\/") + 1);
  for (const Method method : {Method::kOurs, Method::kWicBefore}) {
    const auto line =
        RunSelfAsChild(std::to_wstring(static_cast<int>(method)) + L" \"" + file + L"\" " + std::to_wstring(runs),
                       L"format_bench_result.txt");
    double ms = 0;
    std::size_t peak = 0;
    std::istringstream in(line.value_or(""));
    std::printf("%-40ls %-22s ", name.c_str(), method == Method::kOurs ? "ours" : "WIC, as before");
    if (in >> ms >> peak) std::printf("%10.1f %14.1f\n", ms, static_cast<double>(peak) / (1024.0 * 1024.0));
    else std::printf("%10s\n", "failed");
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace
}  // namespace lumiroll::bench

int wmain(int argc, wchar_t** argv) {
  using namespace lumiroll::bench;
  if (argc == 6 && std::wstring(argv[1]) == L"--child")
    return RunChild(static_cast<Method>(std::stoi(argv[2])), argv[3], std::stoi(argv[4]), argv[5]);
  if (argc < 2) {
    std::fprintf(stderr, "usage: lumiroll_bench_formats FILE [RUNS]\n");
    return 2;
  }
  return RunAll(argv[1], argc > 2 ? std::max(1, std::stoi(argv[2])) : 5);
}
