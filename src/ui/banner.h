#pragma once
// The banner across the top: a white-to-sky-blue gradient, the banner picture over
// it, and the question-mark button that opens the help.

#include <QFrame>

class QLabel;
class QToolButton;

namespace reelvane::ui {

// The gradient background that fills the banner.
class TGradientBackground : public QWidget {
    Q_OBJECT
public:
    explicit TGradientBackground(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

class TBanner : public QFrame {
    Q_OBJECT
public:
    explicit TBanner(QWidget* parent = nullptr);

    TGradientBackground* RzBackground1;
    QLabel* Image1;
    QToolButton* helpme;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace reelvane::ui
