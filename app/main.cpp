#include "app/Zemlo.h"
#include "res/VersionInfo.h"

#include <QApplication>

namespace {
// Nothing is logged: errors the user must see are message boxes.
void DiscardMessage(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

CZemloApp theApp;

int main(int argc, char** argv) {
    qInstallMessageHandler(DiscardMessage);
    QApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3.%4")
                                                .arg(version::FileVersion[0])
                                                .arg(version::FileVersion[1])
                                                .arg(version::FileVersion[2])
                                                .arg(version::FileVersion[3]));
    theApp.InitInstance();
    return 0;
}
