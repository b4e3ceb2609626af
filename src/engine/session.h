#pragma once
// The run state the main window (or the command-line carver) keeps for the life of
// the program.

#include <cstdint>
#include <string>

#include "platform/device.h"

namespace reelvane {

struct RecoverySession {
    std::string DevicePath;          // the chosen partition or drive; empty at start
    std::int64_t DeviceSize = 0;     // its byte size; 0 at start
    std::string ScanMode;            // "Logical" or "Physical", set by each run
    bool StopRequested = false;      // set by Stop, Pause/Cancel, Close; cleared by each scan
    std::int32_t ElapsedTicks = 0;   // one-second ticks (the window's timer)
    platform::PathConstants Paths;   // DevicePrefix, PhysicalDriveStem, VolumeSuffix, RootSuffix
};

}  // namespace reelvane
