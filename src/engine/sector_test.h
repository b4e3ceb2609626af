#pragma once
// Recognises a 512-byte sector that begins with MTS (192-byte) transport-stream packets.

#include <cstddef>
#include <cstdint>

namespace reelvane {

inline constexpr std::int64_t kSectorSize = 512;
inline constexpr std::int64_t kChunkSize = 262144;   // 256 KiB: scan reads and carving copies
inline constexpr std::int64_t kHitSpacing = 1536;    // lcm(192, 512): 3 sectors, 8 packets
inline constexpr std::int64_t kMinimumFragment = 2048;

// True when the sector holds packet starts at 0, 192 and 384: the sync byte 0x47 at
// 4, 196 and 388, and header words (the high halves of the arrival time stamps) that
// do not rise by 16 or more from each packet to the next. Reads nine bytes only.
// The sync bytes are looked at first: almost no sector that is not video has them, so
// the scan of a disk mostly stops after one comparison.
inline bool SectorTest(const unsigned char* sector) noexcept
{
    if (sector[4] != 0x47 || sector[196] != 0x47 || sector[388] != 0x47) return false;
    const int t1 = sector[0] * 256 + sector[1];
    const int t2 = sector[192] * 256 + sector[193];
    const int t3 = sector[384] * 256 + sector[385];
    return !(t2 - t1 > 15 && t3 - t1 > 15 && t3 - t2 > 15);
}

}  // namespace reelvane
