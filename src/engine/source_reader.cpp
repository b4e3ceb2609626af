#include "engine/source_reader.h"

#include <algorithm>
#include <cstring>

#include "engine/sector_test.h"

namespace reelvane {

std::size_t SourceReader::Read(std::int64_t offset, unsigned char* buffer, std::size_t length)
{
    std::size_t done = 0;
    while (done < length) {
        const platform::IoResult r =
            stream_.ReadAt(offset + static_cast<std::int64_t>(done), buffer + done, length - done);
        if (r.bytes == 0) break;
        done += r.bytes;
    }
    if (done == length) return done;

    // Something stopped the read early: go on one sector at a time from the sector
    // where it stopped, so that a bad sector costs 512 bytes and not a whole chunk.
    constexpr auto kSector = static_cast<std::size_t>(kSectorSize);
    std::size_t readTotal = done - done % kSector;
    std::int64_t badStart = -1;
    std::int64_t badLength = 0;
    int badError = 0;
    for (std::size_t at = readTotal; at < length; at += kSector) {
        const std::size_t want = std::min(kSector, length - at);
        const std::int64_t where = offset + static_cast<std::int64_t>(at);
        std::size_t got = 0;
        int error = 0;
        while (got < want) {
            const platform::IoResult r =
                stream_.ReadAt(where + static_cast<std::int64_t>(got), buffer + at + got, want - got);
            if (r.bytes == 0) {
                error = r.error;
                break;
            }
            got += r.bytes;
        }
        readTotal += got;
        if (got == want) continue;
        std::memset(buffer + at + got, 0, want - got);
        const std::int64_t missingAt = where + static_cast<std::int64_t>(got);
        const auto missing = static_cast<std::int64_t>(want - got);
        if (badStart >= 0 && badStart + badLength == missingAt && badError == error) {
            badLength += missing;
        } else {
            if (badStart >= 0) Unreadable(badStart, badLength, badError);
            badStart = missingAt;
            badLength = missing;
            badError = error;
        }
    }
    if (badStart >= 0) Unreadable(badStart, badLength, badError);
    return readTotal;
}

void SourceReader::Unreadable(std::int64_t offset, std::int64_t length, int error)
{
    unreadable_ += length;
    observer_.ReportUnreadable(offset, length,
                               error != 0 ? platform_.ErrorText(error) : "The source ended early");
}

}  // namespace reelvane
