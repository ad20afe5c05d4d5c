#include "UserQuizFile.h"

#include "XmlNames.h"
#include "ui/AnsiCodePage.h"

#include <exception>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Files beyond this size are refused as "memory short" rather than read whole.
constexpr off_t kLargestQuizFile = off_t(512) << 20;

constexpr std::string_view kWrapperHead =
    "<?xml version='1.0' encoding='ISO-8859-1' ?><Quizzes title=\"User Defined\" quizid=\"UserQuiz\">"
    "<Quiz title=\"Beginner Stage 1\">";
constexpr std::string_view kWrapperTail = "</Quiz></Quizzes>";

// The cipher that tells the player when the platform has no provider.
class CReportingCipher : public CQuizCipher {
public:
    CReportingCipher(IUserQuizSink& sink, const char* provider) : CQuizCipher(provider), m_sink(sink) {}

protected:
    void OnProviderMissing() override
    {
        m_sink.ShowMessage(CUserQuizFile::kNoProvider, IUserQuizSink::Box::Application);
    }

private:
    IUserQuizSink& m_sink;
};

// Only a regular file opens: a directory can't be read, and a named pipe would
// hold the window until someone writes to it (hence NONBLOCK, which a regular
// file's reads ignore).
class CFile {
public:
    explicit CFile(const std::string& path) : m_fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
    {
        struct stat info;
        if (m_fd >= 0 && (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~CFile() { if (m_fd >= 0) ::close(m_fd); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    bool IsOpen() const { return m_fd >= 0; }

    // The whole file, or false when it can't be read in full. The buffer is
    // left uninitialised: the read fills it, and quiz files can be large.
    bool ReadAll(std::unique_ptr<BYTE[]>& data, std::size_t& size) const
    {
        struct stat info;
        if (::fstat(m_fd, &info) != 0 || info.st_size < 0 || info.st_size > kLargestQuizFile) return false;
        size = static_cast<std::size_t>(info.st_size);
        data.reset(new (std::nothrow) BYTE[size ? size : 1]);
        if (!data) return false;
        for (std::size_t done = 0; done < size;) {
            const ssize_t got = ::read(m_fd, data.get() + done, size - done);
            if (got <= 0) return false;
            done += static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int m_fd;
};

// Replaces every occurrence left to right; replaced text is not searched again.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string result;
    result.reserve(text.size());
    for (size_t at = 0;;) {
        const size_t found = text.find(from, at);
        result.append(text.substr(at, found - at));
        if (found == std::string_view::npos) return result;
        result.append(to);
        at = found + from.size();
    }
}

} // namespace

std::unique_ptr<CQuizCipher> CUserQuizFile::CreateCipher()
{
    return std::make_unique<CReportingCipher>(m_sink, ProviderName());
}

XmlDocumentPtr CUserQuizFile::CreateDocument() { return CXmlDocument::Create(); }

bool CUserQuizFile::Passphrase(std::string& passphrase)
{
    OLECHAR buffer[40];
    if (StringFromGUID2(QUIZ_FILE_KEY_ID, buffer, 40) == 0) return false;
    passphrase = WideToAnsi(buffer);
    return true;
}

std::unique_ptr<CQuizCipher> CUserQuizFile::DecipherFile(const std::string& path, std::string_view& plain)
{
    plain = {};
    CFile file(path);
    if (!file.IsOpen()) {
        m_sink.ShowMessage(kFileOpenError, IUserQuizSink::Box::Dialog);
        return nullptr;
    }
    std::unique_ptr<BYTE[]> data;
    std::size_t size = 0;
    if (!file.ReadAll(data, size)) return nullptr;

    std::string passphrase;
    if (!Passphrase(passphrase)) m_sink.ShowMessage(kPassphraseError, IUserQuizSink::Box::Dialog);
    std::unique_ptr<CQuizCipher> cipher = CreateCipher();
    if (!cipher->Decipher(passphrase.c_str(), data.get(), static_cast<DWORD>(size))) {
        m_sink.ShowMessage(kDecipherError, IUserQuizSink::Box::Dialog);
        return nullptr;
    }
    const char* text = reinterpret_cast<const char*>(cipher->Output());
    plain = std::string_view(text, cipher->OutputLength());
    plain = plain.substr(0, plain.find('\0'));
    return cipher;
}

void CUserQuizFile::ReadPlainText(const std::string& path, std::string& text)
{
    std::string_view plain;
    const std::unique_ptr<CQuizCipher> cipher = DecipherFile(path, plain);
    text.append(plain);
}

void CUserQuizFile::LoadQuizFile(const std::string& path)
{
    try {
        m_sink.Clear();
        std::string_view plain;
        std::unique_ptr<CQuizCipher> cipher = DecipherFile(path, plain);
        // The parser reads UTF-8; the deciphered bytes can go as soon as they
        // are converted.
        const std::string utf8 = AnsiToUtf8(plain);
        cipher.reset();
        ListQuizzes(utf8);
    } catch (const std::exception&) {
        m_sink.ShowMessage(kUnexpectedError, IUserQuizSink::Box::Dialog);
    }
}

void CUserQuizFile::ListQuizzes(const std::string& utf8)
{
    const XmlDocumentPtr document = CreateDocument();
    if (!document) {
        m_sink.ShowMessage(kNoDocument, IUserQuizSink::Box::Dialog);
        return;
    }
    if (!document->loadXMLUtf8(utf8)) {
        m_sink.ShowMessage(kNotWellFormed, IUserQuizSink::Box::Dialog);
        return;
    }
    for (const CXmlNode& top : ElementChildren(document->node())) {
        if (top.nodeName() != xmlnames::Quizzes) continue;
        for (const CXmlNode& quiz : ElementChildren(top)) AddUserQuiz(quiz);
    }
}

void CUserQuizFile::AddUserQuiz(const CXmlNode& quiz)
{
    const CXmlNode title = quiz.getNamedItem(xmlnames::title);
    if (!title) return;
    const std::vector<CXmlNode> children = ElementChildren(quiz);
    if (children.empty()) return;
    const CXmlNode& first = children.front();
    m_sink.AddEntry(UnescapeTitle(WideToAnsi(title.text())), WrapQuiz(first.xmlUtf8()));
}

std::string CUserQuizFile::WrapQuiz(std::string_view quizMarkupUtf8)
{
    std::string document;
    document.reserve(kWrapperHead.size() + quizMarkupUtf8.size() + kWrapperTail.size());
    document.append(kWrapperHead);
    AppendUtf8AsAnsi(document, quizMarkupUtf8);
    return document.append(kWrapperTail);
}

std::string CUserQuizFile::UnescapeTitle(std::string title)
{
    title = ReplaceAll(title, "&amp;", "&");
    title = ReplaceAll(title, "&gt;", ">");
    title = ReplaceAll(title, "&lt;", "<");
    return ReplaceAll(title, "&apos;", "'");
}
