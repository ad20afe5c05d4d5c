// The whole console: one full repaint (every child, into an image, as the
// screen would be given it), and one question presented (SetTextQuestion by
// dispatch, as the game program calls it, until the console has painted).
#include "PlaydeckGauges.h"

#include "Playdeck.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

std::filesystem::path OwnFolder()
{
    std::error_code ignored;
    return std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
}

// The library, registered in a registry of the benchmark's own, and one
// console hosted in a window.
struct Console {
    CPlaydeckGauges gauges{OwnFolder()};
    QWidget parent;
    CComPtr<IDispatch> console;
    QWidget* window = nullptr;
};
Console* g_console = nullptr;

CComVariant Text(const char16_t* text) { return CComVariant::Text(text); }

HRESULT AskByDispatch(IDispatch* console)
{
    // Arguments in reverse order, as IDispatch::Invoke takes them.
    CComVariant args[] = {Text(u"Jaune"), Text(u"Vert"), Text(u"Bleu"), Text(u"Rouge"),
                          Text(u"What is the French for red?")};
    DISPPARAMS params{args, nullptr, 5, 0};
    return console->Invoke(DISPID_GAMECONSOLE_SETTEXTQUESTION, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                           nullptr, nullptr);
}

void ConsoleRepaint(benchmark::State& state)
{
    if (!g_console->console) return state.SkipWithError("the console cannot be made: is Playdeck.so beside us?");
    AskByDispatch(g_console->console);
    QImage image(g_console->window->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        g_console->window->render(&image);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ConsoleRepaint)->Unit(benchmark::kMicrosecond);

void QuestionPresented(benchmark::State& state)
{
    if (!g_console->console) return state.SkipWithError("the console cannot be made: is Playdeck.so beside us?");
    QImage image(g_console->window->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        AskByDispatch(g_console->console);
        g_console->window->render(&image);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(QuestionPresented)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::filesystem::path registry =
        std::filesystem::temp_directory_path() / ("brainwheel-bench-" + std::to_string(getpid()) + ".reg");
    setenv("BRAINWHEEL_REGISTRY", registry.c_str(), 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    {
        Console console;
        g_console = &console;
        console.parent.resize(522, 499);
        if (SUCCEEDED(console.gauges.Register()))
            console.gauges.Create(CLSID_GameConsole, IID_IDispatch, &console.parent, {0, 0, 522, 499},
                                  reinterpret_cast<void**>(&console.console), &console.window);
        if (console.console) {
            CComVariant total = CComVariant::I4(10);
            DISPPARAMS params{&total, nullptr, 1, 0};
            console.console->Invoke(DISPID_GAMECONSOLE_STARTQUIZ, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                                    nullptr, nullptr);
        }
        benchmark::RunSpecifiedBenchmarks();
        CComPtr<IWindowedControl> windowed;
        if (console.console) console.console.QueryInterface(IID_IWindowedControl, &windowed);
        if (windowed) windowed->InPlaceDeactivate();
        windowed.Release();
        console.console.Release();
        g_console = nullptr;
    }
    std::error_code ignored;
    std::filesystem::remove(registry, ignored);
    benchmark::Shutdown();
    return 0;
}
