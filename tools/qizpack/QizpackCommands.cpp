#include "QizpackCommands.h"

#include "EmbedPictures.h"
#include "ImportedDocument.h"
#include "KvtmlImport.h"
#include "QuizReader.h"
#include "RoundFindings.h"
#include "SealedQuizFile.h"
#include "TableImport.h"
#include "TestFindings.h"
#include "UserQuizFile.h"
#include "XmlNames.h"
#include "XmlParseError.h"
#include "com/ComRuntime.h"
#include "ui/AnsiCodePage.h"

#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// Collects what the game would list and prints what it would show.
class CConsoleSink : public IUserQuizSink {
public:
    struct Entry {
        std::string title;
        std::string document;
    };

    // `keepDocuments` false: the titles alone are kept, as listing needs.
    explicit CConsoleSink(std::string path, bool keepDocuments = true)
        : m_path(std::move(path)), m_keepDocuments(keepDocuments)
    {
    }

    void Clear() override { m_entries.clear(); }
    bool AddEntry(const std::string& title, const std::string& document) override
    {
        m_entries.push_back({title, m_keepDocuments ? document : std::string()});
        return true;
    }
    void ShowMessage(const std::string& text, Box) override
    {
        std::string line = text;
        while (!line.empty() && line.back() == '\n') line.pop_back();
        std::fprintf(stderr, "%s\n", line.c_str());
        m_failed = true;
    }
    // The game's number, then the file and what is wrong with it.
    void ShowExplainedMessage(const std::string& text, Box, const std::string& reason) override
    {
        std::fprintf(stderr, "%s: %s: %s\n", text.c_str(), m_path.c_str(), reason.c_str());
        m_failed = true;
    }

    const std::vector<Entry>& Entries() const { return m_entries; }
    bool Failed() const { return m_failed; }

private:
    std::vector<Entry> m_entries;
    std::string m_path;
    bool m_keepDocuments;
    bool m_failed = false;
};

std::string ToUtf8(const std::u16string& text) { return QString::fromStdU16String(text).toStdString(); }

void WriteBytes(const std::string& bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stdout); }

// Reads the whole file, or says on standard error why it can't.
bool ReadFile(const std::string& path, std::string& bytes)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        std::fprintf(stderr, "qizpack: %s can't be read (it is a folder)\n", path.c_str());
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in && !in.bad()) return true;
    std::fprintf(stderr, "qizpack: %s can't be read (%s)\n", path.c_str(), std::strerror(errno));
    return false;
}

// Writes the whole output or, on failure, leaves whatever was there.
bool WriteOutput(const std::string& path, std::string_view bytes)
{
    std::string error;
    if (WriteWholeFile(path, bytes, error)) return true;
    std::fprintf(stderr, "qizpack: %s can't be written (%s)\n", path.c_str(), error.c_str());
    return false;
}

// Why the document text (8-bit, as stored) is not XML, in words.
std::string WhyNotXml(const std::string& ansi) { return DescribeXmlParseError(FindXmlParseError(AnsiToUtf8(ansi))); }

bool EndsWith(const std::string& text, std::string_view suffix)
{
    if (text.size() < suffix.size()) return false;
    return QString::fromStdString(text.substr(text.size() - suffix.size()))
               .compare(QString::fromUtf8(suffix.data(), static_cast<qsizetype>(suffix.size())),
                        Qt::CaseInsensitive) == 0;
}

// The stored documents' prolog: it names the code page their bytes are in.
const char kStoredProlog[] = "<?xml version='1.0' encoding='ISO-8859-1' ?>";

// Creates the book as the game does, by programmatic name.
bool CreateBook(const std::string& progId, CComPtr<IQuizBook>& book)
{
    CLSID clsid{};
    const std::u16string name = AnsiToWide(progId);
    if (SUCCEEDED(CLSIDFromProgID(name.c_str(), &clsid)) &&
        SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IQuizBook, reinterpret_cast<void**>(&book))))
        return true;
    std::fprintf(stderr, "qizpack: there is no quiz book %s\n", progId.c_str());
    return false;
}

