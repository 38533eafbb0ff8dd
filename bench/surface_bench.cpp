// What the visible surface costs the game: reading one displayed pixel
// back, which the missile and the bombs do dozens of times a tick, and
// moving one invader image, which the formation does thirty times a tick.
// Before the timings it checks that a move repaints no more than the
// image's old and new rectangles.
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/BenchPlatform.h"
#include "shell/frmVorlane.h"

namespace {

// The loaded window, as the attract display starts.
struct Window {
    BenchPlatform platform;
    frmVorlane form{platform};
    Window() { form.Form_Load(); }
};

QString text(const QRect& r) {
    return QStringLiteral("(%1, %2) %3 x %4").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height());
}

// One move by three units: the dirty region must be the two rectangles
// together, and a drawing just outside them must survive the repaint.
void checkMoveRepaintsOnlyItsRectangles() {
    Window window;
    Image& invader = window.form.inv[0];
    const QRect before = invader.rect();
    const QRect after = before.translated(3, 0);
    Surface& surface = window.form.surface;
    const Long yellow = RGB(255, 255, 0);
    surface.pset(before.left() - 1, before.top(), yellow);
    surface.pset(after.right() + 1, after.bottom(), yellow);
    surface.pset(before.left(), before.top(), yellow);
    surface.takeDirty();

    invader.move(after.left(), after.top());
    const QRect dirty = surface.takeDirty().boundingRect();

    const bool onlyThose = dirty == (before | after);
    const bool outsideKept = surface.point(before.left() - 1, before.top()) == yellow &&
                             surface.point(after.right() + 1, after.bottom()) == yellow;
    const bool insideRepainted = surface.point(before.left(), before.top()) != yellow;
    std::printf("one invader move: old %s, new %s, dirty %s: %s\n", qPrintable(text(before)),
                qPrintable(text(after)), qPrintable(text(dirty)),
                onlyThose && outsideKept && insideRepainted ? "only its two rectangles repainted"
                                                            : "MORE OR LESS THAN ITS TWO RECTANGLES REPAINTED");
}

void BM_Point(benchmark::State& state) {
    Window window;
    const Surface& surface = window.form.surface;
    int x = 0, y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(surface.point(x, y));
        x += 7;
        if (x >= Surface::Width) x -= Surface::Width;
        y += 3;
        if (y >= Surface::Height) y -= Surface::Height;
    }
}
BENCHMARK(BM_Point);

// An invader stepping to and fro by one unit over the starfield.
void BM_MoveInvader(benchmark::State& state) {
    Window window;
    Image& invader = window.form.inv[0];
    const int left = invader.left(), top = invader.top();
    int step = 0;
    for (auto _ : state) {
        invader.move(left + step, top);
        step ^= 1;
    }
    benchmark::DoNotOptimize(window.form.surface.image().constBits());
}
BENCHMARK(BM_MoveInvader);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    checkMoveRepaintsOnlyItsRectangles();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
