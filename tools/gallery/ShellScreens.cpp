#include "ShellScreens.h"

#include "Gallery.h"
#include "Pointer.h"
#include "QuizDocuments.h"
#include "SealedFile.h"
#include "SteppedTimers.h"

#include "AboutDlg.h"
#include "ReviewDlg.h"
#include "GoodbyeDlg.h"
#include "Playdeck.h"
#include "Prompts.h"
#include "ShellSettings.h"
#include "WelcomeDlg.h"
#include "thebrainwheelDlg.h"

#include <QCheckBox>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

using Dlg = CthebrainwheelDlg;

// The file dialog answers with the gallery's own quiz file; a message box
// would wait for a click nobody makes, so its text goes to stderr instead.
class CGalleryPrompts final : public IPrompts {
public:
    explicit CGalleryPrompts(std::string file) : m_file(std::move(file)) { SetPrompts(this); }
    ~CGalleryPrompts() override { SetPrompts(nullptr); }
    CGalleryPrompts(const CGalleryPrompts&) = delete;
    CGalleryPrompts& operator=(const CGalleryPrompts&) = delete;

    void MessageBox(QWidget*, const std::string& text, Icon) override
    {
        std::fprintf(stderr, "gallery: the game says: %s\n", text.c_str());
        m_bTold = true;
    }
    std::optional<std::string> ChooseQuizFile(QWidget*) override { return m_file; }

    bool m_bTold = false;  // a message came, so some screen is not what it should be

private:
    std::string m_file;
};

bool Register(const std::filesystem::path& folder, const char* module)
{
    const int status = QProcess::execute(QString::fromStdString((folder / "regsvr").string()),
                                         {QStringLiteral("-s"), QString::fromStdString((folder / module).string())});
    if (status != 0) std::fprintf(stderr, "gallery: regsvr %s failed (%d)\n", module, status);
    return status == 0;
}

// The settings of a start with `args` (the program's path first).
void StartWith(const std::vector<std::string>& args)
{
    DestroyShellSettings();
    CreateShellSettings();
    ApplyNameOption(args);
    DetectFrenchMode();
}

// A click on a picture button, check box or push button, and what it posts.
void Click(QWidget* widget)
{
    if (!widget) return;
    Point(widget, true, true);
    QCoreApplication::sendPostedEvents();
}

// The main window, opened as the program opens it, and its screens.
class CShellWindow {
public:
    CShellWindow() : m_dlg(std::make_unique<Dlg>()) { m_bOpen = m_dlg->OnInitDialog() && m_dlg->Welcome(); }
    bool Open() const { return m_bOpen; }
    Dlg& Window() const { return *m_dlg; }

    void Show()
    {
        m_dlg->show();
        QCoreApplication::processEvents();
    }
    bool Shown(int id) const { return m_dlg->GetDlgItem(id) && m_dlg->GetDlgItem(id)->isVisible(); }
    void Press(int id) { Click(m_dlg->GetDlgItem(id)); }
    void PressOnWelcome(int id) { Click(m_dlg->Welcome()->GetDlgItem(id)); }
    QListWidget* List() const { return m_dlg->Welcome()->DlgItem<QListWidget>(CWelcomeDlg::IDC_QUIZ_LIST); }

    // Chooses line `row` of the list as a player would, which shows Start Quiz.
    void Pick(int row)
    {
        if (QListWidget* list = List(); list && row < list->count()) list->setCurrentRow(row);
    }

    // Clicks the label of the option holding the answer, or of one that
    // does not; false when there is none.
    bool Answer(bool right = true)
    {
        QWidget* label = AnswerLabel(ControlsBelow<IOption>(m_dlg->GetDlgItem(Dlg::IDC_CONSOLE), IID_IOption), right);
        if (!label) return false;
        Point(label, true);
        QCoreApplication::sendPostedEvents();
        return true;
    }

    // The question the console shows, with its number.
    std::string Question() const
    {
        const auto challenges = ControlsBelow<IChallenge>(m_dlg->GetDlgItem(Dlg::IDC_CONSOLE), IID_IChallenge);
        if (challenges.empty()) return {};
        for (const auto& label : ControlsBelow<IImageText>(WindowOf(challenges[0]), IID_IImageText)) {
            CComBSTR text;
            label->get_Text(&text);
            if (text.Length() > 0) return QString::fromStdU16String(text.str()).toStdString();
        }
        return {};
    }

    // Plays on to the final message: Start Round at each round, every question
    // answered rightly unless `miss` says otherwise for its text, and the step
    // after each answer let run. False when the game got stuck.
    bool PlayToTheEnd(CSteppedTimers& timers, const std::function<bool(const std::string&)>& miss = {})
    {
        for (int guard = 0; guard < 1000; ++guard) {
            if (Shown(Dlg::IDC_NEW_QUIZ)) return true;
            if (Shown(Dlg::IDC_START_ROUND)) {
                Press(Dlg::IDC_START_ROUND);
                continue;
            }
            if (!Answer(!miss || !miss(Question()))) return false;
            // The delayed step; the countdown ticks once on the way, which
            // no screen after it shows.
            timers.Step();
            QCoreApplication::sendPostedEvents();
        }
        return false;
    }

private:
    std::unique_ptr<Dlg> m_dlg;
    bool m_bOpen = false;
};

} // namespace

