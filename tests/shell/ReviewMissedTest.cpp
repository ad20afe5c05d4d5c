// The review of missed questions through the real widgets.
#include "GameFlowFixture.h"

namespace {

using namespace gameflow;

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

} // namespace
