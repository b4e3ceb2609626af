#include "platform/drive_queries.h"

namespace reelvane::platform {

std::int64_t GetDiskSize(Stream& stream)
{
    return stream.DiskSize();
}

std::string MediaTypeText(std::int32_t mediaType)
{
    if (mediaType == 0) return "Unknown Media Type";
    if (mediaType >= 1 && mediaType <= 10) return "Floppy Disk";
    if (mediaType == kRemovableMedia) return "Removable Drive";
    if (mediaType == kFixedMedia) return "Fixed Drive";
    if (mediaType >= 13 && mediaType <= 25) return "Zip / Other";
    return "UNKNOWN";
}

std::string MediaTypeText(Stream& stream)
{
    return MediaTypeText(stream.MediaType());
}

}  // namespace reelvane::platform
