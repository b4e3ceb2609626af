#include "ui/banner.h"

#include <QIcon>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QToolButton>

namespace reelvane::ui {

TGradientBackground::TGradientBackground(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RzBackground1"));
}

void TGradientBackground::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, width(), 0);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, QColor(0x87, 0xce, 0xeb));   // sky blue
    painter.fillRect(rect(), gradient);
}

TBanner::TBanner(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("sPanel3"));
    setFixedHeight(113);
    setAutoFillBackground(true);
    QPalette caption = palette();
    caption.setColor(QPalette::Window, palette().color(QPalette::Active, QPalette::Highlight));
    setPalette(caption);

    RzBackground1 = new TGradientBackground(this);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(1, 1, 948, 111);
    Image1->setPixmap(QIcon(QStringLiteral(":/pictures/banner.svg")).pixmap(948, 111));
    Image1->setAttribute(Qt::WA_TranslucentBackground);

    helpme = new QToolButton(this);
    helpme->setObjectName(QStringLiteral("helpme"));
    helpme->setGeometry(878, 28, 57, 57);
    helpme->setAutoRaise(true);
    helpme->setIcon(QIcon(QStringLiteral(":/pictures/helpme.svg")));
    helpme->setIconSize(QSize(52, 52));
    helpme->setCursor(Qt::PointingHandCursor);
}

void TBanner::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    RzBackground1->setGeometry(rect());
    // The question mark keeps its distance from the right edge as the window widens.
    helpme->move(width() - 72, 28);
}

}  // namespace reelvane::ui
