// The console played from the keyboard: each key, typed at the window as
// the window system delivers it, must do exactly what a click on its part
// does (the same events, sounds and pixels, checked against a twin run with
// the mouse), or nothing where that click would do nothing, and leave every
// key it has no use for to its container.
#include "ControlTree.h"
#include "HostedGauge.h"

#include "FixedClock.h"
#include "Playdeck.h"
#include "ui/Random.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <algorithm>

namespace {

constexpr QRect kConsole(0, 0, 522, 499);
constexpr QPoint kLifelines(368, 286);

// What a key is for in a case: an answer slot, a lifeline, or nothing.
enum class Part { Slot0, Slot1, Slot2, Slot3, FiftyFifty, FreeAnswer, Nothing };
// The state the key meets.
enum class State {
    Open,             // a question waits, both lifelines dark
    FiftyFiftyLit,    // the same with 50:50 lit
    FreeAnswerLit,    // the same with the Answer lit
    FiftyFiftySpent,  // 50:50 clicked on this question: two answers gone
    Answered,         // the question was answered with a click
    RoundPrompt,      // a round announced, no question yet, 50:50 lit
};

// The time of day whose draw of `n` is `r`.
std::time_t SecondDrawing(int n, int r)
{
    std::time_t second = 5000;
    for (;; ++second) {
        CrtSrand(static_cast<unsigned>(second));
        if (CrtRand() % n == r) return second;
    }
}

// Notes the keys that reach the console's container.
class KeyWitness final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) return false;
        // The typist's own presses of the modifiers are nobody's keys.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key < Qt::Key_Shift || key > Qt::Key_Alt) reached.push_back(key);
        return false;
    }
    std::vector<int> reached;
};

class ConsoleKeysTest : public GaugeTest {
protected:
    void SetUp() override
    {
        GaugeTest::SetUp();
        parent.resize(600, 600);
        console = Host<IGameConsole>(CLSID_GameConsole, IID_IGameConsole, kConsole);
        ASSERT_TRUE(console);
        parent.show();
        parent.activateWindow();
        QCoreApplication::processEvents();
        Listen(console, DIID__IGameConsoleEvents, sink);
        QWidget* window = Window();
        challenge = ChildControlAt<IChallenge>(window, {23, 330}, IID_IChallenge);
        lifelines = ChildControlAt<ILifelineManager>(window, kLifelines, IID_ILifelineManager);
        ASSERT_TRUE(challenge && lifelines);
        for (QPoint place : {QPoint(0, 70), QPoint(246, 70), QPoint(0, 114), QPoint(246, 114)})
            options.push_back(ChildControlAt<IOption>(WindowOf(challenge), place, IID_IOption));
        for (QPoint place : {QPoint(0, 0), QPoint(68, 0)})
            buttons.push_back(ChildControlAt<IBonusButton>(WindowOf(lifelines), place, IID_IBonusButton));
        for (const auto& option : options) ASSERT_TRUE(option);
        for (const auto& button : buttons) ASSERT_TRUE(button);
        parent.installEventFilter(&witness);
    }
    void TearDown() override
    {
        options.clear();
        buttons.clear();
        challenge.Release();
        lifelines.Release();
        console.Release();
        GaugeTest::TearDown();
    }

    QWidget* LabelOf(int slot) const
    {
        return WindowOf(options[static_cast<size_t>(slot)])->findChildren<QWidget*>().value(0);
    }
    void Click(QWidget* window)
    {
        QTest::mouseMove(window, QPoint(10, 10));
        QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(10, 10));
        QCoreApplication::processEvents();
    }
    void Type(int key, Qt::KeyboardModifiers modifiers)
    {
        QTest::keyClick(parent.windowHandle(), static_cast<Qt::Key>(key), modifiers);
        QCoreApplication::processEvents();
    }
    std::u16string TextOf(int slot) const
    {
        CComBSTR text;
        options[static_cast<size_t>(slot)]->get_Text(&text);
        return text.str();
    }
    bool Lit(int button) const
    {
        VARIANT_BOOL visible = 0;
        buttons[static_cast<size_t>(button)]->get_Visible(&visible);
        return visible != 0;
    }

    // A fresh quiz brought to `setup`, the answer in slot `answerSlot`; the
    // clock stands still from then on, so that 50:50 takes the same answers.
    void Prepare(State setup, int answerSlot)
    {
        clock.Set(SecondDrawing(3, setup == State::FreeAnswerLit ? 1 : 0));
        console->StartQuiz(10);
        if (setup == State::FiftyFiftyLit || setup == State::FreeAnswerLit || setup == State::FiftyFiftySpent ||
            setup == State::RoundPrompt)
            lifelines->GenerateLifeline();
        if (setup == State::RoundPrompt) {
            console->StartRound(CComBSTR(u"Round 1: Les Couleurs"));
        } else {
            clock.Set(SecondDrawing(4, answerSlot));
            console->SetTextQuestion(CComBSTR(u"Rouge?"), CComBSTR(u"Red"), CComBSTR(u"Blue"), CComBSTR(u"Green"),
                                     CComBSTR(u"Yellow"));
        }
        if (setup == State::FiftyFiftySpent) Click(WindowOf(buttons[0]));
        if (setup == State::Answered) Click(LabelOf(answerSlot));
        QCoreApplication::processEvents();
        events.clear();
        sounds.Clear();
        witness.reached.clear();
    }

    struct Outcome {
        std::vector<std::pair<DISPID, LONG>> fired;
        std::vector<std::vector<BYTE>> sounds;
        std::vector<std::u16string> texts;
        bool lit[2];
        QImage shown;
    };
    Outcome Observe()
    {
        Outcome outcome{{}, sounds.Played(), {}, {Lit(0), Lit(1)}, Shown(Window())};
        for (const RecordedEvent& event : events)
            outcome.fired.emplace_back(event.id, event.values.empty() ? -1 : event.values[0]);
        for (int slot = 0; slot < 4; ++slot) outcome.texts.push_back(TextOf(slot));
        return outcome;
    }

    CComPtr<IGameConsole> console;
    CComPtr<CEventRecorder> sink;
    CComPtr<IChallenge> challenge;
    CComPtr<ILifelineManager> lifelines;
    std::vector<CComPtr<IOption>> options;
    std::vector<CComPtr<IBonusButton>> buttons;
    KeyWitness witness;
    FixedClock clock{0};
};

