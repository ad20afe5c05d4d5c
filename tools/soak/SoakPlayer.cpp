#include "SoakPlayer.h"

#include "ControlTree.h"
#include "ManualTimers.h"

#include "Playdeck.h"
#include "WelcomeDlg.h"
#include "thebrainwheelDlg.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QTest>

namespace {

using Dlg = CthebrainwheelDlg;

// Longer than any quiz the books or the soak's file hold, so that only a game
// that stopped moving reaches it.
constexpr int kMostMovesPerGame = 2000;
// The countdown runs 60 seconds; a little more lets it time out.
constexpr int kCountdownMs = 61000;

} // namespace

CSoakPlayer::CSoakPlayer(ManualTimers& timers, std::string quizFile, std::uint32_t seed)
    : m_timers(timers), m_quizFile(std::move(quizFile)), m_random(seed)
{
    SetPrompts(this);
}

CSoakPlayer::~CSoakPlayer()
{
    m_dlg.reset();
    SetPrompts(nullptr);
}

void CSoakPlayer::MessageBox(QWidget*, const std::string& text, Icon)
{
    ++m_messages;
    if (m_failure.empty()) m_failure = "message box: " + text;
}

bool CSoakPlayer::Fail(std::string reason)
{
    if (m_failure.empty()) m_failure = std::move(reason);
    return false;
}

bool CSoakPlayer::Shown(int id) const
{
    QWidget* item = m_dlg->GetDlgItem(id);
    return item && item->isVisible();
}

bool CSoakPlayer::Click(QWidget* widget)
{
    if (!widget || !widget->isVisible()) return Fail("a button to click is not shown");
    const QPoint centre = widget->rect().center();
    QTest::mouseMove(widget, centre);
    QTest::mouseClick(widget, Qt::LeftButton, {}, centre);
    QCoreApplication::processEvents();
    return true;
}

void CSoakPlayer::Wait(int ms)
{
    QCoreApplication::processEvents();
    m_timers.Advance(ms);
    QCoreApplication::processEvents();
}

bool CSoakPlayer::OpenWindow()
{
    m_dlg = std::make_unique<Dlg>();
    if (!m_dlg->OnInitDialog()) return Fail("the window did not open");
    m_dlg->show();
    QCoreApplication::processEvents();
    ++m_tally.windows;
    return true;
}

bool CSoakPlayer::PlayGame()
{
    if (!m_dlg && !OpenWindow()) return false;
    if (!ChooseQuiz() || !PlayQuestions()) return false;
    LeaveGame();
    return m_failure.empty();
}

// A quiz of a book most times, one of the user quiz file otherwise: the file
// is loaded afresh each time, as a player choosing it again would.
bool CSoakPlayer::ChooseQuiz()
{
    CWelcomeDlg* welcome = m_dlg->Welcome();
    if (!welcome->isVisible()) return Fail("no welcome screen");
    const bool fromFile = Chance(25);
    if ((welcome->m_bUserFile != 0) != fromFile && !Click(welcome->GetDlgItem(CWelcomeDlg::IDC_USE_FILE))) return false;
    if (fromFile && !Click(welcome->GetDlgItem(CWelcomeDlg::IDC_LOAD_FILE))) return false;
    m_tally.fileGames += fromFile;

    QListWidget* list = welcome->DlgItem<QListWidget>(CWelcomeDlg::IDC_QUIZ_LIST);
    if (!list || list->count() == 0) return Fail("an empty quiz list");
    const int row = std::uniform_int_distribution<int>(0, list->count() - 1)(m_random);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    QCoreApplication::processEvents();
    if (!Click(welcome->GetDlgItem(CWelcomeDlg::IDC_START_QUIZ))) return false;
    return Shown(Dlg::IDC_CONSOLE) || Fail("the quiz did not start");
}

// Right answers most times, a wrong one or a time-out otherwise, a lit
// lifeline spent now and then; a game left half-way once in a while.
bool CSoakPlayer::PlayQuestions()
{
    for (int move = 0; move < kMostMovesPerGame; ++move) {
        if (Shown(Dlg::IDC_NEW_QUIZ)) return true;
        if (Shown(Dlg::IDC_START_ROUND)) {
            if (!Click(m_dlg->GetDlgItem(Dlg::IDC_START_ROUND))) return false;
            continue;
        }
        if (Chance(1)) {  // left with the question on the screen
            ++m_tally.leftHalfWay;
            return true;
        }
        if (Chance(30)) SpendLifeline();
        if (Chance(8)) {
            for (int second = 0; second < kCountdownMs; second += 1000) Wait(1000);
            ++m_tally.timeOuts;
        } else {
            const std::vector<CComPtr<IOption>> options = ControlsBelow<IOption>(m_dlg->GetDlgItem(Dlg::IDC_CONSOLE), IID_IOption);
            QWidget* label = AnswerLabel(options, Chance(70));
            if (!label) return Fail("no option to click");
            QTest::mouseMove(label, QPoint(20, 10));
            QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(20, 10));
            ++m_tally.answers;
        }
        Wait(Dlg::kStepDelayMs);
    }
    return Fail("the game did not end");
}

void CSoakPlayer::SpendLifeline()
{
    for (const auto& button : ControlsBelow<IBonusButton>(m_dlg->GetDlgItem(Dlg::IDC_CONSOLE), IID_IBonusButton)) {
        VARIANT_BOOL lit = 0, enabled = 0;
        button->get_Visible(&lit);
        button->get_Enabled(&enabled);
        QWidget* window = WindowOf(button);
        if (!lit || !enabled || !window || !window->isVisible()) continue;
        if (Click(window)) ++m_tally.lifelines;
        return;
    }
}

// New Quiz most times; otherwise Exit to the goodbye screen and Exit again,
// which ends the window, so that the next game opens a new one.
void CSoakPlayer::LeaveGame()
{
    if (Shown(Dlg::IDC_NEW_QUIZ) && Chance(80)) {
        Click(m_dlg->GetDlgItem(Dlg::IDC_NEW_QUIZ));
        return;
    }
    Click(m_dlg->GetDlgItem(Dlg::IDC_EXIT));
    Wait(Dlg::kStepDelayMs);  // a step still pending must not run
    Click(m_dlg->GetDlgItem(Dlg::IDC_EXIT));
    if (m_dlg->isVisible()) Fail("the second Exit left the window open");
    m_dlg.reset();
}
