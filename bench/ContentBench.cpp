// How long the game takes to list a large user quiz file and to load one of
// its quizzes, and to build its list of installed quiz books.
#include "BigQuiz.h"
#include "QuizBookCatalogue.h"
#include "QuizReader.h"
#include "RunProgram.h"
#include "SealedFile.h"
#include "UserQuizFile.h"
#include "com/ComRuntime.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

class CCountingSink : public IUserQuizSink {
public:
    void Clear() override { entries = 0; }
    bool AddEntry(const std::string&, const std::string& document) override
    {
        ++entries;
        last = document;
        return true;
    }
    void ShowMessage(const std::string&, Box) override {}

    int entries = 0;
    std::string last;
};

const std::filesystem::path& SealedBigQuiz()
{
    static const std::filesystem::path path = [] {
        const std::filesystem::path p = std::filesystem::temp_directory_path() / "brainwheel-bench-14mb.qiz";
        WriteSealed(p, BigQuizDocument(14));
        return p;
    }();
    return path;
}

void ListUserQuizFile(benchmark::State& state)
{
    CCountingSink sink;
    CUserQuizFile file(sink);
    for (auto _ : state) {
        file.LoadQuizFile(SealedBigQuiz().string());
        benchmark::DoNotOptimize(sink.entries);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(SealedBigQuiz())));
}
BENCHMARK(ListUserQuizFile)->Unit(benchmark::kMillisecond);

void LoadOneUserQuiz(benchmark::State& state)
{
    CCountingSink sink;
    CUserQuizFile(sink).LoadQuizFile(SealedBigQuiz().string());
    CQuizReader reader;
    for (auto _ : state) benchmark::DoNotOptimize(reader.LoadText(sink.last));
}
BENCHMARK(LoadOneUserQuiz)->Unit(benchmark::kMillisecond);

void DrawEveryTest(benchmark::State& state)
{
    CCountingSink sink;
    CUserQuizFile(sink).LoadQuizFile(SealedBigQuiz().string());
    CQuizReader reader;
    std::u16string q, a, o1, o2, o3;
    for (auto _ : state) {
        reader.LoadText(sink.last);
        while (reader.NextRound())
            while (reader.NextTest(q, a, o1, o2, o3)) benchmark::DoNotOptimize(reader.Picture());
    }
}
BENCHMARK(DrawEveryTest)->Unit(benchmark::kMillisecond);

// One build of the book list: all 999 names tried against a private registry
// holding the French course, as the welcome dialog does on every rebuild.
void CatalogueScan(benchmark::State& state)
{
    TestEnvironment env;
    const ProgramResult registered =
        RunProgram(env, "regsvr", "-s " + (TestEnvironment::BinDir() / "Wordcrate.so").string());
    if (registered.status != 0) {
        state.SkipWithError(("regsvr failed: " + registered.err).c_str());
        return;
    }
    int books = 0;
    for (auto _ : state) {
        books = 0;
        CQuizBookCatalogue::FillBookList("Tavorin.CoFrench%d", [&](const std::string&, const std::string&) {
            ++books;
            return true;
        });
    }
    if (books != 4) state.SkipWithError("the French course was not found");
    CoFreeUnusedLibraries();
}
BENCHMARK(CatalogueScan)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
