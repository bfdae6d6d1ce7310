#include "saver/config/preview_loading.h"

namespace lumiroll {

void PreviewLoading::Select(std::int16_t listIndex, const std::wstring& path, const PreviewArea& area,
                            PreviewMode shown) {
  pictures_.Select(listIndex, path, area);
  RequestNext(shown);
}

void PreviewLoading::RequestNext(PreviewMode shown) {
  if (const std::optional<DecodeRequest> next = pictures_.NextRequest(shown)) loader_.Request(*next);
}

bool PreviewLoading::TakeFinished(PreviewMode shown) {
  const std::shared_ptr<const DecodedPicture> decoded = loader_.TakeFinished();
  if (!decoded) return false;
  const bool changed = pictures_.Finish(*decoded);
  RequestNext(shown);  // the other size mode's, when it is still to do
  return changed;
}

std::optional<std::uint32_t> PreviewLoading::Watch(std::uint32_t now, PreviewMode shown) {
  const std::uint32_t due = loader_.Watch(now);
  if (due == 0) return 0;
  if (!pictures_.NextRequest(shown)) return std::nullopt;
  return due;
}

}  // namespace lumiroll
