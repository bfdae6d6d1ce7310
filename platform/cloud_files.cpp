#include "platform/cloud_files.h"

namespace lumiroll {

bool IsOnlineOnly(std::uint32_t attributes) {
  // The values winnt.h gives them; spelled here, as the platform-free core includes no Windows header.
  constexpr std::uint32_t kOffline = 0x00001000, kRecallOnOpen = 0x00040000, kRecallOnDataAccess = 0x00400000;
  return (attributes & (kOffline | kRecallOnOpen | kRecallOnDataAccess)) != 0;
}

}  // namespace lumiroll
