#include "WelcomeDlg.h"

#include "Prompts.h"
#include "QuizBookCatalogue.h"
#include "ShellMessages.h"
#include "ShellResources.h"
#include "ShellSettings.h"
#include "ui/AnsiCodePage.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QShowEvent>

#include <utility>

CWelcomeDlg::CWelcomeDlg(QWidget* frame) : CShellDialog(IDD, Kind::Child, frame)
{
    UseBlackBackground();
    LoadSkinsPicture(g_bFrenchMode ? 137 : 144, m_pBackground);
    if (QListWidget* list = List()) {
        // The list keeps its own light colours on the black screen.
        list->setAutoFillBackground(true);
        list->setPalette(QPalette());
        // The list would take Space for a selection of its own.
        list->installEventFilter(this);
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
    // The arrow keys choose a quiz at once.
    if (QListWidget* list = List()) list->setFocus(Qt::OtherFocusReason);
    // Once the window is up: the file's messages need it on the screen.
    if (!m_strPendingFile.empty()) QMetaObject::invokeMethod(this, [this] { OpenPendingFile(); }, Qt::QueuedConnection);
}

void CWelcomeDlg::OpenQuizFile(const std::string& path)
{
    m_strPendingFile = path;
    if (isVisible()) OpenPendingFile();
}

void CWelcomeDlg::OpenPendingFile()
{
    const std::string path = std::exchange(m_strPendingFile, std::string());
    if (path.empty()) return;
    // The way a player gets there: the box ticked, then the file loaded.
    if (!m_bUserFile) {
        if (QCheckBox* check = DlgItem<QCheckBox>(IDC_USE_FILE)) check->setChecked(true);
        OnCommand(IDC_USE_FILE);
    }
    Guard("Error #0150", [&] { LoadFile(path); });
}

void CWelcomeDlg::keyPressEvent(QKeyEvent* event)
{
    if (!OnDefaultKey(*event)) CShellDialog::keyPressEvent(event);
}

bool CWelcomeDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == List() && event->type() == QEvent::KeyPress && OnDefaultKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return CShellDialog::eventFilter(watched, event);
}

void CWelcomeDlg::hideEvent(QHideEvent* event)
{
    // A hidden list would keep the keyboard, and the keys meant for the game
    // screen with it.
    if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus)) focus->clearFocus();
    CShellDialog::hideEvent(event);
}

bool CWelcomeDlg::OnDefaultKey(const QKeyEvent& event)
{
    const int key = event.key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space) return false;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    // Shown exactly while a quiz is selected.
    const QWidget* start = GetDlgItem(IDC_START_QUIZ);
    if (start && start->isVisible()) OnCommand(IDC_START_QUIZ);
    return true;
}

void CWelcomeDlg::FillBookList()
{
    Clear();
    if (m_bUserFile) return;
    std::string error;
    const HRESULT hr = CQuizBookCatalogue::FillBookList(
        g_strBookPattern, [this](const std::string& title, const std::string& name) { return AddEntry(title, name); },
        &error);
    if (SUCCEEDED(hr)) return;
    // Else the list would stand empty with no word why. Once the screen is
    // up, as it may be filling on its way there.
    const std::string text = "The quiz books cannot be listed: the registry cannot be read.\n\n" + Utf8ToAnsi(error);
    QMetaObject::invokeMethod(this, [this, text] { ShowMessage(text, Box::Application); }, Qt::QueuedConnection);
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
    if (path) LoadFile(*path);
}

void CWelcomeDlg::LoadFile(const std::string& path)
{
    m_strChosen = path;
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
