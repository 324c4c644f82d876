#include <QApplication>
#include <gtest/gtest.h>

// One QApplication for every test binary, so widget tests and plain tests can share a binary.
// Without a display (CI, test discovery at build time) the offscreen platform is used.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
