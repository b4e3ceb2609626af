#pragma once

#include <cstdint>
#include <string>

#include "engine/run_observer.h"
#include "engine/session.h"
#include "platform/device.h"

namespace reelvane {

// "Found Fragments: 2 [Approx size: 3KB]" for a hit count.
std::string FoundFragmentsText(std::int64_t hitCount);

// The gauge counts KiB; beyond 2 TiB a larger power-of-two unit keeps the maximum
// inside 32 bits, so the percentage stays right. Returns the unit in bytes.
std::int64_t GaugeUnit(std::int64_t endByte);

// Scans the sectors firstSectorText to lastSectorText of session.DevicePath in
// 256 KiB chunks (every chunk that starts before the last sector's offset is read
// whole, up to the device end), records every sector that passes the sector test,
// and however the scan ends merges the hits and writes the fragments into the
// folder the observer names at that moment. Errors pass on after that clean-up.
void ScanSectors(RecoverySession& session, const std::string& firstSectorText,
                 const std::string& lastSectorText, RunObserver& observer,
                 const platform::Platform& platform);

}  // namespace reelvane
