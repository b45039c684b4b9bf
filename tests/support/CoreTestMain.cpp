#include <QCoreApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// The logic needs no window system: these tests run with Qt Core alone, which is what proves
// that the core library never reaches for a widget or a painter.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // Settings written by the tests (the recent-file list) stay out of the user's own.
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
