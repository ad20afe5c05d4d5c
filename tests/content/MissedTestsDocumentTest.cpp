// The missed tests kept during a quiz, and the quiz document and sealed file
// made of them, read back as the game reads them.
#include "MissedTests.h"
#include "MissedTestsDocument.h"
#include "PictureBytes.h"
#include "QuizReader.h"
#include "SealedQuizFile.h"
#include "TestEnvironment.h"
#include "UserQuizFile.h"
#include "XmlNames.h"
#include "ole/PictureObject.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <ostream>

namespace {

std::vector<std::uint8_t> Bytes(const QByteArray& data) { return {data.begin(), data.end()}; }

CComPtr<IPictureDisp> PictureOf(const QByteArray& bytes)
{
    CComPtr<IStream> stream;
    CreateStreamOnMemory(Bytes(bytes), &stream);
    CComPtr<IPictureDisp> picture;
    OleLoadPicture(stream, 0, FALSE, IID_IPictureDisp, reinterpret_cast<void**>(&picture));
    return picture;
}

MissedTest Missed(std::u16string question, std::u16string category, std::vector<std::uint8_t> picture = {})
{
    return {question, u"right " + question, u"x", u"y", u"z", std::move(category), std::move(picture)};
}

struct Drawn {
    std::u16string question, answer, category;
    QSize picture;
    bool operator<(const Drawn& other) const { return question < other.question; }
    bool operator==(const Drawn& other) const = default;
    friend void PrintTo(const Drawn& drawn, std::ostream* out)
    {
        *out << QString::fromStdU16String(drawn.question + u" / " + drawn.answer + u" / " + drawn.category).toStdString()
             << " " << drawn.picture.width() << "x" << drawn.picture.height();
    }
};

// Every test the reader hands out, with its round's category and picture size.
std::vector<Drawn> DrawAll(CQuizReader& reader)
{
    std::vector<Drawn> drawn;
    std::u16string q, a, o1, o2, o3;
    while (reader.NextRound())
        while (reader.NextTest(q, a, o1, o2, o3)) {
            QImage image;
            CComPtr<IPicture> picture;
            if (reader.Picture() && SUCCEEDED(reader.Picture()->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture))))
                picture->GetImage(&image);
            drawn.push_back({q, a, reader.Category(), image.isNull() ? QSize() : image.size()});
        }
    std::sort(drawn.begin(), drawn.end());
    return drawn;
}

TEST(MissedTests, KeepsWhatWasAnsweredWronglyOrLeftOpenAtTheEnd)
{
    const QByteArray png = EncodedImage(12, 8);
    const CComPtr<IPictureDisp> picture = PictureOf(png);
    CMissedTests missed;
    // (question, right) in play order; "-" settles with nothing asked, as
    // the end of the last round does.
    const std::pair<const char16_t*, bool> play[] = {
        {u"one", true}, {u"two", false}, {u"-", false}, {u"three", false}, {u"four", true}, {u"five", false}};
    for (const auto& [question, right] : play) {
        const std::u16string text = question;
        if (text != u"-") missed.Asked(Missed(text, u"C"), text == u"three" ? picture.get() : nullptr);
        missed.Settle(right);
    }
    ASSERT_EQ(missed.Tests().size(), 3u);
    EXPECT_EQ(missed.Tests()[0].question, u"two");
    EXPECT_EQ(missed.Tests()[1].question, u"three");
    EXPECT_EQ(missed.Tests()[1].picture, Bytes(png)) << "the bytes the picture was read from";
    EXPECT_EQ(missed.Tests()[2].question, u"five");
    EXPECT_TRUE(missed.Tests()[2].picture.empty());
    // A new quiz forgets the old one, with the question it left open.
    missed.Asked(Missed(u"six", u"C"), nullptr);
    missed.Clear();
    missed.Settle(false);
    EXPECT_TRUE(missed.Tests().empty());

    // A picture that kept no bytes is written as PNG.
    CComPtr<IPictureDisp> bare;
    bare.Attach(new CPictureObject(QImage::fromData(png), QByteArray()));
    const std::vector<std::uint8_t> encoded = CMissedTests::PictureFile(bare);
    EXPECT_EQ(QImage::fromData(encoded.data(), static_cast<int>(encoded.size()), "PNG").size(), QSize(12, 8));
    EXPECT_TRUE(CMissedTests::PictureFile(nullptr).empty());
}

TEST(MissedTestsDocument, OneRoundPerCategoryTextsEscapedPicturesEmbedded)
{
    const QByteArray png = EncodedImage(40, 30), gif = EncodedImage(7, 5, "BMP");
    const std::vector<MissedTest> tests = {
        Missed(u"Le <chat> & \"l'oiseau\"", u"Les Animaux"),
        Missed(u"Cent €, été, 日本", u"Nombres & <Chiffres>", Bytes(png)),
        Missed(u"]]> --> <!--", u"Les Animaux", Bytes(gif)),
    };
    const std::string document = MissedTestsDocument(tests, u"Mes « erreurs »");
    ASSERT_FALSE(document.empty());
    EXPECT_EQ(document.rfind("<?xml version='1.0' encoding='ISO-8859-1' ?>", 0), 0u);
    EXPECT_TRUE(std::all_of(document.begin(), document.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        << "every character outside ASCII is a reference";

    CQuizReader reader;
    ASSERT_TRUE(reader.LoadText(document));
    EXPECT_EQ(reader.TotalTests(), 3);
    ASSERT_EQ(reader.Rounds().size(), 2u);
    const std::pair<std::u16string, LONG> rounds[] = {{u"Les Animaux", 2}, {u"Nombres & <Chiffres>", 1}};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(reader.Rounds()[i]->firstChild().getNamedItem(xmlnames::category).text(), rounds[i].first);
        EXPECT_EQ(CQuizReader::CountTests(reader.Rounds()[i]), rounds[i].second);
    }
    std::vector<Drawn> expected = {{tests[0].question, tests[0].answer, u"Les Animaux", {}},
                                   {tests[1].question, tests[1].answer, u"Nombres & <Chiffres>", {40, 30}},
                                   {tests[2].question, tests[2].answer, u"Les Animaux", {7, 5}}};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(DrawAll(reader), expected);
}

TEST(MissedTestsDocument, SealedFileListsOneQuizThatTheGamePlays)
{
    TestEnvironment env;
    const QByteArray png = EncodedImage(20, 10);
    const std::vector<MissedTest> tests = {Missed(u"Vingt", u"Les Nombres"), Missed(u"Été", u"Saisons", Bytes(png))};
    const std::string path = (env.Dir() / "missed.qiz").string();
    std::string error;
    ASSERT_TRUE(WriteSealedQuizFile(path, MissedTestsDocument(tests, u"Missed Questions"), error)) << error;

    struct Sink final : IUserQuizSink {
        void Clear() override { entries.clear(); }
        bool AddEntry(const std::string& title, const std::string& document) override
        {
            entries.push_back({title, document});
            return true;
        }
        void ShowMessage(const std::string& text, Box) override { entries.push_back({"message", text}); }
        std::vector<std::pair<std::string, std::string>> entries;
    } sink;
    CUserQuizFile(sink).LoadQuizFile(path);
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_EQ(sink.entries[0].first, "Missed Questions");
    CQuizReader reader;
    ASSERT_TRUE(reader.LoadText(sink.entries[0].second));
    std::vector<Drawn> expected = {{u"Vingt", u"right Vingt", u"Les Nombres", {}},
                                   {u"Été", u"right Été", u"Saisons", {20, 10}}};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(DrawAll(reader), expected);
}

}  // namespace
