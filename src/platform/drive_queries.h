#pragma once
// The two queries on an opened drive, and the media-type texts the drive list shows.

#include <cstdint>
#include <string>

#include "platform/device.h"

namespace reelvane::platform {

// The exact byte size of the drive or image behind the stream (0 when unknown).
std::int64_t GetDiskSize(Stream& stream);

// The text for a MediaType value: 0 "Unknown Media Type", 1-10 "Floppy Disk",
// 11 "Removable Drive", 12 "Fixed Drive", 13-25 "Zip / Other", else "UNKNOWN".
std::string MediaTypeText(std::int32_t mediaType);
std::string MediaTypeText(Stream& stream);

}  // namespace reelvane::platform
