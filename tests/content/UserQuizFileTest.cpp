#include "UserQuizFile.h"

#include "FixedClock.h"
#include "QuizDocuments.h"
#include "QuizReader.h"
#include "SealedFile.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include <sys/stat.h>

using namespace quizdoc;

namespace {

class CRecordingSink : public IUserQuizSink {
public:
    void Clear() override { entries.clear(); }
    bool AddEntry(const std::string& title, const std::string& document) override
    {
        if (throwOnEntry == static_cast<int>(entries.size())) throw std::runtime_error("list broke");
        entries.push_back({title, document});
        return true;
    }
    void ShowMessage(const std::string& text, Box box) override
    {
        messages.push_back(text);
        boxes.push_back(box);
    }
    void ShowExplainedMessage(const std::string& text, Box box, const std::string& reason) override
    {
        reasons.push_back(reason);
        ShowMessage(text, box);
    }

    void ForgetMessages()
    {
        messages.clear();
        boxes.clear();
    }

    std::vector<std::pair<std::string, std::string>> entries;
    std::vector<std::string> messages;
    std::vector<Box> boxes;
    std::vector<std::string> reasons;
    int throwOnEntry = -1;
};

class CNoKeyCipher : public CQuizCipher {
protected:
    bool DeriveKey(const char*) override { return false; }
};

// Lets a test take away what the platform normally provides.
class CFailingQuizFile : public CUserQuizFile {
public:
    using CUserQuizFile::CUserQuizFile;
    bool noProvider = false;
    bool noKey = false;
    bool noDocument = false;

protected:
    const char* ProviderName() const override { return noProvider ? "No Such Provider" : MS_DEF_PROV_A; }
    std::unique_ptr<CQuizCipher> CreateCipher() override
    {
        return noKey ? std::make_unique<CNoKeyCipher>() : CUserQuizFile::CreateCipher();
    }
    XmlDocumentPtr CreateDocument() override { return noDocument ? nullptr : CUserQuizFile::CreateDocument(); }
};

class UserQuizFileTest : public ::testing::Test {
protected:
    std::vector<std::string> Load(const std::string& plain)
    {
        WriteSealed(path, plain);
        file.LoadQuizFile(path.string());
        return sink.messages;
    }

    TestEnvironment env;
    std::filesystem::path path = env.Dir() / "quiz.qiz";
    CRecordingSink sink;
    CFailingQuizFile file{sink};
};

const std::string kTwoQuizzes =
    Document({Quiz("First", {Round("one", Tests("a", 2))}), Quiz("Second", {Round("two", Tests("b", 3))})});

} // namespace

TEST_F(UserQuizFileTest, ListsEveryQuizAndPlaysOnlyTheChosenOne)
{
    EXPECT_TRUE(Load(kTwoQuizzes).empty());
    ASSERT_EQ(sink.entries.size(), 2u);
    EXPECT_EQ(sink.entries[0].first, "First");
    EXPECT_EQ(sink.entries[1].first, "Second");

    FixedClock clock(1700000000);
    CQuizReader reader;
    ASSERT_TRUE(reader.LoadText(sink.entries[1].second));
    EXPECT_EQ(reader.TotalTests(), 3);
    ASSERT_TRUE(reader.NextRound());
    EXPECT_EQ(reader.Category(), u"two");
    EXPECT_FALSE(reader.NextRound());
}

TEST_F(UserQuizFileTest, WrapsAQuizInTheFixedDocument)
{
    Load(Document({Quiz("Mine", {Round("r", Tests("t", 1))})}));
    ASSERT_EQ(sink.entries.size(), 1u);
    const std::string& wrapper = sink.entries[0].second;
    const std::string head = "<?xml version='1.0' encoding='ISO-8859-1' ?><Quizzes title=\"User Defined\" "
                             "quizid=\"UserQuiz\"><Quiz title=\"Beginner Stage 1\">";
    ASSERT_EQ(head.size(), 123u);
    EXPECT_EQ(wrapper.substr(0, 123), head);
    EXPECT_EQ(wrapper.substr(123, 8), "<Rounds>");
    EXPECT_EQ(wrapper.substr(wrapper.size() - 17), "</Quiz></Quizzes>");
    EXPECT_EQ(wrapper.find('\n'), std::string::npos);
}

