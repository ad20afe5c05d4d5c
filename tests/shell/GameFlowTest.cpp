// Whole games through the real widgets: the welcome screen, the console and
// the picture buttons clicked as a player would, the console's events
// arriving through the event sink, and the 1500 ms steps and the countdown
// on the manual clock.
#include "GameFlowFixture.h"

namespace {

using namespace gameflow;

TEST_F(GameFlowTest, AWholeGameFromAQuizBookAndThenFromAUserQuizFile)
{
    Start({"thebrainwheel", "-t", "CoFrench"});
    Open();
    EXPECT_EQ(dlg->windowTitle(), "Rav Arire De Duzev Aradad Erazodidor?");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Beginner Stage 1", "Beginner Stage 2", "Beginner Stage 3", "Revision 1"}));
    EXPECT_FALSE(Shown(CWelcomeDlg::IDC_START_QUIZ));

    Pick(0);
    Click(dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_START_QUIZ));
    ASSERT_TRUE(Shown(Dlg::IDC_CONSOLE));
    EXPECT_FALSE(dlg->Welcome()->isVisible());
    const std::vector<std::string> rounds = PlayToTheEnd();
    ASSERT_GE(rounds.size(), 2u);
    EXPECT_EQ(rounds[0].rfind("Round 1: ", 0), 0u) << rounds[0];
    EXPECT_EQ(rounds[1].rfind("Round 2: ", 0), 0u) << rounds[1];
    ExpectFinalMessage();

    Click(Item(Dlg::IDC_NEW_QUIZ));
    ExpectWelcomeInBookMode(4);

    // The same again from a user quiz file, chosen in user file mode.
    using namespace quizdoc;
    const auto file = env.Dir() / "mine.qiz";
    WriteSealed(file, Document({Quiz("Colours", {Round("Les Couleurs", Tests("c", 3)), Round("Les Animaux", Tests("a", 2))}),
                                Quiz("Numbers", {Round("Les Nombres", Tests("n", 2))})}));
    prompts.file = file.string();
    QWidget* useFile = dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_USE_FILE);
    Click(useFile);
    EXPECT_EQ(List()->count(), 0);
    EXPECT_TRUE(dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_LOAD_FILE)->isVisible());
    Click(useFile);
    EXPECT_EQ(List()->count(), 4) << "unticked: the books again";
    EXPECT_FALSE(dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_LOAD_FILE)->isVisible());
    Click(useFile);
    Click(dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_LOAD_FILE));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Colours", "Numbers"}));
    Pick(0);
    Click(dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_START_QUIZ));
    const std::vector<std::string> fileRounds = PlayToTheEnd();
    std::vector<std::string> expected{"Round 1: ", "Round 2: "};
    ASSERT_EQ(fileRounds.size(), 2u);
    for (size_t i = 0; i < 2; ++i) EXPECT_EQ(fileRounds[i].rfind(expected[i], 0), 0u) << fileRounds[i];
    ExpectFinalMessage();

    // Exit twice: the goodbye screen, then the end.
    Click(Item(Dlg::IDC_EXIT));
    EXPECT_TRUE(dlg->Goodbye()->isVisible());
    EXPECT_FALSE(Shown(Dlg::IDC_CONSOLE));
    // Both screens fill the frame from its corner.
    EXPECT_EQ(dlg->Goodbye()->pos(), QPoint(0, 0));
    EXPECT_EQ(dlg->Welcome()->pos(), QPoint(0, 0));
    Click(Item(Dlg::IDC_EXIT));
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->m_pAutoProxy, nullptr);
    EXPECT_TRUE(prompts.messages.empty());
}

// A registry that was fine at start and went bad later: refilling the list
// tells the player why it is empty, once for the list and not once per book
// number, and lists the books again once the file is mended.
TEST_F(GameFlowTest, TheBookListTellsOnceWhenTheRegistryCannotBeRead)
{
    Start({"thebrainwheel", "-t", "CoFrench"});
    Open();
    ASSERT_EQ(List()->count(), 4);
    const std::string good = ReadWholeFile(env.RegistryPath());
    const std::string path = env.RegistryPath().string();
    const struct {
        const char* what;
        std::function<void()> damage;
        std::string why;
    } cases[] = {
        {"a damaged line", [&] { std::ofstream(env.RegistryPath(), std::ios::app) << "[HKEY_CLASSES_ROOT\\Broken\n"; },
         path + ":" + std::to_string(std::count(good.begin(), good.end(), '\n') + 1) + ": section name not closed by ']'"},
        {"a folder in its place",
         [&] {
             std::filesystem::remove(env.RegistryPath());
             std::filesystem::create_directory(env.RegistryPath());
         },
         path + ": cannot read: Is a directory"},
    };
    QWidget* useFile = dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_USE_FILE);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.messages.clear();
        c.damage();
        Click(useFile);
        Click(useFile);
        EXPECT_EQ(List()->count(), 0);
        EXPECT_EQ(prompts.messages, std::vector<std::string>(
                                        {"The quiz books cannot be listed: the registry cannot be read.\n\n" + c.why}));

        std::filesystem::remove_all(env.RegistryPath());
        std::ofstream(env.RegistryPath(), std::ios::binary) << good;
        Click(useFile);
        Click(useFile);
        EXPECT_EQ(List()->count(), 4);
        EXPECT_EQ(prompts.messages.size(), 1u);
    }
}

