// bench_startup_game: the game's real start-up, made exactly as main.cpp
// makes it with the command line "thebrainwheel -t CoFrench", ending as soon
// as the welcome screen has been painted with the French course's four books
// listed. bench/compare_startup.sh times it against bench_startup_bare; the
// modules must be registered in the registry in force.
#include "GameApp.h"
#include "Prompts.h"
#include "WelcomeDlg.h"
#include "thebrainwheelDlg.h"

#include <QApplication>
#include <QListWidget>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kBooks = 4;
// Far beyond any start-up: a message box waiting for a click ends the run.
constexpr int kGiveUpMs = 20000;

// Ends the main window right after the welcome screen's first paint with
// every book listed.
class CWelcomeWatch final : public QObject {
public:
    bool Seen() const { return m_bSeen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_bSeen || event->type() != QEvent::Paint) return false;
        const auto* welcome = dynamic_cast<CWelcomeDlg*>(watched);
        const QListWidget* list = welcome ? welcome->DlgItem<QListWidget>(CWelcomeDlg::IDC_QUIZ_LIST) : nullptr;
        CGameApp* app = CGameApp::Instance();
        if (!list || list->count() != kBooks || !app || !app->m_pMainWnd) return false;
        m_bSeen = true;
        // Queued, so that this paint completes first.
        CthebrainwheelDlg* window = app->m_pMainWnd;
        QMetaObject::invokeMethod(window, [window] { window->done(0); }, Qt::QueuedConnection);
        return false;
    }

private:
    bool m_bSeen = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(kProgramName);
    CWelcomeWatch watch;
    application.installEventFilter(&watch);
    QTimer::singleShot(kGiveUpMs, [] {
        std::fprintf(stderr, "bench_startup_game: no welcome screen with %d books; are the modules registered?\n", kBooks);
        std::_Exit(EXIT_FAILURE);
    });

    char program[] = "thebrainwheel", option[] = "-t", name[] = "CoFrench";
    char* args[] = {program, option, name, nullptr};
    CGameApp app;
    const int status = app.Run(3, args);
    return watch.Seen() ? status : EXIT_FAILURE;
}
