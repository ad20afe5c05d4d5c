// Whole games through the real widgets: the welcome screen, the console and
// the picture buttons clicked as a player would, the console's events
// arriving through the event sink, and the 1500 ms steps and the countdown
// on the manual clock.
#include "ShellTestFixture.h"

#include "ControlTree.h"

#include "Playdeck.h"
#include "QuizDocuments.h"
#include "SealedFile.h"
#include "ShellMessages.h"
#include "GoodbyeDlg.h"
#include "ReviewDlg.h"
#include "WelcomeDlg.h"
#include "thebrainwheelDlg.h"
#include "ole/ControlWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <set>
#include <tuple>

namespace {

using Dlg = CthebrainwheelDlg;

std::string Narrow(const CComBSTR& text) { return QString::fromStdU16String(text.str()).toStdString(); }

class GameFlowTest : public ShellTest {
protected:
    void Open()
    {
        RegisterModule("Playdeck.so");
        RegisterModule("Wordcrate.so");
        dlg = std::make_unique<Dlg>();
        ASSERT_TRUE(dlg->OnInitDialog());
        dlg->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        dlg.reset();
        ShellTest::TearDown();
    }

    QWidget* Item(int id) const { return dlg->GetDlgItem(id); }
    bool Shown(int id) const { return Item(id) && Item(id)->isVisible(); }
    QListWidget* List() const { return dlg->Welcome()->DlgItem<QListWidget>(CWelcomeDlg::IDC_QUIZ_LIST); }
    std::vector<std::string> Titles() const
    {
        std::vector<std::string> titles;
        for (int i = 0; i < List()->count(); ++i) titles.push_back(List()->item(i)->text().toStdString());
        return titles;
    }

    void Click(QWidget* widget)
    {
        ASSERT_TRUE(widget && widget->isVisible());
        const QPoint centre = widget->rect().center();
        QTest::mouseMove(widget, centre);
        QTest::mouseClick(widget, Qt::LeftButton, {}, centre);
        QCoreApplication::processEvents();
    }
    void Pick(int row)
    {
        QListWidget* list = List();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        QCoreApplication::processEvents();
    }
    // Lets the console's display stand and the delayed step run.
    void Wait(int ms = Dlg::kStepDelayMs)
    {
        QCoreApplication::processEvents();
        timers.Advance(ms);
        QCoreApplication::processEvents();
    }

    // The texts the console shows now.
    std::vector<std::string> ConsoleTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& label : ControlsBelow<IImageText>(Item(Dlg::IDC_CONSOLE), IID_IImageText)) {
            CComBSTR text;
            label->get_Text(&text);
            if (text.Length() > 0) texts.push_back(Narrow(text));
        }
        return texts;
    }
    bool ConsoleShows(const std::string& prefix) const
    {
        for (const std::string& text : ConsoleTexts())
            if (text.rfind(prefix, 0) == 0) return true;
        return false;
    }
    // Clicks the label of the right option, or of a wrong one.
    void Answer(bool right)
    {
        QWidget* label = AnswerLabel(ControlsBelow<IOption>(Item(Dlg::IDC_CONSOLE), IID_IOption), right);
        ASSERT_TRUE(label) << "no option to click";
        QTest::mouseMove(label, QPoint(20, 10));
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(20, 10));
    }

    // Plays the chosen quiz to its final message: Start Round at each round,
    // every second question answered wrongly until two lives are gone.
    // Returns the round captions seen.
    std::vector<std::string> PlayToTheEnd()
    {
        std::vector<std::string> rounds;
        int questions = 0, wrong = 0;
        for (int guard = 0; guard < 500 && !Shown(Dlg::IDC_NEW_QUIZ); ++guard) {
            if (Shown(Dlg::IDC_START_ROUND)) {
                for (const std::string& text : ConsoleTexts())
                    if (text.rfind("Round ", 0) == 0) rounds.push_back(text);
                Click(Item(Dlg::IDC_START_ROUND));
                continue;
            }
            const bool right = ++questions % 2 == 1 || wrong == 2;
            if (!right) ++wrong;
            Answer(right);
            Wait();
        }
        return rounds;
    }

    void ExpectFinalMessage()
    {
        ASSERT_TRUE(Shown(Dlg::IDC_NEW_QUIZ));
        EXPECT_FALSE(Shown(Dlg::IDC_START_ROUND));
        bool found = false;
        for (const std::string& text : ConsoleTexts())
            found |= text.find("Your Final Score is ") != std::string::npos && text.back() == '%';
        EXPECT_TRUE(found) << "the final message with the score and %";
    }

    void ExpectWelcomeInBookMode(size_t books)
    {
        EXPECT_TRUE(dlg->Welcome()->isVisible());
        EXPECT_FALSE(Shown(Dlg::IDC_CONSOLE));
        EXPECT_EQ(dlg->Welcome()->m_bUserFile, 0);
        EXPECT_FALSE(dlg->Welcome()->DlgItem<QCheckBox>(CWelcomeDlg::IDC_USE_FILE)->isChecked());
        EXPECT_EQ(static_cast<size_t>(List()->count()), books);
    }

    std::unique_ptr<Dlg> dlg;
};

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

