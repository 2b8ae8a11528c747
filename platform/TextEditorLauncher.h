// Opens a file in the text editor. A program called "notepad.exe" on the search path (the
// working directory first) is the editor when there is one; otherwise the desktop's default
// application for plain text, and xdg-open where none is named. The path is passed as one
// argument, never through a shell, so spaces and quotes in it reach the editor as they are.
#pragma once

#include <QStringList>
#include <optional>
#include <string>

struct EditorCommand {
    QString program;
    QStringList arguments;
};

// What would be started for the path.
EditorCommand TextEditorCommand(const std::string& path);
// Starts it detached: the window never waits for the editor. False when it could not start.
bool LaunchTextEditor(const std::string& path);

// The arguments of a desktop entry's Exec line with the file put in for %f, %F, %u or %U (and
// appended when the line has none of them); nothing for a line that cannot be read.
std::optional<QStringList> ExpandDesktopExec(const QString& exec, const QString& file);
