#pragma once
// Page "Four": the physical drive list, the sector range beside it, "Back" and "Next".

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace reelvane::ui {

class TPageFour : public QWidget {
    Q_OBJECT
public:
    explicit TPageFour(QWidget* parent = nullptr);

    QTreeWidget* Physical;
    QLabel* sLabel3;
    QLineEdit* pbeginsec;
    QLabel* sLabel4;
    QLineEdit* pendsec;
    QLabel* Image4;
    QPushButton* sButton1;
    QPushButton* sButton2;
};

}  // namespace reelvane::ui
