#pragma once
// The folder list of the progress page: the entries of its current folder in report
// view ("Name", "Size", "Type", "Modified"), hidden entries included, several
// selectable. Double-click or Enter opens a folder (or a file with the system's
// program for it), Backspace and GoUp go up one level. Above "/" lies a "computer"
// level that lists the mounted file systems and has no file-system path.

#include <QString>
#include <QTreeView>
#include <optional>

class QFileSystemModel;
class QStandardItemModel;

namespace reelvane::ui {

class TShellList : public QTreeView {
    Q_OBJECT
public:
    explicit TShellList(QWidget* parent = nullptr);

    // Shows the folder; a path that is no folder shows the computer level.
    void SetFolderPath(const QString& path);
    // Shows the computer level.
    void ShowComputer();
    // The current folder's path; empty at the computer level.
    QString FolderPath() const;
    bool AtComputer() const { return !folder_.has_value(); }
    // Up one level: from "/" to the computer; at the computer nothing happens.
    void GoUp();
    // Opens the entry: a folder becomes the current folder, a file is handed to the
    // system's program for it.
    void OpenEntry(const QModelIndex& index);

signals:
    // Any entry changed (the folder, focus, selection, a text or an icon).
    void EntryChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Refill();
    void FillComputer();
    void SwitchModel(QAbstractItemModel* newModel);
    void WatchSelection();
    void FocusFirstEntry();

    std::optional<QString> folder_;   // nothing: the computer level
    QFileSystemModel* files_;
    QStandardItemModel* computer_;
};

}  // namespace reelvane::ui
