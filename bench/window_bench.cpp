// The main window on the offscreen platform: opening it (building every
// control from the built-in pictures, the first deal, showing it and its
// first paint) and one repaint of the whole window, as after a new game.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWindow>

#include "assets/assets.h"
#include "runtime/clock.h"
#include "runtime/random.h"
#include "spread.h"
#include "ui/main/frm_koppelo_window.h"

namespace {

using namespace koppelo;

// Shows the window and returns once it is on screen, which paints it whole.
void showPainted(QWidget& window)
{
    window.show();
    while (!window.windowHandle()->isExposed())
        QCoreApplication::processEvents();
}

struct Runtime {
    runtime::SystemClock clock;
    runtime::Random random{clock};
    QIcon icon = assets::windowIcon();
};

void BM_OpenWindow(benchmark::State& state)
{
    Runtime runtime;
    for (auto _ : state) {
        ui::FrmKoppelo window(assets::makeFaces(), runtime.icon, runtime.random);
        showPainted(window);
    }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMicrosecond)->Apply(bench::withSpread);

void BM_RepaintWindow(benchmark::State& state)
{
    Runtime runtime;
    ui::FrmKoppelo window(assets::makeFaces(), runtime.icon, runtime.random);
    showPainted(window);
    for (auto _ : state)
        window.repaint();
}
BENCHMARK(BM_RepaintWindow)->Unit(benchmark::kMicrosecond)->Apply(bench::withSpread);

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return koppelo::bench::runWithSpread(argc, argv);
}
