// The whole console, driven as the game program drives it: through
// IDispatch::Invoke alone, with clicks on the answer labels' pixels, the
// countdown on a manual clock and the sounds recorded.
#include "ControlTree.h"
#include "HostedGauge.h"

#include "Playdeck.h"

#include "FixedClock.h"
#include "TextTestObjects.h"
#include "ResourcePicture.h"
#include "ole/Picture.h"
#include "ui/Random.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTest>

namespace {

constexpr QRect kConsole(0, 0, 522, 499);

std::u16string TextOf(BSTR text) { return std::u16string(text ? text : u"", SysStringLen(text)); }

class GameConsoleTest : public GaugeTest {
protected:
    void SetUp() override
    {
        GaugeTest::SetUp();
        parent.resize(600, 600);
        console = Host<IDispatch>(CLSID_GameConsole, IID_IDispatch, kConsole);
        ASSERT_TRUE(console);
        parent.show();
        Listen(console, DIID__IGameConsoleEvents, sink);
        QWidget* window = Window();
        challenge = ChildControlAt<IChallenge>(window, {23, 330}, IID_IChallenge);
        lives = ChildControlAt<ILifeManager>(window, {15, 286}, IID_ILifeManager);
        lifelines = ChildControlAt<ILifelineManager>(window, {368, 286}, IID_ILifelineManager);
        ASSERT_TRUE(challenge && lives && lifelines);
        QWidget* challengeWindow = WindowOf(challenge);
        question = ChildControlAt<IImageText>(challengeWindow, {50, 5}, IID_IImageText);
        for (QPoint place : {QPoint(0, 70), QPoint(246, 70), QPoint(0, 114), QPoint(246, 114)})
            options.push_back(ChildControlAt<IOption>(challengeWindow, place, IID_IOption));
        ASSERT_TRUE(question);
        for (const auto& option : options) ASSERT_TRUE(option);
    }

    void TearDown() override
    {
        options.clear();
        question.Release();
        challenge.Release();
        lives.Release();
        lifelines.Release();
        console.Release();
        GaugeTest::TearDown();
    }

    HRESULT Invoke(DISPID id, std::vector<CComVariant> args, CComVariant* result = nullptr)
    {
        std::vector<CComVariant> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        return console->Invoke(id, GUID_NULL, 0, id == DISPID_GAMECONSOLE_PERCENTAGE ? DISPATCH_PROPERTYGET
                                                                                       : DISPATCH_METHOD,
                               &params, result, nullptr, nullptr);
    }
    void Ask(const char16_t* text)
    {
        ASSERT_EQ(Invoke(DISPID_GAMECONSOLE_SETTEXTQUESTION,
                         {CComVariant::Text(text), CComVariant::Text(u"Rouge"), CComVariant::Text(u"Bleu"),
                          CComVariant::Text(u"Vert"), CComVariant::Text(u"Jaune")}),
                  S_OK);
    }
    // The label of the right option, or of a wrong one.
    QWidget* Label(bool right) { return AnswerLabel(options, right); }
    // Clicks the right option, or a wrong one, on its label's pixels.
    void Answer(bool right)
    {
        QWidget* label = Label(right);
        QTest::mouseMove(label, QPoint(20, 10));
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(20, 10));
    }
    std::u16string QuestionLine()
    {
        CComBSTR text;
        question->get_Text(&text);
        return TextOf(text);
    }
    SHORT Lives()
    {
        SHORT n = 0;
        lives->get_NumLives(&n);
        return n;
    }
    // The events fired since the last look, as (id, argument) pairs.
    std::vector<std::pair<DISPID, LONG>> Fired()
    {
        std::vector<std::pair<DISPID, LONG>> fired;
        for (const RecordedEvent& event : events) fired.emplace_back(event.id, event.values.at(0));
        events.clear();
        return fired;
    }
    // The console's pixels where the centre box shows `picture` placed at `place`.
    void ExpectCentre(IPictureDisp* picture, const QRect& place)
    {
        CComPtr<IPicture> face;
        ASSERT_TRUE(picture && SUCCEEDED(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&face))));
        LONG width = 0, height = 0;
        face->get_Width(&width);
        face->get_Height(&height);
        QImage expected(place.size(), QImage::Format_RGB32);
        QPainter painter(&expected);
        face->Render(&painter, 0, 0, place.width(), place.height(), 0, height, width, -height);
        painter.end();
        EXPECT_EQ(Shown(Window()).copy(place), expected);
    }

    CComPtr<IDispatch> console;
    CComPtr<CEventRecorder> sink;
    CComPtr<IChallenge> challenge;
    CComPtr<ILifeManager> lives;
    CComPtr<ILifelineManager> lifelines;
    CComPtr<IImageText> question;
    std::vector<CComPtr<IOption>> options;
};

