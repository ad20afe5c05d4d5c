// The answer label and the skin text hosted on their own, read off their
// pixels: how the label fits its line and follows the pointer, how the skin
// text wraps, cuts and sizes its lines.
#include "HostedGauge.h"
#include "TextTestObjects.h"

#include "Playdeck.h"
#include "ole/StockProperties.h"
#include "ui/MulDiv.h"

#include <QPainter>
#include <QTest>

#include <functional>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kHighlight = qRgb(251, 148, 11);  // 0x0B94FB, the default HighlightColor

// The label as it should look: `text` in white at the largest whole point
// size from `points` down that fits on one line, centred with the halves
// rounding down; `fitted` gets that size, 0 when none fits.
QImage ExpectedLabel(const QString& text, int points, QRgb back, QSize area, int& fitted)
{
    QImage image(area, QImage::Format_RGB32);
    image.fill(back);
    for (fitted = points; fitted >= 1; --fitted) {
        QFont font("Arial");
        font.setPixelSize(MulDiv(fitted, 96, 72));
        const QFontMetrics metrics(font);
        const int width = metrics.horizontalAdvance(text);
        if (width > area.width() || metrics.height() > area.height()) continue;
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(kWhite);
        painter.drawText((area.width() >> 1) - (width >> 1),
                         ((area.height() - metrics.height()) >> 1) + metrics.ascent(), text);
        return image;
    }
    fitted = 0;
    return image;
}

class OptionTextTest : public GaugeTest {
protected:
    void SetUp() override
    {
        GaugeTest::SetUp();
        // The Option's label: 106 x 16 dialog units.
        label = Host<IOptionText>(CLSID_OptionText, IID_IOptionText, QRect(10, 10, 159, 26));
        ASSERT_TRUE(label);
        Listen(label, DIID__IOptionTextEvents, recorder);
        parent.show();
    }
    void TearDown() override
    {
        label.Release();
        GaugeTest::TearDown();
    }

    CComPtr<IOptionText> label;
    CComPtr<CEventRecorder> recorder;
};

TEST_F(OptionTextTest, WritesOneLineShrunkAWholePointAtATimeUntilItFitsCentred)
{
    struct Case {
        const char* what;
        std::int64_t size;  // 1/10000 pt; 0 keeps the label's own font
        std::u16string text;
        OLE_COLOR back;
        int points;  // the size written at; -1: somewhere below 9
    };
    const Case cases[] = {
        {"the label's own font is 10 pt", 0, u"Paris", 0, 10},
        {"9.75 pt writes at 9 pt", 97500, u"Paris", 0, 9},
        {"a line of 200 pixels at 9 pt shrinks", 97500, u"The Treaty of Westphalia signed at Osnabrueck", 0, -1},
        {"the next line starts from Font again", 97500, u"Paris", 0x00D7FF, 9},
        {"an empty text draws only the fill", 97500, u"", 0x00D7FF, 9},
        {"a line that never fits draws only the fill", 97500, std::u16string(3000, u'W'), 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.size) label->put_Font(MakeFont(c.size));
        label->put_Text(CComBSTR(c.text));
        label->put_BackColor(c.back);
        int fitted = 0;
        const QImage expected = ExpectedLabel(QString::fromStdU16String(c.text), c.size ? int(c.size / 10000) : 10,
                                              ColourFromOle(c.back).rgb(), QSize(159, 26), fitted);
        EXPECT_TRUE(c.points >= 0 ? fitted == c.points : fitted >= 1 && fitted < 9) << fitted;
        const QImage shown = Shown(Window());
        EXPECT_EQ(shown, expected);
        QImage fill(shown.size(), QImage::Format_RGB32);
        fill.fill(ColourFromOle(c.back));
        EXPECT_EQ(shown != fill, fitted != 0 && !c.text.empty()) << "whether anything but the fill shows";
    }
}

