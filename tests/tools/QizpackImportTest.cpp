// qizpack import as an author uses it: real tables and vocabularies turned
// into quizzes, then read back the way the game reads them.
#include "PictureBytes.h"
#include "QuizReader.h"
#include "RunProgram.h"
#include "SealedFile.h"

#include <QString>

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>

namespace {

struct PlayedTest {
    std::string category;
    std::string answer;
    std::array<std::string, 3> options;
    bool picture = false;
};

std::string Utf8(const std::u16string& text) { return QString::fromStdU16String(text).toStdString(); }

// Every test of a document as the game plays it, by question (UTF-8).
std::map<std::string, PlayedTest> Play(const std::string& document)
{
    std::map<std::string, PlayedTest> played;
    CQuizReader reader;
    EXPECT_TRUE(reader.LoadText(document));
    std::u16string q, a, o1, o2, o3;
    while (reader.NextRound())
        while (reader.NextTest(q, a, o1, o2, o3))
            played[Utf8(q)] = {Utf8(reader.Category()), Utf8(a), {Utf8(o1), Utf8(o2), Utf8(o3)}, reader.Picture() != nullptr};
    return played;
}

std::string Key(const std::string& text) { return QString::fromStdString(text).trimmed().toCaseFolded().toStdString(); }

class QizpackImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(env.Dir() / "pics");
        WriteBytes(env.Dir() / "pics" / "red.png", EncodedImage(8, 6).toStdString());
        WriteBytes(env.Dir() / "blue.jpg", EncodedImage(5, 5, "JPEG").toStdString());
    }

    ProgramResult Run(const std::string& arguments) { return RunProgram(env, "qizpack", arguments); }
    std::string At(const std::string& name) const { return (env.Dir() / name).string(); }

    // Imports into a sealed file and returns what `show 1` gives the game.
    std::string ImportAndShow(const std::string& input, const std::string& options, std::string& listed,
                              std::string& checked, std::string& warnings)
    {
        ProgramResult imported = Run("import " + At(input) + " " + At("out.qiz") + " " + options);
        EXPECT_EQ(imported.status, 0) << imported.err;
        warnings = imported.err;
        listed = Run("list " + At("out.qiz")).out;
        checked = Run("check " + At("out.qiz")).out;
        return Run("show " + At("out.qiz") + " 1").out;
    }

    TestEnvironment env;
};

const std::string kVocabularyHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">\n"
    "<kvtml version=\"2.0\">\n"
    "  <information><title>Animals and Food</title></information>\n"
    "  <identifiers><identifier id=\"0\"><name>English</name></identifier>\n"
    "    <identifier id=\"1\"><name>French</name></identifier></identifiers>\n";

// <entry> with the English and French texts and their images.
std::string Entry(int id, const std::string& english, const std::string& french, const std::string& englishImage = "",
                  const std::string& frenchImage = "")
{
    auto translation = [](int language, const std::string& text, const std::string& image) {
        return "<translation id=\"" + std::to_string(language) + "\"><text>" + text + "</text>" +
               (image.empty() ? "" : "<image>" + image + "</image>") + "</translation>";
    };
    return "<entry id=\"" + std::to_string(id) + "\">" + translation(0, english, englishImage) +
           translation(1, french, frenchImage) + "</entry>\n";
}

std::string Refs(std::initializer_list<int> ids)
{
    std::string refs;
    for (const int id : ids) refs += "<entry id=\"" + std::to_string(id) + "\"/>";
    return refs;
}

