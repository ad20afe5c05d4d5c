// qizpack: seals quiz documents into user quiz files, looks inside them
// exactly as the game does, and takes documents out of installed quiz books.
#include "QizpackCommands.h"

#include <cstdio>
#include <malloc.h>
#include <string>
#include <vector>

namespace {

const char kHelp[] =
    "Usage: qizpack COMMAND ARGUMENTS\n"
    "\n"
    "Seals quiz documents into user quiz files (.qiz) for The Brainwheel, shows\n"
    "what the game makes of them, and exports the documents of quiz books.\n"
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
    "On failure the messages the game would show (\"Error #0104\", \"Error #0101\",\n"
    "...) go to standard error, one per line, and the exit status is 1.\n";

int Usage()
{
    std::fputs("qizpack: wrong arguments; see qizpack --help\n", stderr);
    return 2;
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
    if (command == "seal" && args.size() == 3) return SealCommand(args[1], args[2]);
    if (command == "open" && args.size() == 2) return OpenCommand(args[1]);
    if (command == "list" && args.size() == 2) return ListCommand(args[1]);
    if (command == "show" && args.size() == 3) return ShowCommand(args[1], args[2]);
    if (command == "check" && args.size() == 2) return CheckCommand(args[1], "");
    if (command == "check" && args.size() == 4 && args[2] == "--book") return CheckCommand(args[1], args[3]);
    if (command == "export" && args.size() == 2) return ExportCommand(args[1], false);
    if (command == "export" && args.size() == 3 && args[2] == "--embed") return ExportCommand(args[1], true);
    return Usage();
}
