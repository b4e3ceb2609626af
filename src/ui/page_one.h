#pragma once
// Page "One": the two big buttons that choose between a logical partition and a
// physical drive, and the hint line under them.

#include <QPushButton>
#include <QWidget>

class QLabel;

namespace reelvane::ui {

// A big picture button that reports the pointer entering and leaving it.
class TBigButton : public QPushButton {
    Q_OBJECT
public:
    TBigButton(const QString& name, const QString& text, const QString& picture, QWidget* parent);

signals:
    void MouseEnter();
    void MouseLeave();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

class TPageOne : public QWidget {
    Q_OBJECT
public:
    explicit TPageOne(QWidget* parent = nullptr);

    TBigButton* sBBLHD;
    TBigButton* sBBPHD;
    QLabel* memo;
};

// The texts of the hint line and of the balloon hints.
inline const QString kLogicalHint = QStringLiteral(
    "If you delete or format the partition,Please use Logical Partition button to scan and "
    "recover your lost MTS video data.");
inline const QString kPhysicalHint = QStringLiteral(
    "If you can not open your partition,please use Physical Disk Recovery button to scan and "
    "recover your lost MTS video data.");
inline const QString kGeneralHint =
    QStringLiteral("Reelvane can recover all kinds of MTS video file.");

}  // namespace reelvane::ui
