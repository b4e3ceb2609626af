#include "ui/percent_gauge.h"

#include <algorithm>

namespace reelvane::ui {

TPercentGauge::TPercentGauge(QWidget* parent) : QProgressBar(parent)
{
    setTextVisible(true);
    setFormat(QStringLiteral("%p%"));
    setAlignment(Qt::AlignCenter);
    Show();
}

void TPercentGauge::SetRange(std::int32_t minimum, std::int32_t maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    position_ = std::clamp(position_, minimum_, maximum_);
    Show();
}

void TPercentGauge::SetPosition(std::int32_t position)
{
    position_ = std::clamp(position, minimum_, maximum_);
    Show();
}

void TPercentGauge::Show()
{
    // An empty range shows as 0 % rather than as Qt's busy indicator.
    if (maximum_ == minimum_) {
        setRange(0, 1);
        setValue(0);
        return;
    }
    setRange(minimum_, maximum_);
    setValue(position_);
}

}  // namespace reelvane::ui
