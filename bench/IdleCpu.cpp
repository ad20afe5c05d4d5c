// bench_idle_cpu: the game's main window with the French course, the first
// book's quiz started and its first question waiting, the countdown running
// on real timers; the event loop then runs for ten seconds of wall time and
// the process's CPU time over that time is printed. It registers the modules
// from its own folder into a registry of its own and runs offscreen.
#include "Pointer.h"

#include "Prompts.h"
#include "ShellSettings.h"
#include "WelcomeDlg.h"
#include "thebrainwheelDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kWaitMs = 10000;

std::filesystem::path OwnFolder()
{
    std::error_code ignored;
    return std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
}

bool Register(const char* module)
{
    const std::filesystem::path folder = OwnFolder();
    return QProcess::execute(QString::fromStdString((folder / "regsvr").string()),
                             {QStringLiteral("-s"), QString::fromStdString((folder / module).string())}) == 0;
}

double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Counts the timer events delivered: the countdown's ticks among them show
// that it runs.
class CTimerCount final : public QObject {
public:
    int m_nEvents = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Timer) ++m_nEvents;
        return false;
    }
};

// A click on a picture button, and what it posts.
void Click(QWidget* widget)
{
    Point(widget, true, true);
    QCoreApplication::sendPostedEvents();
}

int Fail(const char* what)
{
    std::fprintf(stderr, "bench_idle_cpu: %s\n", what);
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir scratch;
    setenv("BRAINWHEEL_REGISTRY", (scratch.path() + QStringLiteral("/registry.reg")).toLocal8Bit().constData(), 1);
    QApplication application(argc, argv);
    QApplication::setApplicationName(kProgramName);
    if (!Register("Playdeck.so") || !Register("Wordcrate.so")) return Fail("regsvr failed");

    CreateShellSettings();
    ApplyNameOption({"thebrainwheel", "-t", "CoFrench"});
    DetectFrenchMode();
    int status = EXIT_SUCCESS;
    {
        CthebrainwheelDlg window;
        if (!window.OnInitDialog() || !window.Welcome()) return Fail("the main window cannot open");
        window.show();
        QCoreApplication::processEvents();
        auto* list = window.Welcome()->DlgItem<QListWidget>(CWelcomeDlg::IDC_QUIZ_LIST);
        if (!list || list->count() == 0) return Fail("no quiz book listed");
        list->setCurrentRow(0);
        Click(window.Welcome()->GetDlgItem(CWelcomeDlg::IDC_START_QUIZ));
        QWidget* startRound = window.GetDlgItem(CthebrainwheelDlg::IDC_START_ROUND);
        if (!startRound || !startRound->isVisible()) return Fail("the quiz did not start");
        Click(startRound);
        QCoreApplication::processEvents();

        CTimerCount timerEvents;
        application.installEventFilter(&timerEvents);
        QElapsedTimer wall;
        const double cpuBefore = ProcessCpuSeconds();
        wall.start();
        QTimer::singleShot(kWaitMs, Qt::PreciseTimer, &application, &QCoreApplication::quit);
        QApplication::exec();
        const double cpu = ProcessCpuSeconds() - cpuBefore;
        const double seconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
        std::printf("wall %.3f s, cpu %.4f s, cpu/wall %.3f %% (goal: under 1 %%), %d timer events\n", seconds, cpu,
                    100.0 * cpu / seconds, timerEvents.m_nEvents);
        if (startRound->isVisible() || window.GetDlgItem(CthebrainwheelDlg::IDC_NEW_QUIZ)->isVisible())
            status = Fail("the question did not stay up for the whole wait");
    }
    DestroyShellSettings();
    return status;
}
