#include "ui/AnsiCodePage.h"

#include <QString>

#include <gtest/gtest.h>

TEST(AnsiCodePage, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::u16string wide = AnsiToWide(all);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(WideToAnsi(wide), all);
    // Latin-1 half and ASCII unchanged.
    EXPECT_EQ(wide[0x41], u'A');
    EXPECT_EQ(wide[0xE9], u'\u00E9');
    EXPECT_EQ(wide[0xA0], u'\u00A0');
}

TEST(AnsiCodePage, HighControlBlockMapsToItsCharacters)
{
    const std::u16string wide = AnsiToWide("\x80\x85\x8A\x91\x92\x96\x99\x9F");
    EXPECT_EQ(wide, u"\u20AC\u2026\u0160\u2018\u2019\u2013\u2122\u0178");
    // The five undefined bytes come through as control characters.
    EXPECT_EQ(AnsiToWide("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(WideToAnsi(u"\u20AC 5 \u2014 \u0153"), "\x80 5 \x97 \x9C");
}

TEST(AnsiCodePage, UnmappableCharactersBecomeQuestionMarks)
{
    // Control characters the code page uses for other glyphs, other scripts,
    // and a character outside the basic plane (one "?" for the pair).
    EXPECT_EQ(WideToAnsi(u"\u0080\u0082"), "??");
    EXPECT_EQ(WideToAnsi(u"a\u0416b\u4E2Dc"), "a?b?c");
    EXPECT_EQ(WideToAnsi(u"x\U0001F600y"), "x?y");
    // A lone half of a pair is a character of its own.
    EXPECT_EQ(WideToAnsi(std::u16string(u"\xD83D") + u"z"), "?z");
    EXPECT_EQ(WideToAnsi(std::u16string(1, u'\xDE00')), "?");
}

TEST(AnsiCodePage, ZeroBytesAndEmptyTextPassThrough)
{
    EXPECT_EQ(AnsiToWide(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(WideToAnsi(std::u16string_view(u"a\0b", 3)), std::string("a\0b", 3));
    EXPECT_TRUE(AnsiToWide("").empty());
    EXPECT_TRUE(WideToAnsi(u"").empty());
}

TEST(AnsiCodePage, Utf8ConversionsAgreeWithTheWideOnes)
{
    // Every byte, placed both inside long ASCII runs and back to back, so that
    // the run-skipping fast path and the byte-by-byte path both meet it.
    std::string text;
    for (int b = 0; b < 256; ++b) {
        text.append(b % 3 ? "" : "plain ascii run ");
        text.push_back(static_cast<char>(b));
    }
    const std::string utf8 = AnsiToUtf8(text);
    const std::u16string wide = AnsiToWide(text);
    EXPECT_EQ(utf8, QString::fromStdU16String(wide).toStdString());
    EXPECT_EQ(Utf8ToAnsi(utf8), text);

    // What the code page can't hold, malformed sequences included, becomes "?".
    EXPECT_EQ(Utf8ToAnsi("a\xE2\x82\xAC b\xF0\x9F\x98\x80 c\xE4\xB8\xAD d\xC3 e\x80"), "a\x80 b? c? d? e?");
    std::string appended = "head ";
    AppendUtf8AsAnsi(appended, "caf\xC3\xA9");
    EXPECT_EQ(appended, "head caf\xE9");
}
