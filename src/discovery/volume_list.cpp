#include "discovery/volume_list.h"

namespace reelvane::discovery {

TNTVolumeInfo::TNTVolumeInfo(const platform::Platform&, const std::string& letter) : Drive(letter) {}

TNTVolumeList::TNTVolumeList(const platform::Platform&) {}

int TNTVolumeList::RowCount() const
{
    return static_cast<int>(Rows.size());
}

std::string TNTVolumeList::GetRow(int index) const
{
    return Rows.at(static_cast<std::size_t>(index));
}

std::string TNTVolumeList::VolumeSizeText(std::int64_t)
{
    return {};
}

std::vector<std::string> SplitVolumeRow(const std::string& row)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = row.find('|', start);
        fields.push_back(row.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return fields;
}

}  // namespace reelvane::discovery
