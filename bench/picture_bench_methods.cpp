#include "bench/picture_bench_methods.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

// GDI+'s headers expect min and max from windows.h, which NOMINMAX takes away.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <jpeglib.h>

#include "platform/picture.h"
#include "platform/stretch_pixels.h"
#include "platform/win32/handles.h"
#include "platform/win32/picture_loader.h"

namespace lumiroll::bench {
namespace {

using Microsoft::WRL::ComPtr;

void ClearBuffer(const BackBuffer& buffer) { std::fill(buffer.bits, buffer.bits + kBufferWidth * kBufferHeight, 0u); }

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size)) return {};
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return {};
  bytes.resize(read);
  return bytes;
}

bool Ours(const std::wstring& photo, const BackBuffer& buffer, Placement place) {
  const auto picture = LoadPictureFile(photo, {kBufferWidth, kBufferHeight});
  if (!picture) return false;
  ClearBuffer(buffer);
  StretchPixels({picture->pixels, picture->pixelWidth, picture->pixelHeight},
                {{buffer.bits, static_cast<std::size_t>(kBufferWidth) * kBufferHeight}, kBufferWidth, kBufferHeight},
                {place.left, place.top, place.width, place.height});
  return true;
}

// What a classic picture box does: OleLoadPicture on the file's bytes, then IPicture::Render.
bool Classic(const std::wstring& photo, const BackBuffer& buffer, Placement place) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(photo);
  HGLOBAL global = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!global) return false;
  std::copy(bytes.begin(), bytes.end(), static_cast<std::uint8_t*>(::GlobalLock(global)));
  ::GlobalUnlock(global);
  ComPtr<IStream> stream;
  if (FAILED(::CreateStreamOnHGlobal(global, TRUE, &stream))) {  // the stream owns the memory from here
    ::GlobalFree(global);
    return false;
  }
  ComPtr<IPicture> picture;
  if (FAILED(::OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(picture.GetAddressOf()))))
    return false;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  ClearBuffer(buffer);
  ::SetStretchBltMode(buffer.dc, HALFTONE);  // its best quality
  ::SetBrushOrgEx(buffer.dc, 0, 0, nullptr);
  return SUCCEEDED(
      picture->Render(buffer.dc, place.left, place.top, place.width, place.height, 0, height, width, -height, nullptr));
}

bool GdiPlus(const std::wstring& photo, const BackBuffer& buffer, Placement place) {
  std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromFile(photo.c_str()));
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return false;
  ClearBuffer(buffer);
  Gdiplus::Graphics graphics(buffer.dc);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
  return graphics.DrawImage(bitmap.get(), Gdiplus::Rect(place.left, place.top, place.width, place.height)) ==
         Gdiplus::Ok;
}

bool Wic(const std::wstring& photo, const BackBuffer& buffer, Placement place) {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICBitmapScaler> scaler;
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) ||
      FAILED(factory->CreateDecoderFromFilename(photo.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateBitmapScaler(&scaler)) ||
      FAILED(scaler->Initialize(frame.Get(), place.width, place.height, WICBitmapInterpolationModeFant)) ||
      FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(scaler.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return false;
  ClearBuffer(buffer);
  const UINT stride = kBufferWidth * 4;
  std::uint32_t* at = buffer.bits + static_cast<std::size_t>(place.top) * kBufferWidth + place.left;
  const UINT size = stride * static_cast<UINT>(place.height - 1) + static_cast<UINT>(place.width) * 4;
  return SUCCEEDED(converter->CopyPixels(nullptr, stride, size, reinterpret_cast<BYTE*>(at)));
}

// The least any JPEG path can cost: read the file and decode it at 1/8 size, nothing else.
bool Floor(const std::wstring& photo, const BackBuffer&, Placement) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(photo);
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.scale_num = 1;
  info.scale_denom = 8;
  info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.output_width) * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row =
        reinterpret_cast<JSAMPROW>(pixels.data() + static_cast<std::size_t>(info.output_scanline) * info.output_width);
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

const wchar_t* MethodName(Method method) {
  switch (method) {
    case Method::kOurs: return L"ours";
    case Method::kClassic: return L"classic (OleLoadPicture)";
    case Method::kGdiPlus: return L"GDI+ (HQ bicubic)";
    case Method::kWic: return L"WIC + scaler (Fant)";
    case Method::kFloor: return L"floor (1/8 decode)";
  }
  return L"?";
}

bool MethodDraws(Method method) { return method != Method::kFloor; }

void PrepareMethod(Method method) {
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (method == Method::kGdiPlus) {
    static ULONG_PTR token = 0;  // GDI+ stays up until the child process ends
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
  }
}

bool RunMethod(Method method, const std::wstring& photo, const BackBuffer& buffer, Placement place) {
  switch (method) {
    case Method::kOurs: return Ours(photo, buffer, place);
    case Method::kClassic: return Classic(photo, buffer, place);
    case Method::kGdiPlus: return GdiPlus(photo, buffer, place);
    case Method::kWic: return Wic(photo, buffer, place);
    case Method::kFloor: return Floor(photo, buffer, place);
  }
  return false;
}

}  // namespace lumiroll::bench
