// Colour-managed loading, two jobs for bench/colour_run.sh:
//   colour_bench.exe dump PICTURE OUT.ppm [W H]   the picture as the loader gives it (to sRGB),
//                                                 at its own size or fitted into W x H
//   colour_bench.exe time UNTAGGED TAGGED [RUNS]  file to fitted 1920x1080 pixels, the same
//                                                 photograph without and with a profile (median
//                                                 of RUNS, alternating)
#include <windows.h>

#include <lcms2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/median.h"
#include "platform/colour_transform.h"
#include "platform/picture.h"
#include "platform/win32/picture_loader.h"

namespace {

using lumiroll::DrawBound;
using lumiroll::kFitScale;
using lumiroll::bench::Median;

int Dump(const std::wstring& picturePath, const std::wstring& outPath, DrawBound bound) {
  const auto picture = lumiroll::LoadPictureFile(picturePath, bound);
  if (!picture) {
    std::fprintf(stderr, "colour_bench: %ls does not load\n", picturePath.c_str());
    return 1;
  }
  std::ofstream out(std::string(outPath.begin(), outPath.end()).c_str(), std::ios::binary);
  out << "P6\n" << picture->pixelWidth << ' ' << picture->pixelHeight << "\n255\n";
  for (std::uint32_t p : picture->pixels) {
    const char rgb[3] = {static_cast<char>(p >> 16 & 0xFF), static_cast<char>(p >> 8 & 0xFF),
                         static_cast<char>(p & 0xFF)};
    out.write(rgb, 3);
  }
  return out ? 0 : 1;
}

double Milliseconds(const std::wstring& path) {
  const auto start = std::chrono::steady_clock::now();
  const auto picture = lumiroll::LoadPictureFile(path, DrawBound{1920, 1080, kFitScale});
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return picture ? ms : -1;
}

template <typename Convert>
double MedianMilliseconds(std::vector<std::uint32_t>& buffer, int runs, Convert convert) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    for (std::size_t p = 0; p < buffer.size(); ++p) buffer[p] = static_cast<std::uint32_t>(p * 2654435761u) & 0xFFFFFF;
    const auto start = std::chrono::steady_clock::now();
    convert(buffer);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return Median(times);
}

// The conversion alone on a screenful of pixels (Adobe RGB to sRGB): ours, and LittleCMS's
// general 8-bit path for the same profiles.
void PrintConversionTimes(int runs) {
  std::vector<std::uint32_t> buffer(1620 * 1080);
  const auto ours = lumiroll::TransformToDisplay(lumiroll::AdobeRgbProfile(), lumiroll::PixelLayout::kBgrx, {});
  const auto adobe = lumiroll::AdobeRgbProfile();
  cmsHPROFILE from = cmsOpenProfileFromMem(adobe.data(), static_cast<cmsUInt32Number>(adobe.size()));
  cmsHPROFILE to = cmsCreate_sRGBProfile();
  cmsHTRANSFORM general = cmsCreateTransform(from, TYPE_BGRA_8, to, TYPE_BGRA_8, INTENT_PERCEPTUAL, cmsFLAGS_NOCACHE);
  if (ours && general) {
    const double a = MedianMilliseconds(buffer, runs, [&](auto& b) { ours->Apply(b); });
    const double b = MedianMilliseconds(buffer, runs, [&](auto& b) {
      cmsDoTransform(general, b.data(), b.data(), static_cast<cmsUInt32Number>(b.size()));
    });
    std::printf("the conversion alone, 1620x1080 pixels: %.1f ms (LittleCMS's general path: %.1f ms)\n", a, b);
  }
  if (general) cmsDeleteTransform(general);
  cmsCloseProfile(from);
  cmsCloseProfile(to);
}

int Time(const std::wstring& untagged, const std::wstring& tagged, int runs) {
  std::vector<double> plain, managed;
  for (int i = 0; i < runs; ++i) {
    plain.push_back(Milliseconds(untagged));
    managed.push_back(Milliseconds(tagged));
    if (plain.back() < 0 || managed.back() < 0) return 1;
  }
  const double a = Median(plain), b = Median(managed);
  std::printf("untagged %.1f ms, tagged %.1f ms (median of %d): tagged / untagged = %.3f (target <= 1.10)\n", a, b,
              runs, b / a);
  PrintConversionTimes(runs);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring job = argc > 1 ? argv[1] : L"";
  if (job == L"dump" && (argc == 4 || argc == 6))
    return Dump(argv[2], argv[3], argc == 6 ? DrawBound{_wtoi(argv[4]), _wtoi(argv[5]), kFitScale} : DrawBound{});
  if (job == L"time" && argc >= 4) return Time(argv[2], argv[3], argc > 4 ? std::max(1, _wtoi(argv[4])) : 9);
  std::fprintf(stderr, "usage: colour_bench dump PICTURE OUT.ppm [W H] | time UNTAGGED TAGGED [RUNS]\n");
  return 2;
}
