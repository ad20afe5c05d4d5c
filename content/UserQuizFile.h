#pragma once
// CUserQuizFile: reads an enciphered user quiz file (".qiz") and lists every
// quiz in it as a title and a stand-alone document text. It shows nothing
// itself: the entries and the error texts go to whoever shows the list (the
// welcome dialog, or the authoring tool).
#include "crypt/QuizCipher.h"
#include "xml/XmlDocument.h"

#include <memory>
#include <string>
#include <string_view>

class IUserQuizSink {
public:
    // How a message is to be shown: in a box owned by the list's dialog, or
    // through the application's own box with the exclamation icon.
    enum class Box { Dialog, Application };

    virtual ~IUserQuizSink() = default;
    // Empties the list before a file is read.
    virtual void Clear() = 0;
    // Appends one quiz; false when the list refused the line (nothing is
    // then kept for it).
    virtual bool AddEntry(const std::string& title, const std::string& document) = 0;
    virtual void ShowMessage(const std::string& text, Box box) = 0;
    // The same message with what went wrong in words, for a reader who can
    // act on it (the authoring tool); the game shows the message alone.
    virtual void ShowExplainedMessage(const std::string& text, Box box, const std::string& reason)
    {
        (void)reason;
        ShowMessage(text, box);
    }
};

class CUserQuizFile {
public:
    explicit CUserQuizFile(IUserQuizSink& sink) : m_sink(sink) {}
    virtual ~CUserQuizFile() = default;

    // Clears the list, then reads, deciphers and parses the file and lists its
    // quizzes; every problem is reported through the sink.
    void LoadQuizFile(const std::string& path);
    // Reads and deciphers the file into `text` (up to its first zero byte),
    // reporting "Error #0104", "Error #0100" and "Error #0103" as they occur.
    // The text stays empty when the file can't be read or deciphered.
    void ReadPlainText(const std::string& path, std::string& text);
    // Lists one element child of Quizzes, wrapping its first element child.
    void AddUserQuiz(const CXmlNode& quiz);

    // The stand-alone document (ANSI code page) the game plays for one quiz
    // of a file, around the quiz's markup as the DOM gives it (UTF-8).
    static std::string WrapQuiz(std::string_view quizMarkupUtf8);
    // Resolves references that were escaped once more than the markup needed.
    static std::string UnescapeTitle(std::string title);
    // The passphrase of every user quiz file (8-bit), false when it can't be
    // formatted.
    static bool Passphrase(std::string& passphrase);

    static constexpr const char* kFileOpenError = "Error #0104";
    static constexpr const char* kNotWellFormed = "Error #0101";
    static constexpr const char* kNoDocument = "Error #0102";
    static constexpr const char* kDecipherError = "Error #0103";
    static constexpr const char* kPassphraseError = "Error #0100";
    static constexpr const char* kUnexpectedError = "Error #0150";
    static constexpr const char* kNoProvider = "Error #111: Your operating system dows not support this functionality\n";

protected:
    // Seams for the failures the platform rarely produces.
    virtual const char* ProviderName() const { return MS_DEF_PROV_A; }
    virtual std::unique_ptr<CQuizCipher> CreateCipher();
    virtual XmlDocumentPtr CreateDocument();

    IUserQuizSink& m_sink;

private:
    // Reads and deciphers the file; `plain` then views the text, up to its
    // first zero byte, inside the returned cipher. Null on failure, reported.
    std::unique_ptr<CQuizCipher> DecipherFile(const std::string& path, std::string_view& plain);
    void ListQuizzes(const std::string& utf8);
    void Report(const char* text, const std::string& reason);
    // Why the deciphered text did not parse, in words.
    std::string WhyNotWellFormed(const std::string& utf8) const;

    enum class FileKind { Unread, Empty, Text, Binary };
    FileKind m_fileKind = FileKind::Unread;  // what the file held before deciphering
    std::string m_unread;                     // why no text came out of the file
};