// The review of missed questions: what the player missed, by a wrong answer,
// a time-out or the answer that cost the last life, is listed with its right
// answer, saved as a user quiz file, and that file plays exactly those again.
class ReviewMissedTest : public GameFlowTest {
protected:
    struct Asked {
        std::string question;  // without the console's number
        std::string answer;
        std::string category;
        bool picture;
        bool operator<(const Asked& other) const
        {
            return std::tie(question, answer) < std::tie(other.question, other.answer);
        }
        bool operator==(const Asked& other) const = default;
        friend void PrintTo(const Asked& asked, std::ostream* out)
        {
            *out << asked.question << " / " << asked.answer << " / " << asked.category << (asked.picture ? " (picture)" : "");
        }
    };

    // The console's own painting, its parts left out: only the skin and the
    // centre picture, so that a picture question tells itself apart.
    QImage ConsolePainting() const
    {
        QWidget* console = Item(Dlg::IDC_CONSOLE);
        QImage image(console->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        console->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        return image;
    }

    // Presses Start Round, keeping the round's category and the console's
    // look without a centre picture.
    void StartRound(std::string& category)
    {
        for (const std::string& text : ConsoleTexts())
            if (text.rfind("Round ", 0) == 0) category = text.substr(text.find(": ") + 2);
        m_plain = ConsolePainting();
        Click(Item(Dlg::IDC_START_ROUND));
    }

    Asked Current(const std::string& category) const
    {
        Asked asked{{}, {}, category, ConsolePainting() != m_plain};
        const auto challenges = ControlsBelow<IChallenge>(Item(Dlg::IDC_CONSOLE), IID_IChallenge);
        if (!challenges.empty())
            for (const auto& label : ControlsBelow<IImageText>(WindowOf(challenges[0]), IID_IImageText)) {
                CComBSTR text;
                label->get_Text(&text);
                const std::string numbered = Narrow(text);
                if (const size_t dot = numbered.find(". "); dot != std::string::npos)
                    asked.question = numbered.substr(dot + 2);
            }
        for (const auto& option : ControlsBelow<IOption>(Item(Dlg::IDC_CONSOLE), IID_IOption)) {
            SHORT isAnswer = 0;
            option->get_IsAnswer(&isAnswer);
            CComBSTR text;
            if (isAnswer && SUCCEEDED(option->get_Text(&text))) asked.answer = Narrow(text);
        }
        return asked;
    }

    // Plays to the final message; `plan` says, for the n-th question (from 1)
    // as asked, how it goes: 'r' right, 'w' wrong, 't' left to time out.
    // Returns every question asked and fills `missed`.
    template <typename Plan>
    std::vector<Asked> Play(Plan plan, std::vector<Asked>& missed, std::vector<std::string>& rounds)
    {
        std::vector<Asked> asked;
        std::string category;
        std::vector<std::string> settled;
        for (int guard = 0; guard < 500 && !Shown(Dlg::IDC_NEW_QUIZ); ++guard) {
            if (Shown(Dlg::IDC_START_ROUND)) {
                StartRound(category);
                rounds.push_back(category);
                continue;
            }
            // After the last answer of a quiz its question stands while the
            // final message waits for its step.
            if (ConsoleTexts() == settled) {
                Wait();
                continue;
            }
            settled = ConsoleTexts();
            asked.push_back(Current(category));
            const char how = plan(static_cast<int>(asked.size()), asked.back());
            if (how != 'r') missed.push_back(asked.back());
            if (how == 't') {
                QCoreApplication::processEvents();
                timers.Advance(61 * 1000);
            } else {
                Answer(how == 'r');
            }
            Wait();
        }
        return asked;
    }

    std::vector<Asked> Listed() const
    {
        std::vector<Asked> listed;
        QTableWidget* list = dlg->Review()->List();
        for (int row = 0; row < list->rowCount(); ++row)
            listed.push_back({list->item(row, CReviewDlg::kQuestion)->text().toStdString(),
                              list->item(row, CReviewDlg::kAnswer)->text().toStdString(),
                              list->item(row, CReviewDlg::kRound)->text().toStdString(),
                              !list->item(row, CReviewDlg::kPicture)->icon().isNull()});
        return listed;
    }

    QImage m_plain;
};

TEST_F(ReviewMissedTest, MissedQuestionsAreListedSavedAndPlayedAgainFromTheFile)
{
    Start({"thebrainwheel", "-t", "CoFrench"});
    Open();
    Pick(0);
    Click(dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_START_QUIZ));

