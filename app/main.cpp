#include "app/PlatformFailure.h"
#include "app/Zemlo.h"
#include "res/VersionInfo.h"

#include <QApplication>

CZemloApp theApp;

int main(int argc, char** argv) {
    // Nothing is logged; but a window system that cannot be reached is said in one line.
    app::InstallPlatformFailureHandler();
    QApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3.%4")
                                                .arg(version::FileVersion[0])
                                                .arg(version::FileVersion[1])
                                                .arg(version::FileVersion[2])
                                                .arg(version::FileVersion[3]));
    theApp.InitInstance();
    return 0;
}
