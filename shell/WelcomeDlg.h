#pragma once
// CWelcomeDlg: the screen where the player picks a quiz, either one of the
// quiz books installed (book mode) or one quiz of a user quiz file (user file
// mode, switched by the check box). Start Quiz posts the choice to the main
// window. Each time it is shown it starts over in book mode.
#include "ShellDialog.h"
#include "UserQuizFile.h"

#include <map>
#include <string>

class QListWidget;

class CWelcomeDlg final : public CShellDialog, private IUserQuizSink {
public:
    static constexpr int IDD = 135;
    static constexpr int IDC_START_QUIZ = 1003;
    static constexpr int IDC_QUIZ_LIST = 1004;
    static constexpr int IDC_USE_FILE = 1005;
    static constexpr int IDC_LOAD_FILE = 1006;

    // A screen inside `frame`, whose parent is the main window.
    explicit CWelcomeDlg(QWidget* frame);

    // Lists every quiz book of the name pattern, unless in user file mode.
    void FillBookList();

    int m_bUserFile = 0;                 // 1: the list shows a user quiz file's quizzes
    std::string m_strChosen;             // key of the entry started last, or the file chosen last
    std::map<int, std::string> m_entries;  // list line -> book name, or whole quiz document

protected:
    void showEvent(QShowEvent* event) override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;

private:
    void OnUseFile();
    void OnStartQuiz();
    void OnLoadFile();
    // Runs a handler, reporting any exception with `error`.
    template <typename Handler>
    void Guard(const char* error, Handler handler);

    // IUserQuizSink: the loaded file's quizzes fill the list.
    void Clear() override;
    bool AddEntry(const std::string& title, const std::string& key) override;
    void ShowMessage(const std::string& text, Box box) override;

    QListWidget* List() const;
};
