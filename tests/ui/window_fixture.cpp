#include "window_fixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <QTreeWidget>
#include <QPlainTextEdit>

namespace reelvane::ui::testing {

bool ScriptedServices::Ask(QWidget*, const QString& text, const QString& title)
{
    questions.push_back({text, title});
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedServices::Inform(QWidget*, const QString& text) { notices << text; }
void ScriptedServices::ShowError(QWidget*, const QString& message) { errors << message; }

std::optional<QString> ScriptedServices::ChooseFolder(QWidget*, const QString& title)
{
    folderTitles << title;
    return folder;
}

void ScriptedServices::OpenDocument(const QString& path) { documents << path; }
void ScriptedServices::OpenWebPage(const QString& address) { webPages << address; }

std::vector<unsigned char> SyntheticClip(int blocks, unsigned seed)
{
    std::vector<unsigned char> clip(static_cast<std::size_t>(blocks) * 1536);
    for (std::size_t i = 0; i < clip.size(); ++i) {
        const std::size_t inPacket = i % 192;
        if (inPacket == 4) {
            clip[i] = 0x47;   // the transport packet's sync byte
        } else if (inPacket < 4) {
            clip[i] = 0;      // the arrival time stamp's high bytes stay level
        } else {
            // Payload below 0x47, so no sector that starts mid-packet passes the test.
            clip[i] = static_cast<unsigned char>((i * 7 + seed) % 64);
        }
    }
    return clip;
}

namespace {

void Put(QByteArray& image, qsizetype offset, const std::vector<unsigned char>& data)
{
    std::copy(data.begin(), data.end(), image.begin() + offset);
}

}  // namespace

DeviceTree::DeviceTree()
    : clipA(SyntheticClip(20, 1)), clipB(SyntheticClip(10, 2)), clipC(SyntheticClip(12, 3))
{
    QByteArray partition(2 * 1024 * 1024, '\0');
    Put(partition, 64 * 1024, clipA);
    Put(partition, 512 * 1024, clipB);
    Put(partition, 1024 * 1024, SyntheticClip(1, 4));
    QByteArray disk(3 * 1024 * 1024, '\0');
    Put(disk, 128 * 1024, clipC);
    std::copy(partition.begin(), partition.end(), disk.begin() + 1024 * 1024);

    WriteFile(QStringLiteral("dev/sdc"), disk);
    WriteFile(QStringLiteral("dev/sdc1"), partition);
    WriteFile(QStringLiteral("sys/block/sdc/removable"), "1\n");
    WriteFile(QStringLiteral("sys/block/sdc/dev"), "8:32\n");
    WriteFile(QStringLiteral("sys/block/sdc/size"), QByteArray::number(disk.size() / 512) + "\n");
    WriteFile(QStringLiteral("sys/block/sdc/sdc1/partition"), "1\n");
    WriteFile(QStringLiteral("sys/block/sdc/sdc1/dev"), "8:33\n");
    WriteFile(QStringLiteral("sys/block/sdc/sdc1/start"), "2048\n");
    WriteFile(QStringLiteral("sys/block/sdc/sdc1/size"),
              QByteArray::number(partition.size() / 512) + "\n");
    WriteFile(QStringLiteral("proc/self/mountinfo"), "");
}

void DeviceTree::WriteFile(const QString& relative, const QByteArray& bytes) const
{
    const QString path = dir_.filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write the fixture file %s", qPrintable(path));
    }
}

QString DeviceTree::NewFolder(const QString& name) const
{
    const QString path = dir_.filePath(QStringLiteral("out/") + name);
    QDir().mkpath(path);
    return path;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QByteArray Bytes(const std::vector<unsigned char>& data)
{
    return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
}

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

QStringList LogLines(const TFrmMain& window)
{
    QString text = window.ScanLog->toPlainText();
    return text.split(QLatin1Char('\n'));
}

WindowUnderTest::WindowUnderTest(const PlatformMaker& makePlatform)
{
    const std::string root = tree.Root().toStdString();
    platform = makePlatform ? makePlatform(root) : std::make_unique<platform::LinuxPlatform>(root);
    window = std::make_unique<TFrmMain>(*platform, services);
}

void WindowUnderTest::SelectPartition()
{
    window->sBBLHD->click();
    QTreeWidget* list = window->Logical;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->text(0).endsWith(QStringLiteral("(sdc1:)"))) {
            list->setCurrentItem(list->topLevelItem(i));
            window->LogicalClick();
            return;
        }
    }
    qFatal("the partition list has no row for sdc1");
}

void WindowUnderTest::SelectDrive()
{
    window->sBBPHD->click();
    QTreeWidget* list = window->Physical;
    if (list->topLevelItemCount() == 0) qFatal("the drive list is empty");
    list->setCurrentItem(list->topLevelItem(0));
    window->PhysicalClick();
}

WhenDuringRun::WhenDuringRun(std::function<bool()> condition, std::function<void()> action)
    : timerOwner_(std::make_unique<QObject>()), done_(std::make_shared<bool>(false))
{
    auto* timer = new QTimer(timerOwner_.get());
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [timer, done = done_, condition = std::move(condition),
                      action = std::move(action)] {
                         if (*done || !condition()) return;
                         *done = true;
                         timer->stop();
                         action();
                     });
    timer->start();
}

WhenDuringRun::~WhenDuringRun() = default;

}  // namespace reelvane::ui::testing
