#include "ui/main.h"

#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QTreeWidget>

#include "discovery/drive_list.h"
#include "discovery/target.h"
#include "discovery/volume_list.h"
#include "engine/carve.h"
#include "engine/run_texts.h"
#include "engine/scan.h"
#include "engine/scope_exit.h"
#include "engine/size_text.h"
#include "platform/device.h"
#include "ui/banner.h"
#include "ui/error_handler.h"
#include "ui/fonts.h"
#include "ui/page_four.h"
#include "ui/page_one.h"
#include "ui/page_three.h"
#include "ui/page_two.h"
#include "ui/percent_gauge.h"
#include "ui/run_view.h"
#include "ui/shell_list.h"
#include "ui/status_bar.h"
#include "ui/window_services.h"

namespace reelvane::ui {

namespace {

// The big buttons' balloon hints come up 100 ms after the pointer rests on them.
class THintStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == QStyle::SH_ToolTip_WakeUpDelay) return 100;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// A balloon hint's text, wrapped at 400 pixels.
QString BalloonText(const QString& text)
{
    return QStringLiteral("<table width=\"400\"><tr><td>%1</td></tr></table>").arg(text.toHtmlEscaped());
}

// The caption of the first selected row of a list, if any.
std::optional<std::string> SelectedCaption(const QTreeWidget* list)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        if (item->isSelected()) return item->text(0).toStdString();
    }
    return std::nullopt;
}

}  // namespace

// What tells the two runs apart.
struct TFrmMain::RunMode {
    const char* scanMode;
    QString refusal;
    QTreeWidget* list;
    QLineEdit* first;
    QLineEdit* last;
};

