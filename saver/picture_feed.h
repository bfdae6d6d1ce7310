#pragma once
// The show's pictures, from the loader, for the engine's cycles. A due cycle is painted once its
// picture is ready: checked against its file at its due time, or loaded then. Until then the
// picture on the screen stays and input is answered. The next picture is loaded ahead while the
// current one shows; the current one and the one Down goes back to are kept, so that Up, Down
// and P show a picture without reading its file again.
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "saver/background_loader.h"
#include "saver/show_engine.h"

namespace lumiroll {

// A cycle the show has moved to, with its picture: null when the cycle paints nothing; without a
// picture when its file failed to load (the previous picture is painted again).
struct ReadyCycle {
  ShowCycle cycle;
  std::shared_ptr<const DecodedPicture> decoded;
};

class PictureFeed {
 public:
  using RequestFor = std::function<DecodeRequest(const ShowCycle& cycle)>;
  // The engine and loader must outlive the feed.
  PictureFeed(ShowEngine& engine, BackgroundLoader& loader, RequestFor requestFor);

  // The due cycle once its picture is ready (the engine has then moved to it); nothing while it
  // is awaited. Asks the loader for it the first time it is seen due, and again whenever input
  // makes another cycle due.
  [[nodiscard]] std::optional<ReadyCycle> TakeDue();
  // The cycle taken is on the screen: its wait starts now, and the next picture is asked for.
  void Painted(std::uint32_t now);
  // The loader's no-data watch: milliseconds until it is due again (0: a load was just given up).
  [[nodiscard]] std::uint32_t Watch(std::uint32_t now) { return loader_.Watch(now); }
  // Images that cannot be shown yet (an online-only file still downloading) are passed over;
  // while none can, nothing is due. Without it every image can.
  void PassOver(std::function<bool(std::int16_t image)> available) { available_ = std::move(available); }

 private:
  void Collect();
  // Moves the engine past the images that cannot be shown yet; false when none can.
  [[nodiscard]] bool SkipUnavailable();
  [[nodiscard]] std::shared_ptr<const DecodedPicture> Kept(const DecodeRequest& request) const;
  [[nodiscard]] std::shared_ptr<const DecodedPicture> GivenUpAhead(const DecodeRequest& request) const;

  ShowEngine& engine_;
  BackgroundLoader& loader_;
  RequestFor requestFor_;
  std::optional<DecodeRequest> due_;                         // asked for at its due time
  std::shared_ptr<const DecodedPicture> ready_;              // its picture, loaded or checked since
  std::optional<ShowCycle> current_;                         // the cycle last taken
  std::vector<std::shared_ptr<const DecodedPicture>> kept_;  // the current, the next and the one before
  std::function<bool(std::int16_t)> available_;
};

}  // namespace lumiroll
