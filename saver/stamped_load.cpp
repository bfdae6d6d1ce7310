#include "saver/stamped_load.h"

namespace lumiroll {

std::shared_ptr<const DecodedPicture> LoadStamped(LoadJob& job, const FileStampReader& stampOf, const FileRead& read) {
  const DecodeRequest& request = job.request();
  std::optional<FileStamp> stamp = stampOf(request.path);
  job.Progressed();
  const auto& kept = job.kept();
  if (kept && kept->request == request && kept->stamp && stamp == kept->stamp) return kept;
  std::optional<Picture> picture = read();
  if (stamp && stampOf(request.path) != stamp) stamp.reset();
  return std::make_shared<const DecodedPicture>(DecodedPicture{request, stamp, std::move(picture)});
}

}  // namespace lumiroll
