// make_big_quiz MEGABYTES PLAIN.xml SEALED.qiz: writes a large quiz document
// with embedded pictures and its sealed user quiz file.
#include "BigQuiz.h"
#include "SealedFile.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: make_big_quiz MEGABYTES PLAIN.xml SEALED.qiz\n", stderr);
        return 2;
    }
    const std::string document = BigQuizDocument(std::atoi(argv[1]));
    WriteBytes(argv[2], document);
    WriteSealed(argv[3], document);
    std::printf("%zu bytes\n", document.size());
    return 0;
}