// Markup in the ANSI code page, under the stored prolog instead of the
// declaration the DOM wrote (which names an encoding the bytes are not in).
std::string StoredForm(const std::u16string& markup)
{
    std::string text = WideToAnsi(markup);
    if (text.rfind("<?xml", 0) == 0) {
        const size_t end = text.find("?>");
        if (end != std::string::npos) text.erase(0, end + 2);
    } else {
        text.insert(0, "\n");
    }
    return kStoredProlog + text;
}

} // namespace

int SealCommand(const std::string& documentPath, const std::string& outputPath)
{
    std::string plain;
    if (!ReadFile(documentPath, plain)) return 1;
    // Refuse what the game could never list, before it is sealed away.
    const std::string text = plain.substr(0, plain.find('\0'));
    const XmlDocumentPtr document = CXmlDocument::Create();
    if (!document || !document->loadXML(AnsiToWide(text))) {
        std::fprintf(stderr, "qizpack: %s is not a well-formed quiz document: %s\n", documentPath.c_str(),
                     WhyNotXml(text).c_str());
        return 1;
    }
    std::string sealed;
    if (!SealQuizText(plain, sealed)) {
        std::fprintf(stderr, "qizpack: cannot encipher %s\n", documentPath.c_str());
        return 1;
    }
    return WriteOutput(outputPath, sealed) ? 0 : 1;
}

int OpenCommand(const std::string& quizFilePath)
{
    CConsoleSink sink(quizFilePath);
    CUserQuizFile file(sink);
    std::string text;
    file.ReadPlainText(quizFilePath, text);
    if (sink.Failed()) return 1;
    WriteBytes(text);
    return 0;
}

int ListCommand(const std::string& quizFilePath)
{
    CConsoleSink sink(quizFilePath, false);
    CUserQuizFile(sink).LoadQuizFile(quizFilePath);
    if (sink.Failed()) return 1;
    if (sink.Entries().empty())
        std::fprintf(stderr, "qizpack: warning: %s holds no quiz the game lists (a titled element inside Quizzes)\n",
                     quizFilePath.c_str());
    for (const CConsoleSink::Entry& entry : sink.Entries())
        std::printf("%s\n", ToUtf8(AnsiToWide(entry.title)).c_str());
    return 0;
}

int ShowCommand(const std::string& quizFilePath, const std::string& number)
{
    char* end = nullptr;
    const long n = std::strtol(number.c_str(), &end, 10);
    if (number.empty() || *end != 0 || n < 1) {
        std::fprintf(stderr, "qizpack: the quiz number must be 1 or more, not \"%s\"\n", number.c_str());
        return 1;
    }
    CConsoleSink sink(quizFilePath);
    CUserQuizFile(sink).LoadQuizFile(quizFilePath);
    if (sink.Failed()) return 1;
    if (static_cast<size_t>(n) > sink.Entries().size()) {
        std::fprintf(stderr, "qizpack: %s lists %zu quizzes, not %ld\n", quizFilePath.c_str(),
                     sink.Entries().size(), n);
        return 1;
    }
    WriteBytes(sink.Entries()[static_cast<size_t>(n - 1)].document);
    return 0;
}

int CheckCommand(const std::string& path, const std::string& bookProgId)
{
    CComPtr<IQuizBook> book;
    if (!bookProgId.empty() && !CreateBook(bookProgId, book)) return 1;

    std::string text;
    if (EndsWith(path, ".qiz")) {
        CConsoleSink sink(path);
        CUserQuizFile(sink).ReadPlainText(path, text);
        if (sink.Failed()) return 1;
    } else if (!ReadFile(path, text)) {
        return 1;
    }

    // The game hands documents on as C strings: a zero byte ends them.
    text.resize(std::min(text.size(), text.find('\0')));
    CQuizReader reader;
    if (!reader.LoadText(text)) {
        std::fprintf(stderr, "%s: %s: %s\n", ToUtf8(reader.Error()).c_str(), path.c_str(), WhyNotXml(text).c_str());
        return 1;
    }
    ReportRoundFindings(reader.Rounds());
    ReportTestFindings(reader.Rounds(), book);
    // Only the rounds the game will play: the skipped ones were warned of.
    for (const XmlDocumentPtr& round : reader.Rounds()) {
        const LONG tests = CQuizReader::CountTests(round);
        if (tests == 0) continue;
        const CXmlNode category = round->firstChild().getNamedItem(xmlnames::category);
        std::printf("%d\t%s\n", static_cast<int>(tests), category ? ToUtf8(category.text()).c_str() : "");
    }
    std::printf("total\t%d\n", static_cast<int>(reader.TotalTests()));
    return 0;
}

