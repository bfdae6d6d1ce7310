// Picture benchmark: for camera-like JPEGs of 12, 24 and 48 megapixels, the time from file name to
// pixels in a 1920x1080 back buffer (median of several runs), the peak working set, and the error
// against a Lanczos reference made by ImageMagick, for our loader and the other ways Windows
// offers. Each method runs in a child process of its own, so each peak is that method's.
//
//   picture_bench.exe FOLDER [RUNS [METHOD]]   FOLDER holds photo_{12,24,48,17}mp.jpg and ref_*.ppm
//     (bench/make_bench_photos.sh); METHOD: only the methods whose name contains this text.
//     bench/run.sh does it all.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/child_process.h"
#include "bench/picture_bench_methods.h"
#include "platform/win32/handles.h"

namespace lumiroll::bench {
namespace {

struct Reference {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
};

// A binary PPM (P6, 8 bits): its size only, or its pixels too.
std::optional<Reference> ReadPpm(const std::wstring& path, bool withPixels) {
  std::ifstream file(std::string(path.begin(), path.end()).c_str(), std::ios::binary);
  std::string magic;
  int maximum = 0;
  Reference ref;
  if (!(file >> magic >> ref.width >> ref.height >> maximum) || magic != "P6" || maximum != 255) return std::nullopt;
  file.get();
  if (withPixels) {
    ref.rgb.resize(static_cast<std::size_t>(ref.width) * ref.height * 3);
    if (!file.read(reinterpret_cast<char*>(ref.rgb.data()), static_cast<std::streamsize>(ref.rgb.size())))
      return std::nullopt;
  }
  return ref;
}

double RmsError(const BackBuffer& buffer, Placement place, const Reference& ref) {
  double sum = 0;
  for (int y = 0; y < place.height; ++y)
    for (int x = 0; x < place.width; ++x) {
      const std::uint32_t p = buffer.bits[static_cast<std::size_t>(y + place.top) * kBufferWidth + x + place.left];
      const std::uint8_t* r = &ref.rgb[(static_cast<std::size_t>(y) * ref.width + x) * 3];
      const int dr = int(p >> 16 & 0xFF) - r[0], dg = int(p >> 8 & 0xFF) - r[1], db = int(p & 0xFF) - r[2];
      sum += dr * dr + dg * dg + db * db;
    }
  return std::sqrt(sum / (3.0 * place.width * place.height));
}

// The child: runs one method on one photo and writes "median-ms peak-bytes rms" to resultFile.
int RunChild(Method method, const std::wstring& photo, const std::wstring& referencePath, int runs,
             const std::wstring& resultFile) {
  const auto size = ReadPpm(referencePath, false);
  if (!size) return 2;
  const Placement place{(kBufferWidth - size->width) / 2, (kBufferHeight - size->height) / 2, size->width,
                        size->height};
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kBufferWidth, -kBufferHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  ScopedSelect select(dc.get(), bitmap.get());
  const BackBuffer buffer{dc.get(), static_cast<std::uint32_t*>(bits)};
  PrepareMethod(method);

  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (!RunMethod(method, photo, buffer, place)) return 3;
    ::GdiFlush();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  const std::size_t peak = PeakWorkingSet();  // before the reference is read
  std::sort(times.begin(), times.end());
  double rms = -1;
  if (MethodDraws(method)) {
    const auto ref = ReadPpm(referencePath, true);
    if (!ref) return 2;
    rms = RmsError(buffer, place, *ref);
  }
  std::ofstream out(NarrowPath(resultFile).c_str());
  out << times[times.size() / 2] << ' ' << peak << ' ' << rms << '\n';
  return 0;
}

struct Result {
  bool ok = false;
  double milliseconds = 0, rms = -1;
  double peakMegabytes = 0;
};

Result RunInChild(Method method, const std::wstring& photo, const std::wstring& reference, int runs) {
  const auto line = RunSelfAsChild(std::to_wstring(static_cast<int>(method)) + L" \"" + photo + L"\" \"" + reference +
                                       L"\" " + std::to_wstring(runs),
                                   L"picture_bench_result.txt");
  Result result;
  std::size_t peak = 0;
  std::istringstream in(line.value_or(""));
  if (in >> result.milliseconds >> peak >> result.rms) {
    result.ok = true;
    result.peakMegabytes = static_cast<double>(peak) / (1024.0 * 1024.0);
  }
  return result;
}

// The photographs, by the names make_bench_photos.sh gives them; 17 MP is 5000 x 3333, whose fitted
// width (1620.16) has a fraction below one half.
constexpr const wchar_t* kPhotoNames[] = {L"12mp", L"24mp", L"48mp", L"17mp"};
constexpr int kPhotos = 4;

void PrintSummary(const Result (&r)[kPhotos][5]) {
  const auto& at24 = r[1];
  const auto& at48 = r[2];
  const auto index = [](Method m) { return static_cast<int>(m); };
  const Result& ours = at24[index(Method::kOurs)];
  std::printf("\nTargets (24 MP unless said):\n");
  std::printf("  ours / floor            = %.2f   (target <= 2)\n",
              ours.milliseconds / at24[index(Method::kFloor)].milliseconds);
  std::printf("  classic / ours          = %.2f   (target >= 3)\n",
              at24[index(Method::kClassic)].milliseconds / ours.milliseconds);
  std::printf("  GDI+ / ours             = %.2f   (target >= 3)\n",
              at24[index(Method::kGdiPlus)].milliseconds / ours.milliseconds);
  std::printf("  peak working set, 48 MP = %.1f MB (target < 100)\n", at48[index(Method::kOurs)].peakMegabytes);
  for (int s = 0; s < kPhotos; ++s) {
    const double mine = r[s][index(Method::kOurs)].rms;
    std::printf("  error ours / classic, ours / WIC at %ls = %.2f, %.2f   (target <= 0.25)\n", kPhotoNames[s],
                mine / r[s][index(Method::kClassic)].rms, mine / r[s][index(Method::kWic)].rms);
  }
}

int RunAll(const std::wstring& folder, int runs, const std::wstring& only) {
  const auto& sizes = kPhotoNames;
  Result results[kPhotos][5];
  std::printf("%-6s %-26s %12s %14s %10s\n", "photo", "method", "median ms", "peak WS (MB)", "RMS error");
  for (int s = 0; s < kPhotos; ++s) {
    const std::wstring photo = folder + L"\\photo_" + sizes[s] + L".jpg";
    const std::wstring reference = folder + L"\\ref_" + sizes[s] + L".ppm";
    for (const Method method : kMethods) {
      if (!only.empty() && std::wstring(MethodName(method)).find(only) == std::wstring::npos) continue;
      Result& r = results[s][static_cast<int>(method)];
      r = RunInChild(method, photo, reference, runs);
      const std::wstring name = MethodName(method);
      std::printf("%-6ls %-26ls ", sizes[s], name.c_str());
      if (!r.ok) std::printf("%12s\n", "failed");
      else if (r.rms < 0) std::printf("%12.1f %14.1f %10s\n", r.milliseconds, r.peakMegabytes, "-");
      else std::printf("%12.1f %14.1f %10.2f\n", r.milliseconds, r.peakMegabytes, r.rms);
      std::fflush(stdout);
    }
  }
  if (only.empty()) PrintSummary(results);
  return 0;
}

}  // namespace
}  // namespace lumiroll::bench

int wmain(int argc, wchar_t** argv) {
  using namespace lumiroll::bench;
  if (argc == 7 && std::wstring(argv[1]) == L"--child")
    return RunChild(static_cast<Method>(std::stoi(argv[2])), argv[3], argv[4], std::stoi(argv[5]), argv[6]);
  if (argc < 2) {
    std::fprintf(stderr, "usage: picture_bench FOLDER [RUNS]\n");
    return 2;
  }
  return RunAll(argv[1], argc > 2 ? std::max(1, std::stoi(argv[2])) : 5, argc > 3 ? argv[3] : L"");
}