    // Wrong, timed out, right, right until the first picture question, and
    // from there every answer wrong, so that the game ends on the answer
    // that costs the last life, with its question open.
    std::vector<Asked> missed;
    std::vector<std::string> rounds;
    bool pictureMissed = false;
    const std::vector<Asked> asked = Play(
        [&](int n, const Asked& now) {
            if (n <= 3) return "wtr"[n - 1];
            pictureMissed |= now.picture;
            return pictureMissed ? 'w' : 'r';
        },
        missed, rounds);
    ASSERT_TRUE(pictureMissed) << "the Picture Board round came";
    ASSERT_GE(missed.size(), 4u);
    EXPECT_EQ(asked.back(), missed.back());
    ExpectFinalMessage();
    ASSERT_TRUE(Shown(Dlg::IDC_REVIEW));

    Click(Item(Dlg::IDC_REVIEW));
    ASSERT_TRUE(dlg->Review() && dlg->Review()->isVisible());
    EXPECT_EQ(Listed(), missed);

    const auto saved = env.Dir() / "missed.qiz";
    prompts.saveAs = saved.string();
    QTest::mouseClick(dlg->Review()->SaveButton(), Qt::LeftButton);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front();
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(dlg->Review()->Status()->text().toStdString(), "Saved to missed.qiz");
    QTest::mouseClick(dlg->Review()->CloseButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dlg->Review(), nullptr);

    Click(Item(Dlg::IDC_NEW_QUIZ));
    EXPECT_FALSE(Shown(Dlg::IDC_REVIEW)) << "New Quiz hides it";

    // The saved file in user file mode: one quiz, exactly the missed questions,
    // a round for each category, the pictures shown.
    prompts.file = saved.string();
    Click(dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_USE_FILE));
    Click(dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_LOAD_FILE));
    EXPECT_EQ(Titles(), std::vector<std::string>{"Missed Questions"});
    Pick(0);
    Click(dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_START_QUIZ));
    std::vector<Asked> missedAgain;
    std::vector<std::string> replayedRounds;
    std::vector<Asked> replayed = Play([](int n, const Asked&) { return n == 1 ? 'w' : 'r'; }, missedAgain, replayedRounds);
    std::sort(replayed.begin(), replayed.end());
    std::sort(missed.begin(), missed.end());
    EXPECT_EQ(replayed, missed);
    std::set<std::string> categories;
    for (const Asked& test : missed) categories.insert(test.category);
    EXPECT_EQ(std::set<std::string>(replayedRounds.begin(), replayedRounds.end()), categories);
    EXPECT_EQ(replayedRounds.size(), categories.size()) << "one round per category";

    // Missed once more: offered again, and Exit hides it with its window.
    ExpectFinalMessage();
    ASSERT_TRUE(Shown(Dlg::IDC_REVIEW));
    Click(Item(Dlg::IDC_REVIEW));
    EXPECT_EQ(Listed(), missedAgain);
    Click(Item(Dlg::IDC_EXIT));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Shown(Dlg::IDC_REVIEW));
    EXPECT_EQ(dlg->Review(), nullptr);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ReviewMissedTest, NothingMissedOffersNoReview)
{
    Start({"thebrainwheel", "-t", "CoFrench"});
    Open();
    Pick(1);
    Click(dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_START_QUIZ));
    std::vector<Asked> missed;
    std::vector<std::string> rounds;
    Play([](int, const Asked&) { return 'r'; }, missed, rounds);
    ASSERT_TRUE(Shown(Dlg::IDC_NEW_QUIZ));
    EXPECT_FALSE(Shown(Dlg::IDC_REVIEW));
}

}  // namespace
