#pragma once
// What the engine's long loops tell the one who watches them (the wizard window, the
// command-line carver, a test) and what they ask of it. The loops call it on their
// own thread; handlers that run inside PumpEvents reach the run only through the
// RecoverySession (StopRequested) and through what this interface reads back.

#include <cstdint>
#include <string>

namespace reelvane {

class RunObserver {
public:
    virtual ~RunObserver() = default;

    // Lets pending window events run (once per scan chunk, per fragment, per copy chunk).
    virtual void PumpEvents() = 0;

    // The gauge: 32-bit signed range and position, clamped by whoever draws it.
    virtual void SetGaugeRange(std::int32_t minimum, std::int32_t maximum) = 0;
    virtual void SetGaugePosition(std::int32_t position) = 0;

    // The status label ("Found Fragments: 2 [Approx size: 3KB]").
    virtual void SetStatusLabel(const std::string& text) = 0;

    // "Back" on the progress page, "Pause" and "Stop".
    virtual void SetBackEnabled(bool enabled) = 0;
    virtual void SetPauseEnabled(bool enabled) = 0;
    virtual void SetStopEnabled(bool enabled) = 0;

    // The destination folder as it reads at this moment (the scan asks when it ends).
    virtual std::string DestinationText() = 0;

    // Bytes of the source that could not be read; the engine carries on with zeros
    // in their place (the scan finds nothing there, the carving writes zeros).
    virtual void ReportUnreadable(std::int64_t /*offset*/, std::int64_t /*length*/,
                                  const std::string& /*systemText*/) {}

    // Progress in bytes, for a terminal's progress line: before each scan chunk, and
    // before each chunk a fragment's copy writes.
    virtual void ScanProgress(std::int64_t /*position*/, std::int64_t /*end*/,
                              std::int64_t /*hitCount*/) {}
    virtual void CarveProgress(std::size_t /*index*/, std::size_t /*lines*/,
                               std::int64_t /*copied*/, std::int64_t /*length*/) {}
    // A fragment file that is complete.
    virtual void FragmentWritten(const std::string& /*path*/, std::int64_t /*bytes*/) {}
};

}  // namespace reelvane
