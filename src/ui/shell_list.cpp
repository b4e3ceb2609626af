#include "ui/shell_list.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QStandardItemModel>
#include <QStorageInfo>
#include <QUrl>

#include "ui/folder_dialog.h"

namespace reelvane::ui {

namespace {

// The file-system model with the list's column names.
class FolderModel : public QFileSystemModel {
public:
    using QFileSystemModel::QFileSystemModel;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            static const char* const names[] = {"Name", "Size", "Type", "Modified"};
            if (section >= 0 && section < 4) return QString::fromLatin1(names[section]);
        }
        if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section == 1) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        return QFileSystemModel::headerData(section, orientation, role);
    }
};

constexpr int kMountPointRole = Qt::UserRole + 1;

}  // namespace

TShellList::TShellList(QWidget* parent)
    : QTreeView(parent), files_(new FolderModel(this)), computer_(new QStandardItemModel(this))
{
    files_->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    files_->setReadOnly(true);
    files_->setResolveSymlinks(true);

    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setSortingEnabled(true);
    sortByColumn(0, Qt::AscendingOrder);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);

    const auto changed = [this] { emit EntryChanged(); };
    for (QAbstractItemModel* model : {static_cast<QAbstractItemModel*>(files_),
                                      static_cast<QAbstractItemModel*>(computer_)}) {
        connect(model, &QAbstractItemModel::dataChanged, this, changed);
        connect(model, &QAbstractItemModel::rowsInserted, this, changed);
        connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
        connect(model, &QAbstractItemModel::modelReset, this, changed);
        connect(model, &QAbstractItemModel::layoutChanged, this, changed);
    }
    connect(files_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        if (folder_ && QDir::cleanPath(path) == *folder_) FocusFirstEntry();
    });
    connect(this, &QAbstractItemView::doubleClicked, this, &TShellList::OpenEntry);

    ShowComputer();
}

void TShellList::SetFolderPath(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir()) {
        ShowComputer();
        return;
    }
    const QString folder = FolderPathText(info.absoluteFilePath());
    if (folder_ == folder) return;
    folder_ = folder;
    Refill();
}

void TShellList::ShowComputer()
{
    if (!folder_ && model() == computer_) return;
    folder_.reset();
    Refill();
}

QString TShellList::FolderPath() const { return folder_ ? *folder_ : QString(); }

void TShellList::GoUp()
{
    if (!folder_) return;
    if (*folder_ == QLatin1String("/")) {
        ShowComputer();
        return;
    }
    QDir parent(*folder_);
    parent.cdUp();
    SetFolderPath(parent.absolutePath());
}

void TShellList::OpenEntry(const QModelIndex& index)
{
    if (!index.isValid()) return;
    if (!folder_) {
        SetFolderPath(computer_->index(index.row(), 0).data(kMountPointRole).toString());
        return;
    }
    const QFileInfo info = files_->fileInfo(index);
    if (info.isDir()) {
        SetFolderPath(info.absoluteFilePath());
    } else {
        QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
    }
}

void TShellList::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        GoUp();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OpenEntry(currentIndex());
        return;
    default:
        QTreeView::keyPressEvent(event);
    }
}

void TShellList::Refill()
{
    if (folder_) {
        if (model() != files_) SwitchModel(files_);
        setRootIndex(files_->setRootPath(*folder_));
        header()->setSectionResizeMode(QHeaderView::Interactive);
        setColumnWidth(0, 360);
        setColumnWidth(1, 110);
        setColumnWidth(2, 240);   // "MPEG-2 transport stream" and the like in full
        FocusFirstEntry();
    } else {
        FillComputer();
        if (model() != computer_) SwitchModel(computer_);
        setRootIndex(QModelIndex());
        setColumnWidth(0, 360);
        setColumnWidth(1, 120);
        setColumnWidth(2, 160);
        FocusFirstEntry();
    }
    emit EntryChanged();
}

void TShellList::FillComputer()
{
    computer_->clear();
    computer_->setHorizontalHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Type"), QStringLiteral("Total Size"),
         QStringLiteral("Free Space")});
    const QLocale locale;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        auto* name = new QStandardItem(volume.rootPath());
        name->setData(volume.rootPath(), kMountPointRole);
        name->setEditable(false);
        auto* type = new QStandardItem(QString::fromUtf8(volume.fileSystemType()));
        auto* total = new QStandardItem(locale.formattedDataSize(volume.bytesTotal()));
        auto* free = new QStandardItem(locale.formattedDataSize(volume.bytesAvailable()));
        for (QStandardItem* item : {type, total, free}) item->setEditable(false);
        total->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        free->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        computer_->appendRow({name, type, total, free});
    }
}

void TShellList::SwitchModel(QAbstractItemModel* newModel)
{
    QItemSelectionModel* old = selectionModel();
    setModel(newModel);
    delete old;
    WatchSelection();
}

void TShellList::WatchSelection()
{
    const auto changed = [this] { emit EntryChanged(); };
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, changed);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, changed);
}

void TShellList::FocusFirstEntry()
{
    const QModelIndex first = model()->index(0, 0, rootIndex());
    if (first.isValid() && selectionModel()) {
        selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    }
}

}  // namespace reelvane::ui
