// What reading and writing the files beside the program costs the game:
// the invaders' picture swap of every beat (one picture file read, checked
// and decoded, given to thirty images), the wave set-up's 37 picture loads,
// and keeping a new high score (lock, re-read, fresh file, sync, rename).
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench/BenchPlatform.h"
#include "scores/hsfile.h"
#include "shell/frmVorlane.h"

namespace {

struct Window {
    BenchPlatform platform;
    frmVorlane form{platform};
    Window() { form.Form_Load(); }
};

void BM_BeatPictureSwap(benchmark::State& state) {
    Window window;
    for (auto _ : state) window.form.Timer1_Timer();
}
BENCHMARK(BM_BeatPictureSwap)->Unit(benchmark::kMicrosecond);

void BM_WavePictureLoads(benchmark::State& state) {
    Window window;
    frmVorlane& form = window.form;
    const auto file = [&](const char* name) { return window.platform.programDirectory() + '/' + QLatin1String(name); };
    const QString ship = file("ship.bmp"), base = file("base.bmp"), mother = file("Mother.bmp"),
                  invader = file("invader.bmp");
    for (auto _ : state) {
        form.Image36.loadPicture(ship);
        for (Image& b : form.imgbases) b.loadPicture(base);
        form.Imgmothership.loadPicture(mother);
        for (Image& i : form.inv) i.loadPicture(invader);
    }
}
BENCHMARK(BM_WavePictureLoads)->Unit(benchmark::kMicrosecond);

void BM_HighScoreWrite(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("HS"));
    double score = 0;
    for (auto _ : state) benchmark::DoNotOptimize(writeHighScoreFile(path, QStringLiteral("ACE"), ++score));
}
BENCHMARK(BM_HighScoreWrite)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
