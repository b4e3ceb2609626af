#pragma once
// A progress bar with the gauge's rules: a 32-bit range and a position that is
// clamped into it (a plain QProgressBar ignores an out-of-range value and turns an
// empty range into a busy indicator), the text showing the percentage and "%".

#include <QProgressBar>
#include <cstdint>

namespace reelvane::ui {

class TPercentGauge : public QProgressBar {
    Q_OBJECT
public:
    explicit TPercentGauge(QWidget* parent = nullptr);

    void SetRange(std::int32_t minimum, std::int32_t maximum);
    void SetPosition(std::int32_t position);

    std::int32_t Minimum() const { return minimum_; }
    std::int32_t Maximum() const { return maximum_; }
    std::int32_t Position() const { return position_; }

private:
    void Show();

    std::int32_t minimum_ = 0;
    std::int32_t maximum_ = 100;
    std::int32_t position_ = 0;
};

}  // namespace reelvane::ui