TEST_F(GameConsoleTest, NumbersQuestionsCountsLivesAndEndsOnTheFourthWrongAnswer)
{
    ASSERT_EQ(Invoke(DISPID_GAMECONSOLE_STARTQUIZ, {CComVariant::I4(10)}), S_OK);
    EXPECT_EQ(Lives(), 3);
    ASSERT_EQ(Invoke(DISPID_GAMECONSOLE_STARTROUND, {CComVariant::Text(u"Round 1: Les Couleurs")}), S_OK);
    EXPECT_EQ(QuestionLine(), u"Press 'Start Round' to continue.");

    Ask(u"Red?");
    EXPECT_EQ(QuestionLine(), u"1. Red?");
    Answer(true);
    EXPECT_EQ(Fired(), (std::vector<std::pair<DISPID, LONG>>{{DISPID_GAMECONSOLE_ONANSWER, 1}}));
    CComVariant percentage;
    ASSERT_EQ(Invoke(DISPID_GAMECONSOLE_PERCENTAGE, {}, &percentage), S_OK);
    EXPECT_EQ(percentage.iVal, 10);

    // Numbering goes on across rounds; each wrong answer costs a life, and
    // the one that takes the count below zero ends the game instead.
    ASSERT_EQ(Invoke(DISPID_GAMECONSOLE_STARTROUND, {CComVariant::Text(u"Round 2: Les Animaux")}), S_OK);
    const std::vector<std::pair<DISPID, LONG>> verdicts[] = {
        {{DISPID_GAMECONSOLE_ONANSWER, 0}}, {{DISPID_GAMECONSOLE_ONANSWER, 0}}, {{DISPID_GAMECONSOLE_ONANSWER, 0}},
        {{DISPID_GAMECONSOLE_ONGAMEOVER, 10}}};
    for (int wrong = 0; wrong < 4; ++wrong) {
        Ask(u"Cat?");
        EXPECT_EQ(QuestionLine(), QString("%1. Cat?").arg(wrong + 2).toStdU16String());
        Answer(false);
        EXPECT_EQ(Fired(), verdicts[wrong]) << "wrong answer " << wrong + 1;
        EXPECT_EQ(Lives(), 2 - wrong);
    }
    ASSERT_EQ(Invoke(DISPID_GAMECONSOLE_GAMEOVER, {CComVariant::Text(u"Your Final Score is ")}), S_OK);
    EXPECT_EQ(QuestionLine(), u"Your Final Score is 10%");
    ASSERT_EQ(Invoke(DISPID_GAMECONSOLE_STARTQUIZ, {CComVariant::I4(5)}), S_OK);
    Ask(u"Again?");
    EXPECT_EQ(QuestionLine(), u"1. Again?") << "StartQuiz restarts the numbering";
}

