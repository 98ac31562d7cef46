// One application for the whole run, offscreen with offscreen.json's frameless
// windows as on a bare X server; --scale=F and --screen=FILE change either.
#include <gtest/gtest.h>

#include <QApplication>

#include <string_view>

int main(int argc, char* argv[])
{
    constexpr std::string_view kScaleFlag = "--scale=", kScreenFlag = "--screen=";
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
