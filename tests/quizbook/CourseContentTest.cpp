// The four documents of the French course as they are stored: their shape
// must match the course plan exactly, and their bytes the stored form.
#include "ui/AnsiCodePage.h"
#include "xml/XmlDocument.h"

#include "RunProgram.h"

#include <gtest/gtest.h>

#include <QImage>

#include <map>
#include <set>
#include <tuple>

namespace {

const std::filesystem::path kCourse = BRAINWHEEL_COURSE_DIR;
constexpr int kFirstPicture = 250;
constexpr int kLastPicture = 348;

struct Plan {
    const char* file;
    const char* quizId;
    const char* title;
    std::vector<std::pair<std::u16string, int>> rounds;  // category, tests stored
    int tests;
    int pictureTests;
    int difficult;
};

const Plan kPlans[] = {
    {"french1.xml", "FrenchID", "Beginner Stage 1",
     {{u"Colours", 17}, {u"The Calendar", 53}, {u"-ER Verbs", 28}, {u"Professions", 32}, {u"Clothes", 35},
      {u"Food and Drink", 31}, {u"In The Town", 30}, {u"The Family", 21}, {u"The Human Body", 21},
      {u"Home Furnishings", 30}, {u"Picture Board", 25}},
     323, 25, 33},
    {"french2.xml", "FrenchID", "Beginner Stage 2",
     {{u"Adverbs", 20}, {u"-IR Verbs", 20}, {u"Materials", 18}, {u"Adjectives", 32}, {u"In The Kitchen", 32},
      {u"Feelings and Emotions", 18}, {u"At The Bank", 21}, {u"The Weather", 30}, {u"When?", 37},
      {u"Around The House", 32}, {u"The Animal Kingdom", 23}, {u"Pictures", 25}},
     308, 25, 60},
    {"french3.xml", "FrhID", "Beginner Stage 3",
     {{u"Air Travel", 49}, {u"In The Office", 24}, {u"-RE Verbs", 20}, {u"Appearance", 22}, {u"Characteristics", 22},
      {u"Cars and Motoring", 28}, {u"Fashion", 30}, {u"Where?", 27}, {u"Food and Drink", 34}, {u"Pot Luck", 30},
      {u"Adjectives", 30}, {u"Picture Board", 24}},
     340, 24, 167},
    {"french4.xml", "FrenchID", "Categories",
     {{u"Food and Drink", 10}, {u"The Animal Kingdom", 11}, {u"Clothes", 11}, {u"The Human Body", 6},
      {u"In The Office", 9}, {u"In The Kitchen", 8}, {u"Around The House", 12}, {u"More Advanced", 8},
      {u"People", 7}, {u"Around Town", 7}, {u"Pot Luck", 10}},
     99, 99, 37},
};

std::vector<CXmlNode> Elements(const CXmlNode& parent, std::u16string_view name)
{
    std::vector<CXmlNode> found;
    for (const CXmlNode& child : parent.childNodes())
        if (child.nodeType() == NODE_ELEMENT && child.nodeName() == name) found.push_back(child);
    return found;
}

std::u16string Attribute(const CXmlNode& element, std::u16string_view name)
{
    const CXmlNode attribute = element.getNamedItem(name);
    return attribute ? attribute.text() : std::u16string();
}

std::u16string Text(const CXmlNode& test, std::u16string_view name)
{
    const std::vector<CXmlNode> found = Elements(test, name);
    return found.empty() ? std::u16string() : found.back().text();
}

// Names the document when a test fails.
void PrintTo(const Plan& plan, std::ostream* out) { *out << plan.file; }

class CourseContentTest : public ::testing::TestWithParam<Plan> {};

} // namespace

TEST_P(CourseContentTest, BytesAreTheStoredForm)
{
    const std::string bytes = ReadWholeFile(kCourse / GetParam().file);
    ASSERT_FALSE(bytes.empty()) << GetParam().file;
    EXPECT_EQ(bytes.rfind("<?xml version='1.0' encoding='ISO-8859-1' ?>\r\n", 0), 0u);
    size_t line = 1;
    bool lineStart = true;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        EXPECT_FALSE(byte >= 0x80 && byte <= 0x9F) << "line " << line;
        EXPECT_NE(byte, 0) << "line " << line;
        if (byte == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF on line " << line;
            ++line;
            lineStart = true;
            continue;
        }
        if (byte == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR on line " << line;
        }
        if (lineStart && byte == ' ') {
            ADD_FAILURE() << "indented with blanks on line " << line;
        }
        lineStart = lineStart && byte == '\t';
    }
}

