#pragma once
// An observer that records what the engine tells it and can act inside its event
// deliveries, as the window's handlers do: stop the scan, change the destination.

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/run_observer.h"
#include "engine/session.h"

namespace reelvane::testing {

class RecordingObserver : public RunObserver {
public:
    explicit RecordingObserver(RecoverySession& session, std::string folder = "/out")
        : session_(session), destination(std::move(folder)) {}

    void PumpEvents() override
    {
        ++pumps;
        if (onPump) onPump(pumps);
    }
    void SetGaugeRange(std::int32_t minimum, std::int32_t maximum) override
    {
        gaugeMin = minimum;
        gaugeMax = maximum;
        events.push_back("range " + std::to_string(minimum) + " " + std::to_string(maximum));
    }
    void SetGaugePosition(std::int32_t position) override
    {
        gaugePos = position;
        positions.push_back(position);
    }
    void SetStatusLabel(const std::string& text) override { label = text; }
    void SetBackEnabled(bool enabled) override { events.push_back(enabled ? "back on" : "back off"); }
    void SetPauseEnabled(bool enabled) override { events.push_back(enabled ? "pause on" : "pause off"); }
    void SetStopEnabled(bool enabled) override { events.push_back(enabled ? "stop on" : "stop off"); }
    std::string DestinationText() override { return destination; }
    void ReportUnreadable(std::int64_t offset, std::int64_t length, const std::string& text) override
    {
        unreadable.emplace_back(offset, length, text);
    }

    // Stops the scan from inside the n-th event delivery, as "Stop" would.
    void StopAtPump(int n)
    {
        onPump = [this, n](int pump) {
            if (pump == n) session_.StopRequested = true;
        };
    }

    RecoverySession& session_;
    std::string destination;
    std::function<void(int)> onPump;
    int pumps = 0;
    std::int32_t gaugeMin = 0, gaugeMax = 0, gaugePos = 0;
    std::vector<std::int32_t> positions;
    std::vector<std::string> events;
    std::string label = "Found Fragments:";
    std::vector<std::tuple<std::int64_t, std::int64_t, std::string>> unreadable;
};

}  // namespace reelvane::testing
