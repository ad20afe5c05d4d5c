// The two lifelines driven through their interfaces: what each draw of
// GenerateLifeline earns on a fixed clock, which clicks spend a lifeline,
// and the three looks of a button, read off its pixels.
#include "FixedClock.h"
#include "HostedGauge.h"
#include "ResourcePicture.h"

#include "Playdeck.h"
#include "ole/ControlWindow.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr DISPID kOn5050 = DISPID_LIFELINEMANAGER_ON5050;
constexpr DISPID kOnFreeAnswer = DISPID_LIFELINEMANAGER_ONFREEANSWER;
constexpr DISPID kOnExtraLife = DISPID_LIFELINEMANAGER_ONEXTRALIFE;

enum Button { kFiftyFifty, kFreeAnswer };

// The console's place for the manager: 89 x 23 dialog units at (245, 176),
// which is skin pixel (368, 286), 214 up from the skin's bottom.
const QRect kManagerRect(368, 286, 134, 37);
const QPoint kInside(10, 10);
const QPoint kOutside(5, 5);  // of the parent, away from the manager

QImage Image(IPictureDisp* disp)
{
    CComPtr<IPicture> picture;
    QImage image;
    if (disp && SUCCEEDED(disp->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture))))
        picture->GetImage(&image);
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage ButtonsPicture(int id)
{
    CComPtr<IPictureDisp> picture;
    EXPECT_TRUE(LoadResourcePicture("BUTTONS", id, picture)) << id;
    return Image(picture);
}