// Two lessons, the second inside the first; entry 9 lacks its English text.
const std::string kVocabulary =
    kVocabularyHead + "<entries>" + Entry(0, "cat", "chat", "pics/red.png") + Entry(1, "dog", "chien") +
    Entry(2, "horse", "cheval", "", "blue.jpg") + Entry(3, "cow", "vache") + Entry(4, "kitty", " Chat ") +
    Entry(5, "bread", "pain") + Entry(6, "cheese", "fromage") + Entry(7, "apple", "pomme") +
    Entry(8, "egg", "\xc5\x93uf") + Entry(9, "", "vide") +
    "</entries>\n<lessons><container><name>Animals</name>" + Refs({0, 1, 2, 3, 4, 9}) +
    "<container><name>Food</name>" + Refs({5, 6, 7, 8}) + "</container></container></lessons>\n</kvtml>\n";

} // namespace

TEST_F(QizpackImportTest, TablesPlayAsWritten)
{
    struct Case {
        const char* name;
        std::string table;
        std::string options;
        std::string listed;
        std::string checked;
        std::map<std::string, PlayedTest> tests;
        std::string warnings;  // with FILE for the table's path
    };
    const std::vector<Case> cases = {
        {"words.csv",
         "\xEF\xBB\xBF\"Question\",\"Answer\",\"Wrong 1\",\"Wrong 2\",\"Wrong 3\",\"Picture\",\"Round\"\r\n"
         "\"Paris, France\",Capital,Town,Village,Hamlet,,Cities\r\n"
         "\"Say \"\"hi\"\"\",Hello,\"Good\r\nbye\",Thanks,Please,pics/red.png,Words\r\n"
         "\r\n"
         ",,,,,,\r\n"
         "  Caf\xc3\xa9 ,Coffee,Tea,Milk,Water\r\n",
         "",
         "words\n",
         "1\tCities\n1\tWords\n1\twords\ntotal\t3\n",
         {{"Paris, France", {"Cities", "Capital", {"Town", "Village", "Hamlet"}, false}},
          {"Say \"hi\"", {"Words", "Hello", {"Good\nbye", "Thanks", "Please"}, true}},
          {"Caf\xc3\xa9", {"words", "Coffee", {"Tea", "Milk", "Water"}, false}}},
         ""},
        {"animals.tsv",
         "Frage\tAntwort\tA\tB\tC\n"
         "Dog\tHund\tKatze\tMaus\tPferd\tblue.jpg\tTiere\n"
         "\"Two\twords\"\tZwei\tDrei\tVier\tF\xc3\xbcnf\n"
         "Cat\tKatze\tkatze\tHund\t HUND\t\tTiere\n",
         "--header --title \"Deutsch & mehr\" --round Zahlen",
         "Deutsch & mehr\n",
         "2\tTiere\n1\tZahlen\ntotal\t3\n",
         {{"Dog", {"Tiere", "Hund", {"Katze", "Maus", "Pferd"}, true}},
          {"Two\twords", {"Zahlen", "Zwei", {"Drei", "Vier", "F\xc3\xbcnf"}, false}},
          {"Cat", {"Tiere", "Katze", {"katze", "Hund", "HUND"}, false}}},
         "warning: FILE:4: option 1 \"katze\" is the answer\n"
         "warning: FILE:4: options 2 and 3 are both \"Hund\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(At(c.name), c.table);
        std::string listed, checked, warnings;
        const std::string document = ImportAndShow(c.name, c.options, listed, checked, warnings);
        EXPECT_EQ(listed, c.listed);
        EXPECT_EQ(checked, c.checked);
        std::string expectedWarnings = c.warnings;
        for (size_t at; (at = expectedWarnings.find("FILE")) != std::string::npos;) expectedWarnings.replace(at, 4, At(c.name));
        EXPECT_EQ(warnings, expectedWarnings);
        const std::map<std::string, PlayedTest> played = Play(document);
        ASSERT_EQ(played.size(), c.tests.size());
        for (const auto& [question, expected] : c.tests) {
            SCOPED_TRACE(question);
            ASSERT_EQ(played.count(question), 1u);
            const PlayedTest& test = played.at(question);
            EXPECT_EQ(test.category, expected.category);
            EXPECT_EQ(test.answer, expected.answer);
            EXPECT_EQ(test.options, expected.options);
            EXPECT_EQ(test.picture, expected.picture);
        }
        // A document imports to the same tests, ready to edit and seal.
        ASSERT_EQ(Run("import " + At(c.name) + " " + At("out.xml") + " " + c.options).status, 0);
        EXPECT_EQ(Run("check " + At("out.xml")).out, c.checked);
    }
}

TEST_F(QizpackImportTest, VocabularyLessonsBecomeRoundsWithDrawnOptions)
{
    WriteBytes(At("animals.kvtml"), kVocabulary);
    const std::map<std::string, std::set<std::string>> lessonAnswers = {
        {"Animals", {"chat", "chien", "cheval", "vache"}}, {"Food", {"pain", "fromage", "pomme", "\xc5\x93uf"}}};

    for (const char* seed : {"", "--seed 2", "--seed=4000000000"}) {
        SCOPED_TRACE(seed);
        std::string listed, checked, warnings;
        const std::string document = ImportAndShow("animals.kvtml", seed, listed, checked, warnings);
        EXPECT_EQ(listed, "Animals and Food\n");
        EXPECT_EQ(checked, "5\tAnimals\n4\tFood\ntotal\t9\n");
        EXPECT_EQ(warnings, "warning: " + At("animals.kvtml") + ": entry 9 has no text for identifier 0 and is skipped\n");
        const std::map<std::string, PlayedTest> played = Play(document);
        ASSERT_EQ(played.size(), 9u);
        for (const auto& [question, test] : played) {
            SCOPED_TRACE(question);
            std::set<std::string> keys = {Key(test.answer)};
            for (const std::string& option : test.options) {
                EXPECT_TRUE(keys.insert(Key(option)).second) << option << " repeats the answer or an option";
                EXPECT_EQ(lessonAnswers.at(test.category).count(option), 1u) << option << " is from another lesson";
            }
            EXPECT_EQ(test.picture, question == "cat" || question == "horse");
        }
        EXPECT_EQ(played.at("kitty").answer, "Chat");

        // The same file and seed make the same document, byte for byte.
        ASSERT_EQ(Run("import " + At("animals.kvtml") + " " + At("a.xml") + " " + seed).status, 0);
        ASSERT_EQ(Run("import " + At("animals.kvtml") + " " + At("b.xml") + " " + seed).status, 0);
        EXPECT_EQ(ReadWholeFile(At("a.xml")), ReadWholeFile(At("b.xml")));
    }

    // The other way round: French questions, English answers.
    std::string listed, checked, warnings;
    const std::map<std::string, PlayedTest> reversed = Play(
        ImportAndShow("animals.kvtml", "--question 1 --answer 0 --title Reversed", listed, checked, warnings));
    EXPECT_EQ(listed, "Reversed\n");
    EXPECT_EQ(reversed.at("Chat").answer, "kitty");
    EXPECT_EQ(reversed.at("\xc5\x93uf").answer, "egg");
    EXPECT_EQ(reversed.size(), 9u);
}

TEST_F(QizpackImportTest, BadInputIsNamedAndLeavesNoOutput)
{
    const std::string fewAnswers = kVocabularyHead + "<entries>" + Entry(0, "a", "x") + Entry(1, "b", "y") +
                                   Entry(2, "c", "Y ") + Entry(3, "d", "z") +
                                   "</entries><lessons><container><name>Few</name>" + Refs({0, 1, 2, 3}) +
                                   "</container></lessons></kvtml>";
    struct Case {
        const char* input;
        std::string content;
        std::string arguments;  // after the input and the output
        std::string output;
        std::string error;  // after the path of the file it names
        bool namesOutput = false;
    };
    const std::vector<Case> cases = {
        {"short.csv", "a,b,c,d,e\nq,a,b,c\n", "", "out.qiz",
         ":2: 4 columns, expected 5 to 7 (question, answer, three wrong options, then optionally a picture file "
         "and a round)\n"},
        {"long.tsv", "a\tb\tc\td\te\tf\tg\th\n", "", "out.xml", ":1: 8 columns, expected 5 to 7"},
        {"open.csv", "a,b,c,d,e\n\"f,g\nh,i,j\n", "", "out.qiz", ":2: a quoted field is never closed\n"},
        {"after.csv", "\"a\"b,c,d,e,f\n", "", "out.qiz", ":1: text follows the closing quote of a field"},
        {"empty.csv", "a,,c,d,e\n", "", "out.qiz", ":1: the answer is empty\n"},
        {"nooption.csv", "a,b,c,,e\n", "", "out.qiz", ":1: the option 2 is empty\n"},
        {"nopic.csv", "\n\nq,a,b,c,d,missing.png\n", "", "out.qiz",
         ":3: picture \"missing.png\" can't be read (No such file or directory)\n"},
        {"notpic.csv", "q,a,b,c,d,notpic.csv\n", "", "out.qiz",
         ":1: picture \"notpic.csv\" is not a BMP, GIF, JPEG or PNG picture\n"},
        {"greek.csv", "q,\xce\xb1,b,c,d\n", "", "out.qiz",
         ":1: the answer \"\xce\xb1\": it has characters outside the Windows-1252 code page"},
        {"latin1.csv", "q,caf\xe9,b,c,d\n", "", "out.qiz", ":1: the answer is not UTF-8 text\n"},
        {"broken.kvtml", "<kvtml version=\"2.0\">\n<entries>\n<entry id=\"1\"></entries>\n</kvtml>\n", "", "out.qiz",
         ":3: not well-formed (Opening and ending tag mismatch: entry line 3 and entries)\n"},
        {"few.kvtml", fewAnswers, "", "out.qiz",
         ": lesson \"Few\" has only 3 distinct answers; every test needs its own and three others\n"},
        {"ids.kvtml", fewAnswers, "--answer 5", "out.qiz", ": there is no identifier 5 (the file has 0 \"English\", 1 \"French\")\n"},
        {"old.kvtml", "<kvtml version=\"1.0\"/>", "", "out.qiz", ": KVTML version \"1.0\"; only version 2 is read\n"},
        {"words.dat", "q,a,b,c,d\n", "", "out.qiz", ": its name doesn't tell its format; give --format csv, tsv or kvtml\n"},
        {"fine.csv", "q,a,b,c,d\n", "", "missing/out.qiz", " can't be written (No such file or directory)\n", true},
        {"fine.csv", "q,a,b,c,d\n", "", "folder.qiz", " can't be written (Filename refers to a directory)\n", true},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const std::filesystem::path folder = env.Dir() / ("case" + std::to_string(++number));
        std::filesystem::create_directory(folder);
        std::filesystem::create_directory(folder / "folder.qiz");
        const std::string input = (folder / c.input).string();
        WriteBytes(input, c.content);
        ProgramResult result = Run("import " + input + " " + (folder / c.output).string() + " " + c.arguments);
        EXPECT_EQ(result.status, 1);
        const std::string named = (folder / (c.namesOutput ? c.output : c.input)).string();
        EXPECT_NE(result.err.find(named + c.error), std::string::npos) << result.err;
        std::set<std::string> left;
        for (const auto& file : std::filesystem::directory_iterator(folder)) left.insert(file.path().filename());
        EXPECT_EQ(left, (std::set<std::string>{c.input, "folder.qiz"})) << "an output or a temporary file stayed";
    }

    // A failed import leaves the earlier output as it was.
    WriteBytes(At("short.csv"), "a,b\n");
    WriteBytes(At("out.qiz"), "earlier");
    EXPECT_EQ(Run("import " + At("short.csv") + " " + At("out.qiz")).status, 1);
    EXPECT_EQ(ReadWholeFile(At("out.qiz")), "earlier");
}
