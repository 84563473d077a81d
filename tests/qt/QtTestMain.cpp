#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// Real Qt widgets on the offscreen platform unless a display is chosen.
int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
