#include "ui/run_view.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

#include "ui/percent_gauge.h"

namespace reelvane::ui {

TRunView::TRunView(Controls controls, TimeRemainingEstimate& estimate, Clock clock)
    : c_(controls), estimate_(estimate), clock_(std::move(clock))
{
}

void TRunView::PumpEvents()
{
    // Everything pending: clicks, the one-second tick, the folder list's updates,
    // repaints. A modal box opened by one of them ("Pause") holds the loop here.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TRunView::SetGaugeRange(std::int32_t minimum, std::int32_t maximum)
{
    c_.gauge->SetRange(minimum, maximum);
    estimate_.PhaseStarted(clock_());
}

void TRunView::SetGaugePosition(std::int32_t position)
{
    c_.gauge->SetPosition(position);
    estimate_.PositionReported(c_.gauge->Position());
}

void TRunView::SetStatusLabel(const std::string& text)
{
    c_.statusLabel->setText(QString::fromStdString(text));
}

void TRunView::SetBackEnabled(bool enabled) { c_.back->setEnabled(enabled); }
void TRunView::SetPauseEnabled(bool enabled) { c_.pause->setEnabled(enabled); }
void TRunView::SetStopEnabled(bool enabled) { c_.stop->setEnabled(enabled); }

std::string TRunView::DestinationText() { return c_.destination->text().toStdString(); }

void TRunView::ReportUnreadable(std::int64_t /*offset*/, std::int64_t length,
                                const std::string& systemText)
{
    if (unreadable_.bytes == 0) unreadable_.systemText = systemText;
    unreadable_.bytes += length;
}

TRunView::Unreadable TRunView::TakeUnreadable()
{
    Unreadable taken = unreadable_;
    unreadable_ = {};
    return taken;
}

}  // namespace reelvane::ui
