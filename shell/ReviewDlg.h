#pragma once
// CReviewDlg: the window, opened from the final message, that lists the
// questions the player missed in the quiz just played, each with its right
// answer, its round and, for a picture question, a thumbnail, and saves them
// as a user quiz file that plays exactly those questions again.
#include "MissedTests.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

class CReviewDlg final : public QDialog {
public:
    // The list's columns.
    enum Column { kPicture, kRound, kQuestion, kAnswer, kColumns };
    // The title of the one quiz a saved file holds.
    static constexpr const char16_t* kQuizTitle = u"Missed Questions";

    CReviewDlg(std::vector<MissedTest> tests, QWidget* parent);

    QTableWidget* List() const { return m_pList; }
    QPushButton* SaveButton() const { return m_pSave; }
    QPushButton* CloseButton() const { return m_pClose; }
    // What the last save did, shown under the list.
    QLabel* Status() const { return m_pStatus; }

private:
    void FillList();
    // Asks for a file through the prompts and writes the sealed quiz there;
    // a failure is told in a box naming the file.
    void OnSave();

    std::vector<MissedTest> m_tests;
    QTableWidget* m_pList = nullptr;
    QPushButton* m_pSave = nullptr;
    QPushButton* m_pClose = nullptr;
    QLabel* m_pStatus = nullptr;
};
