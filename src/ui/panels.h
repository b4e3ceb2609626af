#pragma once
// Small building blocks of the pages: a panel with a one-pixel raised border whose
// children are placed either at fixed positions or by alignment (top, bottom, left,
// right, fill), as the window's layout describes them.

#include <QFrame>
#include <QString>

class QAbstractButton;
class QBoxLayout;
class QPushButton;
class QLabel;
class QLineEdit;

namespace reelvane::ui {

class TPanel : public QFrame {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent = nullptr, const QString& name = {});
};

// A vertical or horizontal stack of aligned children (a panel's frame already keeps
// them inside its border).
QBoxLayout* AlignVertically(QWidget* panel, int border);
QBoxLayout* AlignHorizontally(QWidget* panel, int border);

// A push button at a fixed place, with its name as its object name.
QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& text, int left, int top,
                         int width, int height);
// A label at a fixed place.
QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, int left, int top);
// A one-line edit at a fixed place.
QLineEdit* PlaceEdit(QWidget* parent, const char* name, const QString& text, int left, int top,
                     int width, int height);

}  // namespace reelvane::ui
