#pragma once
// The physical drive list: drives 0, 1 and 2, tried in order, stopping quietly at the
// first that cannot be opened.

#include <functional>
#include <string>
#include <vector>

#include "platform/device.h"

namespace reelvane::discovery {

struct DriveRow {
    std::string Caption;     // "Hard Drive0"
    std::string MediaText;   // "Fixed Drive"
    std::string SizeText;    // "[465.76GB]"
};

// progress(n) is called before drive n is tried (the status bar's progress bar).
std::vector<DriveRow> ListPhysicalDrives(const platform::Platform& platform,
                                         const std::function<void(int)>& progress = {});

}  // namespace reelvane::discovery
