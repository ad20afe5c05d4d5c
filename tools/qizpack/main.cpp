// qizpack: seals quiz documents into user quiz files, looks inside them
// exactly as the game does, and takes documents out of installed quiz books.
#include "CommandLine.h"
#include "QizpackCommands.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <string>
#include <vector>

namespace {

const char kHelp[] =
    "Usage: qizpack COMMAND ARGUMENTS\n"
    "\n"
    "Seals quiz documents into user quiz files (.qiz) for The Brainwheel, shows\n"
    "what the game makes of them, imports quizzes from tables and vocabularies,\n"
    "and exports the documents of quiz books. Options may stand before, between\n"
    "or after the other arguments, as --name VALUE or --name=VALUE; \"--\" ends\n"
    "them.\n"
    "\n"
    "  seal QUIZ.xml OUT.qiz  encipher a quiz document into a user quiz file\n"
    "  open FILE.qiz          write the deciphered text (up to its first zero\n"
    "                         byte) to standard output, bytes unchanged\n"
    "  list FILE.qiz          one line per quiz, as the game's list shows it\n"
    "                         (titles unescaped), in UTF-8\n"
    "  show FILE.qiz N        the document the game loads when the N-th listed\n"
    "                         quiz (from 1) is started, bytes unchanged\n"
    "  check FILE [--book PROGID]\n"
    "                         load the whole document as the game's reader does\n"
    "                         (.xml as it is, .qiz deciphered first) and print one\n"
    "                         line per round the game will play, in the reader's\n"
    "                         order, the number of tests, a tab and the category,\n"
    "                         then \"total\", a tab and the number of tests the game\n"
    "                         will report and ask; warn on standard error, one line\n"
    "                         per finding, of a round skipped for want of Questions\n"
    "                         or tests, Questions elements after the first (never\n"
    "                         played), a comment or stray text inside Questions,\n"
    "                         and, naming the test, of two equal options, an\n"
    "                         option that is the answer but for case and accents,\n"
    "                         an empty question or answer, and with --book of a\n"
    "                         Picture number that quiz book does not hold\n"
    "                         (warnings alone leave the exit status 0)\n"
    "  export PROGID [--embed]\n"
    "                         write the document the registered quiz book PROGID\n"
    "                         serves (each round already cut to ten tests) to\n"
    "                         standard output in the stored form, ready for seal;\n"
    "                         --embed puts every picture it names inside it as a\n"
    "                         BMP-BASE-64 element followed by a Source element, so\n"
    "                         that the sealed file plays without the book\n"
    "  import INPUT OUTPUT [--format csv|tsv|kvtml] [--title TEXT] [--round NAME]\n"
    "         [--header] [--question ID] [--answer ID] [--seed N]\n"
    "                         make a quiz of a table or a vocabulary file: a\n"
    "                         sealed user quiz file when OUTPUT ends in .qiz,\n"
    "                         else a quiz document (to edit, check and seal);\n"
    "                         OUTPUT is written whole or, on any error, not at\n"
    "                         all. The format goes by INPUT's name: .csv\n"
    "                         (commas), .tsv, .tab or .txt (tabs), .kvtml; or\n"
    "                         --format. The title is --title, else the\n"
    "                         vocabulary's own, else INPUT's name without its\n"
    "                         extension, which also names the round of rows and\n"
    "                         entries that have none (--round to name another)\n"
    "  --help                 this text\n"
    "\n"
    "Quiz documents are 8-bit text in the Windows-1252 code page, for example:\n"
    "  <?xml version='1.0' encoding='ISO-8859-1' ?>\n"
    "  <Quizzes title=\"My Quizzes\" quizid=\"UserQuiz\">\n"
    "    <Quiz title=\"Capitals\"><Rounds><Round category=\"Europe\"><Questions>\n"
    "      <Test><Question>France</Question><Answer>Paris</Answer>\n"
    "        <Option1>Lyon</Option1><Option2>Nice</Option2><Option3>Lille</Option3></Test>\n"
    "    </Questions></Round></Rounds></Quiz>\n"
    "  </Quizzes>\n"
    "Every Quiz needs a title and Rounds as its first element. A test may carry a\n"
    "picture as a BMP-BASE-64 element (dt:dt=\"bin.base64\" in the namespace\n"
    "urn:schemas-microsoft-com:datatypes) followed by a Source element.\n"
    "\n"
    "A table (UTF-8, a byte order mark allowed) has one test a row: question,\n"
    "answer, three wrong options, then optionally a picture file (BMP, GIF, JPEG\n"
    "or PNG, relative to the table's folder) and a round. Fields in double quotes\n"
    "may hold commas, line breaks and doubled quotes (\"\"); cells are trimmed;\n"
    "rows with every cell blank are passed over; a first row starting\n"
    "\"Question\",\"Answer\" (in any case), or any first row with --header, is a\n"
    "header. For example:\n"
    "  Question,Answer,Option 1,Option 2,Option 3,Picture,Round\n"
    "  France,Paris,Lyon,Nice,Lille,,Europe\n"
    "  \"Which city is this?\",Rome,Milan,Turin,Naples,pictures/rome.jpg,Europe\n"
    "\n"
    "A KVTML 2 vocabulary gives a test per entry: the question is its text in\n"
    "identifier --question (default 0), the answer its text in identifier\n"
    "--answer (default 1), and the picture the question's image, else the\n"
    "answer's. Each lesson, nested ones too, becomes a round named after it;\n"
    "entries in no lesson go to the round named as above. The three wrong\n"
    "options are answers of other entries of the same lesson, none equal to the\n"
    "answer or to another option (trimmed, in any case), drawn from --seed\n"
    "(default 1): the same file and seed make the same quiz. A lesson with fewer\n"
    "than four distinct answers is an error; entries without text for both\n"
    "identifiers are skipped with a warning. Quiz documents hold Windows-1252\n"
    "text only: other characters are an error naming the row or entry.\n"
    "\n"
    "On failure the messages the game would show (\"Error #0104\", \"Error #0101\",\n"
    "...) go to standard error, one per line, each followed by the file and what\n"
    "is wrong in words, and the exit status is 1; wrong arguments exit with 2.\n";

int Usage()
{
    std::fputs("qizpack: wrong arguments; see qizpack --help\n", stderr);
    return 2;
}

// The whole number in `text`, from `least` to `most`; false for anything else.
bool ReadNumber(const std::string& text, long long least, long long most, long long& number)
{
    char* end = nullptr;
    errno = 0;
    number = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && *end == 0 && errno == 0 && number >= least && number <= most;
}

int Import(const CCommandLine& line)
{
    ImportOptions options;
    options.format = line.Value("format");
    options.title = line.Value("title");
    options.round = line.Value("round");
    options.header = line.Has("header");
    long long question = 0, answer = 1, seed = 1;
    if (!ReadNumber(line.Value("question", "0"), 0, 1 << 20, question) ||
        !ReadNumber(line.Value("answer", "1"), 0, 1 << 20, answer) ||
        !ReadNumber(line.Value("seed", "1"), 0, 0xFFFFFFFFll, seed)) {
        std::fputs("qizpack: --question, --answer and --seed take whole numbers from 0\n", stderr);
        return 2;
    }
    options.questionId = static_cast<int>(question);
    options.answerId = static_cast<int>(answer);
    options.seed = static_cast<std::uint32_t>(seed);
    return ImportCommand(line.Operands()[0], line.Operands()[1], options);
}

} // namespace

