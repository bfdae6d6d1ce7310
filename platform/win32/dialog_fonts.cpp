// The one font builder of the dialogs.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <span>

#include "platform/win32/dialog_controls.h"

namespace lumiroll {
namespace {

// "MS Sans Serif" first: Windows' own face, which the layouts were measured with. It is a bitmap
// face, so at sizes it lacks the TrueType successor or a face of like metrics stands in.
constexpr std::wstring_view kSansSerifFaces[] = {L"MS Sans Serif", L"Microsoft Sans Serif", L"Tahoma",
                                                 L"DejaVu Sans Condensed"};
constexpr std::wstring_view kArialFaces[] = {L"Arial", L"Liberation Sans", L"DejaVu Sans", L"Tahoma"};

std::span<const std::wstring_view> FacesFor(std::wstring_view face) {
  return face == L"Arial" ? std::span<const std::wstring_view>(kArialFaces) : kSansSerifFaces;
}

int EmHeight(float points, UINT dpi) { return static_cast<int>(std::lround(points * static_cast<float>(dpi) / 72.0f)); }

UniqueFont MakeFont(std::wstring_view face, int em, int averageWidth, const DialogFontRequest& request) {
  LOGFONTW font{};
  font.lfHeight = -em;
  font.lfWidth = averageWidth;
  font.lfWeight = request.bold ? FW_BOLD : FW_NORMAL;
  font.lfUnderline = request.underlined ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  face.copy(font.lfFaceName, std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
  return UniqueFont(::CreateFontIndirectW(&font));
}

struct Rendered {
  bool asked;  // the face asked for, at the height and weight asked for
  int averageWidth;
  int textWidth;
};

Rendered Measure(HFONT font, std::wstring_view face, int em, bool bold, std::wstring_view text) {
  ScopedGetDc screen(nullptr);
  ScopedSelect selected(screen.get(), font);
  wchar_t realFace[LF_FACESIZE] = {};
  ::GetTextFaceW(screen.get(), LF_FACESIZE, realFace);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(screen.get(), &metrics);
  SIZE size{};
  ::GetTextExtentPoint32W(screen.get(), text.data(), static_cast<int>(text.size()), &size);
  const bool sameFace = _wcsicmp(realFace, std::wstring(face).c_str()) == 0;
  const bool sameSize = std::abs(static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading) - em) <= 1;
  // A bitmap face may have no bold at some sizes.
  const bool sameWeight = !bold || metrics.tmWeight >= FW_SEMIBOLD;
  return {sameFace && sameSize && sameWeight, static_cast<int>(metrics.tmAveCharWidth), static_cast<int>(size.cx)};
}

}  // namespace

UniqueFont CreateDialogFont(const DialogFontRequest& request, UINT dpi) {
  const int em = EmHeight(request.points, dpi);
  for (std::wstring_view face : FacesFor(request.face)) {
    UniqueFont font = MakeFont(face, em, 0, request);
    if (font && Measure(font.get(), face, em, request.bold, L"").asked) return font;
  }
  return MakeFont(request.face, em, 0, request);  // the font mapper's nearest
}

UniqueFont CreateFontForText(std::wstring_view text, int widthPixels, const DialogFontRequest& request, UINT dpi) {
  const int em = EmHeight(request.points, dpi);
  std::optional<std::wstring_view> narrowest;
  Rendered narrowestSize{};
  for (std::wstring_view face : FacesFor(request.face)) {
    UniqueFont font = MakeFont(face, em, 0, request);
    if (!font) continue;
    const Rendered rendered = Measure(font.get(), face, em, request.bold, text);
    if (!rendered.asked) continue;
    if (rendered.textWidth <= widthPixels) return font;
    if (!narrowest || rendered.textWidth < narrowestSize.textWidth) narrowest = face, narrowestSize = rendered;
  }
  if (!narrowest || narrowestSize.textWidth == 0) return CreateDialogFont(request, dpi);
  // Condensed, at its own height, by as little as makes the text fit.
  int averageWidth = narrowestSize.averageWidth * widthPixels / narrowestSize.textWidth + 1;
  UniqueFont font = MakeFont(*narrowest, em, averageWidth, request);
  while (font && averageWidth > 1 && Measure(font.get(), *narrowest, em, request.bold, text).textWidth > widthPixels)
    font = MakeFont(*narrowest, em, --averageWidth, request);
  return font;
}

}  // namespace lumiroll
