#include "WelcomeDlg.h"

#include "Prompts.h"
#include "QuizBookCatalogue.h"
#include "ShellMessages.h"
#include "ShellResources.h"
#include "ShellSettings.h"
#include "ui/AnsiCodePage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QShowEvent>

CWelcomeDlg::CWelcomeDlg(QWidget* frame) : CShellDialog(IDD, Kind::Child, frame)
{
    UseBlackBackground();
    LoadSkinsPicture(g_bFrenchMode ? 137 : 144, m_pBackground);
    if (QListWidget* list = List()) {
        // The list keeps its own light colours on the black screen.
        list->setAutoFillBackground(true);
        list->setPalette(QPalette());
    }
}

QListWidget* CWelcomeDlg::List() const { return DlgItem<QListWidget>(IDC_QUIZ_LIST); }

void CWelcomeDlg::showEvent(QShowEvent* event)
{
    CShellDialog::showEvent(event);
    // Restoring the minimised window shows the screen again too; only a
    // screen the game brings back starts over.
    if (event->spontaneous()) return;
    if (QCheckBox* check = DlgItem<QCheckBox>(IDC_USE_FILE)) check->setChecked(false);
    m_bUserFile = 0;
    ShowItem(IDC_START_QUIZ, false);
    ShowItem(IDC_LOAD_FILE, false);
    FillBookList();
}

void CWelcomeDlg::FillBookList()
{
    Clear();
    if (m_bUserFile) return;
    CQuizBookCatalogue::FillBookList(g_strBookPattern, [this](const std::string& title, const std::string& name) {
        return AddEntry(title, name);
    });
}

template <typename Handler>
void CWelcomeDlg::Guard(const char* error, Handler handler)
{
    try {
        handler();
    } catch (...) {
        Prompts().MessageBox(this, error, IPrompts::Icon::None);
    }
}

void CWelcomeDlg::OnCommand(int id)
{
    switch (id) {
    case IDC_USE_FILE: Guard("Error #0160", [this] { OnUseFile(); }); break;
    case IDC_START_QUIZ: Guard("Error #0170", [this] { OnStartQuiz(); }); break;
    case IDC_LOAD_FILE: Guard("Error #0150", [this] { OnLoadFile(); }); break;
    default: break;
    }
}

void CWelcomeDlg::OnSelChange(int id)
{
    if (id != IDC_QUIZ_LIST) return;
    QListWidget* list = List();
    ShowItem(IDC_START_QUIZ, list && !list->selectedItems().isEmpty());
}

void CWelcomeDlg::OnUseFile()
{
    m_bUserFile = !m_bUserFile;
    ShowItem(IDC_START_QUIZ, false);
    ShowItem(IDC_LOAD_FILE, m_bUserFile != 0);
    if (m_bUserFile) Clear();
    else FillBookList();
}

void CWelcomeDlg::OnStartQuiz()
{
    QListWidget* list = List();
    if (!list) return;
    const auto entry = m_entries.find(list->currentRow());
    if (list->selectedItems().isEmpty() || entry == m_entries.end()) return;
    m_strChosen = entry->second;
    // The main window is the frame's parent; the text stays ours until the
    // next choice.
    QWidget* frame = parentWidget();
    QWidget* main = frame ? frame->parentWidget() : nullptr;
    if (!main) return;
    QCoreApplication::postEvent(main, new CControlMessageEvent(m_bUserFile ? WM_QUIZ_XML_CHOSEN : WM_QUIZ_BOOK_CHOSEN,
                                                               0, reinterpret_cast<LPARAM>(m_strChosen.c_str())));
}

void CWelcomeDlg::OnLoadFile()
{
    const std::optional<std::string> path = Prompts().ChooseQuizFile(this);
    if (!path) return;
    m_strChosen = *path;
    CUserQuizFile(*this).LoadQuizFile(m_strChosen);
}

void CWelcomeDlg::Clear()
{
    m_entries.clear();
    if (QListWidget* list = List()) list->clear();
}

bool CWelcomeDlg::AddEntry(const std::string& title, const std::string& key)
{
    QListWidget* list = List();
    if (!list) return false;
    // Unsorted: the new line's place is the count before it.
    const int index = list->count();
    list->addItem(QString::fromStdU16String(AnsiToWide(title)));
    m_entries[index] = key;
    return true;
}

void CWelcomeDlg::ShowMessage(const std::string& text, Box box)
{
    Prompts().MessageBox(this, text, box == Box::Application ? IPrompts::Icon::Warning : IPrompts::Icon::None);
}