TEST_F(UserQuizFileTest, TitlesAreUnescapedOnceMore)
{
    Load(Document({Quiz("Salt &amp;amp; Pepper &amp;lt;3 &amp;apos;n&amp;apos; &amp;gt;", {Round("r", Tests("t", 1))}),
                   Quiz("Caf\xe9", {Round("r", Tests("t", 1))})}));
    ASSERT_EQ(sink.entries.size(), 2u);
    EXPECT_EQ(sink.entries[0].first, "Salt & Pepper <3 'n' >");
    EXPECT_EQ(sink.entries[1].first, "Caf\xe9") << "titles stay in the ANSI code page";
}

TEST_F(UserQuizFileTest, SkipsQuizzesWithoutTitleOrChildrenAndKeepsOneStartingWithAComment)
{
    Load(Document({"<Quiz><Rounds/></Quiz>", "<Quiz title=\"Empty\"/>", "<Quiz title=\"Note\"><!-- n --></Quiz>",
                   "<!-- c -->", "<?Quiz title=\"pi\"?>",
                   "<Quiz title=\"Commented\"><!-- rounds follow --><Rounds>" + Round("r", Tests("t", 2)) + "</Rounds></Quiz>"}));
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_EQ(sink.entries[0].first, "Commented");
    CQuizReader reader;
    ASSERT_TRUE(reader.LoadText(sink.entries[0].second));
    EXPECT_EQ(reader.TotalTests(), 2) << "the comment is passed over for the Rounds after it";
    EXPECT_TRUE(reader.NextRound());
}

TEST_F(UserQuizFileTest, ReadsEveryLengthModuloEight)
{
    const std::string base = Document({Quiz("Pad", {Round("r", Tests("t", 1))})});
    for (int pad = 0; pad < 16; ++pad) {
        sink.entries.clear();
        EXPECT_TRUE(Load(base + std::string(static_cast<size_t>(pad), ' ')).empty()) << pad;
        ASSERT_EQ(sink.entries.size(), 1u) << pad;
        EXPECT_EQ(sink.entries[0].first, "Pad");
    }
}

TEST_F(UserQuizFileTest, PlainTextEndsAtTheFirstZeroByte)
{
    const std::string document = Document({Quiz("Z", {Round("r", Tests("t", 1))})});
    EXPECT_TRUE(Load(document + std::string(1, '\0') + "<<< not xml").empty());
    EXPECT_EQ(sink.entries.size(), 1u);

    std::string text;
    WriteSealed(path, document + std::string(1, '\0') + "tail");
    file.ReadPlainText(path.string(), text);
    EXPECT_EQ(text, document);
    text.clear();
    WriteSealed(path, document);
    file.ReadPlainText(path.string(), text);
    EXPECT_EQ(text, document) << "without a zero byte the whole file is the text";
}

// The reason given with "Error #0101" tells what the file held, whatever was
// read before it: text never sealed (line breaks of either kind, and a control
// character deep in it makes it no text), an empty file, or markup that breaks.
TEST_F(UserQuizFileTest, TheReasonForAnUnreadableQuizNamesWhatTheFileHeld)
{
    const std::string text = "<Quizzes>\r\n\t<Quiz title=\"x\"/>\r\n</Quizzes>\r\n";
    const struct {
        std::string bytes;
        bool sealed;
        const char* reason;
    } cases[] = {
        {text, false, "not a quiz file: it holds plain text"},
        {std::string(1000, 'a') + "\x01", false, "enciphered with another key"},
        {"", false, "the file is empty"},
        {"<Quizzes><Quiz>", true, "not well-formed"},
    };
    for (const auto& c : cases) {
        // Each after a file that could not be read at all.
        file.LoadQuizFile((env.Dir() / "missing.qiz").string());
        sink.reasons.clear();
        if (c.sealed) WriteSealed(path, c.bytes);
        else WriteBytes(path, c.bytes);
        file.LoadQuizFile(path.string());
        ASSERT_EQ(sink.reasons.size(), 1u) << c.reason;
        EXPECT_EQ(sink.reasons[0].rfind(c.reason, 0), 0u) << sink.reasons[0];
    }

    // A file past the size limit is refused before any of it is read (a
    // sparse file: it takes no room on the disk).
    sink.reasons.clear();
    WriteBytes(path, "");
    std::filesystem::resize_file(path, (std::uintmax_t(512) << 20) + 1);
    file.LoadQuizFile(path.string());
    EXPECT_EQ(sink.reasons, std::vector<std::string>{"it can't be read (it is larger than 512 MB)"});
}

