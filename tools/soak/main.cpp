// soak_games GAMES [SEED]: plays GAMES whole games of the French course and
// of a user quiz file through the real game window, offscreen with time
// injected, and prints the resident memory after game 20 and after the last,
// so that growth over a long run shows.
#include "SoakPlayer.h"

#include "ManualTimers.h"
#include "QuizDocuments.h"
#include "RunProgram.h"
#include "SealedFile.h"
#include "TestEnvironment.h"

#include "ShellSettings.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

namespace {

// The game number whose memory is the run's baseline: by then every picture,
// sound and window the game makes has been made at least once.
constexpr int kBaselineGame = 20;

long ResidentKiB()
{
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Two quizzes of several rounds, so that the file's games last as the books' do.
std::string SoakDocument()
{
    using namespace quizdoc;
    return Document({Quiz("Colours", {Round("Les Couleurs", Tests("c", 6)), Round("Les Animaux", Tests("a", 5)),
                                      Round("Les Nombres", Tests("n", 4))}),
                     Quiz("Food &amp; Drink", {Round("La Cuisine", Tests("f", 8)), Round("Les Boissons", Tests("d", 3))})});
}

} // namespace

int main(int argc, char** argv)
{
    const int games = argc > 1 ? std::atoi(argv[1]) : 0;
    if (games <= 0) {
        std::fprintf(stderr, "usage: soak_games GAMES [SEED]\n");
        return 2;
    }
    const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);

    TestEnvironment env;
    for (const char* module : {"Playdeck.so", "Wordcrate.so"}) {
        if (RunProgram(env, "regsvr", "-s " + (TestEnvironment::BinDir() / module).string()).status != 0) {
            std::fprintf(stderr, "soak_games: %s could not be registered\n", module);
            return 1;
        }
    }
    CreateShellSettings();
    ApplyNameOption({"soak_games", "-t", "CoFrench"});
    DetectFrenchMode();
    const std::string quizFile = (env.Dir() / "soak.qiz").string();
    WriteSealed(quizFile, SoakDocument());

    int status = 0;
    {
        ManualTimers timers;
        CSoakPlayer player(timers, quizFile, seed);
        const auto start = std::chrono::steady_clock::now();
        for (int game = 1; game <= games; ++game) {
            if (!player.PlayGame()) {
                std::fprintf(stderr, "soak_games: game %d: %s\n", game, player.Failure().c_str());
                status = 1;
                break;
            }
            if (game == kBaselineGame || game == games)
                std::printf("rss after game %d: %ld KiB\n", game, ResidentKiB());
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const CSoakPlayer::Tally& done = player.Done();
        std::printf("%d games in %.1f s: %d from the quiz file, %d windows, %d answers, %d time-outs, "
                    "%d lifelines spent, %d games left half-way\n",
                    games, took.count(), done.fileGames, done.windows, done.answers, done.timeOuts, done.lifelines,
                    done.leftHalfWay);
    }
    DestroyShellSettings();
    return status;
}
