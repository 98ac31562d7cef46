// Widget tests run on the offscreen platform, on a screen a little lower
// than the window, at the scale factor their program was built for, inside
// one application object.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KOPPELO_TEST_SCREEN);
#ifdef KOPPELO_TEST_SCALE_FACTOR
    qputenv("QT_SCALE_FACTOR", QByteArray::number(KOPPELO_TEST_SCALE_FACTOR));
#else
    qunsetenv("QT_SCALE_FACTOR");
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
