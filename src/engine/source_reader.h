#pragma once
// Reading the source the way a recovery must: every read says how much it got, the
// parts that could not be read are retried sector by sector, and what stays
// unreadable is reported and replaced by zeros, never by stale buffer bytes.

#include <cstddef>
#include <cstdint>

#include "engine/run_observer.h"
#include "platform/device.h"

namespace reelvane {

class SourceReader {
public:
    SourceReader(platform::Stream& stream, const platform::Platform& platform,
                 RunObserver& observer)
        : stream_(stream), platform_(platform), observer_(observer) {}

    // Fills buffer[0, length) with the source bytes at offset. Bytes that cannot be
    // read (an error, or the source ending early) are zeros and are reported to the
    // observer as unreadable ranges. Returns the number of bytes that were read.
    std::size_t Read(std::int64_t offset, unsigned char* buffer, std::size_t length);

    std::int64_t UnreadableBytes() const { return unreadable_; }

private:
    void Unreadable(std::int64_t offset, std::int64_t length, int error);

    platform::Stream& stream_;
    const platform::Platform& platform_;
    RunObserver& observer_;
    std::int64_t unreadable_ = 0;
};

}  // namespace reelvane