int ExportCommand(const std::string& progId, bool embed)
{
    CComPtr<IQuizBook> book;
    if (!CreateBook(progId, book)) return 1;
    CComBSTR xml;
    if (FAILED(book->GetQuestionXml(0, &xml)) || xml.IsEmpty()) {
        std::fprintf(stderr, "qizpack: the quiz book %s serves no document\n", progId.c_str());
        return 1;
    }
    std::u16string document = xml.str();
    if (embed) document = EmbedPictures(document, book, progId);
    if (document.empty()) {
        std::fprintf(stderr, "qizpack: the document of %s does not parse\n", progId.c_str());
        return 1;
    }
    WriteBytes(StoredForm(document));
    return 0;
}

int ImportCommand(const std::string& inputPath, const std::string& outputPath, const ImportOptions& options)
{
    const QFileInfo input(QString::fromStdString(inputPath));
    std::string format = options.format;
    if (format.empty()) {
        const QString suffix = input.suffix().toLower();
        if (suffix == "csv") format = "csv";
        else if (suffix == "tsv" || suffix == "tab" || suffix == "txt") format = "tsv";
        else if (suffix == "kvtml") format = "kvtml";
    }
    if (format != "csv" && format != "tsv" && format != "kvtml") {
        std::fprintf(stderr, "qizpack: %s: %s; give --format csv, tsv or kvtml\n", inputPath.c_str(),
                     options.format.empty() ? "its name doesn't tell its format" : "unknown format");
        return 1;
    }
    std::error_code ignored;
    if (std::filesystem::equivalent(inputPath, outputPath, ignored)) {
        std::fprintf(stderr, "qizpack: the output %s would replace the input\n", outputPath.c_str());
        return 1;
    }
    std::string bytes;
    if (!ReadFile(inputPath, bytes)) return 1;

    ImportedQuiz quiz;
    quiz.title = QString::fromStdString(options.title);
    const QString defaultRound = options.round.empty() ? input.completeBaseName() : QString::fromStdString(options.round);
    std::string error;
    if (format == "kvtml") {
        CKvtmlImport import(inputPath, {options.questionId, options.answerId, options.seed, defaultRound});
        if (!import.Read(bytes, quiz)) error = import.Error();
    } else {
        CTableImport import(inputPath, format == "csv" ? ',' : '\t', defaultRound, options.header);
        if (!import.Read(bytes, quiz)) error = import.Error();
    }
    if (quiz.title.isEmpty()) quiz.title = input.completeBaseName();
    if (error.empty())
        if (const QString problem = UnshowableText(quiz.title); !problem.isEmpty())
            error = "the title \"" + quiz.title.toStdString() + "\": " + problem.toStdString();
    if (!error.empty()) {
        std::fprintf(stderr, "qizpack: %s\n", error.c_str());
        return 1;
    }

    const std::u16string document = ImportedDocument(quiz);
    const std::string stored = StoredForm(document);
    std::string sealed;
    const bool seal = EndsWith(outputPath, ".qiz");
    if (document.empty() || (seal && !SealQuizText(stored, sealed))) {
        std::fprintf(stderr, "qizpack: the quiz from %s can't be written out\n", inputPath.c_str());
        return 1;
    }
    return WriteOutput(outputPath, seal ? sealed : stored) ? 0 : 1;
}
