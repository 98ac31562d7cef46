// QPixmap and QIcon need a QGuiApplication; tests that touch them make one
// on first use, on the offscreen platform unless another is chosen.
#pragma once

#include <QGuiApplication>

namespace koppelo::assets::test {

inline void ensureGuiApplication()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "koppelo_assets_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

}  // namespace koppelo::assets::test
