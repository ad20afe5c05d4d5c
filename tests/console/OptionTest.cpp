// One answer button hosted on its own: which clicks it reports and with
// what, how Flash marks its frame at the next paint, and what its label
// keeps of HighlightColor, read off its pixels.
#include "HostedGauge.h"
#include "TextTestObjects.h"

#include "Playdeck.h"

#include <QTest>

#include <functional>

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kMarked = qRgb(0, 0, 192);  // 0xC00000, the marked right answer

class OptionTest : public GaugeTest {
protected:
    void SetUp() override
    {
        GaugeTest::SetUp();
        // Stripes of pure black, near black, the panel colour and a red:
        // only the pure black may change colour.
        const QRgb stripes[] = {kBlack, qRgb(0, 0, 1), qRgb(0, 1, 0), qRgb(200, 50, 50)};
        skin = QImage(520, 500, QImage::Format_RGB32);
        for (int y = 0; y < skin.height(); ++y)
            for (int x = 0; x < skin.width(); ++x) skin.setPixel(x, y, stripes[(x / 3 + y / 4) % 4]);
        // The template's 151 x 22 dialog units, at skin pixel (23, 400).
        option = Host<IOption>(CLSID_Option, IID_IOption, QRect(0, 0, 227, 36));
        ASSERT_TRUE(option);
        Listen(option, DIID__IOptionEvents, recorder);
        option->put_Picture(MakePicture(skin));
        option->ImageOffsets(23, 100);
        option->put_Text(CComBSTR(u"Paris"));
        label = Window()->findChild<QWidget*>();
        ASSERT_TRUE(label);
        ASSERT_EQ(label->geometry(), QRect(47, 5, 159, 26)) << "106 x 16 units at (31, 3)";
        parent.show();
    }
    void TearDown() override
    {
        option.Release();
        GaugeTest::TearDown();
    }

    CComPtr<IOption> option;
    CComPtr<CEventRecorder> recorder;
    QImage skin;
    QWidget* label = nullptr;
};

TEST_F(OptionTest, OnlyTheLabelsClickIsReportedWithIsAnswerAsAShort)
{
    struct Case {
        const char* what;
        SHORT isAnswer;
        VARIANT_BOOL enabled;
        bool onLabel;
        std::vector<LONG> reported;  // the IsCorrect of each OnClicked
    };
    const Case cases[] = {
        {"the right answer reports 1", 1, VARIANT_TRUE, true, {1}},
        {"a wrong answer reports 0", 0, VARIANT_TRUE, true, {0}},
        {"a click on the frame reports nothing", 1, VARIANT_TRUE, false, {}},
        {"Enabled reaches the label", 1, VARIANT_FALSE, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        events.clear();
        option->put_IsAnswer(c.isAnswer);
        option->put_Enabled(c.enabled);
        QWidget* target = c.onLabel ? label : Window();
        QTest::mouseMove(target, QPoint(5, 5));
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
        std::vector<LONG> reported;
        for (const RecordedEvent& event : events) {
            EXPECT_EQ(event.id, DISPID_OPTION_ONCLICKED);
            EXPECT_EQ(event.types, std::vector<VARTYPE>{VT_I2});
            reported.insert(reported.end(), event.values.begin(), event.values.end());
        }
        EXPECT_EQ(reported, c.reported);
    }
}

TEST_F(OptionTest, FlashTintsThePureBlackOfTheFrameAtTheNextPaintOnly)
{
    struct Step {
        const char* what;
        std::function<void()> act;
        bool tinted;
        QRgb labelBack;
    };
    const Step steps[] = {
        {"unmarked, the frame is the skin", [] {}, false, kBlack},
        {"Flash marks the next paint", [&] { option->put_Flash(1); }, true, kMarked},
        {"the paint after shows the plain frame", [] {}, false, kMarked},
        {"a Text put before the paint cancels the marking",
         [&] { option->put_Flash(1); option->put_Text(CComBSTR(u"Vienna")); }, false, kMarked},
        {"a BackColor put ends the label's marking", [&] { option->put_BackColor(0); }, false, kBlack},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        const QImage shown = Shown(Window());
        int wrong = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb under = skin.pixel(23 + x, 400 + y);
                const QRgb expected = step.tinted && under == kBlack ? kMarked : under;
                wrong += !label->geometry().contains(x, y) && shown.pixel(x, y) != expected;
            }
        EXPECT_EQ(wrong, 0) << "frame pixels off";
        EXPECT_EQ(shown.pixel(label->geometry().topLeft() + QPoint(1, 1)), step.labelBack);
    }
}

TEST_F(OptionTest, ALaterHighlightColorDoesNotReachTheLabel)
{
    option->put_HighlightColor(0x0000FF);
    QTest::mouseMove(label, QPoint(20, 10));
    const QImage shown = Shown(label);
    EXPECT_TRUE(Shows(shown, qRgb(251, 148, 11))) << "the colour handed over at initialisation";
    EXPECT_FALSE(Shows(shown, qRgb(255, 0, 0)));
}

}  // namespace