bool AddShellScreens(CGallery& gallery, CSteppedTimers& timers, const std::filesystem::path& folder)
{
    gallery.Section(QStringLiteral("Game program"),
                    QStringLiteral("The main window of thebrainwheel in each screen, with the French course "
                                   "(-t CoFrench) unless said otherwise."));
    if (!Register(folder, "Playdeck.so") || !Register(folder, "Wordcrate.so")) return false;

    // A user quiz file with two quizzes, for the welcome screen's file mode.
    QTemporaryDir scratch;
    const std::filesystem::path quizFile = std::filesystem::path(scratch.path().toStdString()) / "colours.qiz";
    {
        using namespace quizdoc;
        WriteSealed(quizFile, Document({Quiz("Colours", {Round("Les Couleurs", Tests("c", 3))}),
                                        Quiz("Numbers", {Round("Les Nombres", Tests("n", 2))})}));
    }
    CGalleryPrompts prompts(quizFile.string());

    bool written = true;
    const auto shot = [&](QWidget& window, const char* name, const char* caption) {
        QCoreApplication::processEvents();
        written &= gallery.Add(QStringLiteral("shell-%1").arg(QLatin1String(name)), window.grab().toImage(),
                               QString::fromUtf8(caption));
    };
    const auto fail = [&](const char* what) {
        std::fprintf(stderr, "gallery: %s\n", what);
        DestroyShellSettings();
        return false;
    };

    StartWith({"thebrainwheel", "-t", "CoFrench"});
    {
        CShellWindow w;
        if (!w.Open()) return fail("the main window cannot open: is the console registered?");
        w.Show();
        shot(w.Window(), "welcome-french", "welcome, book mode: the French course's books");
        w.Pick(0);
        shot(w.Window(), "welcome-french-chosen", "welcome, a book chosen: Start Quiz offered");

        w.PressOnWelcome(CWelcomeDlg::IDC_USE_FILE);
        w.PressOnWelcome(CWelcomeDlg::IDC_LOAD_FILE);
        shot(w.Window(), "welcome-user-file", "welcome, user file mode: a sealed quiz file with two quizzes loaded");

        w.PressOnWelcome(CWelcomeDlg::IDC_USE_FILE);
        w.Pick(0);
        w.PressOnWelcome(CWelcomeDlg::IDC_START_QUIZ);
        if (!w.Shown(Dlg::IDC_START_ROUND)) return fail("the first book's quiz did not start");
        shot(w.Window(), "round", "playing: a round announced, Start Round offered");
        w.Press(Dlg::IDC_START_ROUND);
        shot(w.Window(), "question", "playing: the first question, the countdown running");

        if (!w.PlayToTheEnd(timers)) return fail("the quiz did not reach its final message");
        shot(w.Window(), "final", "finished: the final message, New Quiz offered");
        w.Press(Dlg::IDC_EXIT);
        shot(w.Window(), "goodbye-french", "goodbye, after Exit");

        CAboutDlg about(&w.Window());
        about.show();
        shot(about, "about", "the About box, from the window's menu");
        about.close();
    }
    {
        // A quiz with misses: the first question and the first two picture
        // questions (the Picture Board asks "what is it?").
        CShellWindow w;
        if (!w.Open()) return fail("the main window cannot open again");
        w.Show();
        w.Pick(0);
        w.PressOnWelcome(CWelcomeDlg::IDC_START_QUIZ);
        int pictures = 0;
        const auto miss = [&](const std::string& question) {
            return question.rfind("1. ", 0) == 0 ||
                   (question.find("Qu'est-ce que c'est?") != std::string::npos && ++pictures <= 2);
        };
        if (!w.PlayToTheEnd(timers, miss) || !w.Shown(Dlg::IDC_REVIEW))
            return fail("the quiz with misses did not end with Review Missed");
        shot(w.Window(), "final-review", "finished with misses: the final message, New Quiz and Review Missed offered");
        w.Press(Dlg::IDC_REVIEW);
        if (!w.Window().Review()) return fail("Review Missed opened no window");
        shot(*w.Window().Review(), "review", "the review of missed questions, each with its right answer and round");
    }

    StartWith({"thebrainwheel"});
    {
        CShellWindow w;
        if (!w.Open()) return fail("the main window cannot open in ordinary mode");
        w.Show();
        shot(w.Window(), "welcome-ordinary", "welcome, ordinary start: no quiz book found, the list empty");
        w.Press(Dlg::IDC_EXIT);
        shot(w.Window(), "goodbye-ordinary", "goodbye, ordinary start");
    }
    DestroyShellSettings();
    return written && !prompts.m_bTold;
}
