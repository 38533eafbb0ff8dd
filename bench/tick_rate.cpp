// How often the real window's main tick fires. The desktop program's own
// window, platform and game run the attract display under X; the game's
// Timer2 is set through its model to each interval in turn, and the ticks of
// the window's own QTimer for it are counted for a while. The game's
// blocking pauses (a wave's start, a game's end) stop every timer by design,
// so the rate is the one of the running time: the ticks between them, over
// the time between them. The program runs from a copy of the program folder,
// where the game finds its pictures and sounds and may write "HS".
// Usage: tick_rate [seconds per interval] [interval in ms ...]
//        (default: 10 seconds, 25 and 5 ms)
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "desktop/window/DesktopPlatform.h"
#include "desktop/window/MainWindow.h"
#include "shell/frmVorlane.h"

namespace {

// A gap between two ticks this long is one of the game's blocking pauses,
// not the timer's pace.
constexpr qint64 PauseNs = 250'000'000;

// The window's QTimer that drives Timer2: the one that follows the model
// when the model takes an interval no other timer has.
QTimer* mainTickClock(MainWindow& window, Timer& timer) {
    const Long design = timer.interval();
    constexpr Long marker = 4321;
    timer.setInterval(marker);
    QTimer* found = nullptr;
    for (QTimer* clock : window.findChildren<QTimer*>())
        if (clock->interval() == marker) found = clock;
    timer.setInterval(design);
    return found;
}

void report(int interval, const std::vector<qint64>& ticks, double seconds) {
    qint64 running = 0, paused = 0;
    int steps = 0;
    for (size_t i = 1; i < ticks.size(); ++i) {
        const qint64 gap = ticks[i] - ticks[i - 1];
        if (gap >= PauseNs) {
            paused += gap;
        } else {
            running += gap;
            ++steps;
        }
    }
    const double target = 1000.0 / interval;
    const double rate = running > 0 ? steps / (running / 1e9) : 0.0;
    std::printf("Timer2 %d ms: %.2f ticks/s while running, target %.2f (%+.1f %%); %zu ticks in %.2f s, %.2f s in the game's pauses\n",
                interval, rate, target, 100.0 * (rate - target) / target, ticks.size(), seconds, paused / 1e9);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    std::vector<int> intervals;
    for (int i = 2; i < argc; ++i) intervals.push_back(std::atoi(argv[i]));
    if (intervals.empty()) intervals = {25, 5};

    DesktopPlatform platform;
    frmVorlane form(platform);
    MainWindow window(form, platform);
    form.Form_Load();
    window.show();

    QTimer* clock = mainTickClock(window, form.Timer2);
    if (!clock) {
        std::fprintf(stderr, "tick_rate: the window has no timer for Timer2\n");
        return 1;
    }
    QElapsedTimer since;
    since.start();
    std::vector<qint64> ticks;
    QObject::connect(clock, &QTimer::timeout, [&] { ticks.push_back(since.nsecsElapsed()); });

    for (int interval : intervals) {
        form.Timer2.setInterval(interval);
        ticks.clear();
        const qint64 start = since.nsecsElapsed();
        QEventLoop loop;
        QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
        report(interval, ticks, (since.nsecsElapsed() - start) / 1e9);
        std::fflush(stdout);
    }
    return 0;
}
