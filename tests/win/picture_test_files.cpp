#include "tests/win/picture_test_files.h"

#include <fstream>
#include <iterator>

#include "platform/win32/handles.h"

namespace lumiroll::test {

PixelFunction Quadrants(int width, int height) {
  return [=](int x, int y) {
    const bool right = x >= width / 2, bottom = y >= height / 2;
    return bottom ? (right ? kBottomRight : kBottomLeft) : (right ? kTopRight : kTopLeft);
  };
}

Bytes EncodeJpeg(int width, int height, const PixelFunction& pixel, std::span<const std::uint8_t> app1, int quality) {
  return EncodeJpegWith(width, height, pixel, {app1, quality});
}

Bytes DeclaringSize(Bytes jpeg, std::uint16_t width, std::uint16_t height) {
  for (std::size_t i = 2; i + 8 < jpeg.size(); ++i) {
    const bool frame = jpeg[i] == 0xFF && jpeg[i + 1] >= 0xC0 && jpeg[i + 1] <= 0xCF && jpeg[i + 1] != 0xC4 &&
                       jpeg[i + 1] != 0xC8 && jpeg[i + 1] != 0xCC;
    if (!frame) continue;  // SOFn: length, precision, height, width
    jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8), jpeg[i + 6] = static_cast<std::uint8_t>(height);
    jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8), jpeg[i + 8] = static_cast<std::uint8_t>(width);
    break;
  }
  return jpeg;
}

Bytes ExifWithOrientation(int orientation, bool bigEndian) {
  const auto u16 = [bigEndian](Bytes& out, unsigned v) {
    if (bigEndian) out.insert(out.end(), {std::uint8_t(v >> 8), std::uint8_t(v)});
    else out.insert(out.end(), {std::uint8_t(v), std::uint8_t(v >> 8)});
  };
  const auto u32 = [&](Bytes& out, unsigned v) {
    if (bigEndian) u16(out, v >> 16), u16(out, v & 0xFFFF);
    else u16(out, v & 0xFFFF), u16(out, v >> 16);
  };
  Bytes exif = {'E', 'x', 'i', 'f', 0, 0};
  exif.insert(exif.end(), bigEndian ? std::initializer_list<std::uint8_t>{'M', 'M'}
                                    : std::initializer_list<std::uint8_t>{'I', 'I'});
  u16(exif, 42);
  u32(exif, 8);  // IFD0 right after the header
  u16(exif, 2);  // two entries: another tag first, so the reader must look past it
  u16(exif, 0x010F), u16(exif, 2), u32(exif, 4), u32(exif, 0x4D4F4F4E);  // Make, "MOON" held inline
  u16(exif, 0x0112), u16(exif, 3), u32(exif, 1), u16(exif, static_cast<unsigned>(orientation)), u16(exif, 0);
  u32(exif, 0);  // no next IFD
  return exif;
}

namespace {

void FillQuadrants(HDC dc, int width, int height, int scale) {
  const Rgb colours[] = {kTopLeft, kTopRight, kBottomLeft, kBottomRight};
  ::SelectObject(dc, ::GetStockObject(NULL_PEN));
  for (int i = 0; i < 4; ++i) {
    UniqueBrush brush(::CreateSolidBrush(RGB(colours[i].r, colours[i].g, colours[i].b)));
    const HGDIOBJ previous = ::SelectObject(dc, brush.get());
    const int left = (i % 2) * width / 2 * scale, top = (i / 2) * height / 2 * scale;
    // A rectangle drawn without a pen leaves out its right and bottom edge: one unit more.
    ::Rectangle(dc, left, top, left + width / 2 * scale + 1, top + height / 2 * scale + 1);
    ::SelectObject(dc, previous);
  }
}

}  // namespace

Bytes QuadrantEnhancedMetafile(int width, int height) {
  const RECT frame{0, 0, width * 2540 / 96, height * 2540 / 96};  // .01 mm at 96 dpi
  const HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  // The reference device (the screen) may not be 96 dpi: draw in .01 mm to stay within the frame.
  ::SetMapMode(dc, MM_ANISOTROPIC);
  ::SetWindowExtEx(dc, width, height, nullptr);
  ::SetViewportExtEx(dc, frame.right * ::GetDeviceCaps(dc, HORZRES) / (::GetDeviceCaps(dc, HORZSIZE) * 100),
                     frame.bottom * ::GetDeviceCaps(dc, VERTRES) / (::GetDeviceCaps(dc, VERTSIZE) * 100), nullptr);
  FillQuadrants(dc, width, height, 1);
  UniqueEnhMetaFile metafile(::CloseEnhMetaFile(dc));
  Bytes bytes(::GetEnhMetaFileBits(metafile.get(), 0, nullptr));
  ::GetEnhMetaFileBits(metafile.get(), static_cast<UINT>(bytes.size()), bytes.data());
  return bytes;
}

Bytes QuadrantWindowsMetafile(int width, int height, int scale, bool recordWindowExtent) {
  const HDC dc = ::CreateMetaFileW(nullptr);
  if (recordWindowExtent) {
    ::SetWindowOrgEx(dc, 0, 0, nullptr);
    ::SetWindowExtEx(dc, width * scale, height * scale, nullptr);
  }
  FillQuadrants(dc, width, height, scale);
  const HMETAFILE metafile = ::CloseMetaFile(dc);
  Bytes bytes(::GetMetaFileBitsEx(metafile, 0, nullptr));
  ::GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
  ::DeleteMetaFile(metafile);
  return bytes;
}

Bytes PlaceableHeader(std::int16_t right, std::int16_t bottom, std::uint16_t inch) {
  const std::uint16_t words[10] = {
      0xCDD7, 0x9AC6, 0, 0, 0, static_cast<std::uint16_t>(right), static_cast<std::uint16_t>(bottom), inch, 0, 0};
  std::uint16_t checksum = 0;
  for (std::uint16_t w : words) checksum ^= w;
  Bytes header;
  for (std::uint16_t w : words) header.insert(header.end(), {std::uint8_t(w), std::uint8_t(w >> 8)});
  header.insert(header.end(), {std::uint8_t(checksum), std::uint8_t(checksum >> 8)});
  return header;
}

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"lumiroll-pictures-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(::GetTickCount64());
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  WIN32_FIND_DATAW found;
  UniqueFind find(::FindFirstFileW((path_ + L"\\*").c_str(), &found));
  if (find) {
    do {
      ::DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
    } while (::FindNextFileW(find.get(), &found));
  }
  find.reset();
  ::RemoveDirectoryW(path_.c_str());
}

std::wstring ScratchFolder::Write(const std::wstring& name, std::span<const std::uint8_t> bytes) const {
  const std::wstring file = path_ + L"\\" + name;
  UniqueFile handle(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  if (!bytes.empty()) ::WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return file;
}

std::wstring DataFile(const std::wstring& name) {
  const std::string folder = LUMIROLL_TEST_DATA_DIR;
  return L"Z:" + std::wstring(folder.begin(), folder.end()) + L"/" + name;
}

Bytes ReadFileBytes(const std::wstring& path) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size{};
  ::GetFileSizeEx(file.get(), &size);
  Bytes bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

}  // namespace lumiroll::test
