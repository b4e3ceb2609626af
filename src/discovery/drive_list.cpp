#include "discovery/drive_list.h"

namespace reelvane::discovery {

std::vector<DriveRow> ListPhysicalDrives(const platform::Platform&, const std::function<void(int)>&)
{
    return {};
}

}  // namespace reelvane::discovery
