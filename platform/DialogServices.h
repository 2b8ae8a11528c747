// The modal services the window asks for: message boxes, the open-file dialog, the About box's
// modal run and the text editor. Behind an interface so that tests answer them directly.
#pragma once

#include <optional>
#include <string>

class QDialog;
class QWidget;

class DialogServices {
public:
    virtual ~DialogServices() = default;

    // A modal box with an OK button and a warning icon, titled with the application's name.
    virtual void ShowMessage(QWidget* owner, const std::string& text) = 0;
    // The open-file dialog with a filter of the form "Name (*.x)|*.x||". The full path of the
    // chosen file, as the file system spells it, also for a typed name of a file that does
    // not exist; nothing when cancelled.
    virtual std::optional<std::string> ChooseFileToOpen(QWidget* owner,
                                                        const std::string& filter) = 0;
    // Runs a dialog modally; its result.
    virtual int RunModal(QDialog& dialog) = 0;
    // Opens the file in the text editor; never waits for it.
    virtual void OpenInTextEditor(const std::string& path) = 0;
};

// The real services.
class QtDialogServices : public DialogServices {
public:
    void ShowMessage(QWidget* owner, const std::string& text) override;
    std::optional<std::string> ChooseFileToOpen(QWidget* owner, const std::string& filter) override;
    int RunModal(QDialog& dialog) override;
    void OpenInTextEditor(const std::string& path) override;
};

// The title of every message box: the application's name.
constexpr const char* ApplicationTitle = "Zemlo";
