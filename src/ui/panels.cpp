#include "ui/panels.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace reelvane::ui {

TPanel::TPanel(QWidget* parent, const QString& name) : QFrame(parent)
{
    if (!name.isEmpty()) setObjectName(name);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
}

namespace {

QBoxLayout* Align(QWidget* panel, QBoxLayout::Direction direction, int border)
{
    auto* layout = new QBoxLayout(direction, panel);
    layout->setContentsMargins(border, border, border, border);
    layout->setSpacing(0);
    return layout;
}

}  // namespace

QBoxLayout* AlignVertically(QWidget* panel, int border)
{
    return Align(panel, QBoxLayout::TopToBottom, border);
}

QBoxLayout* AlignHorizontally(QWidget* panel, int border)
{
    return Align(panel, QBoxLayout::LeftToRight, border);
}

QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& text, int left, int top,
                         int width, int height)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, height);
    return button;
}

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit* PlaceEdit(QWidget* parent, const char* name, const QString& text, int left, int top,
                     int width, int height)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(left, top, width, height);
    return edit;
}

}  // namespace reelvane::ui
