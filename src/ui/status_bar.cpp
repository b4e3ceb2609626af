#include "ui/status_bar.h"

#include <QBoxLayout>
#include <QLabel>

#include "ui/fonts.h"
#include "ui/panels.h"
#include "ui/percent_gauge.h"

namespace reelvane::ui {

TStatusBar::TStatusBar(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("sStatusBar1"));
    setFixedHeight(24);
    setFrameShape(QFrame::NoFrame);
    auto* row = AlignHorizontally(this, 0);

    const auto makeLabel = [this](const char* name, const QString& text, int width) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(ArialFont(14, true));
        QPalette black = label->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(black);
        label->setFixedWidth(width);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setContentsMargins(4, 0, 0, 0);
        return label;
    };
    TimeLable = makeLabel("TimeLable", kTimeRemainCaption, 247);
    SegLabel = makeLabel("SegLabel", kFoundFragmentsCaption, 442);
    pb = new TPercentGauge(this);
    pb->setObjectName(QStringLiteral("pb"));
    pb->setTextVisible(false);
    pb->SetRange(0, 100);
    row->addWidget(TimeLable);
    row->addWidget(SegLabel);
    row->addWidget(pb, 1);
}

}  // namespace reelvane::ui
