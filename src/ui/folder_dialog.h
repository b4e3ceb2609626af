#pragma once
// The folder dialog of "Next": a tree rooted at "/", only folders, with its button
// for making a new folder.

#include <QString>
#include <optional>

class QWidget;

namespace reelvane::ui {

// The chosen folder without a trailing separator ("/" itself keeps its one), or
// nothing when the user cancels.
std::optional<QString> ShowFolderDialog(QWidget* owner, const QString& title);

// A folder path as the destination edit shows it: absolute, cleaned, no trailing "/"
// except for "/" itself.
QString FolderPathText(const QString& path);

}  // namespace reelvane::ui