int main(int argc, char** argv)
{
    // A short-lived process that passes files of many megabytes through a few
    // steps: keep freed memory for the next step instead of handing it back
    // to the system and faulting it in again.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kHelp, stdout);
        return 0;
    }
    struct Command {
        const char* name;
        size_t operands;
        std::vector<CCommandLine::Option> options;
    };
    const std::vector<Command> commands = {
        {"seal", 2, {}},
        {"open", 1, {}},
        {"list", 1, {}},
        {"show", 2, {}},
        {"check", 1, {{"book", true}}},
        {"export", 1, {{"embed", false}}},
        {"import", 2, {{"format", true}, {"title", true}, {"round", true}, {"header", false},
                       {"question", true}, {"answer", true}, {"seed", true}}},
    };
    for (const Command& known : commands) {
        if (command != known.name) continue;
        std::vector<CCommandLine::Option> options = known.options;
        options.push_back({"help", false});
        CCommandLine line;
        if (!line.Parse({args.begin() + 1, args.end()}, options)) return Usage();
        if (line.Has("help")) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        const std::vector<std::string>& operands = line.Operands();
        if (operands.size() != known.operands) return Usage();
        if (command == "seal") return SealCommand(operands[0], operands[1]);
        if (command == "open") return OpenCommand(operands[0]);
        if (command == "list") return ListCommand(operands[0]);
        if (command == "show") return ShowCommand(operands[0], operands[1]);
        if (command == "check") return CheckCommand(operands[0], line.Value("book"));
        if (command == "export") return ExportCommand(operands[0], line.Has("embed"));
        return Import(line);
    }
    return Usage();
}
