// Hostile user quiz files met in the game: each file of the corpus that
// tools/hostile/make_hostile_qiz.py writes is chosen through Load Qiz File as
// a player would, and where quizzes are listed the first is started and a
// question played. Each ends in the user quiz file's messages or the reader's
// load error, or plays; the peak memory the file costs stays bounded. The
// corpus is made afresh in the test's folder, its huge file just over the
// size the game reads; BRAINWHEEL_HOSTILE_DIR points at a corpus made
// beforehand instead (tools/hostile/run_hostile.sh, with the 600 MB file),
// and every file's figures are printed for that run's table.
#include "ShellTestFixture.h"

#include "ControlTree.h"

#include "Playdeck.h"
#include "WelcomeDlg.h"
#include "thebrainwheelDlg.h"

#include <QListWidget>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <fstream>

namespace {

using Dlg = CthebrainwheelDlg;
using Messages = std::vector<std::string>;

// The largest file the game reads is 512 MiB.
constexpr long long kJustOverTheLargestFile = (512LL << 20) + 1;
// Far above what any sound file of the corpus needs, far below what a
// picture decoded at its claimed size or an expanded entity would take.
constexpr long kMostGrowthKiB = 384 << 10;

// A field of /proc/self/status in KiB.
long StatusKiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    return -1;
}

// Starts the peak afresh at what is resident now.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

struct Outcome {
    Messages messages;
    int listed = 0;
    bool asked = false;  // the first quiz set a question on the console
    bool ended = false;  // ... or went straight to its final message
};

struct Case {
    const char* file;
    Outcome expected;
};

class HostileQuizFilesTest : public ShellTest {
protected:
    void SetUp() override
    {
        Start({"thebrainwheel"});
        RegisterModule("Playdeck.so");
        if (const char* given = std::getenv("BRAINWHEEL_HOSTILE_DIR")) {
            corpus = given;
            return;
        }
        corpus = env.Dir() / "corpus";
        const std::string command = std::string("python3 ") + BRAINWHEEL_HOSTILE_GENERATOR + " " + corpus.string() +
                                    " --qizpack " + (TestEnvironment::BinDir() / "qizpack").string() +
                                    " --huge-size " + std::to_string(kJustOverTheLargestFile);
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    // Loads the file in a new window and plays as far as it lets.
    Outcome LoadAndPlay(const std::filesystem::path& file)
    {
        Outcome outcome;
        prompts.messages.clear();
        prompts.file = file.string();
        Dlg dlg;
        if (!dlg.OnInitDialog()) return outcome;
        dlg.show();
        QCoreApplication::processEvents();
        CWelcomeDlg* welcome = dlg.Welcome();
        Click(welcome->GetDlgItem(CWelcomeDlg::IDC_USE_FILE));
        Click(welcome->GetDlgItem(CWelcomeDlg::IDC_LOAD_FILE));
        QListWidget* list = welcome->DlgItem<QListWidget>(CWelcomeDlg::IDC_QUIZ_LIST);
        outcome.listed = list->count();
        if (outcome.listed > 0) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
            QCoreApplication::processEvents();
            Click(welcome->GetDlgItem(CWelcomeDlg::IDC_START_QUIZ));
            QCoreApplication::processEvents();
            if (QWidget* startRound = dlg.GetDlgItem(Dlg::IDC_START_ROUND); startRound && startRound->isVisible()) {
                Click(startRound);
                QWidget* label = AnswerLabel(ControlsBelow<IOption>(dlg.GetDlgItem(Dlg::IDC_CONSOLE), IID_IOption), true);
                outcome.asked = label != nullptr;
                if (label) QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(20, 10));
            }
            QCoreApplication::processEvents();
            timers.Advance(Dlg::kStepDelayMs);
            QCoreApplication::processEvents();
            QWidget* newQuiz = dlg.GetDlgItem(Dlg::IDC_NEW_QUIZ);
            outcome.ended = newQuiz && newQuiz->isVisible();
        }
        outcome.messages = prompts.messages;
        return outcome;
    }

    static void Click(QWidget* widget)
    {
        ASSERT_TRUE(widget && widget->isVisible());
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        QCoreApplication::processEvents();
    }

    std::filesystem::path corpus;
};

TEST_F(HostileQuizFilesTest, EachFileIsToldOrPlayedWithinBoundedMemory)
{
    const Messages unreadable{"Error #0101"};
    const Case cases[] = {
        {"empty.qiz", {unreadable, 0, false, false}},
        {"truncated.qiz", {unreadable, 0, false, false}},
        {"random-bytes.qiz", {unreadable, 0, false, false}},
        {"plain-document.qiz", {unreadable, 0, false, false}},
        {"other-key.qiz", {unreadable, 0, false, false}},
        {"huge.qiz", {unreadable, 0, false, false}},
        {"deep-nesting.qiz", {unreadable, 0, false, false}},
        {"billion-laughs.qiz", {unreadable, 0, false, false}},
        {"external-entity.qiz", {unreadable, 0, false, false}},
        {"big-text-node.qiz", {{}, 1, true, false}},
        {"huge-jpeg.qiz", {{}, 1, true, false}},
        {"invalid-utf8.qiz", {{}, 1, true, false}},
        {"no-rounds.qiz", {{}, 1, false, true}},
        {"round-without-tests.qiz", {{}, 1, false, true}},
        {"empty-answer.qiz", {{}, 1, true, false}},
        {"5000-quizzes.qiz", {{}, 5000, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(std::filesystem::exists(corpus / c.file));
        ResetPeak();
        const long before = StatusKiB("VmRSS");
        const auto start = std::chrono::steady_clock::now();
        const Outcome outcome = LoadAndPlay(corpus / c.file);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        const long growth = StatusKiB("VmHWM") - before;
        std::printf("[hostile] %-24s %-12s listed %4d asked %d ended %d  peak growth %7ld KiB  %8.1f ms\n", c.file,
                    outcome.messages.empty() ? "(no message)" : outcome.messages.front().c_str(), outcome.listed,
                    outcome.asked, outcome.ended, growth, took.count());
        std::fflush(stdout);
        EXPECT_EQ(outcome.messages, c.expected.messages);
        EXPECT_EQ(outcome.listed, c.expected.listed);
        EXPECT_EQ(outcome.asked, c.expected.asked);
        EXPECT_EQ(outcome.ended, c.expected.ended);
        EXPECT_LT(growth, kMostGrowthKiB);
    }
}

} // namespace
