#pragma once
// The time-remaining estimate of the status bar. The rate is measured from the start
// of the run's current phase (the scan, then the writing of fragments) and from the
// gauge position that phase began at, so neither the time the program stood idle
// before the run nor the sectors before the range's first one distort it.

#include <cstdint>
#include <optional>

namespace reelvane::ui {

class TimeRemainingEstimate {
public:
    // A phase sets the gauge's range when it starts: the clock restarts here.
    void PhaseStarted(std::int64_t nowMilliseconds);
    // Every position the phase reports; the first one is where the phase began.
    void PositionReported(std::int32_t position);

    // Seconds still needed at this moment, or nothing when there is no rate yet
    // (no phase, nothing done since its start).
    std::optional<std::int32_t> Remaining(std::int32_t position, std::int32_t maximum,
                                          std::int64_t nowMilliseconds) const;

private:
    std::optional<std::int64_t> phaseStart_;
    std::optional<std::int32_t> firstPosition_;
};

}  // namespace reelvane::ui
