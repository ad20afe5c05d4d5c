#include "ConsoleStates.h"

#include "Gallery.h"
#include "PlaydeckGauges.h"
#include "Pointer.h"
#include "SteppedTimers.h"

#include "Playdeck.h"
#include "ole/Picture.h"
#include "ui/Random.h"

#include <QFile>

#include <ctime>
#include <functional>

namespace {

const QRect kConsoleRect(0, 0, 522, 499);

// The clock second whose lifeline draw (rand() % 3 after reseeding) is `outcome`.
std::time_t SecondDrawing(int outcome)
{
    std::time_t second = 0;
    for (;; ++second) {
        SetClockSource([second] { return second; });
        if (RandomIndex(3) == outcome) break;
    }
    return second;
}

CComPtr<IPictureDisp> CoursePicture(const char* file)
{
    QFile source(QStringLiteral(BRAINWHEEL_COURSE_PICTURES "/") + QString::fromLatin1(file));
    CComPtr<IPictureDisp> picture;
    if (!source.open(QIODevice::ReadOnly)) return picture;
    const QByteArray bytes = source.readAll();
    CComPtr<IStream> stream;
    if (SUCCEEDED(CreateStreamOnMemory(std::vector<BYTE>(bytes.begin(), bytes.end()), &stream)))
        OleLoadPicture(stream, 0, FALSE, IID_IPictureDisp, reinterpret_cast<void**>(&picture));
    return picture;
}

// The console and the children a situation is set up through.
struct Console {
    CComPtr<IGameConsole> console;
    QWidget* window = nullptr;
    CComPtr<IChallenge> challenge;
    CComPtr<ILifeManager> lives;
    CComPtr<ILifelineManager> lifelines;
    std::vector<CComPtr<IOption>> options;

    void Ask(const char16_t* question, const char16_t* answer, const char16_t* option1, const char16_t* option2,
             const char16_t* option3, IPictureDisp* picture = nullptr)
    {
        const CComBSTR q(question), a(answer), o1(option1), o2(option2), o3(option3);
        if (picture) console->SetPictureQuestion(picture, q, a, o1, o2, o3);
        else console->SetTextQuestion(q, a, o1, o2, o3);
    }
    // The label of the option holding the answer, or of the first that does not.
    QWidget* Label(bool right) { return AnswerLabel(options, right); }
    QWidget* Lifeline(QPoint topLeft) { return WindowOf(ChildControlAt<IBonusButton>(WindowOf(lifelines), topLeft, IID_IBonusButton)); }
};

} // namespace

bool AddConsoleStates(CGallery& gallery, const CPlaydeckGauges& gauges, CSteppedTimers& timers)
{
    QWidget parent;
    parent.resize(kConsoleRect.size());
    Console c;
    if (FAILED(gauges.Create(CLSID_GameConsole, IID_IGameConsole, &parent, kConsoleRect,
                             reinterpret_cast<void**>(&c.console), &c.window)))
        return false;
    c.challenge = ChildControlAt<IChallenge>(c.window, {23, 330}, IID_IChallenge);
    c.lives = ChildControlAt<ILifeManager>(c.window, {15, 286}, IID_ILifeManager);
    c.lifelines = ChildControlAt<ILifelineManager>(c.window, {368, 286}, IID_ILifelineManager);
    QWidget* challengeWindow = WindowOf(c.challenge);
    if (!challengeWindow || !c.lives || !c.lifelines) return false;
    for (QPoint place : {QPoint(0, 70), QPoint(246, 70), QPoint(0, 114), QPoint(246, 114)})
        c.options.push_back(ChildControlAt<IOption>(challengeWindow, place, IID_IOption));
    gallery.Section(QStringLiteral("GameConsole"),
                    QStringLiteral("The whole console, 522 x 499, in each situation of a game."));

    const CComPtr<IPictureDisp> garlic = CoursePicture("309.jpg");
    bool written = true;
    const auto shot = [&](const char* name, const char* caption, const std::function<void()>& setUp) {
        setUp();
        QCoreApplication::sendPostedEvents();
        written &= gallery.Add(QStringLiteral("console-%1").arg(QLatin1String(name)), c.window->grab().toImage(),
                               QString::fromUtf8(caption));
    };
    const auto fresh = [&](const char16_t* round) {
        c.console->StartQuiz(10);
        c.console->StartRound(CComBSTR(round));
    };
    // Seeds fixed for the lifeline draws: 0 offers 50:50 first.
    const std::time_t fiftyFirst = SecondDrawing(0);

    shot("round", "a round announced", [&] { fresh(u"Round 1: Les Couleurs"); });
    shot("text-question", "a text question", [&] { c.Ask(u"Red", u"Rouge", u"Bleu", u"Vert", u"Jaune"); });
    shot("picture-question", "a picture question",
         [&] { c.Ask(u"What is this?", u"L'Ail", u"L'Oignon", u"Le Poireau", u"La Carotte", garlic); });
    shot("hover", "the pointer over option B", [&] {
        c.Ask(u"Blue", u"Bleu", u"Rouge", u"Vert", u"Jaune");
        Point(WindowOf(c.options[1])->findChildren<QWidget*>().value(0), false);
    });
    Leave(WindowOf(c.options[1])->findChildren<QWidget*>().value(0));
    shot("lifelines-lit", "both lifelines lit", [&] {
        SetClockSource([fiftyFirst] { return fiftyFirst; });
        c.lifelines->GenerateLifeline();
        c.lifelines->GenerateLifeline();
        c.Ask(u"Green", u"Vert", u"Rouge", u"Bleu", u"Jaune");
    });
    shot("fifty-fifty", "after 50:50", [&] { Point(c.Lifeline({0, 0}), true); });
    shot("right", "a right answer", [&] { Point(c.Label(true), true); });
    shot("wrong", "a wrong answer, the right one marked", [&] {
        c.Ask(u"Yellow", u"Jaune", u"Rouge", u"Bleu", u"Vert");
        Point(c.Label(false), true);
    });
    shot("time-out", "a time-out", [&] {
        c.Ask(u"Black", u"Noir", u"Blanc", u"Gris", u"Marron");
        for (int second = 0; second <= 61; ++second) {
            timers.Step();
            QCoreApplication::sendPostedEvents();
        }
    });
    shot("five-lives", "five lives", [&] {
        c.lives->put_NumLives(5);
        c.Ask(u"White", u"Blanc", u"Noir", u"Gris", u"Rose");
    });
    shot("long-question", "a long question wrapped to two lines", [&] {
        c.Ask(u"Which of these words would you use for the colour of a clear summer sky at noon?", u"Bleu Ciel",
              u"Bleu Marine", u"Turquoise", u"Azur Foncé");
    });
    shot("long-answer", "a long answer shrunk to fit", [&] {
        c.Ask(u"Bad-tempered", u"De Mauvaise Humeur Toute La Journée", u"Heureux", u"Fatigué", u"Calme");
    });
    shot("final", "the final message", [&] { c.console->GameOver(CComBSTR(u"Your Final Score is ")); });
    SetClockSource({});
    c.challenge.Release();
    c.lives.Release();
    c.lifelines.Release();
    c.options.clear();
    CComPtr<IWindowedControl> windowed;
    c.console.QueryInterface(IID_IWindowedControl, &windowed);
    if (windowed) windowed->InPlaceDeactivate();
    return written;
}
