#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    // Headless, and with the same style and fonts wherever the tests run.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
