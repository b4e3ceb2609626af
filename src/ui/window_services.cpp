#include "ui/window_services.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "ui/folder_dialog.h"

namespace reelvane::ui {

bool DesktopServices::Ask(QWidget* owner, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void DesktopServices::Inform(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, kProgramTitle, text, QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void DesktopServices::ShowError(QWidget* owner, const QString& message)
{
    QMessageBox box(QMessageBox::Critical, kProgramTitle, message, QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

std::optional<QString> DesktopServices::ChooseFolder(QWidget* owner, const QString& title)
{
    return ShowFolderDialog(owner, title);
}

void DesktopServices::OpenDocument(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopServices::OpenWebPage(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}

}  // namespace reelvane::ui
