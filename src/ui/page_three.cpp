#include "ui/page_three.h"

#include <QBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "ui/fonts.h"
#include "ui/panels.h"
#include "ui/percent_gauge.h"
#include "ui/shell_list.h"

namespace reelvane::ui {

namespace {

// The tool bar above the folder list, with its grooved line along the top edge.
class TToolbar : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(0, 0, width(), 0);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(0, 1, width(), 1);
    }
};

}  // namespace

TPageThree::TPageThree(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Three"));
    auto* page = AlignVertically(this, 0);
    auto* panel = new TPanel(this);
    page->addWidget(panel);
    auto* inside = AlignVertically(panel, 0);

    auto* area = new TPanel(panel);
    auto* column = AlignVertically(area, 0);

    RzToolbar2 = new TToolbar(area);
    RzToolbar2->setObjectName(QStringLiteral("RzToolbar2"));
    RzToolbar2->setFixedHeight(29);
    sBitBtn1 = new QToolButton(RzToolbar2);
    sBitBtn1->setObjectName(QStringLiteral("sBitBtn1"));
    sBitBtn1->setGeometry(4, 2, 45, 25);
    sBitBtn1->setIcon(QIcon(QStringLiteral(":/pictures/up_arrow.svg")));
    sBitBtn1->setIconSize(QSize(32, 21));
    sBitBtn1->setToolTipDuration(0);
    Destination = new QLineEdit(RzToolbar2);
    Destination->setObjectName(QStringLiteral("Destination"));
    Destination->setGeometry(49, 2, 877, 24);
    Destination->setFont(ArialFont(14, false));
    column->addWidget(RzToolbar2);

    Shelllist = new TShellList(area);
    Shelllist->setObjectName(QStringLiteral("Shelllist"));
    Shelllist->setFont(ArialFont(14, false));
    column->addWidget(Shelllist, 1);

    auto* buttons = new QWidget(area);
    buttons->setFixedHeight(62);
    const QFont buttonFont = ArialFont(19, true);
    sBThreeToTwo = PlaceButton(buttons, "sBThreeToTwo", QStringLiteral("Back"), 40, 13, 89, 41);
    PauseBtn = PlaceButton(buttons, "PauseBtn", QStringLiteral("Pause"), 280, 13, 89, 41);
    StopBtn = PlaceButton(buttons, "StopBtn", QStringLiteral("Stop"), 536, 13, 89, 41);
    sBOK = PlaceButton(buttons, "sBOK", QStringLiteral("Close"), 808, 13, 89, 41);
    for (QPushButton* button : {sBThreeToTwo, PauseBtn, StopBtn, sBOK}) button->setFont(buttonFont);
    column->addWidget(buttons);
    inside->addWidget(area, 1);

    auto* bottom = new TPanel(panel);
    bottom->setFixedHeight(111);
    auto* logColumn = AlignVertically(bottom, 0);
    ScanLog = new QPlainTextEdit(bottom);
    ScanLog->setObjectName(QStringLiteral("ScanLog"));
    ScanLog->setReadOnly(true);
    ScanLog->setFont(SongFont());
    ScanLog->setStyleSheet(QStringLiteral("QPlainTextEdit { background: white; }"));
    logColumn->addWidget(ScanLog, 1);
    gg = new TPercentGauge(bottom);
    gg->setObjectName(QStringLiteral("gg"));
    gg->setFixedHeight(22);
    gg->setStyleSheet(QStringLiteral("QProgressBar { color: black; }"));
    logColumn->addWidget(gg);
    inside->addWidget(bottom);

    setTabOrder(Destination, Shelllist);
    setTabOrder(Shelllist, sBOK);
    setTabOrder(sBOK, StopBtn);
    setTabOrder(StopBtn, PauseBtn);
    setTabOrder(PauseBtn, sBThreeToTwo);
}

}  // namespace reelvane::ui
