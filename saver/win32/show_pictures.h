#pragma once
// Where the show's pictures come from: decoded ahead on a worker thread when the engine can tell
// which comes next, otherwise loaded on demand. Both give the same picture for the same request.
#include <windows.h>

#include <optional>

#include "platform/handles.h"
#include "platform/picture.h"
#include "saver/decode_ahead.h"

namespace lumiroll {

class ShowPictures {
 public:
  ShowPictures();

  // Signalled when a decode ahead has finished; the show's event loop waits on it too.
  [[nodiscard]] HANDLE FinishedEvent() const { return finished_.get(); }
  // Starts decoding the picture of a coming cycle.
  void DecodeNext(const DecodeRequest& request) { ahead_.Request(request); }
  // The picture for a cycle now: the one decoded ahead when the file is unchanged since, else a
  // fresh load. Nothing when the file fails to load, as a load would fail.
  [[nodiscard]] std::optional<Picture> Load(const DecodeRequest& request);

 private:
  UniqueHandle finished_;  // declared first: the worker signals it until it ends
  DecodeAhead ahead_;
};

}  // namespace lumiroll