TEST_F(UserQuizFileTest, ReportsEachFailureWithTheGamesTexts)
{
    using Messages = std::vector<std::string>;

    file.LoadQuizFile((env.Dir() / "missing.qiz").string());
    EXPECT_EQ(sink.messages, (Messages{"Error #0104", "Error #0101"}));

    // Neither a directory nor a named pipe is a file to read, and the pipe,
    // with no writer, must not hold the caller.
    const std::filesystem::path pipe = env.Dir() / "pipe.qiz";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::filesystem::path& notAFile : {env.Dir(), pipe}) {
        sink.ForgetMessages();
        file.LoadQuizFile(notAFile.string());
        EXPECT_EQ(sink.messages, (Messages{"Error #0104", "Error #0101"})) << notAFile;
    }

    sink.ForgetMessages();
    WriteBytes(path, kTwoQuizzes);  // not enciphered
    file.LoadQuizFile(path.string());
    EXPECT_EQ(sink.messages, (Messages{"Error #0101"}));
    EXPECT_TRUE(sink.entries.empty());

    sink.ForgetMessages();
    WriteBytes(path, "");
    file.LoadQuizFile(path.string());
    EXPECT_EQ(sink.messages, (Messages{"Error #0101"}));

    sink.ForgetMessages();
    file.noProvider = true;
    EXPECT_EQ(Load(kTwoQuizzes),
              (Messages{"Error #111: Your operating system dows not support this functionality\n", "Error #0103",
                        "Error #0101"}));
    EXPECT_EQ(sink.boxes[0], IUserQuizSink::Box::Application);
    EXPECT_EQ(sink.boxes[1], IUserQuizSink::Box::Dialog);
    file.noProvider = false;

    sink.ForgetMessages();
    file.noKey = true;
    EXPECT_EQ(Load(kTwoQuizzes), (Messages{"Error #0103", "Error #0101"}));
    file.noKey = false;

    sink.ForgetMessages();
    file.noDocument = true;
    EXPECT_EQ(Load(kTwoQuizzes), (Messages{"Error #0102"}));
    EXPECT_TRUE(sink.entries.empty());
}

TEST_F(UserQuizFileTest, BlanksAroundTheRoundsNeverHideThem)
{
    // However long the layout between the quiz and its rounds, the wrapper
    // carries the rounds and the quiz plays them.
    for (size_t blanks : {1u, 4000u, 9000u}) {
        const std::string run = "\r\n" + std::string(blanks, '\t');
        Load(Document({"<Quiz title=\"Spaced\">" + run + "<Rounds>" + Round("r", Tests("t", 3)) + "</Rounds>" + run + "</Quiz>"}));
        ASSERT_EQ(sink.entries.size(), 1u) << blanks;
        CQuizReader reader;
        ASSERT_TRUE(reader.LoadText(sink.entries[0].second));
        EXPECT_EQ(reader.TotalTests(), 3) << blanks;
    }
}

TEST_F(UserQuizFileTest, AnExceptionKeepsTheListAsFarAsItGot)
{
    sink.throwOnEntry = 1;
    EXPECT_EQ(Load(kTwoQuizzes), std::vector<std::string>{"Error #0150"});
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_EQ(sink.entries[0].first, "First");
}

TEST_F(UserQuizFileTest, EachLoadReplacesTheList)
{
    Load(kTwoQuizzes);
    file.LoadQuizFile((env.Dir() / "missing.qiz").string());
    EXPECT_TRUE(sink.entries.empty());
}
