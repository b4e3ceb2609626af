#include "discovery/target.h"

#include "engine/sector_text.h"

namespace reelvane::discovery {

std::string PartitionNameOfCaption(const std::string& caption)
{
    const std::size_t open = caption.rfind('(');
    if (open == std::string::npos) return {};
    std::string name = caption.substr(open + 1);
    if (name.size() >= 2 && name.compare(name.size() - 2, 2, ":)") == 0) name.resize(name.size() - 2);
    return name;
}

void ResolvePartitionRow(const std::string&, RecoverySession&, const platform::Platform&) {}

void ResolveDriveRow(const std::string&, RecoverySession&, const platform::Platform&) {}

SectorRange DefaultSectorRange(std::int64_t deviceSize)
{
    return {"0", DefaultLastSectorText(deviceSize)};
}

bool CheckTarget(RecoverySession&, const SelectedRows&, const platform::Platform&)
{
    return false;
}

}  // namespace reelvane::discovery
