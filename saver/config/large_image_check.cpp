#include "saver/config/large_image_check.h"

#include "shared/text_forms.h"

namespace lumiroll {
namespace {

constexpr std::uint64_t kLargestBmp = 2'000'000;
constexpr std::uint64_t kLargestJpgOrGif = 1'000'000;

constexpr std::wstring_view kBmpWarning =
    L"Some BMP images are larger than 2 megabytes.\n"
    L"Large files will process slowly and your monitor cannot show the extra detail of such large images.\n"
    L"You should resize these images to fit your monitors resolution (e.g. 1024 x 768)\n"
    L"and/or reduce their color palette.";
constexpr std::wstring_view kJpgOrGifWarning =
    L"Some JPG or GIF images are larger than 1 megabyte.\n"
    L"Large files will process slowly and your monitor cannot show the extra detail of such large images.\n"
    L"You should reduce these images to fit your monitors resolution. (e.g. 1024 x 768)";

std::wstring LastThreeUpperCased(std::wstring_view name) {
  return UpperCase(name.size() > 3 ? name.substr(name.size() - 3) : name);
}

LargeImageWarning WarningFor(std::wstring_view name, std::uint64_t size) {
  const std::wstring type = LastThreeUpperCased(name);
  if (type == L"BMP" && size > kLargestBmp) return LargeImageWarning::Bmp;
  if ((type == L"JPG" || type == L"GIF") && size > kLargestJpgOrGif) return LargeImageWarning::JpgOrGif;
  return LargeImageWarning::None;
}

}  // namespace

LargeImageWarning FindLargeImage(const std::vector<FolderEntry>& files) {
  for (const FolderEntry& file : files)
    if (const LargeImageWarning warning = WarningFor(file.name, file.size); warning != LargeImageWarning::None)
      return warning;
  return LargeImageWarning::None;
}

std::wstring_view LargeImageWarningText(LargeImageWarning warning) {
  switch (warning) {
    case LargeImageWarning::Bmp: return kBmpWarning;
    case LargeImageWarning::JpgOrGif: return kJpgOrGifWarning;
    case LargeImageWarning::None: break;
  }
  return {};
}

}  // namespace lumiroll