TEST_F(ConsoleKeysTest, EachKeyPressesItsPartAsAClickWouldOrDoesNothing)
{
    constexpr int kRemovedSlot = -1;  // the key of an answer 50:50 took away
    struct Case {
        const char* what;
        int key;
        Qt::KeyboardModifiers modifiers;
        State setup;
        Part part;
        bool forContainer;  // the key goes on to the container
    };
    const Case cases[] = {
        {"a", Qt::Key_A, {}, State::Open, Part::Slot0, false},
        {"B", Qt::Key_B, Qt::ShiftModifier, State::Open, Part::Slot1, false},
        {"c", Qt::Key_C, {}, State::Open, Part::Slot2, false},
        {"d", Qt::Key_D, {}, State::Open, Part::Slot3, false},
        {"1", Qt::Key_1, {}, State::Open, Part::Slot0, false},
        {"2", Qt::Key_2, {}, State::Open, Part::Slot1, false},
        {"3 on the keypad", Qt::Key_3, Qt::KeypadModifier, State::Open, Part::Slot2, false},
        {"4", Qt::Key_4, {}, State::Open, Part::Slot3, false},
        {"f, 50:50 lit", Qt::Key_F, {}, State::FiftyFiftyLit, Part::FiftyFifty, false},
        {"r, Answer lit", Qt::Key_R, {}, State::FreeAnswerLit, Part::FreeAnswer, false},
        {"f, 50:50 dark", Qt::Key_F, {}, State::FreeAnswerLit, Part::Nothing, false},
        {"r, Answer dark", Qt::Key_R, {}, State::FiftyFiftyLit, Part::Nothing, false},
        {"f, no question yet", Qt::Key_F, {}, State::RoundPrompt, Part::Nothing, false},
        {"a, no question yet", Qt::Key_A, {}, State::RoundPrompt, Part::Nothing, false},
        {"b, already answered", Qt::Key_B, {}, State::Answered, Part::Nothing, false},
        {"an answer 50:50 took", kRemovedSlot, {}, State::FiftyFiftySpent, Part::Nothing, false},
        {"ctrl+a", Qt::Key_A, Qt::ControlModifier, State::Open, Part::Nothing, true},
        {"m", Qt::Key_M, {}, State::Open, Part::Nothing, true},
        {"space", Qt::Key_Space, {}, State::Open, Part::Nothing, true},
        {"return", Qt::Key_Return, {}, State::Open, Part::Nothing, true},
    };
    const int letters[] = {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool slotKey = c.part <= Part::Slot3;
        // The answer lies under the key: only the right slot is credited.
        const int answerSlot = slotKey ? static_cast<int>(c.part) : 1;

        Prepare(c.setup, answerSlot);
        EXPECT_EQ(QApplication::focusWidget(), Window()) << "the question took the focus";
        const Outcome before = Observe();
        int key = c.key;
        if (key == kRemovedSlot) {
            for (int slot = 0; slot < 4 && key == kRemovedSlot; ++slot)
                if (before.texts[static_cast<size_t>(slot)].empty()) key = letters[slot];
            ASSERT_NE(key, kRemovedSlot);
        }
        Type(key, c.modifiers);
        const Outcome typed = Observe();
        EXPECT_EQ(witness.reached, c.forContainer ? std::vector<int>{key} : std::vector<int>{});

        if (c.part == Part::Nothing) {
            EXPECT_TRUE(typed.fired.empty());
            EXPECT_TRUE(typed.sounds.empty());
            EXPECT_EQ(typed.texts, before.texts);
            EXPECT_EQ(typed.lit[0], before.lit[0]);
            EXPECT_EQ(typed.lit[1], before.lit[1]);
            EXPECT_EQ(typed.shown, before.shown);
            continue;
        }
        // The twin: the same state, and a click where the key pressed.
        Prepare(c.setup, answerSlot);
        Click(slotKey ? LabelOf(answerSlot) : WindowOf(buttons[c.part == Part::FiftyFifty ? 0 : 1]));
        const Outcome clicked = Observe();
        EXPECT_EQ(typed.fired, clicked.fired);
        EXPECT_EQ(typed.sounds, clicked.sounds);
        EXPECT_EQ(typed.texts, clicked.texts);
        EXPECT_EQ(typed.lit[0], clicked.lit[0]);
        EXPECT_EQ(typed.lit[1], clicked.lit[1]);
        EXPECT_TRUE(typed.shown == clicked.shown) << "the console looks as after the click";
        if (slotKey || c.part == Part::FreeAnswer) {
            EXPECT_EQ(typed.fired, (std::vector<std::pair<DISPID, LONG>>{{DISPID_GAMECONSOLE_ONANSWER, 1}}));
        }
        if (c.part == Part::FiftyFifty) {
            EXPECT_FALSE(typed.lit[0]);
            EXPECT_EQ(std::count(typed.texts.begin(), typed.texts.end(), u""), 2);
        }
    }
}

} // namespace
