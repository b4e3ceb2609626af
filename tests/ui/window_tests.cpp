// The window without a run: its start state and layout, the page changes, the hint
// line, the menu, the folder list, the time-remaining estimate, the buttons of the
// progress page at rest, and the general error handler.

#include <QAbstractButton>
#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "ui/error_handler.h"
#include "ui/page_one.h"
#include "ui/percent_gauge.h"
#include "ui/shell_list.h"
#include "ui/time_remaining.h"
#include "window_fixture.h"

using namespace reelvane;
using namespace reelvane::ui;
using namespace reelvane::ui::testing;

class WindowTests : public QObject {
    Q_OBJECT
private slots:
    void init() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void startsOnPageOneWithEmptyTexts()
    {
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Reelvane"));
        QCOMPARE(w.CurrentPage(), QStringLiteral("One"));
        QCOMPARE(w.memo->text(), QString());
        QCOMPARE(w.TimeLable->text(), QStringLiteral("Time Remain:"));
        QCOMPARE(w.SegLabel->text(), QStringLiteral("Found Fragments:"));
        for (QLineEdit* edit : {w.lbeginsec, w.lendsec, w.pbeginsec, w.pendsec}) {
            QCOMPARE(edit->text(), QStringLiteral("0"));
        }
        QCOMPARE(w.Destination->text(), QString());
        QCOMPARE(w.ScanLog->toPlainText(), QString());
        QCOMPARE(w.gg->Position(), 0);
        QCOMPARE(w.Session().DevicePath, std::string());
        QCOMPARE(w.Session().Paths.DevicePrefix, t.tree.Root().toStdString() + "/dev/");
        QVERIFY(w.ElapsedTime->isActive());
        QCOMPARE(w.ElapsedTime->interval(), 1000);
        QCOMPARE(w.sBBLHD->toolTipDuration(), 50000);
        QVERIFY(w.sBBLHD->toolTip().contains(kLogicalHint));
        QVERIFY(w.sBBPHD->toolTip().contains(kPhysicalHint));
        QCOMPARE(w.sBBLHD->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, w.sBBLHD), 100);
        QCOMPARE(w.sBBLHD->text(), QStringLiteral("Logical Partitions        "));
        QCOMPARE(w.sBBPHD->text(), QStringLiteral("Physical Hard Drives"));
    }

    void theLayoutHasTheNamedControlsInPlace()
    {
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(w.centralWidget()->size(), QSize(950, 573));
        QCOMPARE(w.sPanel3->size(), QSize(950, 113));
        QCOMPARE(w.Image1->geometry(), QRect(1, 1, 948, 111));
        QCOMPARE(w.helpme->geometry(), QRect(878, 28, 57, 57));
        QCOMPARE(w.wizard->size(), QSize(950, 436));
        QCOMPARE(w.sStatusBar1->size(), QSize(950, 24));
        QCOMPARE(w.TimeLable->width(), 247);
        QCOMPARE(w.SegLabel->width(), 442);
        QCOMPARE(w.pb->width(), 261);
        QCOMPARE(w.sBBLHD->geometry(), QRect(96, 48, 761, 137));
        QCOMPARE(w.sBBPHD->geometry(), QRect(96, 216, 761, 137));
        QCOMPARE(w.sBBLHD->iconSize(), QSize(128, 128));
        QCOMPARE(w.memo->geometry(), QRect(1, 415, 948, 20));
        // The other pages are laid out as soon as they are shown.
        for (const char* page : {"Two", "Three", "Four"}) {
            w.ShowPage(QString::fromLatin1(page));
            QCoreApplication::processEvents();
        }
        QCOMPARE(w.Logical->size(), QSize(719, 359));
        QCOMPARE(w.Logical->iconSize(), QSize(64, 64));
        QCOMPARE(w.lbeginsec->geometry(), QRect(16, 43, 113, 20));
        QCOMPARE(w.lendsec->geometry(), QRect(16, 107, 113, 20));
        QCOMPARE(w.runBtn->geometry(), QRect(848, 16, 89, 41));
        QCOMPARE(w.sBBTwoToOne->geometry(), QRect(16, 16, 89, 41));
        QCOMPARE(w.Physical->size(), QSize(719, 361));
        QCOMPARE(w.sButton2->geometry(), QRect(848, 16, 89, 41));
        QCOMPARE(w.Destination->geometry(), QRect(49, 2, 877, 24));
        QCOMPARE(w.sBitBtn1->geometry(), QRect(4, 2, 45, 25));
        QCOMPARE(w.Shelllist->size(), QSize(946, 230));
        QCOMPARE(w.ScanLog->size(), QSize(946, 87));
        QCOMPARE(w.gg->size(), QSize(946, 22));
        const std::pair<QPushButton*, int> buttons[] = {
            {w.sBThreeToTwo, 40}, {w.PauseBtn, 280}, {w.StopBtn, 536}, {w.sBOK, 808}};
        for (const auto& [button, left] : buttons) {
            QCOMPARE(button->geometry(), QRect(left, 13, 89, 41));
        }
        QCOMPARE(w.Logical->headerItem()->text(3), QStringLiteral("Size"));
        QCOMPARE(w.Physical->headerItem()->text(1), QStringLiteral("Device Type"));
        // Every control named as in the layout can be found by that name.
        for (const char* name : {"sPanel3", "RzBackground1", "Image1", "helpme", "wizard", "One", "Two",
                                 "Three", "Four", "sStatusBar1", "TimeLable", "SegLabel", "pb",
                                 "sBBLHD", "sBBPHD", "memo", "Logical", "sLabel1", "lbeginsec",
                                 "sLabel2", "lendsec", "Image2", "sBBTwoToOne", "runBtn",
                                 "RzToolbar2", "sBitBtn1", "Destination", "Shelllist",
                                 "sBThreeToTwo", "PauseBtn", "StopBtn", "sBOK", "ScanLog", "gg",
                                 "Physical", "sLabel3", "pbeginsec", "sLabel4", "pendsec", "Image4",
                                 "sButton1", "sButton2"}) {
            QVERIFY2(w.findChild<QWidget*>(QString::fromLatin1(name)), name);
        }
        QCOMPARE(w.VersionLabel->text(), QStringLiteral("1.5 SR-2"));
        QCOMPARE(w.menuBar()->cornerWidget(Qt::TopRightCorner), w.VersionLabel);
    }

    void tabOrderFollowsTheLayout()
    {
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        const auto next = [](QWidget* from) {
            QWidget* candidate = from->nextInFocusChain();
            while (candidate != from && !(candidate->focusPolicy() & Qt::TabFocus)) {
                candidate = candidate->nextInFocusChain();
            }
            return candidate;
        };
        QCOMPARE(next(w.sBBLHD), static_cast<QWidget*>(w.sBBPHD));
        QCOMPARE(next(w.runBtn), static_cast<QWidget*>(w.sBBTwoToOne));
        QCOMPARE(next(w.sButton2), static_cast<QWidget*>(w.sButton1));
        QCOMPARE(next(w.sBOK), static_cast<QWidget*>(w.StopBtn));
        QCOMPARE(next(w.StopBtn), static_cast<QWidget*>(w.PauseBtn));
        QCOMPARE(next(w.PauseBtn), static_cast<QWidget*>(w.sBThreeToTwo));
    }

    void theBigButtonsFillTheirListsOnce()
    {
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        w.sBBLHD->click();
        QCOMPARE(w.CurrentPage(), QStringLiteral("Two"));
        QCOMPARE(w.Logical->topLevelItemCount(), 1);
        const QTreeWidgetItem* row = w.Logical->topLevelItem(0);
        QCOMPARE(row->text(0), QStringLiteral("(sdc1:)"));
        QCOMPARE(row->text(1), QStringLiteral("Removable_Drive0"));
        QCOMPARE(row->text(3), QStringLiteral("[0.00MB/0.00GB]"));
        QVERIFY(!row->icon(0).isNull());
        QCOMPARE(w.pb->Position(), 0);
        w.sBBPHD->click();
        QCOMPARE(w.CurrentPage(), QStringLiteral("Four"));
        QCOMPARE(w.Physical->topLevelItemCount(), 1);
        QCOMPARE(w.Physical->topLevelItem(0)->text(0), QStringLiteral("Hard Drive0"));
        QCOMPARE(w.Physical->topLevelItem(0)->text(1), QStringLiteral("Removable Drive"));
        QCOMPARE(w.Physical->topLevelItem(0)->text(2), QStringLiteral("[3MB]"));
        QCOMPARE(w.pb->Position(), 0);
        // A second visit shows the same rows: the lists are not built again.
        w.Logical->topLevelItem(0)->setText(2, QStringLiteral("marked"));
        w.LogicalPartitionRecovery1->trigger();
        QCOMPARE(w.Logical->topLevelItemCount(), 1);
        QCOMPARE(w.Logical->topLevelItem(0)->text(2), QStringLiteral("marked"));
        w.PhysicalDriveRecovery1->trigger();
        QCOMPARE(w.CurrentPage(), QStringLiteral("Four"));
        QCOMPARE(w.Physical->topLevelItemCount(), 1);
    }

    // The layout gives each column 150 pixels, too few for a labelled partition's
    // caption beside its 64 x 64 icon: the column widens rather than cut it short.
    void aLabelledPartitionsCaptionIsShownWhole()
    {
        const QString camera = QFINDTESTDATA("../fixtures/sysroot-camera");
        QVERIFY(!camera.isEmpty());
        WindowUnderTest t([&camera](const std::string&) {
            return std::make_unique<platform::LinuxPlatform>(camera.toStdString());
        });
        TFrmMain& w = *t.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.sBBLHD->click();
        QCOMPARE(w.Logical->topLevelItemCount(), 1);
        QCOMPARE(w.Logical->topLevelItem(0)->text(0), QStringLiteral("CAMERA(sdc1:)"));
        const int needed = w.Logical->iconSize().width() +
                           QFontMetrics(w.Logical->font()).horizontalAdvance(QStringLiteral("CAMERA(sdc1:)"));
        QVERIFY(needed > 150);
        QVERIFY(w.Logical->columnWidth(0) > needed);
        for (int column = 1; column < 4; ++column) QVERIFY(w.Logical->columnWidth(column) >= 150);
    }

    void aClickOnARowFillsTheRange()
    {
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        w.sBBLHD->click();
        w.LogicalClick();   // no row selected: nothing changes
        QCOMPARE(w.lendsec->text(), QStringLiteral("0"));
        QCOMPARE(w.Session().DevicePath, std::string());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTreeWidgetItem* row = w.Logical->topLevelItem(0);
        QTest::mouseClick(w.Logical->viewport(), Qt::LeftButton, {},
                          w.Logical->visualItemRect(row).center());
        QCOMPARE(w.Session().DevicePath, t.tree.Root().toStdString() + "/dev/sdc1");
        QCOMPARE(w.Session().DeviceSize, std::int64_t{2 * 1024 * 1024});
        QCOMPARE(w.lbeginsec->text(), QStringLiteral("0"));
        QCOMPARE(w.lendsec->text(), QStringLiteral("4095"));
    }

    void backButtonsResetTheStatusTexts_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("to");
        QTest::newRow("Two") << "Two" << "sBBTwoToOne" << "One";
        QTest::newRow("Four") << "Four" << "sButton1" << "One";
        QTest::newRow("Three") << "Three" << "sBThreeToTwo" << "Two";
    }
    void backButtonsResetTheStatusTexts()
    {
        QFETCH(QString, from);
        QFETCH(QString, button);
        QFETCH(QString, to);
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        w.ShowPage(from);
        w.TimeLable->setText(QStringLiteral("Time Remain: 1 : 5"));
        w.SegLabel->setText(QStringLiteral("Found Fragments: 3 [Approx size: 4.50KB]"));
        w.lendsec->setText(QStringLiteral("77"));
        w.ScanLog->appendPlainText(QStringLiteral("kept"));
        w.Destination->setText(QStringLiteral("/kept"));
        w.findChild<QAbstractButton*>(button)->click();
        QCOMPARE(w.CurrentPage(), to);
        QCOMPARE(w.TimeLable->text(), QStringLiteral("Time Remain:"));
        QCOMPARE(w.SegLabel->text(), QStringLiteral("Found Fragments:"));
        QCOMPARE(w.lendsec->text(), QStringLiteral("77"));
        QCOMPARE(w.ScanLog->toPlainText(), QStringLiteral("kept"));
        QCOMPARE(w.Destination->text(), QStringLiteral("/kept"));
    }

    void theHintLineExplainsTheBigButtons()
    {
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const auto hover = [&](QWidget* target) {
            QTest::mouseMove(target, target->rect().center());
            QCoreApplication::processEvents();
        };
        hover(w.sBBLHD);
        QCOMPARE(w.memo->text(), kLogicalHint);
        hover(w.memo);
        QCOMPARE(w.memo->text(), kGeneralHint);
        hover(w.sBBPHD);
        QCOMPARE(w.memo->text(), kPhysicalHint);
        w.sBBPHDMouseLeave();
        QCOMPARE(w.memo->text(), QStringLiteral("Reelvane can recover all kinds of MTS video file."));
        w.sBBLHDMouseEnter();
        QCOMPARE(w.memo->text(), kLogicalHint);
        w.sBBLHDMouseLeave();
        QCOMPARE(w.memo->text(), kGeneralHint);
    }

    void theMenuItemsClickTheirControls()
    {
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.LogicalPartitionRecovery1->trigger();
        QCOMPARE(w.CurrentPage(), QStringLiteral("Two"));
        w.PhysicalDriveRecovery1->trigger();
        QCOMPARE(w.CurrentPage(), QStringLiteral("Four"));
        w.HelpManual1->trigger();
        QCOMPARE(t.services.documents,
                 QStringList{QCoreApplication::applicationDirPath() + QStringLiteral("/help.chm")});
        w.Aboutus1->trigger();
        QCOMPARE(t.services.webPages, QStringList{kMakerWebAddress});
        // "Exit" asks first; Cancel leaves everything as it was.
        t.services.answers = {false};
        w.Exit1->trigger();
        QCOMPARE(t.services.questions.size(), std::size_t{1});
        QCOMPARE(t.services.questions[0].text, QStringLiteral("Close Reelvane?"));
        QCOMPARE(t.services.questions[0].title, QStringLiteral("Close"));
        QVERIFY(w.isVisible());
        QVERIFY(!w.Session().StopRequested);
        t.services.answers = {true};
        w.Exit1->trigger();
        QVERIFY(!w.isVisible());
        QVERIFY(w.Session().StopRequested);
    }

    void pauseAndStopAtRest()
    {
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        w.gg->SetRange(0, 100);
        w.gg->SetPosition(50);
        t.services.answers = {true, false};
        w.PauseBtn->click();
        QVERIFY(!w.Session().StopRequested);
        w.PauseBtn->click();
        QVERIFY(w.Session().StopRequested);
        QCOMPARE(w.gg->Position(), 50);   // "Pause" leaves the gauge alone
        QCOMPARE(t.services.questions[1].text, QStringLiteral("Continue?"));
        QCOMPARE(t.services.questions[1].title, QStringLiteral("Pause"));
        w.Session().StopRequested = false;
        w.StopBtn->click();
        QVERIFY(w.Session().StopRequested);
        QCOMPARE(w.gg->Position(), 0);
        QCOMPARE(t.services.questions.size(), std::size_t{2});
    }

    void theRealQuestionBoxHasOkCancelAndTheQuestionIcon()
    {
        DesktopServices services;
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            buttons = box->standardButtons();
            box->button(QMessageBox::Cancel)->click();
        });
        QVERIFY(!services.Ask(nullptr, QStringLiteral("Continue?"), QStringLiteral("Pause")));
        QCOMPARE(text, QStringLiteral("Continue?"));
        QCOMPARE(title, QStringLiteral("Pause"));
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(buttons, QMessageBox::Ok | QMessageBox::Cancel);
    }

    void theFolderListWalksUpToTheComputer()
    {
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        const QString deep = t.tree.NewFolder(QStringLiteral("a/b"));
        const QString parent = QFileInfo(deep).absolutePath();
        w.Shelllist->SetFolderPath(deep);
        QCOMPARE(w.Destination->text(), deep);
        w.sBitBtn1->click();
        QCOMPARE(w.Shelllist->FolderPath(), parent);
        QCOMPARE(w.Destination->text(), parent);
        QTest::keyClick(w.Shelllist, Qt::Key_Backspace);
        QCOMPARE(w.Destination->text(), QFileInfo(parent).absolutePath());
        w.Shelllist->SetFolderPath(QStringLiteral("/"));
        QCOMPARE(w.Destination->text(), QStringLiteral("/"));
        w.sBitBtn1->click();
        QVERIFY(w.Shelllist->AtComputer());
        QCOMPARE(w.Destination->text(), QString());
        QCOMPARE(w.Shelllist->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
        w.sBitBtn1->click();   // the top: nothing happens
        QVERIFY(w.Shelllist->AtComputer());
        // A mount point opens like a folder.
        const QModelIndex root = w.Shelllist->model()->index(0, 0);
        QVERIFY(root.isValid());
        w.Shelllist->OpenEntry(root);
        QVERIFY(!w.Shelllist->AtComputer());
        QCOMPARE(w.Destination->text(), w.Shelllist->FolderPath());
        // A path that is no folder shows the computer.
        w.Shelllist->SetFolderPath(t.tree.Root() + QStringLiteral("/dev/sdc"));
        QVERIFY(w.Shelllist->AtComputer());
    }

    void theFolderListShowsHiddenEntriesAndOpensFolders()
    {
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        const QString folder = t.tree.NewFolder(QStringLiteral("browse"));
        QDir(folder).mkdir(QStringLiteral(".hidden"));
        QDir(folder).mkdir(QStringLiteral("visible"));
        w.Shelllist->SetFolderPath(folder);
        QAbstractItemModel* model = w.Shelllist->model();
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Size"));
        QCOMPARE(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Modified"));
        QTRY_COMPARE(model->rowCount(w.Shelllist->rootIndex()), 2);
        QCOMPARE(w.Shelllist->selectionMode(), QAbstractItemView::ExtendedSelection);
        QModelIndex visible;
        for (int i = 0; i < 2; ++i) {
            const QModelIndex index = model->index(i, 0, w.Shelllist->rootIndex());
            if (index.data().toString() == QLatin1String("visible")) visible = index;
        }
        QVERIFY(visible.isValid());
        w.Shelllist->setCurrentIndex(visible);
        QTest::keyClick(w.Shelllist, Qt::Key_Return);
        QCOMPARE(w.Destination->text(), folder + QStringLiteral("/visible"));
    }

    void theTimerEstimatesFromThePhaseStart_data()
    {
        QTest::addColumn<qint64>("phaseStart");
        QTest::addColumn<int>("firstPosition");
        QTest::addColumn<qint64>("now");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("label");
        // Open for 60 s before the scan, 30 s into it 300,000 of 1,048,576 KiB read:
        // 74 s are left (counting from the program's start would say 3 : 44).
        QTest::newRow("idle before the run") << qint64{60000} << 0 << qint64{90000} << 300000
                                             << 1048576 << "Time Remain: 1 : 14";
        // A range that starts far into the device: only what this scan read counts.
        QTest::newRow("range far in") << qint64{0} << 700000 << qint64{30000} << 800000 << 1048576
                                      << "Time Remain: 1 : 14";
        QTest::newRow("hours as minutes") << qint64{0} << 0 << qint64{1000} << 1 << 3726
                                          << "Time Remain: 62 : 5";
        QTest::newRow("nothing read yet") << qint64{0} << 0 << qint64{5000} << 0 << 100
                                          << "Time Remain:";
        QTest::newRow("gauge back at rest") << qint64{0} << 10 << qint64{5000} << 0 << 100
                                            << "Time Remain:";
    }
    void theTimerEstimatesFromThePhaseStart()
    {
        QFETCH(qint64, phaseStart);
        QFETCH(int, firstPosition);
        QFETCH(qint64, now);
        QFETCH(int, position);
        QFETCH(int, maximum);
        QFETCH(QString, label);
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        w.ElapsedTime->stop();
        qint64 clock = phaseStart;
        w.SetClock([&clock] { return clock; });
        // What the scan does when it starts: the range, then its first position.
        RunObserver& view = w.RunView();
        view.SetGaugeRange(0, maximum);
        view.SetGaugePosition(firstPosition);
        clock = now;
        view.SetGaugePosition(position);
        const std::int32_t ticks = w.Session().ElapsedTicks;
        w.ElapsedTimeTimer();
        QCOMPARE(w.Session().ElapsedTicks, ticks + 1);
        QCOMPARE(w.TimeLable->text(), label);
    }

    void theEstimateRestartsWithEachPhase()
    {
        TimeRemainingEstimate estimate;
        QCOMPARE(estimate.Remaining(10, 100, 1000), std::nullopt);
        estimate.PhaseStarted(0);
        estimate.PositionReported(0);
        QCOMPARE(estimate.Remaining(50, 100, 10000), std::optional<std::int32_t>(10));
        // The writing of fragments: 1 of 4 lines done after 2 s.
        estimate.PhaseStarted(20000);
        estimate.PositionReported(0);
        QCOMPARE(estimate.Remaining(1, 4, 22000), std::optional<std::int32_t>(6));
    }

    void anErrorReachingTheEventLoopIsShownAndTheLoopGoesOn()
    {
        auto* app = qobject_cast<TReelvaneApplication*>(QCoreApplication::instance());
        QVERIFY(app);
        QStringList shown;
        app->SetErrorReporter([&](const QString& message) { shown << message; });
        QObject target;
        bool later = false;
        QTimer::singleShot(0, &target, [] { throw std::runtime_error("'x' is not a valid integer value"); });
        QTimer::singleShot(0, &target, [&] { later = true; });
        QTRY_VERIFY(later);
        QCOMPARE(shown, QStringList{QStringLiteral("'x' is not a valid integer value")});
    }

    void aHandlerErrorGoesToTheWindowsErrorBox()
    {
        WindowUnderTest t;
        TFrmMain& w = *t.window;
        // A drive row whose drive is gone: the click's open error is shown.
        w.sBBPHD->click();
        QFile::remove(t.tree.Root() + QStringLiteral("/dev/sdc"));
        w.Physical->setCurrentItem(w.Physical->topLevelItem(0));
        emit w.Physical->itemClicked(w.Physical->topLevelItem(0), 0);
        QCOMPARE(t.services.errors.size(), 1);
        QVERIFY2(t.services.errors[0].startsWith(QStringLiteral("Cannot open file \"")),
                 qPrintable(t.services.errors[0]));
        QCOMPARE(w.pendsec->text(), QStringLiteral("0"));
    }
};

// The tests run inside the program's own application object, so the general error
// handler is the one the program has.
int main(int argc, char** argv)
{
    TReelvaneApplication app(argc, argv);
    WindowTests tests;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tests, argc, argv);
}

#include "window_tests.moc"
