#include "ui/folder_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace reelvane::ui {

QString FolderPathText(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

std::optional<QString> ShowFolderDialog(QWidget* owner, const QString& title)
{
    QFileDialog dialog(owner, title, QStringLiteral("/"));
    // Qt's own dialog on every desktop: it has the new-folder button and shows the
    // same tree everywhere.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    const QFileInfo folder(chosen.front());
    if (!folder.isDir()) return std::nullopt;
    return FolderPathText(folder.absoluteFilePath());
}

}  // namespace reelvane::ui