TFrmMain::TFrmMain(const platform::Platform& platform, WindowServices& services, QWidget* parent)
    : QMainWindow(parent), platform_(platform), services_(services)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/logical.svg")));

    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    clock_ = [elapsed] { return elapsed->elapsed(); };

    // The client area: banner, wizard, status bar; the window font is inherited by
    // every control without a font of its own (the menu and the message boxes keep
    // the desktop's).
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFont(WindowFont());
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    sPanel3 = new TBanner(client);
    Image1 = sPanel3->Image1;
    helpme = sPanel3->helpme;
    column->addWidget(sPanel3);

    wizard = new QStackedWidget(client);
    wizard->setObjectName(QStringLiteral("wizard"));
    One = new TPageOne(wizard);
    Two = new TPageTwo(wizard);
    Three = new TPageThree(wizard);
    Four = new TPageFour(wizard);
    for (QWidget* page : {static_cast<QWidget*>(One), static_cast<QWidget*>(Two),
                          static_cast<QWidget*>(Three), static_cast<QWidget*>(Four)}) {
        wizard->addWidget(page);
    }
    column->addWidget(wizard, 1);

    sStatusBar1 = new TStatusBar(client);
    TimeLable = sStatusBar1->TimeLable;
    SegLabel = sStatusBar1->SegLabel;
    pb = sStatusBar1->pb;
    column->addWidget(sStatusBar1);
    setCentralWidget(client);

    sBBLHD = One->sBBLHD;
    sBBPHD = One->sBBPHD;
    memo = One->memo;
    Logical = Two->Logical;
    lbeginsec = Two->lbeginsec;
    lendsec = Two->lendsec;
    sBBTwoToOne = Two->sBBTwoToOne;
    runBtn = Two->runBtn;
    sBitBtn1 = Three->sBitBtn1;
    Destination = Three->Destination;
    Shelllist = Three->Shelllist;
    sBThreeToTwo = Three->sBThreeToTwo;
    PauseBtn = Three->PauseBtn;
    StopBtn = Three->StopBtn;
    sBOK = Three->sBOK;
    ScanLog = Three->ScanLog;
    gg = Three->gg;
    Physical = Four->Physical;
    pbeginsec = Four->pbeginsec;
    pendsec = Four->pendsec;
    sButton1 = Four->sButton1;
    sButton2 = Four->sButton2;

    // The balloon hints of the two big buttons.
    auto* hintStyle = new THintStyle;
    hintStyle->setParent(this);
    for (TBigButton* button : {sBBLHD, sBBPHD}) button->setStyle(hintStyle);
    sBBLHD->setToolTip(BalloonText(kLogicalHint));
    sBBPHD->setToolTip(BalloonText(kPhysicalHint));
    QToolTip::setFont(HintFont());

    BuildMenu();

    runView_ = std::make_unique<TRunView>(
        TRunView::Controls{gg, SegLabel, sBThreeToTwo, PauseBtn, StopBtn, Destination}, estimate_,
        [this] { return Now(); });

    ElapsedTime = new QTimer(this);
    ElapsedTime->setObjectName(QStringLiteral("ElapsedTime"));
    ElapsedTime->setInterval(1000);

    BindHandlers();
    ElapsedTime->start();

    // Client area 950 x 573 below the menu bar.
    resize(950, 573 + menuBar()->sizeHint().height());
    FormCreate();
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::BuildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    File1 = bar->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    LogicalPartitionRecovery1 = File1->addAction(QStringLiteral("Logical Partition Recovery"));
    LogicalPartitionRecovery1->setObjectName(QStringLiteral("LogicalPartitionRecovery1"));
    PhysicalDriveRecovery1 = File1->addAction(QStringLiteral("Physical Drive Recovery"));
    PhysicalDriveRecovery1->setObjectName(QStringLiteral("PhysicalDriveRecovery1"));
    File1->addSeparator();
    Exit1 = File1->addAction(QStringLiteral("Exit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    Help1 = bar->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    HelpManual1 = Help1->addAction(QStringLiteral("Help"));
    HelpManual1->setObjectName(QStringLiteral("HelpManual1"));
    Help1->addSeparator();
    Aboutus1 = Help1->addAction(QStringLiteral("About us"));
    Aboutus1->setObjectName(QStringLiteral("Aboutus1"));

    // The toolkit cannot draw into the window manager's frame: the version label
    // stands at the right end of the menu bar instead.
    VersionLabel = new QLabel(kVersionLabel, bar);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    VersionLabel->setContentsMargins(0, 0, 12, 0);
    QPalette grey = VersionLabel->palette();
    grey.setColor(QPalette::WindowText, QColor(0x60, 0x60, 0x60));
    VersionLabel->setPalette(grey);
    bar->setCornerWidget(VersionLabel, Qt::TopRightCorner);
}

void TFrmMain::BindHandlers()
{
    Bind(helpme, &QToolButton::clicked, &TFrmMain::helpmeClick);
    Bind(sBBLHD, &QPushButton::clicked, &TFrmMain::sBBLHDClick);
    Bind(sBBLHD, &TBigButton::MouseEnter, &TFrmMain::sBBLHDMouseEnter);
    Bind(sBBLHD, &TBigButton::MouseLeave, &TFrmMain::sBBLHDMouseLeave);
    Bind(sBBPHD, &QPushButton::clicked, &TFrmMain::sBBPHDClick);
    Bind(sBBPHD, &TBigButton::MouseEnter, &TFrmMain::sBBPHDMouseEnter);
    Bind(sBBPHD, &TBigButton::MouseLeave, &TFrmMain::sBBPHDMouseLeave);
    Bind(Logical, &QTreeWidget::itemClicked, &TFrmMain::LogicalClick);
    connect(runBtn, &QPushButton::clicked, this, [this] { RunHandler(&TFrmMain::runBtnClick); });
    Bind(sBBTwoToOne, &QPushButton::clicked, &TFrmMain::sBBTwoToOneClick);
    Bind(sBitBtn1, &QToolButton::clicked, &TFrmMain::sBitBtn1Click);
    Bind(Shelllist, &TShellList::EntryChanged, &TFrmMain::ShelllistChange);
    Bind(sBThreeToTwo, &QPushButton::clicked, &TFrmMain::sBThreeToTwoClick);
    Bind(PauseBtn, &QPushButton::clicked, &TFrmMain::PauseBtnClick);
    Bind(StopBtn, &QPushButton::clicked, &TFrmMain::StopBtnClick);
    Bind(sBOK, &QPushButton::clicked, &TFrmMain::sBOKClick);
    Bind(Physical, &QTreeWidget::itemClicked, &TFrmMain::PhysicalClick);
    connect(sButton2, &QPushButton::clicked, this, [this] { RunHandler(&TFrmMain::sButton2Click); });
    Bind(sButton1, &QPushButton::clicked, &TFrmMain::sButton1Click);
    Bind(ElapsedTime, &QTimer::timeout, &TFrmMain::ElapsedTimeTimer);
    Bind(LogicalPartitionRecovery1, &QAction::triggered, &TFrmMain::LogicalPartitionRecovery1Click);
    Bind(PhysicalDriveRecovery1, &QAction::triggered, &TFrmMain::PhysicalDriveRecovery1Click);
    Bind(Exit1, &QAction::triggered, &TFrmMain::Exit1Click);
    Bind(HelpManual1, &QAction::triggered, &TFrmMain::HelpManual1Click);
    Bind(Aboutus1, &QAction::triggered, &TFrmMain::Aboutus1Click);
}

void TFrmMain::Guarded(const std::function<void()>& handler)
{
    RunGuarded(handler, [this](const QString& message) { ShowError(message); });
}

void TFrmMain::RunHandler(void (TFrmMain::*handler)())
{
    Guarded([this, handler] { (this->*handler)(); });
    // The window was closed while the run was busy: now that its handler is back,
    // the closing goes ahead.
    if (closeWhenRunEnds_ && !runActive_) {
        closeWhenRunEnds_ = false;
        close();
    }
}

void TFrmMain::ShowError(const QString& message) { services_.ShowError(this, message); }

RunObserver& TFrmMain::RunView() { return *runView_; }

void TFrmMain::SetClock(Clock clock) { clock_ = std::move(clock); }

std::int64_t TFrmMain::Now() const { return clock_(); }

void TFrmMain::CentreOnScreen()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void TFrmMain::ShowPage(const QString& name)
{
    if (auto* page = wizard->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly)) {
        wizard->setCurrentWidget(page);
    }
}

