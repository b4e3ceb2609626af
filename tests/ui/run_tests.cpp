// Whole recovery runs through the window: the "Next" handlers, the scan log, the
// files, and what "Pause", "Stop", "Close" and closing the window do while the
// run's loops let events run.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "platform/linux/linux_platform.h"
#include "ui/percent_gauge.h"
#include "ui/shell_list.h"
#include "window_fixture.h"

using namespace reelvane;
using namespace reelvane::ui;
using namespace reelvane::ui::testing;

namespace {

const QString kStamp = QStringLiteral(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d : )");

// The log holds exactly these entries, each a stamped line and an empty line.
void ExpectLogEntries(const TFrmMain& window, const QStringList& messages)
{
    QStringList lines = LogLines(window);
    QCOMPARE(lines.size(), messages.size() * 2);
    for (qsizetype i = 0; i < messages.size(); ++i) {
        const QString line = lines[2 * i];
        QVERIFY2(QRegularExpression(kStamp + QRegularExpression::escape(messages[i]) + "$")
                     .match(line)
                     .hasMatch(),
                 qPrintable(line));
        QCOMPARE(lines[2 * i + 1], QString());
    }
}

// The destination is refused whatever folder it is: the platform claims every
// folder lies on the device being read.
class EverythingOnSource : public platform::LinuxPlatform {
public:
    using LinuxPlatform::LinuxPlatform;
    std::optional<std::string> FolderOnDevice(const std::string&,
                                              const std::string& devicePath) const override
    {
        return devicePath;
    }
};

// The scan is under way: page "Three" with its "Back" disabled. True from the first
// event delivery of the scan, before its first chunk is read.
bool ScanRunning(const TFrmMain& window)
{
    return window.CurrentPage() == QLatin1String("Three") && !window.sBThreeToTwo->isEnabled();
}

}  // namespace

class RunTests : public QObject {
    Q_OBJECT
private slots:
    void init() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void logicalRunWritesEveryFragmentAndFourLogLines()
    {
        WindowUnderTest t;
        t.SelectPartition();
        QCOMPARE(t.window->lbeginsec->text(), QStringLiteral("0"));
        QCOMPARE(t.window->lendsec->text(), QStringLiteral("4095"));
        const QString out = t.tree.NewFolder(QStringLiteral("logical"));
        t.services.folder = out;

        bool nextDisabled = false, menuDisabled = false, backDisabled = false;
        WhenDuringRun during([&] { return ScanRunning(*t.window); },
                             [&] {
                                 nextDisabled = !t.window->runBtn->isEnabled() &&
                                                !t.window->sButton2->isEnabled();
                                 menuDisabled = !t.window->LogicalPartitionRecovery1->isEnabled() &&
                                                !t.window->PhysicalDriveRecovery1->isEnabled();
                                 backDisabled = !t.window->sBThreeToTwo->isEnabled();
                             });
        t.window->runBtn->click();

        QVERIFY(during.Done());
        QVERIFY2(nextDisabled, "a second run could be started inside the first");
        QVERIFY(menuDisabled);
        QVERIFY(backDisabled);
        QCOMPARE(t.services.folderTitles, QStringList{QStringLiteral("Please select save path: ")});
        QCOMPARE(t.services.errors, QStringList());
        QCOMPARE(t.window->CurrentPage(), QStringLiteral("Three"));
        QCOMPARE(t.window->Destination->text(), out);
        QCOMPARE(t.window->Shelllist->FolderPath(), out);
        QCOMPARE(FilesIn(out), (QStringList{QStringLiteral("0.MTS"), QStringLiteral("1.MTS")}));
        QCOMPARE(ReadAll(out + "/0.MTS"), Bytes(t.tree.clipA));
        QCOMPARE(ReadAll(out + "/1.MTS"), Bytes(t.tree.clipB));
        QCOMPARE(t.window->SegLabel->text(), QStringLiteral("Found Fragments: 31 [Approx size: 46.50KB]"));
        ExpectLogEntries(*t.window, {QStringLiteral("Recovering...!"),
                                     QStringLiteral("Approx 46.50KB data recovered!")});
        QVERIFY(t.window->sBThreeToTwo->isEnabled());
        QVERIFY(t.window->PauseBtn->isEnabled());
        QVERIFY(t.window->StopBtn->isEnabled());
        QVERIFY(t.window->runBtn->isEnabled());
        QVERIFY(t.window->LogicalPartitionRecovery1->isEnabled());
        QCOMPARE(t.window->gg->Position(), 0);
        QCOMPARE(t.window->Session().ScanMode, std::string("Logical"));
    }

