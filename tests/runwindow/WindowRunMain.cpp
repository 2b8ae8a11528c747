// The window tests need an application object for their widgets and event loop.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Widgets without a display: the tests also run when CTest lists them at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
