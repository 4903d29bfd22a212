#include <gtest/gtest.h>

#include <QCoreApplication>

// QSerialPort delivers its notifications through a Qt event loop.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