    void physicalRunReadsTheWholeDrive()
    {
        WindowUnderTest t;
        t.SelectDrive();
        QCOMPARE(t.window->Physical->topLevelItem(0)->text(0), QStringLiteral("Hard Drive0"));
        QCOMPARE(t.window->pendsec->text(), QStringLiteral("6143"));
        const QString out = t.tree.NewFolder(QStringLiteral("physical"));
        t.services.folder = out;
        t.window->sButton2->click();

        QCOMPARE(t.services.errors, QStringList());
        // Clip C, then the partition's two clips and its lone hit further in.
        QCOMPARE(FilesIn(out), (QStringList{QStringLiteral("0.MTS"), QStringLiteral("1.MTS"),
                                            QStringLiteral("2.MTS")}));
        QCOMPARE(ReadAll(out + "/0.MTS"), Bytes(t.tree.clipC));
        QCOMPARE(ReadAll(out + "/1.MTS"), Bytes(t.tree.clipA));
        QCOMPARE(ReadAll(out + "/2.MTS"), Bytes(t.tree.clipB));
        ExpectLogEntries(*t.window, {QStringLiteral("Recovering...!"),
                                     QStringLiteral("Approx 64.50KB data recovered!")});
        QVERIFY(t.window->sBThreeToTwo->isEnabled());
        // "Back" after a drive run leads to the partition page.
        t.window->sBThreeToTwo->click();
        QCOMPARE(t.window->CurrentPage(), QStringLiteral("Two"));
        QCOMPARE(t.window->SegLabel->text(), QStringLiteral("Found Fragments:"));
        QCOMPARE(LogLines(*t.window).size(), 4);
    }

    void aRunThatCannotStartWritesTheTwoEntries_data()
    {
        QTest::addColumn<bool>("physical");
        QTest::addColumn<bool>("selectRow");
        QTest::addColumn<QString>("notice");
        QTest::newRow("Next on Two, no row") << false << false
                                             << "Please select Logical Partition to recovery!";
        QTest::newRow("Next on Four, no row") << true << false
                                              << "Please select Physical Drive to recovery!";
        QTest::newRow("Two, folder cancelled") << false << true << QString();
        QTest::newRow("Four, folder cancelled") << true << true << QString();
    }
    void aRunThatCannotStartWritesTheTwoEntries()
    {
        QFETCH(bool, physical);
        QFETCH(bool, selectRow);
        QFETCH(QString, notice);
        WindowUnderTest t;
        t.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
        if (physical) {
            selectRow ? t.SelectDrive() : t.window->sBBPHD->click();
        } else {
            selectRow ? t.SelectPartition() : t.window->sBBLHD->click();
        }
        // A row chosen in the other list does not count.
        if (!selectRow) {
            QTreeWidget* other = physical ? t.window->Logical : t.window->Physical;
            if (physical) t.window->sBBLHD->click(); else t.window->sBBPHD->click();
            other->setCurrentItem(other->topLevelItem(0));
            physical ? t.window->sBBPHD->click() : t.window->sBBLHD->click();
        }
        const QString page = t.window->CurrentPage();
        t.window->Destination->setText(QStringLiteral("typed before"));
        t.services.folder.reset();
        (physical ? t.window->sButton2 : t.window->runBtn)->click();

        QCOMPARE(t.services.notices, notice.isEmpty() ? QStringList() : QStringList{notice});
        QCOMPARE(t.services.folderTitles.size(), selectRow ? 1 : 0);
        QCOMPARE(t.window->CurrentPage(), page);
        QCOMPARE(t.window->Destination->text(), QStringLiteral("typed before"));
        ExpectLogEntries(*t.window, {QStringLiteral("Recovering...!"),
                                     QStringLiteral("Not found any MTS file fragments!")});
        if (selectRow) {
            QWidget* list = physical ? static_cast<QWidget*>(t.window->Physical) : t.window->Logical;
            QCOMPARE(t.window->focusWidget(), list);
        }
        QVERIFY(t.window->runBtn->isEnabled());
    }

    void theClosingLineRepeatsTheStatusCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("message");
        QTest::newRow("no count") << "Found Fragments:" << "Not found any MTS file fragments!";
        QTest::newRow("3KB") << "Found Fragments: 2 [Approx size: 3KB]" << "Approx 3KB data recovered!";
        QTest::newRow("4.50KB") << "Found Fragments: 3 [Approx size: 4.50KB]"
                                << "Approx 4.50KB data recovered!";
        QTest::newRow("1.46MB") << "Found Fragments: 1000 [Approx size: 1.46MB]"
                                << "Approx 1.46MB data recovered!";
    }
    void theClosingLineRepeatsTheStatusCaption()
    {
        // An earlier run's count stays in the status bar when the list is reached
        // through the menu; a run refused at its start repeats it.
        QFETCH(QString, caption);
        QFETCH(QString, message);
        WindowUnderTest t;
        t.window->LogicalPartitionRecovery1->trigger();
        t.window->SegLabel->setText(caption);
        t.window->runBtn->click();
        ExpectLogEntries(*t.window, {QStringLiteral("Recovering...!"), message});
    }

    void aSectorTextThatIsNoNumberEndsTheRunInTheErrorBox()
    {
        WindowUnderTest t;
        t.SelectPartition();
        t.window->lbeginsec->setText(QStringLiteral("12a"));
        const QString out = t.tree.NewFolder(QStringLiteral("error"));
        t.services.folder = out;
        t.window->runBtn->click();
        QCOMPARE(t.services.errors, QStringList{QStringLiteral("'12a' is not a valid integer value")});
        ExpectLogEntries(*t.window, {QStringLiteral("Recovering...!")});
        QCOMPARE(FilesIn(out), QStringList());
        QVERIFY(t.window->sBThreeToTwo->isEnabled());
        QVERIFY(t.window->runBtn->isEnabled());
    }

    void aDestinationOnTheSourceIsRefusedBeforeTheScan()
    {
        WindowUnderTest t([](const std::string& root) -> std::unique_ptr<platform::Platform> {
            return std::make_unique<EverythingOnSource>(root);
        });
        t.window->sBBLHD->click();
        QTreeWidget* list = t.window->Logical;
        QVERIFY(list->topLevelItemCount() > 0);
        list->setCurrentItem(list->topLevelItem(0));
        t.window->LogicalClick();
        const QString out = t.tree.NewFolder(QStringLiteral("on-source"));
        t.services.folder = out;
        t.window->runBtn->click();
        QCOMPARE(t.services.errors.size(), 1);
        QVERIFY2(t.services.errors[0].contains(QStringLiteral("lies on")), qPrintable(t.services.errors[0]));
        QCOMPARE(t.window->CurrentPage(), QStringLiteral("Two"));
        QCOMPARE(FilesIn(out), QStringList());
        QCOMPARE(t.window->gg->Maximum(), 100);   // no scan set the gauge
        ExpectLogEntries(*t.window, {QStringLiteral("Recovering...!")});
        QVERIFY(t.window->runBtn->isEnabled());
    }

    void aFolderChosenInTheListDuringTheScanReceivesTheFiles()
    {
        WindowUnderTest t;
        t.SelectPartition();
        const QString chosen = t.tree.NewFolder(QStringLiteral("chosen"));
        const QString moved = t.tree.NewFolder(QStringLiteral("moved"));
        t.services.folder = chosen;
        WhenDuringRun during([&] { return ScanRunning(*t.window); },
                             [&] { t.window->Shelllist->SetFolderPath(moved); });
        t.window->runBtn->click();
        QVERIFY(during.Done());
        QCOMPARE(FilesIn(chosen), QStringList());
        QCOMPARE(FilesIn(moved), (QStringList{QStringLiteral("0.MTS"), QStringLiteral("1.MTS")}));
    }

    void pauseAnsweredOkGoesOn()
    {
        WindowUnderTest t;
        t.SelectPartition();
        const QString out = t.tree.NewFolder(QStringLiteral("pause-ok"));
        t.services.folder = out;
        t.services.answers = {true};
        WhenDuringRun during([&] { return ScanRunning(*t.window); },
                             [&] { t.window->PauseBtn->click(); });
        t.window->runBtn->click();
        QVERIFY(during.Done());
        QCOMPARE(t.services.questions.size(), std::size_t{1});
        QCOMPARE(t.services.questions[0].text, QStringLiteral("Continue?"));
        QCOMPARE(t.services.questions[0].title, QStringLiteral("Pause"));
        QCOMPARE(ReadAll(out + "/1.MTS"), Bytes(t.tree.clipB));
        ExpectLogEntries(*t.window, {QStringLiteral("Recovering...!"),
                                     QStringLiteral("Approx 46.50KB data recovered!")});
    }

    // Each way of ending the reading at the first chunk: only clip A (in the first
    // 256 KiB) is found, and it is still written, with the closing line after it.
    void stoppingEndsTheReadingButNotTheWriting_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("windowCloses");
        QTest::newRow("Pause, Cancel") << "pause" << false;
        QTest::newRow("Stop") << "stop" << false;
        QTest::newRow("Close, OK") << "close" << true;
        QTest::newRow("Exit, OK") << "exit" << true;
        QTest::newRow("title bar close") << "window" << true;
    }
    void stoppingEndsTheReadingButNotTheWriting()
    {
        QFETCH(QString, how);
        QFETCH(bool, windowCloses);
        WindowUnderTest t;
        t.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
        t.SelectPartition();
        const QString out = t.tree.NewFolder(QStringLiteral("stopped"));
        t.services.folder = out;
        t.services.answers = {how != QLatin1String("pause")};
        bool visibleAfterClose = false;
        WhenDuringRun during([&] { return ScanRunning(*t.window); },
                             [&] {
                                 if (how == QLatin1String("pause")) t.window->PauseBtn->click();
                                 if (how == QLatin1String("stop")) t.window->StopBtn->click();
                                 if (how == QLatin1String("close")) t.window->sBOK->click();
                                 if (how == QLatin1String("exit")) t.window->Exit1->trigger();
                                 if (how == QLatin1String("window")) t.window->close();
                                 visibleAfterClose = t.window->isVisible();
                             });
        t.window->runBtn->click();
        QVERIFY(during.Done());
        QVERIFY(t.window->Session().StopRequested);
        QCOMPARE(FilesIn(out), QStringList{QStringLiteral("0.MTS")});
        QCOMPARE(ReadAll(out + "/0.MTS"), Bytes(t.tree.clipA));
        ExpectLogEntries(*t.window, {QStringLiteral("Recovering...!"),
                                     QStringLiteral("Approx 30KB data recovered!")});
        // A window closed during the run stays until the run's handler returns.
        QCOMPARE(visibleAfterClose, true);
        QCOMPARE(t.window->isVisible(), !windowCloses);
        const bool asked = how == QLatin1String("pause") || how == QLatin1String("close") ||
                           how == QLatin1String("exit");
        QCOMPARE(t.services.questions.size(), std::size_t{asked ? 1u : 0u});
    }

    void closeAnsweredCancelLeavesTheRunAlone()
    {
        WindowUnderTest t;
        t.window->show();
        t.SelectPartition();
        const QString out = t.tree.NewFolder(QStringLiteral("close-cancel"));
        t.services.folder = out;
        t.services.answers = {false};
        WhenDuringRun during([&] { return ScanRunning(*t.window); },
                             [&] { t.window->sBOK->click(); });
        t.window->runBtn->click();
        QVERIFY(during.Done());
        QCOMPARE(t.services.questions[0].text, QStringLiteral("Close Reelvane?"));
        QCOMPARE(t.services.questions[0].title, QStringLiteral("Close"));
        QVERIFY(t.window->isVisible());
        QVERIFY(!t.window->Session().StopRequested);
        QCOMPARE(FilesIn(out), (QStringList{QStringLiteral("0.MTS"), QStringLiteral("1.MTS")}));
    }

    void closingWhileFragmentsAreWrittenWritesThemAll()
    {
        WindowUnderTest t;
        t.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
        t.SelectPartition();
        const QString out = t.tree.NewFolder(QStringLiteral("close-carving"));
        t.services.folder = out;
        bool pauseStopDisabled = false;
        WhenDuringRun during([&] { return !t.window->PauseBtn->isEnabled(); },
                             [&] {
                                 pauseStopDisabled = !t.window->StopBtn->isEnabled() &&
                                                     t.window->sBOK->isEnabled();
                                 t.window->close();
                             });
        t.window->runBtn->click();
        QVERIFY(during.Done());
        QVERIFY(pauseStopDisabled);
        QCOMPARE(FilesIn(out), (QStringList{QStringLiteral("0.MTS"), QStringLiteral("1.MTS")}));
        QCOMPARE(ReadAll(out + "/0.MTS"), Bytes(t.tree.clipA));
        QCOMPARE(ReadAll(out + "/1.MTS"), Bytes(t.tree.clipB));
        ExpectLogEntries(*t.window, {QStringLiteral("Recovering...!"),
                                     QStringLiteral("Approx 46.50KB data recovered!")});
        QVERIFY(!t.window->isVisible());
    }

    void closingWithNoRunClosesAtOnce()
    {
        WindowUnderTest t;
        t.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
        t.window->close();
        QVERIFY(!t.window->isVisible());
        QVERIFY(t.window->Session().StopRequested);
        QCOMPARE(t.services.questions.size(), std::size_t{0});
    }
};

QTEST_MAIN(RunTests)
#include "run_tests.moc"
