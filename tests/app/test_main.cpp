#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// The widgets need an application; the tests draw nothing on a real display.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
