#pragma once
// CMissedTests: the tests of the quiz being played that the player answered
// wrongly or let run out of time, kept so that they can be looked at and
// played again once the quiz is over.
#include "com/ComPtr.h"
#include "ole/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

// A test as its quiz document gave it, with the category of its round.
struct MissedTest {
    std::u16string question;
    std::u16string answer;
    std::u16string option1;
    std::u16string option2;
    std::u16string option3;
    std::u16string category;
    std::vector<std::uint8_t> picture;  // the picture's file bytes; empty for a text question
};

class CMissedTests {
public:
    // Starts a new quiz: nothing missed, nothing asked.
    void Clear();
    // The test now put to the player; `picture` is null for a text question.
    void Asked(MissedTest test, IPictureDisp* picture);
    // The test asked last was settled; a wrong answer (a time-out is one)
    // keeps it. Nothing happens when no test is open, so that the end of a
    // quiz can settle "whatever is open" without knowing whether anything is.
    void Settle(bool right);

    const std::vector<MissedTest>& Tests() const { return m_missed; }

    // The bytes a picture was loaded from (a book's resource, or a file's
    // embedded data); a picture that kept none is encoded as PNG. Empty when
    // there is no picture.
    static std::vector<std::uint8_t> PictureFile(IPictureDisp* picture);

private:
    MissedTest m_asked;
    CComPtr<IPictureDisp> m_pAskedPicture;  // read into bytes only when missed
    bool m_bOpen = false;                   // m_asked awaits its answer
    std::vector<MissedTest> m_missed;       // in the order they were asked
};
