// How long one full repaint of each gauge takes: its state changed through
// its interface, then its window (the animation control with the new frame)
// rendered into an image, as the screen would be given it.
#include "PlaydeckGauges.h"

#include "Playdeck.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::filesystem::path OwnFolder()
{
    std::error_code ignored;
    return std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
}

// The library, loaded once for every benchmark, and the console window the
// gauges sit in; main makes it after the application and drops it before.
struct Console {
    CPlaydeckGauges gauges{OwnFolder()};
    QWidget window;
};
Console* g_console = nullptr;

Console& TheConsole() { return *g_console; }

template <typename T>
CComPtr<T> MakeGauge(benchmark::State& state, REFCLSID clsid, REFIID riid, const QRect& rect, QWidget*& window)
{
    CComPtr<T> gauge;
    if (FAILED(TheConsole().gauges.Create(clsid, riid, &TheConsole().window, rect, reinterpret_cast<void**>(&gauge),
                                          &window)))
        state.SkipWithError("the gauge cannot be made: is Playdeck.so beside the benchmark?");
    return gauge;
}

void Repaint(QWidget* window, QImage& image)
{
    window->render(&image);
    benchmark::ClobberMemory();
}

void CountdownRepaint(benchmark::State& state)
{
    QWidget* window = nullptr;
    CComPtr<ICountdown> countdown = MakeGauge<ICountdown>(state, CLSID_Countdown, IID_ICountdown, {15, 275, 492, 7}, window);
    if (!countdown) return;
    QImage image(window->size(), QImage::Format_ARGB32_Premultiplied);
    SHORT seconds = 0;
    for (auto _ : state) {
        // Idle again after Stop, so each Start shows its count at once.
        countdown->Start(seconds = static_cast<SHORT>(seconds % 60 + 1));
        Repaint(window, image);
        countdown->Stop();
    }
}
BENCHMARK(CountdownRepaint)->Unit(benchmark::kMicrosecond);

void LivesRepaint(benchmark::State& state)
{
    QWidget* window = nullptr;
    CComPtr<ILifeManager> lives = MakeGauge<ILifeManager>(state, CLSID_LifeManager, IID_ILifeManager, {15, 286, 125, 39}, window);
    if (!lives) return;
    QImage image(window->size(), QImage::Format_ARGB32_Premultiplied);
    SHORT count = 0;
    for (auto _ : state) {
        lives->put_NumLives(count = static_cast<SHORT>((count + 1) % 6));
        Repaint(window, image);
    }
}
BENCHMARK(LivesRepaint)->Unit(benchmark::kMicrosecond);

void LadderRepaint(benchmark::State& state)
{
    QWidget* window = nullptr;
    CComPtr<IProgressManager> progress =
        MakeGauge<IProgressManager>(state, CLSID_ProgressManager, IID_IProgressManager, {372, 10, 138, 257}, window);
    if (!progress) return;
    QImage image(window->size(), QImage::Format_ARGB32_Premultiplied);
    // With 15 questions each correct answer climbs one rung.
    constexpr int kRungs = 15;
    int rung = 0;
    for (auto _ : state) {
        if (rung == kRungs) progress->Reset(kRungs);
        else progress->CorrectAnswer();
        rung = rung == kRungs ? 0 : rung + 1;
        Repaint(window, image);
    }
}
BENCHMARK(LadderRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    {
        Console console;
        g_console = &console;
        benchmark::RunSpecifiedBenchmarks();
        g_console = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
