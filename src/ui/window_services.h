#pragma once
// What the window asks of the desktop: modal message and question boxes, the folder
// dialog, and opening a document or a web page with the system's programs. Tests
// replace it to answer the boxes and the dialog themselves.

#include <QString>
#include <optional>

class QWidget;

namespace reelvane::ui {

class WindowServices {
public:
    virtual ~WindowServices() = default;

    // A question with OK and Cancel and the question icon, modal to the whole
    // program. Only OK counts as yes.
    virtual bool Ask(QWidget* owner, const QString& text, const QString& title) = 0;
    // A refusal or notice with a single OK button.
    virtual void Inform(QWidget* owner, const QString& text) = 0;
    // The general error box: an error's message.
    virtual void ShowError(QWidget* owner, const QString& message) = 0;
    // The folder dialog: the chosen file-system folder, or nothing when cancelled.
    virtual std::optional<QString> ChooseFolder(QWidget* owner, const QString& title) = 0;
    // Opens a file with the system's viewer for it; the outcome is not reported.
    virtual void OpenDocument(const QString& path) = 0;
    // Opens a web address in the default browser; the outcome is not reported.
    virtual void OpenWebPage(const QString& address) = 0;
};

// The real desktop: QMessageBox, the folder dialog, QDesktopServices.
class DesktopServices : public WindowServices {
public:
    bool Ask(QWidget* owner, const QString& text, const QString& title) override;
    void Inform(QWidget* owner, const QString& text) override;
    void ShowError(QWidget* owner, const QString& message) override;
    std::optional<QString> ChooseFolder(QWidget* owner, const QString& title) override;
    void OpenDocument(const QString& path) override;
    void OpenWebPage(const QString& address) override;
};

// The title of the program's message boxes.
inline const QString kProgramTitle = QStringLiteral("Reelvane");

}  // namespace reelvane::ui
