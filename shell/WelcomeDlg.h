#pragma once
// CWelcomeDlg: the screen where the player picks a quiz, either one of the
// quiz books installed (book mode) or one quiz of a user quiz file (user file
// mode, switched by the check box). Start Quiz posts the choice to the main
// window; Return or Space press it too while it is shown. Each time it is
// shown it starts over in book mode, with the keyboard in the list, unless a
// quiz file waits to be opened: then it goes on to user file mode and loads
// the file as Load Qiz File would.
#include "ShellDialog.h"
#include "UserQuizFile.h"

#include <map>
#include <string>

class QKeyEvent;
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

    // Lists every quiz book of the name pattern, unless in user file mode;
    // tells the player when the registry cannot be read.
    void FillBookList();
    // Opens the user quiz file `path` (the program's file operand) once the
    // screen is shown, or at once when it is shown already.
    void OpenQuizFile(const std::string& path);

    int m_bUserFile = 0;                 // 1: the list shows a user quiz file's quizzes
    std::string m_strChosen;             // key of the entry started last, or the file chosen last
    std::map<int, std::string> m_entries;  // list line -> book name, or whole quiz document

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Return and Space in the list.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;

private:
    void OnUseFile();
    void OnStartQuiz();
    void OnLoadFile();
    void LoadFile(const std::string& path);
    // User file mode, then the file waiting to be opened.
    void OpenPendingFile();
    // Presses Start Quiz when it is shown; true when the key was one that
    // presses it.
    bool OnDefaultKey(const QKeyEvent& event);
    // Runs a handler, reporting any exception with `error`.
    template <typename Handler>
    void Guard(const char* error, Handler handler);

    // IUserQuizSink: the loaded file's quizzes fill the list.
    void Clear() override;
    bool AddEntry(const std::string& title, const std::string& key) override;
    void ShowMessage(const std::string& text, Box box) override;

    QListWidget* List() const;

    std::string m_strPendingFile;  // the file to open when the screen is next shown
};
