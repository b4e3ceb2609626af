#pragma once
// What the window tests share: desktop services that answer the boxes and the folder
// dialog as a test tells them and record what was asked, a small device tree whose
// devices are image files holding synthetic MTS clips, and a window on top of both.

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/linux/linux_platform.h"
#include "ui/banner.h"
#include "ui/main.h"
#include "ui/page_one.h"
#include "ui/percent_gauge.h"
#include "ui/shell_list.h"
#include "ui/status_bar.h"
#include "ui/window_services.h"

namespace reelvane::ui::testing {

class ScriptedServices : public WindowServices {
public:
    struct Question {
        QString text;
        QString title;
    };

    bool Ask(QWidget* owner, const QString& text, const QString& title) override;
    void Inform(QWidget* owner, const QString& text) override;
    void ShowError(QWidget* owner, const QString& message) override;
    std::optional<QString> ChooseFolder(QWidget* owner, const QString& title) override;
    void OpenDocument(const QString& path) override;
    void OpenWebPage(const QString& address) override;

    // Answers, used in order; a question beyond them is answered with OK.
    std::deque<bool> answers;
    // The folder the dialog returns; nothing: cancelled.
    std::optional<QString> folder;

    std::vector<Question> questions;
    QStringList notices;
    QStringList errors;
    QStringList folderTitles;
    QStringList documents;
    QStringList webPages;
};

// A clip of whole 1536-byte blocks of 192-byte packets, as a camcorder writes them.
std::vector<unsigned char> SyntheticClip(int blocks, unsigned seed);

// A device tree: sys/block/sdc (removable, holding the partition sdc1), dev/sdc and
// dev/sdc1 as image files, an empty mount table.
//   sdc1 (2 MiB): clip A (20 blocks) at 64 KiB, clip B (10 blocks) at 512 KiB, one lone
//                 hit at 1 MiB: 31 hits, files 0.MTS and 1.MTS.
//   sdc  (3 MiB): clip C (12 blocks) at 128 KiB, the partition's image from 1 MiB on.
class DeviceTree {
public:
    DeviceTree();

    QString Root() const { return dir_.path(); }
    // A fresh empty folder for the fragments.
    QString NewFolder(const QString& name) const;

    std::vector<unsigned char> clipA, clipB, clipC;

private:
    void WriteFile(const QString& relative, const QByteArray& bytes) const;
    QTemporaryDir dir_;
};

QByteArray ReadAll(const QString& path);
QByteArray Bytes(const std::vector<unsigned char>& data);
// The names of the files in a folder, sorted.
QStringList FilesIn(const QString& folder);
// The scan log's lines.
QStringList LogLines(const TFrmMain& window);

// A window on the device tree with scripted services.
struct WindowUnderTest {
    using PlatformMaker = std::function<std::unique_ptr<platform::Platform>(const std::string& root)>;
    // The window reads the tree through a LinuxPlatform, or what makePlatform makes.
    explicit WindowUnderTest(const PlatformMaker& makePlatform = {});

    DeviceTree tree;
    std::unique_ptr<platform::Platform> platform;
    ScriptedServices services;
    std::unique_ptr<TFrmMain> window;

    // Opens the partition list and clicks its row "(sdc1:)".
    void SelectPartition();
    // Opens the drive list and clicks its first row.
    void SelectDrive();
};

// Runs action at the first event delivery (inside a run's loops) at which condition
// holds, once.
class WhenDuringRun {
public:
    WhenDuringRun(std::function<bool()> condition, std::function<void()> action);
    ~WhenDuringRun();
    bool Done() const { return *done_; }

private:
    std::unique_ptr<QObject> timerOwner_;
    std::shared_ptr<bool> done_;
};

}  // namespace reelvane::ui::testing
