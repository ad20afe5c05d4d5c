// Font objects become device fonts at 96 pixels per inch, whole points only,
// whatever the screen's density, and shrink a point at a time down to one.
#include "com/ComPtr.h"
#include "ole/DeviceFont.h"
#include "ole/Stream.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

namespace {

CComPtr<IFont> MakeFont(const FONTDESC& desc)
{
    CComPtr<IFont> font;
    EXPECT_EQ(OleCreateFontIndirect(desc, IID_IFont, reinterpret_cast<void**>(&font)), S_OK);
    return font;
}

TEST(DeviceFont, RealizesWholePointsAndTheAttributes)
{
    const struct {
        FONTDESC desc;
        BYTE quality;
        int pixels;  // 0: no font
        QString family;
        int weight;
        bool italic, underline, strikeOut, antialiased;
    } cases[] = {
        {{.cySize = {97500}}, DEFAULT_QUALITY, 12, "Arial", 400, false, false, false, true},
        {{.cySize = {157500}, .sWeight = FW_BOLD, .fItalic = TRUE}, DEFAULT_QUALITY, 20, "Arial", 700, true, false, false, true},
        {{.cySize = {80000}, .fUnderline = TRUE}, NONANTIALIASED_QUALITY, 11, "Arial", 400, false, true, false, false},
        {{.cySize = {10000}, .sWeight = 0, .fStrikethrough = TRUE}, 4, 1, "Arial", 400, false, false, true, true},
        {{.lpstrName = u"A face name longer than its field", .sWeight = 1000}, DEFAULT_QUALITY, 13,
         "A face name longer than its fie", 1000, false, false, false, true},
        {{.cySize = {5000}}, DEFAULT_QUALITY, 0, "", 0, false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.desc.cySize.int64);
        const std::optional<QFont> font = RealizeFont(MakeFont(c.desc), c.quality);
        ASSERT_EQ(font.has_value(), c.pixels != 0);
        if (!font) continue;
        EXPECT_EQ(font->pixelSize(), c.pixels);
        EXPECT_EQ(font->family(), c.family);
        EXPECT_EQ(font->weight(), c.weight);
        EXPECT_EQ(font->italic(), c.italic);
        EXPECT_EQ(font->underline(), c.underline);
        EXPECT_EQ(font->strikeOut(), c.strikeOut);
        EXPECT_EQ(font->styleStrategy() == QFont::NoAntialias, !c.antialiased);
    }

    CComPtr<IStream> notAFont;
    CreateStreamOnMemory({}, &notAFont);
    EXPECT_FALSE(RealizeFont(notAFont));
    EXPECT_FALSE(RealizeFont(nullptr));
}

TEST(DeviceFont, MeasuresTheSameOnA96AndA120DotsPerInchDevice)
{
    QImage at96(1, 1, QImage::Format_RGB32), at120(1, 1, QImage::Format_RGB32);
    at96.setDotsPerMeterX(qRound(96 / 0.0254));
    at96.setDotsPerMeterY(qRound(96 / 0.0254));
    at120.setDotsPerMeterX(qRound(120 / 0.0254));
    at120.setDotsPerMeterY(qRound(120 / 0.0254));
    const QString text = "Which river flows through Vienna?";

    const std::optional<QFont> font = RealizeFont(MakeFont({.cySize = {157500}}));
    ASSERT_TRUE(font);
    EXPECT_EQ(QFontMetrics(*font, &at96).horizontalAdvance(text), QFontMetrics(*font, &at120).horizontalAdvance(text));

    QFont points("Arial");
    points.setPointSize(15);
    EXPECT_LT(QFontMetrics(points, &at96).horizontalAdvance(text), QFontMetrics(points, &at120).horizontalAdvance(text))
        << "the two devices do differ for a font sized in points";
}

TEST(DeviceFont, ShrinksAPointAtATimeDownToOnePoint)
{
    // From an absurd size the fit loop ends soon: the font holds no more than
    // the largest, and stops at one point.
    CComPtr<IFont> font = MakeFont({.cySize = {INT64_MAX}});
    int steps = 0;
    while (ShrinkFont(font)) ++steps;
    EXPECT_EQ(steps, FONTSIZE_MAX / 10000 - 1);
    CY size;
    font->get_Size(&size);
    EXPECT_EQ(size.int64, 10000);
    EXPECT_FALSE(ShrinkFont(nullptr));
}

}  // namespace
