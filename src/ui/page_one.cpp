#include "ui/page_one.h"

#include <QBoxLayout>
#include <QEnterEvent>
#include <QGraphicsDropShadowEffect>
#include <QIcon>
#include <QLabel>

#include "ui/fonts.h"
#include "ui/panels.h"

namespace reelvane::ui {

TBigButton::TBigButton(const QString& name, const QString& text, const QString& picture,
                       QWidget* parent)
    : QPushButton(QIcon(picture), text, parent)
{
    setObjectName(name);
    setIconSize(QSize(128, 128));
    setFont(WindowFont());
}

void TBigButton::enterEvent(QEnterEvent* event)
{
    QPushButton::enterEvent(event);
    emit MouseEnter();
}

void TBigButton::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    emit MouseLeave();
}

TPageOne::TPageOne(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("One"));
    auto* page = AlignVertically(this, 0);
    auto* panel = new TPanel(this);
    page->addWidget(panel);

    sBBLHD = new TBigButton(QStringLiteral("sBBLHD"), QStringLiteral("Logical Partitions        "),
                            QStringLiteral(":/pictures/logical.svg"), panel);
    sBBLHD->setGeometry(96, 48, 761, 137);
    sBBPHD = new TBigButton(QStringLiteral("sBBPHD"), QStringLiteral("Physical Hard Drives"),
                            QStringLiteral(":/pictures/physical.svg"), panel);
    sBBPHD->setGeometry(96, 216, 761, 137);
    setTabOrder(sBBLHD, sBBPHD);

    memo = new QLabel(panel);
    memo->setObjectName(QStringLiteral("memo"));
    memo->setFont(ArialFont(14, true));
    memo->setStyleSheet(QStringLiteral("color: black;"));
    memo->setFixedHeight(20);
    auto* glow = new QGraphicsDropShadowEffect(memo);
    glow->setColor(QColor(255, 0, 0, 110));
    glow->setOffset(1, 1);
    glow->setBlurRadius(3);
    memo->setGraphicsEffect(glow);
    auto* column = AlignVertically(panel, 0);
    column->addStretch(1);
    column->addWidget(memo);
}

}  // namespace reelvane::ui
