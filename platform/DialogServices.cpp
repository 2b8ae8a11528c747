#include "platform/DialogServices.h"

#include "platform/FileFilter.h"
#include "platform/LocalText.h"
#include "platform/TextEditorLauncher.h"

#include <QFileDialog>
#include <QMessageBox>

void QtDialogServices::ShowMessage(QWidget* owner, const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(ApplicationTitle),
                    FromLocal8Bit(text), QMessageBox::Ok, owner);
    box.exec();
}

std::optional<std::string> QtDialogServices::ChooseFileToOpen(QWidget* owner,
                                                              const std::string& filter) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name of a file that does not exist is accepted as well.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(QtNameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return FileNameBytes(dialog.selectedFiles().front());
}

int QtDialogServices::RunModal(QDialog& dialog) {
    return dialog.exec();
}

void QtDialogServices::OpenInTextEditor(const std::string& path) {
    LaunchTextEditor(path);
}