class LifelineManagerTest : public GaugeTest {
protected:
    void SetUp() override
    {
        GaugeTest::SetUp();
        parent.show();  // the pointer reaches shown windows only
        manager = Host<ILifelineManager>(CLSID_LifelineManager, IID_ILifelineManager, kManagerRect);
        ASSERT_TRUE(manager);
        Listen(manager, DIID__ILifelineManagerEvents, recorder);
        QList<QWidget*> windows = Window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        ASSERT_EQ(windows.size(), 2);
        std::sort(windows.begin(), windows.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
        for (int b : {kFiftyFifty, kFreeAnswer}) {
            buttonWindows[b] = windows[b];
            ASSERT_EQ(CControlWindow::ControlOf(windows[b], IID_IBonusButton, reinterpret_cast<void**>(&buttons[b])),
                      S_OK);
        }
        ASSERT_TRUE(LoadResourcePicture("SKIN", 246, skin));
        // The pointer starts in the parent: the first move into a window
        // of the offscreen platform brings no leave when it goes.
        QTest::mouseMove(&parent, kOutside);
    }

    void TearDown() override
    {
        buttons[kFiftyFifty].Release();
        buttons[kFreeAnswer].Release();
        manager.Release();
        GaugeTest::TearDown();
    }

    // Earns a lifeline in the first second from a fixed start whose draw is
    // `r`: the same r twice is the same second twice.
    void Generate(int r)
    {
        std::time_t second = 1000000;
        for (clock.Set(second); clock.Draw(3) != r; clock.Set(++second)) {}
        EXPECT_EQ(manager->GenerateLifeline(), S_OK);
    }
    bool Lit(Button b) const
    {
        VARIANT_BOOL visible = 0;
        EXPECT_EQ(buttons[b]->get_Visible(&visible), S_OK);
        return visible != 0;
    }
    // The events raised since the last call.
    std::vector<DISPID> Raised()
    {
        std::vector<DISPID> ids;
        for (const RecordedEvent& event : events) ids.push_back(event.id);
        events.clear();
        return ids;
    }
    void Click(Button b)
    {
        QTest::mouseMove(buttonWindows[b], kInside);
        QTest::mouseClick(buttonWindows[b], Qt::LeftButton, {}, kInside);
    }

    FixedClock clock{0};
    CComPtr<ILifelineManager> manager;
    CComPtr<IBonusButton> buttons[2];
    QWidget* buttonWindows[2] = {};
    CComPtr<CEventRecorder> recorder;
    CComPtr<IPictureDisp> skin;
};

TEST_F(LifelineManagerTest, EachDrawLightsTheLifelineItOffersFirstOrRaisesAnExtraLife)
{
    struct Draw {
        int r;
        bool fiftyFiftyLit, freeAnswerLit;
        std::vector<DISPID> raised;
    };
    struct Case {
        const char* what;
        std::vector<Draw> draws;
    };
    const Case cases[] = {
        {"0 offers 50:50 first", {{0, true, false, {}}, {0, true, true, {}}, {0, true, true, {kOnExtraLife}}}},
        {"1 offers the answer first", {{1, false, true, {}}, {1, true, true, {}}, {1, true, true, {kOnExtraLife}}}},
        // Drawn twice in one second, 2 stays 2: the draw is reseeded each time.
        {"2 is an extra life, lit or not",
         {{2, false, false, {kOnExtraLife}}, {2, false, false, {kOnExtraLife}}, {0, true, false, {}},
          {2, true, false, {kOnExtraLife}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(manager->Reset(), S_OK);
        EXPECT_FALSE(Lit(kFiftyFifty) || Lit(kFreeAnswer));
        events.clear();
        for (const Draw& draw : c.draws) {
            Generate(draw.r);
            EXPECT_EQ(Lit(kFiftyFifty), draw.fiftyFiftyLit);
            EXPECT_EQ(Lit(kFreeAnswer), draw.freeAnswerLit);
            EXPECT_EQ(Raised(), draw.raised);
        }
    }
}

TEST_F(LifelineManagerTest, APressSpendsALitEnabledButtonWhichHighlightsUnderThePointer)
{
    ASSERT_EQ(manager->put_Picture(skin), S_OK);
    const QImage skinImage = Image(skin);
    // Dark, the manager and both buttons together show the skin beneath.
    EXPECT_EQ(Shown(Window()), skinImage.copy(kManagerRect));

    const QImage lit[] = {ButtonsPicture(234), ButtonsPicture(235)};
    const QImage over[] = {ButtonsPicture(233), ButtonsPicture(236)};
    const auto look = [&](Button b) -> std::string {
        const QImage shown = Shown(buttonWindows[b]);
        if (shown == skinImage.copy(buttonWindows[b]->geometry().translated(kManagerRect.topLeft()))) return "dark";
        if (shown == lit[b].copy(shown.rect())) return "lit";
        if (shown == over[b].copy(shown.rect())) return "over";
        return "unknown";
    };
    const auto putVisibleByDispatch = [&](Button b) {
        CComPtr<IDispatch> dispatch;
        ASSERT_EQ(buttons[b].QueryInterface(IID_IDispatch, &dispatch), S_OK);
        CComVariant value = CComVariant::Bool(true);
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS put{&value, &named, 1, 1};
        EXPECT_EQ(dispatch->Invoke(DISPID_BONUSBUTTON_VISIBLE, GUID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr,
                                   nullptr, nullptr),
                  S_OK);
    };
    const auto enable = [&](bool enabled) { manager->put_Enabled(enabled ? VARIANT_TRUE : VARIANT_FALSE); };
    const auto move = [&](QWidget* window, QPoint point) { QTest::mouseMove(window, point); };
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* fiftyFifty;
        const char* freeAnswer;
        std::vector<DISPID> raised;
    };
    const Step steps[] = {
        {"a press on a dark button", [&] { enable(true); Click(kFiftyFifty); }, "dark", "dark", {}},
        {"50:50 earned under the pointer, not yet highlighted", [&] { Generate(0); }, "lit", "dark", {}},
        {"the pointer moves", [&] { move(buttonWindows[kFiftyFifty], kInside + QPoint(1, 0)); }, "over", "dark", {}},
        {"the pointer leaves", [&] { move(&parent, kOutside); }, "lit", "dark", {}},
        {"a press while the manager is disabled", [&] { enable(false); Click(kFiftyFifty); }, "lit", "dark", {}},
        {"a press while enabled", [&] { enable(true); Click(kFiftyFifty); }, "dark", "dark", {kOn5050}},
        {"a second press", [&] { Click(kFiftyFifty); }, "dark", "dark", {}},
        {"lit by a dispatch client's true, the answer stays disabled", [&] {
             enable(false);
             putVisibleByDispatch(kFreeAnswer);
             Click(kFreeAnswer);
         }, "dark", "lit", {}},
        {"enabled, the pointer moves", [&] { enable(true); move(buttonWindows[kFreeAnswer], kInside + QPoint(1, 0)); },
         "dark", "over", {}},
        {"disabled, the pointer leaves: the highlight stays", [&] { enable(false); move(&parent, kOutside); },
         "dark", "over", {}},
        {"enabled, in and out again", [&] {
             enable(true);
             move(buttonWindows[kFreeAnswer], kInside);
             move(&parent, kOutside);
         }, "dark", "lit", {}},
        {"the answer spent", [&] { Click(kFreeAnswer); }, "dark", "dark", {kOnFreeAnswer}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(look(kFiftyFifty), step.fiftyFifty);
        EXPECT_EQ(look(kFreeAnswer), step.freeAnswer);
        EXPECT_EQ(Raised(), step.raised);
    }
}

TEST_F(LifelineManagerTest, TheSkinReachesBothButtonsAsTheManagerHoldsIt)
{
    // Nothing held: a button answers a null picture over whatever the
    // caller's pointer held.
    IPictureDisp* none = skin;
    EXPECT_EQ(buttons[kFiftyFifty]->get_Picture(&none), S_OK);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(manager->get_Picture(nullptr), E_POINTER);

    for (const bool byReference : {false, true}) {
        SCOPED_TRACE(byReference ? "putref" : "put");
        ASSERT_EQ(byReference ? manager->putref_Picture(skin) : manager->put_Picture(skin), S_OK);
        CComPtr<IPictureDisp> held, first, second;
        ASSERT_EQ(manager->get_Picture(&held), S_OK);
        ASSERT_TRUE(held);
        EXPECT_EQ(held.get() == skin.get(), byReference) << "a put keeps a private copy";
        buttons[kFiftyFifty]->get_Picture(&first);
        buttons[kFreeAnswer]->get_Picture(&second);
        EXPECT_EQ(first.get(), held.get());
        EXPECT_EQ(second.get(), held.get());
    }
}

} // namespace