TEST_F(OptionTextTest, LightsUpUnderThePointerAndReportsClicksOnlyWhileEnabled)
{
    label->put_Font(MakeFont(97500));
    label->put_Text(CComBSTR(u"Paris"));
    QWidget* window = Window();
    const auto move = [window](int x) { QTest::mouseMove(window, QPoint(x, 10)); };
    const auto leave = [this] { QTest::mouseMove(&parent, QPoint(300, 300)); };
    const auto click = [window] { QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(20, 10)); };
    const auto enable = [this](bool on) { label->put_Enabled(on ? VARIANT_TRUE : VARIANT_FALSE); };

    constexpr Qt::CursorShape hand = Qt::PointingHandCursor, arrow = Qt::ArrowCursor;
    struct Step {
        const char* what;
        std::function<void()> act;
        QRgb text;
        Qt::CursorShape cursor;
        size_t clicks;  // OnClicked so far
    };
    const Step steps[] = {
        {"the pointer comes over it", [&] { move(20); }, kHighlight, hand, 0},
        {"a click reports and shows the arrow", click, kHighlight, arrow, 1},
        {"the next move brings the hand back", [&] { move(22); }, kHighlight, hand, 1},
        {"the pointer leaves", leave, kWhite, hand, 1},
        {"disabled, it ignores the pointer and clicks", [&] { enable(false); move(20); click(); move(20); }, kWhite,
         arrow, 1},
        {"enabled again, it moves", [&] { enable(true); move(21); }, kHighlight, hand, 1},
        {"disabled while hovered, then left", [&] { enable(false); leave(); }, kWhite, arrow, 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        const QImage shown = Shown(window);
        EXPECT_TRUE(Shows(shown, step.text));
        EXPECT_FALSE(Shows(shown, step.text == kWhite ? kHighlight : kWhite));
        EXPECT_EQ(window->cursor().shape(), step.cursor);
        EXPECT_EQ(events.size(), step.clicks);
    }
}

class ImageTextTest : public GaugeTest {
protected:
    void SetUp() override
    {
        GaugeTest::SetUp();
        // Every skin pixel tells where it lies.
        skin = QImage(520, 500, QImage::Format_RGB32);
        for (int y = 0; y < skin.height(); ++y)
            for (int x = 0; x < skin.width(); ++x) skin.setPixel(x, y, qRgb(x % 200, y % 200, 100));
    }

    // A new skin text of `size` at the category title's place, skin pixel
    // (29, 18), as it paints.
    QImage Paint(QSize size, const std::u16string& line, IFontDisp* font)
    {
        hosts.clear();
        CComPtr<IImageText> text = Host<IImageText>(CLSID_ImageText, IID_IImageText, QRect(QPoint(0, 0), size));
        EXPECT_TRUE(text);
        if (!text) return {};
        text->putref_Font(font);
        text->put_Picture(MakePicture(skin));
        text->ImageOffsets(29, 482);
        text->put_Text(CComBSTR(line));
        return Shown(Window());
    }
    QImage Under(QSize size) const { return skin.copy(QRect(QPoint(29, 18), size)); }
    // The runs of rows where `shown` differs from the skin.
    int Lines(const QImage& shown) const
    {
        const QImage plain = Under(shown.size());
        int lines = 0;
        bool previous = false;
        for (int y = 0; y < shown.height(); ++y) {
            bool ink = false;
            for (int x = 0; x < shown.width() && !ink; ++x) ink = shown.pixel(x, y) != plain.pixel(x, y);
            if (ink && !previous) ++lines;
            previous = ink;
        }
        return lines;
    }

    QImage skin;
};

TEST_F(ImageTextTest, WrapsBetweenWordsAtItsWidthCutsAtItsBottomAndWritesWholePoints)
{
    const std::u16string question = u"Which river flows through Vienna, Budapest and Belgrade?";
    const auto bold = [](std::int64_t size) { return MakeFont(size, FW_BOLD); };
    EXPECT_EQ(Paint({300, 30}, u"", bold(157500)), Under({300, 30})) << "the skin region, nothing else";

    const QImage two = Paint({400, 60}, question, bold(157500));
    EXPECT_EQ(Lines(two), 2) << "the question takes two lines";
    EXPECT_EQ(Lines(Paint({400, 60}, u"Which river", bold(157500))), 1);
    EXPECT_TRUE(Shows(two, kWhite)) << "in ForeColor";
    EXPECT_EQ(Paint({400, 30}, question, bold(157500)), two.copy(0, 0, 400, 30)) << "nothing below the bottom";
    EXPECT_EQ(Paint({400, 60}, question, bold(150000)), two) << "15.75 pt writes at 15 pt";
    EXPECT_NE(Paint({400, 60}, question, bold(160000)), two) << "16 pt is larger";
    EXPECT_NE(Paint({400, 30}, question, nullptr), Under({400, 30})) << "no font: not even the skin";
}

}  // namespace
