// An icon's PNG image (and, for the format benchmark, what the loader once gave WIC) through the
// Windows Imaging Component: converted to 32-bit BGRA, transparency laid over black, copied out a
// band of rows at a time (only the part the draw bound can show) and reduced to the draw bound on
// the way, so we never hold the whole picture (a decoder of WIC's own may).
#include <windows.h>
#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <optional>
#include <vector>

#include "platform/area_reduction.h"
#include "platform/over_black.h"
#include "platform/picture_geometry.h"
#include "platform/picture_region.h"
#include "platform/win32/picture_decoders.h"
#include "platform/win32/wic_colour.h"

namespace lumiroll {
namespace {

using Microsoft::WRL::ComPtr;

constexpr UINT kBandRows = 64;

// COM stays initialised for the life of each thread that loads pictures; a thread that
// initialised it itself (a dialog's folder browser, say) keeps its own apartment.
void EnsureComOnThisThread() {
  thread_local const HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)result;
}

ComPtr<IWICBitmapDecoder> OpenDecoder(IWICImagingFactory& factory, std::span<const std::uint8_t> bytes,
                                      const GUID& container) {
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory.CreateStream(&stream)) ||
      // NOLINTNEXTLINE(cppcoreguidelines-pro-type-const-cast): the stream only reads; WIC asks for non-const
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory.CreateDecoder(container, nullptr, &decoder)) ||
      FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)))
    return nullptr;
  return decoder;
}

ComPtr<IWICBitmapFrameDecode> FirstFrame(IWICBitmapDecoder& decoder) {
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder.GetFrame(0, &frame))) return nullptr;
  return frame;
}

// Copies out only the part the bound can show, a band of rows at a time, reducing as it goes.
std::optional<Picture> CopyOut(IWICBitmapSource& source, PixelSize own, DrawBound bound) {
  const KeptPart part = KeptPartFor(own, bound);
  const PictureRegion& r = part.region;
  AreaReducer reducer({r.width, r.height}, part.pixels);
  const UINT stride = static_cast<UINT>(r.width) * 4;
  std::vector<std::uint32_t> band(static_cast<std::size_t>(r.width) * kBandRows);
  for (int top = r.top; top < r.top + r.height; top += kBandRows) {
    const int rows = std::min<int>(kBandRows, r.top + r.height - top);
    const WICRect rect{r.left, top, r.width, rows};
    if (FAILED(source.CopyPixels(&rect, stride, stride * rows, reinterpret_cast<BYTE*>(band.data()))))
      return std::nullopt;
    OverBlack({band.data(), static_cast<std::size_t>(r.width) * rows});
    for (int row = 0; row < rows; ++row) reducer.AddRow(band.data() + static_cast<std::size_t>(row) * r.width);
  }
  return Picture{own.width, own.height, part.pixels.width, part.pixels.height, reducer.TakePixels(), r};
}

}  // namespace

std::optional<Picture> DecodeWithWic(std::span<const std::uint8_t> bytes, const GUID& container, DrawBound bound,
                                     const DisplayProfile& display) {
  EnsureComOnThisThread();
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))))
    return std::nullopt;
  const ComPtr<IWICBitmapDecoder> decoder = OpenDecoder(*factory.Get(), bytes, container);
  if (!decoder) return std::nullopt;
  const ComPtr<IWICBitmapFrameDecode> frame = FirstFrame(*decoder.Get());
  UINT width = 0, height = 0;
  if (!frame || FAILED(frame->GetSize(&width, &height)) || !DeclaredSizeAcceptable(width, height)) return std::nullopt;
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return std::nullopt;
  std::optional<Picture> picture =
      CopyOut(*converter.Get(), {static_cast<int>(width), static_cast<int>(height)}, bound);
  // Converted after the reduction, so the cost follows the screen.
  if (const auto colour = picture ? WicColourTransform(*factory.Get(), *frame.Get(), display) : nullptr)
    colour->Apply(picture->pixels);
  return picture;
}

}  // namespace lumiroll
