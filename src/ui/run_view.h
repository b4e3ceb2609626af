#pragma once
// The progress page as the engine's loops see it: the gauge, the status label, the
// three run buttons and the destination edit, with Qt's events let run at every
// step the loops offer. It also starts the time-remaining estimate's phases and adds
// up the bytes that could not be read.

#include <QElapsedTimer>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/run_observer.h"
#include "ui/time_remaining.h"

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace reelvane::ui {

class TPercentGauge;

class TRunView : public RunObserver {
public:
    struct Controls {
        TPercentGauge* gauge;
        QLabel* statusLabel;
        QAbstractButton* back;
        QAbstractButton* pause;
        QAbstractButton* stop;
        QLineEdit* destination;
    };
    using Clock = std::function<std::int64_t()>;   // milliseconds, monotonic

    TRunView(Controls controls, TimeRemainingEstimate& estimate, Clock clock);

    void PumpEvents() override;
    void SetGaugeRange(std::int32_t minimum, std::int32_t maximum) override;
    void SetGaugePosition(std::int32_t position) override;
    void SetStatusLabel(const std::string& text) override;
    void SetBackEnabled(bool enabled) override;
    void SetPauseEnabled(bool enabled) override;
    void SetStopEnabled(bool enabled) override;
    std::string DestinationText() override;
    void ReportUnreadable(std::int64_t offset, std::int64_t length,
                          const std::string& systemText) override;

    // Unreadable bytes since the last call, with the first system text; then reset.
    struct Unreadable {
        std::int64_t bytes = 0;
        std::string systemText;
    };
    Unreadable TakeUnreadable();

private:
    Controls c_;
    TimeRemainingEstimate& estimate_;
    Clock clock_;
    Unreadable unreadable_;
};

}  // namespace reelvane::ui
