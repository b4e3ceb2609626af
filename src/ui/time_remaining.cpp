#include "ui/time_remaining.h"

#include <algorithm>
#include <limits>

namespace reelvane::ui {

void TimeRemainingEstimate::PhaseStarted(std::int64_t nowMilliseconds)
{
    phaseStart_ = nowMilliseconds;
    firstPosition_.reset();
}

void TimeRemainingEstimate::PositionReported(std::int32_t position)
{
    if (phaseStart_ && !firstPosition_) firstPosition_ = position;
}

std::optional<std::int32_t> TimeRemainingEstimate::Remaining(std::int32_t position,
                                                             std::int32_t maximum,
                                                             std::int64_t nowMilliseconds) const
{
    if (!phaseStart_ || !firstPosition_) return std::nullopt;
    const std::int64_t done = std::int64_t{position} - *firstPosition_;
    const std::int64_t elapsed = nowMilliseconds - *phaseStart_;
    // At rest, after a stop (the gauge back at 0) or before anything moved, there is
    // no rate and the label keeps what it shows.
    if (done <= 0 || elapsed <= 0) return std::nullopt;
    const std::int64_t left = std::max<std::int64_t>(0, std::int64_t{maximum} - position);
    // left / (done / elapsed seconds), kept in integers: both factors fit easily.
    const std::int64_t seconds = left * elapsed / (done * 1000);
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(seconds, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace reelvane::ui
