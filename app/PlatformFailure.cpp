#include "app/PlatformFailure.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace app {

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// The xcb plugin says "could not connect to display NAME", NAME empty when DISPLAY is unset.
std::string DescribeDisplayFailure(const std::string& display) {
    if (display.empty())
        return "no X display (DISPLAY is not set)";
    return "the X display \"" + display + "\" refused the connection or does not exist";
}

std::vector<std::string>& PlatformMessages() {
    static std::vector<std::string> messages;
    return messages;
}

void HandleQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    static std::mutex lock;
    const std::lock_guard<std::mutex> guard(lock);
    const std::string text = message.toLocal8Bit().toStdString();
    if (type == QtFatalMsg) {
        const std::string line = DescribePlatformFailure(PlatformMessages(), text);
        std::fprintf(stderr, "%s\n", line.c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    // Kept only while they may explain a failed start; the list is tiny.
    if (context.category && StartsWith(context.category, "qt.qpa") &&
        PlatformMessages().size() < 16)
        PlatformMessages().push_back(text);
}

} // namespace

std::string DescribePlatformFailure(const std::vector<std::string>& platformMessages,
                                    const std::string& fatalMessage) {
    const std::string lead = "zemlo: cannot open a window: ";
    const std::string noDisplay = "could not connect to display";
    const std::string noPlugin = "Could not find the Qt platform plugin ";
    for (const std::string& m : platformMessages) {
        if (StartsWith(m, noDisplay)) {
            std::string display = FirstLine(m.substr(noDisplay.size()));
            if (!display.empty() && display.front() == ' ')
                display.erase(0, 1);
            return lead + DescribeDisplayFailure(display);
        }
        if (StartsWith(m, noPlugin)) {
            // '"name" in "directory"': the directory is Qt's search path, of no use here.
            const std::string named = FirstLine(m.substr(noPlugin.size()));
            return lead + "no Qt platform plugin " + named.substr(0, named.find(" in \""));
        }
    }
    if (fatalMessage.find("platform plugin") != std::string::npos)
        return lead + FirstLine(fatalMessage);
    return "zemlo: " + FirstLine(fatalMessage);
}

void InstallPlatformFailureHandler() {
    qInstallMessageHandler(HandleQtMessage);
}

} // namespace app
