// bench_startup_phases: the steps of the game's start-up (CGameApp::Run with
// "thebrainwheel -t CoFrench", then the main window up to the welcome
// screen's first paint) taken one at a time, each timed, so that a slow
// start-up can be traced to its step. The modules are loaded ahead of the
// window that would load them, so that their loading is a step of its own,
// and the quiz books are scanned once ahead of the welcome screen's own
// scan. Prints "step milliseconds peak-resident-KiB" lines;
// bench/compare_startup.sh prints the medians of several runs.
#include "AppRegistration.h"
#include "Prompts.h"
#include "QuizBookCatalogue.h"
#include "ShellSettings.h"
#include "WelcomeDlg.h"
#include "thebrainwheelDlg.h"
#include "com/Registry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <dlfcn.h>
#include <sys/resource.h>

namespace {

constexpr int kBooks = 4;

QElapsedTimer g_clock;

// Prints the time since the previous step and the peak resident memory so far.
void Step(const char* name)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%s %.2f %ld\n", name, static_cast<double>(g_clock.nsecsElapsed()) / 1e6, usage.ru_maxrss);
    g_clock.restart();
}

bool Load(const char* module)
{
    std::error_code ignored;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path() / module;
    // Kept loaded: the runtime's own dlopen of the registered path finds it.
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL) != nullptr;
}

// Notes the welcome screen's first paint with every book listed.
class CWelcomeWatch final : public QObject {
public:
    explicit CWelcomeWatch(CthebrainwheelDlg& window) : m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_bSeen || event->type() != QEvent::Paint) return false;
        const auto* welcome = dynamic_cast<CWelcomeDlg*>(watched);
        const QListWidget* list = welcome ? welcome->DlgItem<QListWidget>(CWelcomeDlg::IDC_QUIZ_LIST) : nullptr;
        if (!list || list->count() != kBooks) return false;
        m_bSeen = true;
        QMetaObject::invokeMethod(
            &m_window, [this] { Step("show-scan-and-first-paint"); m_window.done(0); }, Qt::QueuedConnection);
        return false;
    }

private:
    CthebrainwheelDlg& m_window;
    bool m_bSeen = false;
};

int Fail(const char* what)
{
    std::fprintf(stderr, "bench_startup_phases: %s\n", what);
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char** argv)
{
    g_clock.start();
    QApplication application(argc, argv);
    QApplication::setApplicationName(kProgramName);
    Step("qapplication");

    CreateShellSettings();
    CRegistryData registry;
    if (FAILED(CRegistry::Read(registry))) return Fail("the registry cannot be read");
    Step("registry-read");
    RegisterApplication();
    Step("register-application");
    ApplyNameOption({"thebrainwheel", "-t", "CoFrench"});
    DetectFrenchMode();

    if (!Load("Playdeck.so")) return Fail(dlerror());
    Step("load-playdeck");
    if (!Load("Wordcrate.so")) return Fail(dlerror());
    Step("load-wordcrate");
    int books = 0;
    CQuizBookCatalogue::FillBookList(g_strBookPattern, [&books](const std::string&, const std::string&) {
        ++books;
        return true;
    });
    Step("catalogue-scan");
    if (books != kBooks) return Fail("the French course is not registered");

    {
        CthebrainwheelDlg window;
        Step("main-window-and-console");
        if (!window.OnInitDialog()) return Fail("the console cannot be made");
        Step("welcome-and-goodbye-screens");
        CWelcomeWatch watch(window);
        application.installEventFilter(&watch);
        window.exec();
        g_clock.restart();
    }
    Step("window-closed");
    DestroyShellSettings();
    return EXIT_SUCCESS;
}