TEST_F(GameConsoleTest, TheAnswerTimeShrinksWithTheScoreAndATimeOutShowsItsImage)
{
    struct Case {
        LONG total;
        int correct;
        int seconds;
    };
    for (const Case& c : {Case{10, 0, 60}, Case{100, 1, 59}, Case{2, 1, 35}, Case{1, 1, 10}}) {
        SCOPED_TRACE(c.seconds);
        ASSERT_EQ(Invoke(DISPID_GAMECONSOLE_STARTQUIZ, {CComVariant::I4(c.total)}), S_OK);
        for (int i = 0; i < c.correct; ++i) {
            Ask(u"Warm-up");
            Answer(true);
        }
        Fired();
        Ask(u"Slow?");
        Pass(c.seconds * 1000);
        EXPECT_TRUE(Fired().empty()) << "still within the time";
        Pass(1000);
        EXPECT_EQ(Fired(), (std::vector<std::pair<DISPID, LONG>>{{DISPID_GAMECONSOLE_ONANSWER, 0}}));
    }
    CComPtr<IPictureDisp> timeOut;
    ASSERT_TRUE(LoadResourcePicture("IMAGES", 249, timeOut));
    ExpectCentre(timeOut, QRect(17, 53, 347, 213));  // 355 x 218 scaled down to fit
}

TEST_F(GameConsoleTest, AQuestionIsSettledOnceEvenWhenItsTimeRunsOutAsItIsAnswered)
{
    ASSERT_EQ(Invoke(DISPID_GAMECONSOLE_STARTQUIZ, {CComVariant::I4(10)}), S_OK);
    Ask(u"Quick!");
    // The last tick posts the time-out; before the window handles it, the
    // player's click on the right answer arrives (sent straight to the label,
    // so that nothing handles the queue in between).
    timers.Advance(61000);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 10), QPointF(20, 10), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(Label(true), &press);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(Fired(), (std::vector<std::pair<DISPID, LONG>>{{DISPID_GAMECONSOLE_ONANSWER, 1}}));
    EXPECT_EQ(Lives(), 3);
}

TEST_F(GameConsoleTest, TheFreeAnswerCountsAsRight)
{
    ASSERT_EQ(Invoke(DISPID_GAMECONSOLE_STARTQUIZ, {CComVariant::I4(4)}), S_OK);
    // A clock second whose draw lights the free answer first.
    std::time_t second = 0;
    for (FixedClock probe(0); RandomIndex(3) != 1; probe.Set(++second)) {
    }
    FixedClock clock(second);
    ASSERT_EQ(lifelines->GenerateLifeline(), S_OK);
    Ask(u"Free?");
    CComPtr<IBonusButton> freeAnswer = ChildControlAt<IBonusButton>(WindowOf(lifelines), {68, 0}, IID_IBonusButton);
    ASSERT_TRUE(freeAnswer);
    QWidget* button = WindowOf(freeAnswer);
    const int soundsBefore = sounds.Count();
    QTest::mouseMove(button, QPoint(10, 10));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Fired(), (std::vector<std::pair<DISPID, LONG>>{{DISPID_GAMECONSOLE_ONANSWER, 1}}));
    CComVariant percentage;
    Invoke(DISPID_GAMECONSOLE_PERCENTAGE, {}, &percentage);
    EXPECT_EQ(percentage.iVal, 25);
    ASSERT_EQ(sounds.Count(), soundsBefore + 1);
    EXPECT_TRUE(sounds.WasResource(soundsBefore, playdeck.Module(), 247));
}

TEST_F(GameConsoleTest, TheCentreBoxShrinksAPictureToFitAndNeverEnlargesIt)
{
    struct Case {
        QSize size;
        QRect place;
    };
    for (const Case& c : {Case{{200, 426}, {141, 53, 100, 213}}, Case{{708, 100}, {14, 134, 354, 50}},
                          Case{{135, 138}, {123, 90, 135, 138}}}) {
        QImage solid(c.size, QImage::Format_RGB32);
        solid.fill(qRgb(200, 30, 30));
        CComPtr<IPictureDisp> picture = MakePicture(solid);
        ASSERT_EQ(Invoke(DISPID_GAMECONSOLE_SETPICTUREQUESTION,
                         {CComVariant::Object(picture), CComVariant::Text(u"What?"), CComVariant::Text(u"A"),
                          CComVariant::Text(u"B"), CComVariant::Text(u"C"), CComVariant::Text(u"D")}),
                  S_OK);
        ExpectCentre(picture, c.place);
        const QImage shown = Shown(Window());
        EXPECT_NE(shown.pixel(c.place.topLeft() - QPoint(1, 1)), qRgb(200, 30, 30)) << "nothing outside";
    }
}

}  // namespace
