// The main of the widget tests: one application object for the whole run,
// on the offscreen platform with the settings in offscreen.json, where the
// window system draws no frames around windows, as a bare X server does.
// --scale=F runs the tests at scale factor F instead of at 96 dpi;
// --screen=FILE takes the platform's settings from FILE instead.
#include <gtest/gtest.h>

#include <QApplication>

#include <string_view>

int main(int argc, char* argv[])
{
    constexpr std::string_view kScaleFlag = "--scale=";
    constexpr std::string_view kScreenFlag = "--screen=";
    QByteArray config = KOPPELO_OFFSCREEN_CONFIG;
    qunsetenv("QT_SCALE_FACTOR");
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with(kScaleFlag))
            qputenv("QT_SCALE_FACTOR", arg.substr(kScaleFlag.size()).data());
        else if (arg.starts_with(kScreenFlag))
            config = arg.substr(kScreenFlag.size()).data();
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
