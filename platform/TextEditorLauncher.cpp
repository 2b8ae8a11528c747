#include "platform/TextEditorLauncher.h"

#include "platform/LocalText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace {
QString FindNotepad() {
    const QString name = QStringLiteral("notepad.exe");
    const QFileInfo local(QDir::current(), name);
    if (local.isFile() && local.isExecutable()) {
        return local.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(name);
}

QString DefaultPlainTextDesktopEntry() {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) {
        return {};
    }
    QProcess query;
    query.start(xdgMime,
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(2000)) {
        query.kill();
        query.waitForFinished(1000);
        return {};
    }
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

QString DesktopEntryExec(const QString& entryName) {
    if (entryName.isEmpty()) {
        return {};
    }
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entryName);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QStringLiteral("[Desktop Entry]");
        } else if (inEntry && line.startsWith(QStringLiteral("Exec="))) {
            return line.mid(5);
        }
    }
    return {};
}

// Splits an Exec line into words, honouring double quotes and backslash escapes inside them.
std::optional<QStringList> SplitExec(const QString& exec) {
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
                word += exec[++i];
            } else {
                word += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = inWord = true;
        } else if (c.isSpace()) {
            if (inWord) {
                words << word;
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) {
        return std::nullopt;
    }
    if (inWord) {
        words << word;
    }
    return words;
}
} // namespace

std::optional<QStringList> ExpandDesktopExec(const QString& exec, const QString& file) {
    const auto words = SplitExec(exec);
    if (!words || words->isEmpty()) {
        return std::nullopt;
    }
    QStringList arguments;
    bool fileGiven = false;
    for (const QString& word : *words) {
        static const QStringList fileCodes{QStringLiteral("%f"), QStringLiteral("%F"),
                                           QStringLiteral("%u"), QStringLiteral("%U")};
        if (fileCodes.contains(word)) {
            if (!fileGiven) {
                arguments << file;
                fileGiven = true;
            }
            continue;
        }
        if (word.size() == 2 && word[0] == QLatin1Char('%')) {
            continue; // other field codes (%i, %c, %k, ...) carry nothing here
        }
        QString literal = word;
        literal.replace(QStringLiteral("%%"), QStringLiteral("%"));
        arguments << literal;
    }
    if (!fileGiven) {
        arguments << file;
    }
    return arguments;
}

EditorCommand TextEditorCommand(const std::string& path) {
    const QString file = FileNameString(path);
    if (const QString notepad = FindNotepad(); !notepad.isEmpty()) {
        return {notepad, {file}};
    }
    if (const auto arguments =
            ExpandDesktopExec(DesktopEntryExec(DefaultPlainTextDesktopEntry()), file)) {
        return {arguments->front(), arguments->mid(1)};
    }
    return {QStringLiteral("xdg-open"), {file}};
}

bool LaunchTextEditor(const std::string& path) {
    const EditorCommand command = TextEditorCommand(path);
    return QProcess::startDetached(command.program, command.arguments);
}
