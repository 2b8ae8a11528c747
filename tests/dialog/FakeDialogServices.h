// Modal services that answer at once and remember what they were asked.
#pragma once

#include "platform/DialogServices.h"
#include "platform/TemplateDialog.h"

#include <QApplication>
#include <QDialog>
#include <deque>
#include <optional>
#include <string>
#include <vector>

struct ShownDialog {
    std::string typeName;
    std::string title;
    std::vector<std::string> texts; // every control's text, in template order
};

class FakeDialogServices : public DialogServices {
public:
    // The answers of the next file dialogs, in order; nothing left means cancelled.
    std::deque<std::optional<std::string>> fileAnswers;

    std::vector<std::string> messages;
    std::vector<std::string> filters;
    std::vector<std::string> editorPaths;
    std::vector<ShownDialog> modalDialogs;
    // Checked inside ShowMessage: the window must not have moved the focus yet.
    QWidget* focusWhenMessageShown = nullptr;

    void ShowMessage(QWidget*, const std::string& text) override {
        messages.push_back(text);
        focusWhenMessageShown = QApplication::focusWidget();
    }

    std::optional<std::string> ChooseFileToOpen(QWidget*, const std::string& filter) override {
        filters.push_back(filter);
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }

    int RunModal(QDialog& dialog) override {
        ShownDialog shown{dialog.metaObject()->className(), dialog.windowTitle().toStdString(), {}};
        if (auto* templated = qobject_cast<TemplateDialog*>(&dialog)) {
            for (QWidget* widget : templated->controls()) {
                shown.texts.push_back(widget->property("text").toString().toStdString());
            }
        }
        modalDialogs.push_back(shown);
        return QDialog::Accepted;
    }

    void OpenInTextEditor(const std::string& path) override { editorPaths.push_back(path); }
};
