#pragma once
// Page "Three": the destination folder (tool bar with the up button and the edit,
// the folder list), the run buttons, the scan log and the gauge.

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace reelvane::ui {

class TPercentGauge;
class TShellList;

class TPageThree : public QWidget {
    Q_OBJECT
public:
    explicit TPageThree(QWidget* parent = nullptr);

    QWidget* RzToolbar2;
    QToolButton* sBitBtn1;
    QLineEdit* Destination;
    TShellList* Shelllist;
    QPushButton* sBThreeToTwo;
    QPushButton* PauseBtn;
    QPushButton* StopBtn;
    QPushButton* sBOK;
    QPlainTextEdit* ScanLog;
    TPercentGauge* gg;
};

}  // namespace reelvane::ui
