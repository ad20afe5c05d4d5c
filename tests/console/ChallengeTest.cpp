// The question and its four answers, hosted on its own: where the answers
// land for each draw, what clicks, FiftyFifty, FreeAnswer and RevealAnswer
// do, and what reaches the parts, read back through the parts' interfaces
// and off the pixels, with clicks on the answer labels.
#include "HostedGauge.h"

#include "FixedClock.h"
#include "Playdeck.h"
#include "TextTestObjects.h"
#include "ole/ControlWindow.h"
#include "ole/DialogTemplate.h"

#include <QTest>

namespace {

constexpr int kSlots = 4;
// The buttons' top left corners in the template, slots 0..3.
constexpr QPoint kSlotUnits[kSlots] = {{0, 43}, {164, 43}, {0, 70}, {164, 70}};
const std::u16string kTexts[kSlots] = {u"Answer", u"Option1", u"Option2", u"Option3"};
const QRgb kMarked = qRgb(0, 0, 192);  // a marked answer's label, 0xC00000

QPoint Pixels(QPoint units)
{
    const DialogPixels pixels = CDialogTemplate::ToPixels(units.x(), units.y(), 0, 0);
    return {pixels.x, pixels.y};
}

// A skin whose every pixel tells where it lies.
QRgb SkinPixel(int x, int y) { return qRgb(x & 255, y & 255, (x >> 8) * 16 + (y >> 8)); }

std::int64_t SizeOf(IFontDisp* font)
{
    CComPtr<IFont> face;
    CY size;
    if (font) font->QueryInterface(IID_IFont, reinterpret_cast<void**>(&face));
    if (face) face->get_Size(&size);
    return size.int64;
}

class ChallengeTest : public GaugeTest {
protected:
    void SetUp() override
    {
        GaugeTest::SetUp();
        const DialogPixels size = CDialogTemplate::ToPixels(0, 0, 316, 92);
        challenge = Host<IChallenge>(CLSID_Challenge, IID_IChallenge, QRect(0, 0, size.cx, size.cy));
        ASSERT_TRUE(challenge);
        parent.show();
        Listen(challenge, DIID__IChallengeEvents, recorder);
        CControlWindow::ControlOf(Window()->childAt(Pixels({33, 3})), IID_IImageText,
                                  reinterpret_cast<void**>(&question));
        ASSERT_TRUE(question);
        for (int slot = 0; slot < kSlots; ++slot) {
            QWidget* window = Window()->childAt(Pixels(kSlotUnits[slot]));
            CControlWindow::ControlOf(window, IID_IOption, reinterpret_cast<void**>(&options[slot]));
            ASSERT_TRUE(options[slot]) << "slot " << slot;
            labels[slot] = window->findChild<QWidget*>();
        }
    }
    void TearDown() override
    {
        question.Release();
        for (auto& option : options) option.Release();
        challenge.Release();
        GaugeTest::TearDown();
    }

    // Sets the clock to a second whose draw puts the answer on `slot`.
    void DrawSlot(int slot)
    {
        for (std::time_t t = 1000; clock.Draw(kSlots) != slot; ++t) clock.Set(t);
    }
    void Ask(const std::u16string& answer = kTexts[0])
    {
        const CComBSTR texts[] = {CComBSTR(u"Which?"), CComBSTR(answer), CComBSTR(kTexts[1]), CComBSTR(kTexts[2]),
                                  CComBSTR(kTexts[3])};
        ASSERT_EQ(challenge->SetTest(texts[0], texts[1], texts[2], texts[3], texts[4]), S_OK);
    }
    std::u16string Text(int slot)
    {
        CComBSTR text;
        options[slot]->get_Text(&text);
        return text.str();
    }
    SHORT IsAnswer(int slot)
    {
        SHORT value = -1;
        options[slot]->get_IsAnswer(&value);
        return value;
    }
    bool Enabled(int slot)
    {
        VARIANT_BOOL value = VARIANT_FALSE;
        options[slot]->get_Enabled(&value);
        return value != VARIANT_FALSE;
    }
    // Which labels show the marking, one letter a slot: "-M--".
    std::string Marked()
    {
        std::string marked;
        for (QWidget* label : labels) marked += Shown(label).pixel(1, 1) == kMarked ? 'M' : '-';
        return marked;
    }
    void Click(int slot)
    {
        const QPoint centre = labels[slot]->rect().center();
        QTest::mouseMove(labels[slot], centre);
        QTest::mouseClick(labels[slot], Qt::LeftButton, {}, centre);
    }
    // The verdicts fired since the last look.
    std::vector<LONG> Verdicts()
    {
        std::vector<LONG> verdicts;
        for (const RecordedEvent& event : events) {
            EXPECT_EQ(event.id, DISPID_CHALLENGE_ONANSWER);
            EXPECT_EQ(event.types, std::vector<VARTYPE>{VT_I2});
            verdicts.push_back(event.values.at(0));
        }
        events.clear();
        return verdicts;
    }

