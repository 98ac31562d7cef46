// The main of the widget tests: one application object for the whole run,
// on the offscreen platform with the settings in offscreen.json, where the
// window system draws no frames around windows, as a bare X server does.
// --scale=F runs the tests at scale factor F instead of at 96 dpi.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstring>

namespace {

constexpr char kScaleFlag[] = "--scale=";

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KOPPELO_OFFSCREEN_CONFIG);
    qunsetenv("QT_SCALE_FACTOR");
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kScaleFlag, std::strlen(kScaleFlag)) == 0)
            qputenv("QT_SCALE_FACTOR", argv[i] + std::strlen(kScaleFlag));
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
