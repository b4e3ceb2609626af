#pragma once
// Turning a chosen row of either list into the session's DevicePath and DeviceSize,
// and the default sector range.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/session.h"
#include "platform/device.h"

namespace reelvane::discovery {

// "Backup (old)(sdb1:)" -> "sdb1": between the caption's last "(" and its ":)".
std::string PartitionNameOfCaption(const std::string& caption);

// DevicePath = DevicePrefix + name; DeviceSize = the partition's own byte size.
void ResolvePartitionRow(const std::string& caption, RecoverySession& session,
                         const platform::Platform& platform);

// "Hard Drive2" -> drive 2's path; DeviceSize from GetDiskSize. Throws the open
// error when the drive cannot be opened (DevicePath is then already set).
void ResolveDriveRow(const std::string& caption, RecoverySession& session,
                     const platform::Platform& platform);

struct SectorRange {
    std::string First;   // "0"
    std::string Last;    // size div 512 - 1, or "0"
};
SectorRange DefaultSectorRange(std::int64_t deviceSize);

// The selected row (caption) of each list, if it has one.
struct SelectedRows {
    std::optional<std::string> Logical;
    std::optional<std::string> Physical;
};

// Resolves the selected row of the list named by session.ScanMode ("Logical" or
// "Physical"); false when that list has no selected row (nothing is changed).
bool CheckTarget(RecoverySession& session, const SelectedRows& rows,
                 const platform::Platform& platform);

}  // namespace reelvane::discovery
