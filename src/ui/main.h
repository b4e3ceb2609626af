#pragma once
// The main window of Reelvane: the banner, the four-page wizard, the status bar and
// the menu, with every handler of the window. It owns the recovery session for the
// life of the program and hands the scan to the engine with its progress page as the
// engine's observer.

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "engine/run_observer.h"
#include "engine/session.h"
#include "ui/time_remaining.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTimer;
class QToolButton;
class QTreeWidget;

namespace reelvane::platform {
class Platform;
}

namespace reelvane::ui {

class TBanner;
class TBigButton;
class TPageFour;
class TPageOne;
class TPageThree;
class TPageTwo;
class TPercentGauge;
class TRunView;
class TShellList;
class TStatusBar;
class WindowServices;

// The web page "About us" opens.
inline const QString kMakerWebAddress = QStringLiteral("https://github.com/reelvane/reelvane");
// The version shown in the menu bar's right corner.
inline const QString kVersionLabel = QStringLiteral("1.5 SR-2");
inline const QString kSaveTitle = QStringLiteral("Please select save path: ");

class TFrmMain : public QMainWindow {
    Q_OBJECT
public:
    using Clock = std::function<std::int64_t()>;   // monotonic milliseconds

    TFrmMain(const platform::Platform& platform, WindowServices& services,
             QWidget* parent = nullptr);
    ~TFrmMain() override;

    RecoverySession& Session() { return session_; }
    // The progress page as the engine's loops see it.
    RunObserver& RunView();
    // The time source of the time-remaining estimate (tests give their own).
    void SetClock(Clock clock);
    // True from a "Next" click until its closing line is written.
    bool RunActive() const { return runActive_; }
    // Places the window in the middle of its screen.
    void CentreOnScreen();

    // Shows the wizard page "One", "Two", "Three" or "Four".
    void ShowPage(const QString& name);
    QString CurrentPage() const;
    // Appends a time-stamped entry and an empty line to the scan log.
    void ScanLogLine(const std::string& message);
    // The scan of the session's device from firstSectorText to lastSectorText; the
    // merge and the writing of fragments follow inside.
    void ScanSectors(const std::string& firstSectorText, const std::string& lastSectorText);
    // Resolves the selected row of the list of the session's ScanMode.
    bool CheckTarget();
    // The folder dialog: (confirmed, path).
    std::pair<bool, QString> SelectSavePath(QWidget* owner, const QString& title);

    // The general error box.
    void ShowError(const QString& message);

    // The handlers, named after their control and event.
    void FormCreate();
    void Image1Click() {}
    void helpmeClick();
    void sBBLHDClick();
    void sBBLHDMouseEnter();
    void sBBLHDMouseLeave();
    void sBBPHDClick();
    void sBBPHDMouseEnter();
    void sBBPHDMouseLeave();
    void LogicalClick();
    void runBtnClick();
    void sBBTwoToOneClick();
    void sBitBtn1Click();
    void ShelllistChange();
    void sBThreeToTwoClick();
    void PauseBtnClick();
    void StopBtnClick();
    void sBOKClick();
    void PhysicalClick();
    void sButton2Click();
    void sButton1Click();
    void ElapsedTimeTimer();
    void LogicalPartitionRecovery1Click();
    void PhysicalDriveRecovery1Click();
    void Exit1Click();
    void HelpManual1Click();
    void Aboutus1Click();

    // The controls, by their layout names.
    TBanner* sPanel3;
    QLabel* Image1;
    QToolButton* helpme;
    QStackedWidget* wizard;
    TPageOne* One;
    TPageTwo* Two;
    TPageThree* Three;
    TPageFour* Four;
    TStatusBar* sStatusBar1;
    QLabel* TimeLable;
    QLabel* SegLabel;
    TPercentGauge* pb;

    TBigButton* sBBLHD;
    TBigButton* sBBPHD;
    QLabel* memo;

    QTreeWidget* Logical;
    QLineEdit* lbeginsec;
    QLineEdit* lendsec;
    QPushButton* sBBTwoToOne;
    QPushButton* runBtn;

    QToolButton* sBitBtn1;
    QLineEdit* Destination;
    TShellList* Shelllist;
    QPushButton* sBThreeToTwo;
    QPushButton* PauseBtn;
    QPushButton* StopBtn;
    QPushButton* sBOK;
    QPlainTextEdit* ScanLog;
    TPercentGauge* gg;

    QTreeWidget* Physical;
    QLineEdit* pbeginsec;
    QLineEdit* pendsec;
    QPushButton* sButton1;
    QPushButton* sButton2;

    QMenu* File1;
    QAction* LogicalPartitionRecovery1;
    QAction* PhysicalDriveRecovery1;
    QAction* Exit1;
    QMenu* Help1;
    QAction* HelpManual1;
    QAction* Aboutus1;
    QLabel* VersionLabel;

    QTimer* ElapsedTime;

protected:
    // FormClose: every closing sets the stop flag; during a run the window stays
    // until the run's handler has written its closing line.
    void closeEvent(QCloseEvent* event) override;

private:
    struct RunMode;
    void BuildMenu();
    void BindHandlers();
    template <typename Sender, typename Signal>
    void Bind(Sender* sender, Signal signal, void (TFrmMain::*handler)())
    {
        connect(sender, signal, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    }
    void Guarded(const std::function<void()>& handler);
    void RunHandler(void (TFrmMain::*handler)());
    void Recover(const RunMode& mode);
    void SetRunActive(bool active);
    void ResetStatusTexts();
    std::int64_t Now() const;

    const platform::Platform& platform_;
    WindowServices& services_;
    RecoverySession session_;
    TimeRemainingEstimate estimate_;
    std::unique_ptr<TRunView> runView_;
    Clock clock_;
    bool runActive_ = false;
    bool closeWhenRunEnds_ = false;
};

}  // namespace reelvane::ui