TEST_P(CourseContentTest, RoundsTestsAndPicturesFollowThePlan)
{
    const Plan& plan = GetParam();
    const XmlDocumentPtr document = CXmlDocument::Create();
    ASSERT_TRUE(document->loadXML(AnsiToWide(ReadWholeFile(kCourse / plan.file))));

    const std::vector<CXmlNode> quizzes = Elements(document->node(), u"Quizzes");
    ASSERT_EQ(quizzes.size(), 1u);
    EXPECT_EQ(Attribute(quizzes[0], u"title"), u"French Vocabulary");
    EXPECT_EQ(WideToAnsi(Attribute(quizzes[0], u"quizid")), plan.quizId);
    ASSERT_EQ(quizzes[0].childNodes().size(), 1u);
    const CXmlNode quiz = quizzes[0].firstChild();
    EXPECT_EQ(quiz.nodeName(), u"Quiz");
    EXPECT_EQ(WideToAnsi(Attribute(quiz, u"title")), plan.title);
    const CXmlNode rounds = quiz.firstChild();
    ASSERT_EQ(rounds.nodeName(), u"Rounds");
    EXPECT_EQ(quiz.childNodes().size(), 1u);

    std::vector<std::pair<std::u16string, int>> shape;
    int tests = 0, pictureTests = 0, difficult = 0;
    std::map<int, int> pictures;
    std::set<std::tuple<std::u16string, std::u16string, std::u16string>> seen;
    for (const CXmlNode& round : rounds.childNodes()) {
        ASSERT_EQ(round.nodeName(), u"Round");
        const std::vector<CXmlNode> questions = Elements(round, u"Questions");
        ASSERT_EQ(questions.size(), 1u) << WideToAnsi(Attribute(round, u"category"));
        ASSERT_EQ(round.childNodes().size(), 1u);
        const std::vector<CXmlNode> children = questions[0].childNodes();
        shape.emplace_back(Attribute(round, u"category"), static_cast<int>(children.size()));
        for (const CXmlNode& test : children) {
            ASSERT_EQ(test.nodeName(), u"Test");
            ++tests;
            if (Attribute(test, u"difficulty") == u"4") ++difficult;
            const std::string where = WideToAnsi(Attribute(round, u"category") + u": " + Text(test, u"Question") +
                                                 u" = " + Text(test, u"Answer"));
            for (const char16_t* name : {u"Question", u"Answer", u"Option1", u"Option2", u"Option3"})
                EXPECT_EQ(Elements(test, name).size(), 1u) << where;
            EXPECT_TRUE(seen.emplace(Text(test, u"Question"), Text(test, u"Answer"), Text(test, u"Picture")).second)
                << "repeated: " << where;

            const std::vector<CXmlNode> picture = Elements(test, u"Picture");
            if (picture.empty()) continue;
            ++pictureTests;
            EXPECT_EQ(Text(test, u"Question"), u"Qu'est-ce que c'est?") << where;
            const std::vector<CXmlNode> parts = test.childNodes();
            const auto at = std::find(parts.begin(), parts.end(), picture[0]) - parts.begin();
            ASSERT_GT(at, 0);
            const std::u16string before = parts[static_cast<size_t>(at - 1)].nodeName();
            EXPECT_TRUE(before == u"Question" || before == u"Answer") << where;
            const int number = std::stoi(WideToAnsi(picture[0].text()));
            EXPECT_TRUE(number >= kFirstPicture && number <= kLastPicture) << where;
            EXPECT_TRUE(std::filesystem::exists(kCourse / "pictures" / (std::to_string(number) + ".jpg"))) << where;
            EXPECT_EQ(++pictures[number], 1) << "picture " << number << " used twice";
        }
    }
    EXPECT_EQ(shape, plan.rounds);
    EXPECT_EQ(tests, plan.tests);
    EXPECT_EQ(pictureTests, plan.pictureTests);
    EXPECT_EQ(difficult, plan.difficult);
    EXPECT_EQ(static_cast<int>(pictures.size()), plan.pictureTests);
}

INSTANTIATE_TEST_SUITE_P(Course, CourseContentTest, ::testing::ValuesIn(kPlans),
                         [](const ::testing::TestParamInfo<Plan>& info) {
                             return std::string(info.param.file).substr(0, 7);
                         });

TEST(CoursePicturesTest, NinetyNineJpegPicturesOfTheirSizesAndNoOthers)
{
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(kCourse / "pictures"))
        files.insert(entry.path().filename().string());
    std::set<std::string> expected;
    for (int number = kFirstPicture; number <= kLastPicture; ++number) expected.insert(std::to_string(number) + ".jpg");
    EXPECT_EQ(files, expected);

    for (const std::string& name : files) {
        const std::string bytes = ReadWholeFile(kCourse / "pictures" / name);
        EXPECT_EQ(bytes.substr(0, 3), "\xFF\xD8\xFF") << name << " is no JPEG";
        EXPECT_EQ(bytes.substr(6, 5), std::string("JFIF\0", 5)) << name << " is no JFIF file";
        const QImage image = QImage::fromData(QByteArray::fromStdString(bytes));
        EXPECT_TRUE(image.width() >= 56 && image.width() <= 400) << name << " is " << image.width() << " wide";
        EXPECT_TRUE(image.height() >= 44 && image.height() <= 218) << name << " is " << image.height() << " high";
    }
}