    FixedClock clock{1000};
    CComPtr<IChallenge> challenge;
    CComPtr<CEventRecorder> recorder;
    CComPtr<IImageText> question;
    CComPtr<IOption> options[kSlots];
    QWidget* labels[kSlots] = {};
};

TEST_F(ChallengeTest, EveryDrawShowsARotationOfTheAnswers)
{
    // Slots run left to right, top to bottom: with draw 2 the top row reads
    // Option2, Option3 and the bottom row Answer, Option1.
    for (int draw = 0; draw < kSlots; ++draw) {
        DrawSlot(draw);
        Ask();
        for (int slot = 0; slot < kSlots; ++slot) {
            EXPECT_EQ(Text(slot), kTexts[(slot - draw + kSlots) % kSlots]) << "draw " << draw << ", slot " << slot;
            EXPECT_EQ(IsAnswer(slot), slot == draw ? 1 : 0) << "draw " << draw << ", slot " << slot;
        }
    }
    CComBSTR line;
    question->get_Text(&line);
    EXPECT_EQ(line.str(), u"Which?");
}

TEST_F(ChallengeTest, TwoQuestionsWithinOneSecondLandAlike)
{
    // Seconds whose second draw from one seed would land elsewhere: only a
    // reseed from the clock for each question puts both on one slot.
    for (std::time_t t = 1000, found = 0; found < 3; ++t) {
        CrtSrand(static_cast<unsigned>(t));
        const int first = CrtRand() % kSlots;
        if (CrtRand() % kSlots == first) continue;
        ++found;
        clock.Set(t);
        Ask();
        Ask(u"Another answer");
        EXPECT_EQ(Text(first), u"Another answer") << "second " << t;
    }
}

TEST_F(ChallengeTest, FiftyFiftyLeavesTheAnswerAndOneWrongOne)
{
    for (int draw = 0; draw < kSlots; ++draw) {
        for (std::time_t later = 5000; later < 5006; ++later) {
            SCOPED_TRACE(testing::Message() << "draw " << draw << ", FiftyFifty at " << later);
            DrawSlot(draw);
            Ask();
            clock.Set(later);
            ASSERT_EQ(challenge->FiftyFifty(), S_OK);
            EXPECT_EQ(Text(draw), kTexts[0]);
            int blanked = 0, kept = -1;
            for (int slot = 0; slot < kSlots; ++slot) {
                const bool blank = Text(slot).empty();
                EXPECT_EQ(Enabled(slot), !blank);
                blanked += blank;
                if (!blank && slot != draw) kept = slot;
                if (blank) Click(slot);
            }
            EXPECT_EQ(blanked, 2);
            EXPECT_TRUE(Verdicts().empty()) << "a blanked button takes no click";
            ASSERT_NE(kept, -1);
            Click(kept);
            EXPECT_EQ(Verdicts(), std::vector<LONG>{0});
        }
    }
}

TEST_F(ChallengeTest, AWrongClickMarksTheAnswerBeforeItsOneVerdict)
{
    DrawSlot(1);
    const char* marked[kSlots] = {"-M--", "----", "-M--", "-M--"};
    for (int clicked = 0; clicked < kSlots; ++clicked) {
        SCOPED_TRACE(testing::Message() << "click on slot " << clicked);
        Ask();
        EXPECT_EQ(Marked(), "----") << "a new question clears the marking";
        std::string markedAtVerdict;
        bool enabledAtVerdict = true;
        recorder->onEvent = [&] {
            markedAtVerdict = Marked();
            enabledAtVerdict = Enabled(0) || Enabled(1) || Enabled(2) || Enabled(3);
        };
        Click(clicked);
        recorder->onEvent = nullptr;
        EXPECT_EQ(Verdicts(), std::vector<LONG>{clicked == 1 ? 1 : 0});
        EXPECT_EQ(markedAtVerdict, marked[clicked]);
        EXPECT_FALSE(enabledAtVerdict);
        Click((clicked + 1) % kSlots);
        Click(clicked);
        EXPECT_TRUE(Verdicts().empty()) << "one verdict per question";
    }
}

TEST_F(ChallengeTest, AHostMayCloseTheChallengeFromInsideTheVerdict)
{
    DrawSlot(0);
    Ask();
    recorder->onEvent = [&] { hosts.clear(); };
    Click(1);
    EXPECT_EQ(Verdicts(), std::vector<LONG>{0});
}

TEST_F(ChallengeTest, RevealAnswerAndFreeAnswerMarkTheAnswerEvenAnEmptyOne)
{
    struct Case {
        int slot;
        std::u16string answer;
        const char* marked;
    };
    for (const Case& c : {Case{0, kTexts[0], "M---"}, Case{3, kTexts[0], "---M"}, Case{2, u"", "--M-"}}) {
        SCOPED_TRACE(c.slot);
        DrawSlot(c.slot);
        Ask(c.answer);
        ASSERT_EQ(challenge->RevealAnswer(), S_OK);
        EXPECT_EQ(Marked(), c.marked);
        EXPECT_TRUE(Verdicts().empty());
        EXPECT_TRUE(Enabled(c.slot)) << "marking alone ends nothing";

        Ask(c.answer);
        ASSERT_EQ(challenge->FreeAnswer(), S_OK);
        EXPECT_EQ(Marked(), c.marked);
        EXPECT_EQ(Verdicts(), std::vector<LONG>{1});
        Click(c.slot);
        EXPECT_TRUE(Verdicts().empty()) << "the question is answered";
    }
}

TEST_F(ChallengeTest, ColoursFontsEnabledAndThePictureReachTheParts)
{
    const CComPtr<IFontDisp> big = MakeFont(140000);
    CComPtr<IFontDisp> font;
    challenge->put_OptionFont(big);
    challenge->put_QuestionFont(big);
    challenge->put_OptionForeColor(0x00FF00);
    challenge->put_OptionBackColor(0x000080);
    challenge->put_OptionHighlightColor(0x123456);
    challenge->put_QuestionForeColor(0x00FFFF);
    challenge->put_QuestionBackColor(0x202020);
    challenge->put_Enabled(VARIANT_FALSE);
    EXPECT_FALSE(Enabled(0) || Enabled(3));
    Ask();
    std::vector<OLE_COLOR> colours(3);
    for (int slot = 0; slot < kSlots; ++slot) {
        options[slot]->get_ForeColor(&colours[0]);
        options[slot]->get_BackColor(&colours[1]);
        options[slot]->get_HighlightColor(&colours[2]);
        EXPECT_EQ(colours, (std::vector<OLE_COLOR>{0x00FF00, 0x000080, 0x123456}));
        ASSERT_EQ(options[slot]->get_Font(&font), S_OK);
        EXPECT_TRUE(font.get() != big.get() && SizeOf(font) == 140000) << "each option keeps its own clone";
        EXPECT_EQ(Shown(labels[slot]).pixel(1, 1), qRgb(128, 0, 0));
    }
    OLE_COLOR fore = 0, back = 0;
    question->get_ForeColor(&fore);
    question->get_BackColor(&back);
    EXPECT_EQ(fore, 0x00FFFFu);
    EXPECT_EQ(back, 0x202020u);
    ASSERT_EQ(question->get_Font(&font), S_OK);
    EXPECT_EQ(SizeOf(font), 140000);
    VARIANT_BOOL enabled = VARIANT_FALSE;
    question->get_Enabled(&enabled);
    EXPECT_TRUE(enabled && Enabled(0)) << "a question enables its parts, not the control";
    challenge->get_Enabled(&enabled);
    EXPECT_FALSE(enabled);

    // A put of the current value hands nothing down.
    options[0]->put_ForeColor(0x0000FF);
    challenge->put_OptionForeColor(0x00FF00);
    options[0]->get_ForeColor(&colours[0]);
    EXPECT_EQ(colours[0], 0x0000FFu);

    // The skin is shared by reference, and every part shows its own place in
    // it: the Challenge from (23, 330) on.
    QImage image(520, 500, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, SkinPixel(x, y));
    const CComPtr<IPictureDisp> skin = MakePicture(image);
    ASSERT_EQ(challenge->putref_Picture(skin), S_OK);
    CComPtr<IPictureDisp> shared;
    question->get_Picture(&shared);
    EXPECT_EQ(shared.get(), skin.get());
    const QImage shown = Shown(Window());
    for (QPoint at : {QPoint(1, 1), Pixels({33, 3}) + QPoint(1, 1), Pixels(kSlotUnits[3]) + QPoint(1, 1)})
        EXPECT_EQ(shown.pixel(at), SkinPixel(23 + at.x(), 330 + at.y())) << at.x() << ", " << at.y();
}

} // namespace
