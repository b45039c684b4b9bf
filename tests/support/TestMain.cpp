#include <QCoreApplication>

#include <gtest/gtest.h>

// Qt objects that use timers or sound need an application object to exist.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
