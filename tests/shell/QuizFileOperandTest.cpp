// "thebrainwheel FILE.qiz", as a file manager runs it: the application
// started with the file on its command line opens the welcome screen in
// user file mode as Load Qiz File would have with that file chosen, which
// the same window is then asked to do for comparison.
#include "ShellTestFixture.h"

#include "GameApp.h"
#include "QuizDocuments.h"
#include "SealedFile.h"
#include "WelcomeDlg.h"
#include "thebrainwheelDlg.h"

#include <QCheckBox>
#include <QListWidget>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

namespace {

using Dlg = CthebrainwheelDlg;

// What the welcome screen shows, and what the player was told.
struct Welcome {
    bool userFile = false;
    bool loadShown = false;
    std::vector<std::string> titles;
    std::vector<std::string> messages;

    bool operator==(const Welcome&) const = default;
};

class QuizFileOperandTest : public ShellTest {
protected:
    void SetUp() override
    {
        RegisterModule("Playdeck.so");
        RegisterModule("Wordcrate.so");
    }

    Welcome Look(CWelcomeDlg* welcome)
    {
        Welcome look;
        look.userFile = welcome->DlgItem<QCheckBox>(CWelcomeDlg::IDC_USE_FILE)->isChecked() && welcome->m_bUserFile;
        look.loadShown = welcome->GetDlgItem(CWelcomeDlg::IDC_LOAD_FILE)->isVisible();
        const QListWidget* list = welcome->DlgItem<QListWidget>(CWelcomeDlg::IDC_QUIZ_LIST);
        for (int i = 0; i < list->count(); ++i) look.titles.push_back(list->item(i)->text().toStdString());
        look.messages = std::exchange(prompts.messages, {});
        return look;
    }
    static void Click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        QCoreApplication::processEvents();
    }
};

TEST_F(QuizFileOperandTest, TheFileOpensInUserFileModeAsLoadQizFileWouldOpenIt)
{
    using namespace quizdoc;
    const auto valid = env.Dir() / "colours and numbers.qiz";
    WriteSealed(valid, Document({Quiz("Colours", {Round("Les Couleurs", Tests("c", 3))}),
                                 Quiz("Numbers", {Round("Les Nombres", Tests("n", 2))})}));
    const auto damaged = env.Dir() / "damaged.qiz";
    WriteBytes(damaged, Seal(Document({Quiz("Colours", {Round("Les Couleurs", Tests("c", 3))})})).substr(0, 40));
    const auto plain = env.Dir() / "plain.qiz";
    WriteBytes(plain, "<Quizzes/>");
    const auto missing = env.Dir() / "missing.qiz";

    struct Case {
        const char* what;
        std::vector<std::string> args;  // after the program's path
        std::string file;               // chosen in Load Qiz File for the twin
        std::vector<std::string> titles;
        bool french;
    };
    const Case cases[] = {
        {"a sealed file", {valid.string()}, valid.string(), {"Colours", "Numbers"}, false},
        {"before -t", {valid.string(), "-t", "CoFrench"}, valid.string(), {"Colours", "Numbers"}, true},
        {"a damaged file", {damaged.string()}, damaged.string(), {}, false},
        {"an unsealed file", {plain.string()}, plain.string(), {}, false},
        {"a missing file", {missing.string()}, missing.string(), {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> args = {"thebrainwheel"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());

        Welcome started, loaded, books;
        bool french = false;
        CGameApp app;
        QObject during;  // the look below ends with this case
        // Runs once the window is up and has handled what its showing
        // queued, inside its event loop, and ends it.
        const auto look = [&] {
            Dlg* dlg = app.m_pMainWnd;
            ASSERT_TRUE(dlg);
            const auto end = qScopeGuard([dlg] { dlg->close(); });
            ASSERT_TRUE(dlg->Welcome() && dlg->Welcome()->isVisible());
            CWelcomeDlg* welcome = dlg->Welcome();
            started = Look(welcome);
            french = g_bFrenchMode != 0;
            // The screen stays usable: Load Qiz File for the same file, then
            // the books again when the box is unticked.
            prompts.file = c.file;
            Click(welcome->GetDlgItem(CWelcomeDlg::IDC_LOAD_FILE));
            loaded = Look(welcome);
            Click(welcome->GetDlgItem(CWelcomeDlg::IDC_USE_FILE));
            books = Look(welcome);
        };
        QTimer::singleShot(0, &during, [&] { QTimer::singleShot(0, &during, look); });
        EXPECT_EQ(app.Run(static_cast<int>(argv.size()), argv.data()), EXIT_SUCCESS);

        EXPECT_TRUE(started.userFile);
        EXPECT_TRUE(started.loadShown);
        EXPECT_EQ(started.titles, c.titles);
        EXPECT_EQ(started.messages.empty(), !c.titles.empty()) << "a file that can't be read is told";
        EXPECT_EQ(started, loaded) << "as Load Qiz File";
        EXPECT_EQ(french, c.french);
        EXPECT_FALSE(books.userFile);
        EXPECT_EQ(books.titles.size(), c.french ? 4u : 0u);
    }
}

} // namespace
