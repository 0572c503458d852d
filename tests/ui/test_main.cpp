// Runs the widget tests inside one QApplication on the offscreen platform unless another
// platform was asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // The HiDpi suite needs a desktop scale of 2 and runs alone in a process of its own
    // (QT_SCALE_FACTOR=2); every other test expects a scale of 1.
    std::string filter = ::testing::GTEST_FLAG(filter);
    if (app.devicePixelRatio() == 1)
        filter += filter.find('-') == std::string::npos ? "-HiDpi.*" : ":HiDpi.*";
    else
        filter = "HiDpi.*";
    ::testing::GTEST_FLAG(filter) = filter;
    return RUN_ALL_TESTS();
}
