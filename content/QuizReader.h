#pragma once
// CQuizReader: holds the quiz being played. It loads a quiz document from a
// quiz book or from text, counts its tests, and then hands out rounds and
// tests, each drawn at random and never twice.
#include "QuizBook.h"
#include "com/ComPtr.h"
#include "xml/XmlDocument.h"

#include <string>
#include <string_view>
#include <vector>

class CQuizReader {
public:
    CQuizReader() = default;
    virtual ~CQuizReader() = default;
    CQuizReader(const CQuizReader&) = delete;
    CQuizReader& operator=(const CQuizReader&) = delete;

    // Creates the book by programmatic name and loads its document. A book
    // that can't be created leaves the earlier quiz loaded; a book that fails
    // to hand out its document fails the open.
    bool OpenBook(const std::string& progId, LONG questionId);
    // Loads 8-bit text in the ANSI code page. The bound book stays, so
    // Picture elements still resolve against it.
    bool LoadText(std::string_view text);
    bool LoadXml(std::u16string_view text);

    // Draws the next round that has tests, passing over those without; false
    // when none is left.
    bool NextRound();
    // Draws a test of the current round into the five texts; Picture() then
    // holds its picture, if any.
    bool NextTest(std::u16string& question, std::u16string& answer, std::u16string& option1,
                  std::u16string& option2, std::u16string& option3);

    // The Questions element a round document plays (its first), or none.
    static CXmlNode PlayedQuestions(const XmlDocumentPtr& round);
    // The tests that round will ask: the element children of its played
    // Questions.
    static LONG CountTests(const XmlDocumentPtr& round);

    LONG TotalTests() const { return m_nTotalTests; }
    std::u16string Category() const { return m_bstrCategory.str(); }
    IPictureDisp* Picture() const { return m_pPicture; }
    std::u16string Error() const { return m_bstrError.str(); }
    // The rounds not drawn yet, in document order.
    const std::vector<XmlDocumentPtr>& Rounds() const { return m_rounds; }

private:
    bool Fail(std::u16string_view error);
    void CollectRounds(const CXmlNode& quizzes);
    void ReadTest(const CXmlNode& test, std::u16string& question, std::u16string& answer,
                  std::u16string& option1, std::u16string& option2, std::u16string& option3);
    void LoadBookPicture(const std::u16string& pictureId);
    bool LoadEmbeddedPicture(const CXmlNode& element);

    CComPtr<IQuizBook> m_pQuizBook;    // bound by the last successful OpenBook
    CComPtr<IPictureDisp> m_pPicture;  // picture of the test read last
    CComBSTR m_bstrError;              // text of the last load failure
    CComBSTR m_bstrCategory;           // category of the current round
    LONG m_nTotalTests = 0;
    XmlDocumentPtr m_pQuestions;       // first child: the current round's Questions
    std::vector<XmlDocumentPtr> m_rounds;
};