QString TFrmMain::CurrentPage() const { return wizard->currentWidget()->objectName(); }

void TFrmMain::ScanLogLine(const std::string& message)
{
    ScanLog->appendPlainText(QString::fromStdString(ScanLogEntryLine(message, LocalTimeNow())));
    ScanLog->appendPlainText(QString());
}

void TFrmMain::ScanSectors(const std::string& firstSectorText, const std::string& lastSectorText)
{
    reelvane::ScanSectors(session_, firstSectorText, lastSectorText, *runView_, platform_);
}

bool TFrmMain::CheckTarget()
{
    const discovery::SelectedRows rows{SelectedCaption(Logical), SelectedCaption(Physical)};
    return discovery::CheckTarget(session_, rows, platform_);
}

std::pair<bool, QString> TFrmMain::SelectSavePath(QWidget* owner, const QString& title)
{
    const std::optional<QString> chosen = services_.ChooseFolder(owner, title);
    if (!chosen || chosen->isEmpty()) return {false, QString()};
    return {true, *chosen};
}

// ---- start, help, about -------------------------------------------------------

void TFrmMain::FormCreate()
{
    for (TBigButton* button : {sBBLHD, sBBPHD}) button->setToolTipDuration(50000);
    setWindowTitle(QStringLiteral("Reelvane"));
    ShowPage(QStringLiteral("One"));
    try {
        platform_.InitPathConstants(session_.Paths);
    } catch (...) {
        // Without the path constants no device can be named: the window closes.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void TFrmMain::helpmeClick()
{
    services_.OpenDocument(QCoreApplication::applicationDirPath() + QStringLiteral("/help.chm"));
}

void TFrmMain::Aboutus1Click() { services_.OpenWebPage(kMakerWebAddress); }

// ---- page "One": the big buttons, the hint line, the lists -------------------

void TFrmMain::sBBLHDMouseEnter() { memo->setText(kLogicalHint); }
void TFrmMain::sBBPHDMouseEnter() { memo->setText(kPhysicalHint); }
void TFrmMain::sBBLHDMouseLeave() { memo->setText(kGeneralHint); }
void TFrmMain::sBBPHDMouseLeave() { memo->setText(kGeneralHint); }

void TFrmMain::sBBLHDClick()
{
    ShowPage(QStringLiteral("Two"));
    if (Logical->topLevelItemCount() > 0) return;
    const ScopeExit resetProgress([this] { pb->SetPosition(0); });
    const discovery::TNTVolumeList volumes(platform_);
    const int rows = volumes.RowCount();
    if (rows == 0) return;
    pb->SetRange(0, rows - 1);
    const QIcon partition(QStringLiteral(":/pictures/partition_icon.svg"));
    for (int i = 0; i < rows; ++i) {
        pb->SetPosition(i);
        std::vector<std::string> fields = discovery::SplitVolumeRow(volumes.GetRow(i));
        fields.resize(4);
        auto* item = new QTreeWidgetItem(Logical);
        for (int column = 0; column < 4; ++column) {
            item->setText(column, QString::fromStdString(fields[static_cast<std::size_t>(column)]));
        }
        item->setIcon(0, partition);
    }
    WidenColumnsToContents(Logical);
}

void TFrmMain::sBBPHDClick()
{
    ShowPage(QStringLiteral("Four"));
    if (Physical->topLevelItemCount() > 0) return;
    pb->SetRange(0, 2);
    const ScopeExit resetProgress([this] { pb->SetPosition(0); });
    const std::vector<discovery::DriveRow> drives =
        discovery::ListPhysicalDrives(platform_, [this](int n) { pb->SetPosition(n); });
    const QIcon drive(QStringLiteral(":/pictures/drive_icon.svg"));
    for (const discovery::DriveRow& row : drives) {
        auto* item = new QTreeWidgetItem(Physical);
        item->setText(0, QString::fromStdString(row.Caption));
        item->setText(1, QString::fromStdString(row.MediaText));
        item->setText(2, QString::fromStdString(row.SizeText));
        item->setIcon(0, drive);
    }
    WidenColumnsToContents(Physical);
}

void TFrmMain::LogicalClick()
{
    const std::optional<std::string> caption = SelectedCaption(Logical);
    if (!caption) return;
    discovery::ResolvePartitionRow(*caption, session_, platform_);
    const discovery::SectorRange range = discovery::DefaultSectorRange(session_.DeviceSize);
    lbeginsec->setText(QString::fromStdString(range.First));
    lendsec->setText(QString::fromStdString(range.Last));
}

void TFrmMain::PhysicalClick()
{
    const std::optional<std::string> caption = SelectedCaption(Physical);
    if (!caption) return;
    discovery::ResolveDriveRow(*caption, session_, platform_);
    const discovery::SectorRange range = discovery::DefaultSectorRange(session_.DeviceSize);
    pbeginsec->setText(QString::fromStdString(range.First));
    pendsec->setText(QString::fromStdString(range.Last));
}

// ---- navigation ---------------------------------------------------------------

void TFrmMain::ResetStatusTexts()
{
    TimeLable->setText(kTimeRemainCaption);
    SegLabel->setText(kFoundFragmentsCaption);
}

void TFrmMain::sBBTwoToOneClick()
{
    ResetStatusTexts();
    ShowPage(QStringLiteral("One"));
}

void TFrmMain::sButton1Click()
{
    ResetStatusTexts();
    ShowPage(QStringLiteral("One"));
}

void TFrmMain::sBThreeToTwoClick()
{
    ResetStatusTexts();
    ShowPage(QStringLiteral("Two"));
}

// ---- the menu -----------------------------------------------------------------

void TFrmMain::LogicalPartitionRecovery1Click() { sBBLHD->click(); }
void TFrmMain::PhysicalDriveRecovery1Click() { sBBPHD->click(); }
void TFrmMain::Exit1Click() { sBOK->click(); }
void TFrmMain::HelpManual1Click() { helpme->click(); }

// ---- the destination ----------------------------------------------------------

void TFrmMain::ShelllistChange() { Destination->setText(Shelllist->FolderPath()); }

void TFrmMain::sBitBtn1Click() { Shelllist->GoUp(); }

// ---- runs ---------------------------------------------------------------------

void TFrmMain::runBtnClick()
{
    Recover({"Logical", QStringLiteral("Please select Logical Partition to recovery!"), Logical,
             lbeginsec, lendsec});
}

void TFrmMain::sButton2Click()
{
    Recover({"Physical", QStringLiteral("Please select Physical Drive to recovery!"), Physical,
             pbeginsec, pendsec});
}

void TFrmMain::SetRunActive(bool active)
{
    runActive_ = active;
    // One session, one stop flag: a second run cannot be started inside the first.
    for (QWidget* next : {static_cast<QWidget*>(runBtn), static_cast<QWidget*>(sButton2)}) {
        next->setEnabled(!active);
    }
    LogicalPartitionRecovery1->setEnabled(!active);
    PhysicalDriveRecovery1->setEnabled(!active);
}

void TFrmMain::Recover(const RunMode& mode)
{
    if (runActive_) return;
    SetRunActive(true);
    const ScopeExit ended([this] { SetRunActive(false); });

    ScanLogLine(kRecoveringMessage);
    session_.ScanMode = mode.scanMode;
    if (!CheckTarget()) {
        services_.Inform(this, mode.refusal);
    } else if (const auto [confirmed, path] = SelectSavePath(this, kSaveTitle); !confirmed) {
        mode.list->setFocus();
    } else {
        // Refused here, before the page changes: writing the fragments onto the
        // device they are read from would destroy the video being recovered.
        CheckDestinationNotOnSource(path.toStdString(), session_.DevicePath, platform_);
        Shelllist->SetFolderPath(path);
        Destination->setText(path);
        sBThreeToTwo->setEnabled(false);
        ShowPage(QStringLiteral("Three"));
        runView_->TakeUnreadable();
        ScanSectors(mode.first->text().toStdString(), mode.last->text().toStdString());
        const TRunView::Unreadable unreadable = runView_->TakeUnreadable();
        if (unreadable.bytes > 0) {
            ScanLogLine("Could not read " + SizeText(static_cast<std::uint64_t>(unreadable.bytes)) +
                        " of the device (" + unreadable.systemText +
                        "); zeros stand in their place in the files.");
        }
    }
    ScanLogLine(ClosingMessage(SegLabel->text().toStdString()));
}

// ---- run monitoring -----------------------------------------------------------

void TFrmMain::ElapsedTimeTimer()
{
    ++session_.ElapsedTicks;
    if (const auto remaining = estimate_.Remaining(gg->Position(), gg->Maximum(), Now())) {
        TimeLable->setText(QStringLiteral("Time Remain: ") +
                           QString::fromStdString(MinutesSecondsText(*remaining)));
    }
}

void TFrmMain::PauseBtnClick()
{
    // The open question is the pause: the run's loop waits inside this delivery.
    if (!services_.Ask(this, QStringLiteral("Continue?"), QStringLiteral("Pause"))) {
        session_.StopRequested = true;
    }
}

void TFrmMain::StopBtnClick()
{
    session_.StopRequested = true;
    gg->SetPosition(0);
}

void TFrmMain::sBOKClick()
{
    if (!services_.Ask(this, QStringLiteral("Close Reelvane?"), QStringLiteral("Close"))) return;
    session_.StopRequested = true;
    gg->SetPosition(0);
    close();
}

void TFrmMain::closeEvent(QCloseEvent* event)
{
    session_.StopRequested = true;
    gg->SetPosition(0);
    if (runActive_) {
        // The scan stops at its next test; the fragments found are still written and
        // the closing line follows. The window goes when the run's handler returns.
        closeWhenRunEnds_ = true;
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace reelvane::ui
