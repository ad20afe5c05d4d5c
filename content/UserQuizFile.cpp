#include "UserQuizFile.h"

#include "XmlNames.h"
#include "XmlParseError.h"
#include "ui/AnsiCodePage.h"
#include "ui/RegularFile.h"

#include <algorithm>
#include <exception>
#include <new>


namespace {

// Files beyond this size are refused as "memory short" rather than read whole.
constexpr std::uint64_t kLargestQuizFile = std::uint64_t(512) << 20;

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

// Sealed bytes look random; a quiz document or any other text that was never
// sealed holds no control characters but line breaks and tabs.
bool LooksLikeText(const BYTE* data, std::size_t size)
{
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 4096); ++i)
        if ((data[i] < 0x20 && data[i] != '\t' && data[i] != '\n' && data[i] != '\r') || data[i] == 0x7F) return false;
    return true;
}

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
    m_fileKind = FileKind::Unread;
    m_unread.clear();
    CRegularFile file(path);
    if (!file.IsOpen()) {
        m_unread = "it can't be read (" + file.Error() + ")";
        Report(kFileOpenError, m_unread);
        return nullptr;
    }
    const auto unread = [this](const std::string& why) {
        m_unread = "it can't be read (" + why + ")";
        return nullptr;
    };
    if (!file.CheckSize(kLargestQuizFile)) return unread(file.Error());
    // The buffer is left uninitialised: the read fills it, and quiz files can
    // be large.
    const std::size_t size = static_cast<std::size_t>(file.Size());
    std::unique_ptr<BYTE[]> data(new (std::nothrow) BYTE[size ? size : 1]);
    if (!data) return unread("there is not enough memory to read it");
    if (!file.ReadExactly(data.get(), size)) return unread(file.Error());
    m_fileKind = size == 0 ? FileKind::Empty : LooksLikeText(data.get(), size) ? FileKind::Text : FileKind::Binary;

    std::string passphrase;
    if (!Passphrase(passphrase)) Report(kPassphraseError, "the passphrase can't be formed");
    std::unique_ptr<CQuizCipher> cipher = CreateCipher();
    if (!cipher->Decipher(passphrase.c_str(), data.get(), static_cast<DWORD>(size))) {
        m_unread = "it can't be deciphered (the cryptographic provider failed)";
        Report(kDecipherError, m_unread);
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
    } catch (const std::exception& error) {
        Report(kUnexpectedError, std::string("unexpected failure (") + error.what() + ")");
    }
}

void CUserQuizFile::Report(const char* text, const std::string& reason)
{
    m_sink.ShowExplainedMessage(text, IUserQuizSink::Box::Dialog, reason);
}

std::string CUserQuizFile::WhyNotWellFormed(const std::string& utf8) const
{
    if (!m_unread.empty()) return m_unread;
    if (m_fileKind == FileKind::Empty) return "the file is empty";
    const std::size_t start = utf8.find_first_not_of(" \t\r\n");
    // A sealed quiz starts with markup once deciphered; random bytes mean the
    // key was another, or the file is something else.
    if (start == std::string::npos || utf8[start] != '<')
        return m_fileKind == FileKind::Text ? "not a quiz file: it holds plain text, not a sealed quiz"
                                            : "enciphered with another key, or damaged: deciphered, it is not XML";
    return DescribeXmlParseError(FindXmlParseError(utf8));
}

void CUserQuizFile::ListQuizzes(const std::string& utf8)
{
    const XmlDocumentPtr document = CreateDocument();
    if (!document) {
        Report(kNoDocument, "the XML parser can't be started");
        return;
    }
    if (!document->loadXMLUtf8(utf8)) {
        Report(kNotWellFormed, WhyNotWellFormed(utf8));
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