TEST_F(GameFlowTest, AStepStillPendingWhenThePlayerLeavesIsNeverRun)
{
    Start({"thebrainwheel", "-t", "CoFrench"});
    Open();
    for (const bool close : {false, true}) {
        if (!Shown(Dlg::IDC_CONSOLE)) {
            if (!dlg->Welcome()->isVisible()) Click(Item(Dlg::IDC_NEW_QUIZ));
            Pick(1);
            Click(dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_START_QUIZ));
        }
        Click(Item(Dlg::IDC_START_ROUND));
        Answer(true);
        QCoreApplication::processEvents();  // the answer's message arrives; its step waits
        if (close) {
            dlg->close();
            dlg.reset();
            Wait();  // nothing left to run into
            break;
        }
        Click(Item(Dlg::IDC_EXIT));
        ASSERT_TRUE(dlg->Goodbye()->isVisible());
        const std::vector<std::string> after = ConsoleTexts();
        Wait();
        EXPECT_EQ(ConsoleTexts(), after) << "no question was set after leaving";
        EXPECT_TRUE(dlg->Goodbye()->isVisible());
        EXPECT_FALSE(Shown(Dlg::IDC_CONSOLE));
        // Back to a new quiz from the goodbye screen is not offered; start
        // afresh through a new window for the close case.
        dlg = std::make_unique<Dlg>();
        ASSERT_TRUE(dlg->OnInitDialog());
        dlg->show();
        QCoreApplication::processEvents();
    }
}

TEST_F(GameFlowTest, TroublesAreToldAndTheWelcomeScreenStays)
{
    Start({"thebrainwheel"});
    // No console library registered: the player is told how to register it.
    {
        Dlg bare;
        EXPECT_EQ(bare.DoModal(), -1);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_NE(prompts.messages[0].find("regsvr"), std::string::npos);
        EXPECT_NE(prompts.messages[0].find("Playdeck.so"), std::string::npos);
    }
    prompts.messages.clear();
    Open();
    EXPECT_EQ(dlg->windowTitle(), "Pub Brainwheel");
    // The About entry lives in the window's own menu, opened by a right click.
    ASSERT_TRUE(dlg->SystemMenu());
    ASSERT_EQ(dlg->SystemMenu()->actions().size(), 2) << "About, then Mute Sounds";
    EXPECT_EQ(dlg->SystemMenu()->actions()[0]->text(), "&About thebrainwheel...");
    EXPECT_EQ(List()->count(), 0) << "the default names find no book of the French course";

    // A quiz that does not load, from a file or from a book.
    const std::string broken = "<Quizzes><Quiz>", missing = "Tavorin.Quiz7";
    QCoreApplication::postEvent(dlg.get(), new CControlMessageEvent(WM_QUIZ_XML_CHOSEN, 0, reinterpret_cast<LPARAM>(broken.c_str())));
    QCoreApplication::postEvent(dlg.get(), new CControlMessageEvent(WM_QUIZ_BOOK_CHOSEN, 0, reinterpret_cast<LPARAM>(missing.c_str())));
    QCoreApplication::processEvents();
    EXPECT_EQ(prompts.messages, (std::vector<std::string>{"Failed to load XML", "Failed to create the quiz book"}));
    EXPECT_TRUE(dlg->Welcome()->isVisible());
    EXPECT_FALSE(Shown(Dlg::IDC_CONSOLE));
}

TEST(FinalMessage, ChosenByTheScoreBand)
{
    const std::pair<SHORT, const char16_t*> bands[] = {
        {100, u"Top Marks !!  You're the God of brainwheels everywhere."},
        {101, u"Congratulations! Your Final Score is "},
        {99, u"Congratulations! Your Final Score is "},
        {81, u"Congratulations! Your Final Score is "},
        {80, u"Well Done! Your Final Score is "},
        {61, u"Looking Good! Your Final Score is "},
        {60, u"Your Final Score is "},
        {30, u"Your Final Score is "},
        {29, u"Hmmm... Not Bad! Your Final Score is "},
        {20, u"Hmmm... Not Bad! Your Final Score is "},
        {19, u"Could be better! Your Final Score is "},
        {-5, u"Could be better! Your Final Score is "},
    };
    for (const auto& [score, text] : bands) EXPECT_EQ(CthebrainwheelDlg::FinalMessage(score), text) << score;
}

} // namespace
