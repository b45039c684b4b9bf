#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// Widgets, timers and sound need an application object; widget tests run on the offscreen
// platform, so no display is needed.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // Settings written by the tests (the recent-file list) stay out of the user's own.
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
