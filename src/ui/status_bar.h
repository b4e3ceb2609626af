#pragma once
// The status bar: the time remaining, the found fragments and the progress bar of
// the device listings.

#include <QFrame>

class QLabel;

namespace reelvane::ui {

class TPercentGauge;

inline const QString kTimeRemainCaption = QStringLiteral("Time Remain:");
inline const QString kFoundFragmentsCaption = QStringLiteral("Found Fragments:");

class TStatusBar : public QFrame {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    QLabel* TimeLable;
    QLabel* SegLabel;
    TPercentGauge* pb;
};

}  // namespace reelvane::ui
