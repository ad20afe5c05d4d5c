#include "thebrainwheelDlg.h"

#include "AboutDlg.h"
#include "GoodbyeDlg.h"
#include "Playdeck.h"
#include "Prompts.h"
#include "ShellMessages.h"
#include "ShellResources.h"
#include "ShellSettings.h"
#include "WelcomeDlg.h"
#include "thebrainwheelDlgAutoProxy.h"
#include "ui/AnsiCodePage.h"
#include "ui/WindowTimer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QtDebug>

CthebrainwheelDlg::CthebrainwheelDlg(QWidget* parent) : CShellDialog(IDD, Kind::TopLevel, parent)
{
    m_hIcon = ShellIcon(g_bFrenchMode ? 142 : 128);
    UseBlackBackground();
    m_pAnswerStep = CWindowTimer::Create([this] { RunStep("the next question", [this] { QuestionStep(); }); });
    m_pDoneStep = CWindowTimer::Create([this] { RunStep("the final message", [this] { ShowFinalMessage(); }); });
}

CthebrainwheelDlg::~CthebrainwheelDlg()
{
    CancelDelayedSteps();
    // A window that never closed still holds its sink: let it go, so that it
    // neither outlives us bound to a dead window nor leaks.
    DisconnectConsoleEvents();
    delete m_pGoodbye;
    delete m_pWelcome;
}

int CthebrainwheelDlg::DoModal()
{
    if (!OnInitDialog()) {
        const std::string folder =
            QFileInfo(QString::fromStdString(GetModuleFileName(ShellModule()))).absolutePath().toStdString();
        Prompts().MessageBox(nullptr,
                             "The game console (Playdeck.so) is not registered, or its file is gone.\n"
                             "Register it with:\n  " + folder + "/regsvr " + folder + "/Playdeck.so",
                             IPrompts::Icon::Error);
        return -1;
    }
    return exec();
}

bool CthebrainwheelDlg::OnInitDialog()
{
    if (m_bInitialised) return true;
    // Without its console the window has nothing to play with.
    if (FAILED(HostResult(IDC_CONSOLE))) return false;
    m_bInitialised = true;
    m_console.Attach(HostedControl(IDC_CONSOLE));

    // Linux window managers keep their own window menu, so the About entry
    // lives in a menu of our own, opened by a right click on the window.
    const std::string about = ShellString(101);
    if (!about.empty()) {
        m_pSystemMenu = new QMenu(this);
        m_pSystemMenu->addAction(QString::fromStdU16String(AnsiToWide(about)), this, [this] { OnAbout(); });
    }
    setWindowIcon(m_hIcon);
    setWindowTitle(g_bFrenchMode ? "Rav Arire De Duzev Aradad Erazodidor?" : "Pub Brainwheel");
    ShowItem(IDC_CONSOLE, false);

    // Without events, or without its screens, the window offers only Exit.
    if (FAILED(ConnectConsoleEvents())) return true;
    QWidget* frame = GetDlgItem(IDC_FRAME);
    if (!frame) return true;
    m_pWelcome = new CWelcomeDlg(frame);
    m_pWelcome->hide();
    m_pGoodbye = new CGoodbyeDlg(frame);
    m_pGoodbye->hide();
    m_pWelcome->show();
    return true;
}

HRESULT CthebrainwheelDlg::ConnectConsoleEvents()
{
    IUnknown* control = m_console.Control();
    if (!control) return E_FAIL;
    CComPtr<IConnectionPointContainer> container;
    HRESULT hr = control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (FAILED(hr)) return hr;
    CComPtr<IConnectionPoint> point;
    hr = container->FindConnectionPoint(DIID__IGameConsoleEvents, &point);
    if (FAILED(hr)) return hr;
    // The proxy binds itself to this window; the window holds its first
    // reference and the connection point one more while connected.
    new CthebrainwheelDlgAutoProxy(this);
    CComPtr<IDispatch> sink;
    m_pAutoProxy->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink));
    hr = point->Advise(sink, &m_dwCookie);
    if (FAILED(hr)) m_pAutoProxy->Release();
    return hr;
}

HRESULT CthebrainwheelDlg::DisconnectConsoleEvents()
{
    if (!m_pAutoProxy) return S_OK;
    HRESULT hr = E_FAIL;
    CComPtr<IConnectionPointContainer> container;
    CComPtr<IConnectionPoint> point;
    if (IUnknown* control = m_console.Control();
        control &&
        SUCCEEDED(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))) &&
        SUCCEEDED(container->FindConnectionPoint(DIID__IGameConsoleEvents, &point)))
        hr = point->Unadvise(m_dwCookie);
    // Unbound whether or not the console let go, so that nothing reaches
    // this window through it any more and it is released only once.
    CthebrainwheelDlgAutoProxy* proxy = m_pAutoProxy;
    proxy->Unbind();
    proxy->Release();
    return hr;
}

template <typename Step>
void CthebrainwheelDlg::RunStep(const char* what, Step step)
{
    try {
        step();
    } catch (const std::exception& error) {
        qWarning("thebrainwheel: %s failed: %s", what, error.what());
    }
}

bool CthebrainwheelDlg::event(QEvent* event)
{
    if (event->type() == CControlMessageEvent::EventType()) {
        const auto* message = static_cast<CControlMessageEvent*>(event);
        switch (message->Message()) {
        case WM_QUIZ_BOOK_CHOSEN:
        case WM_QUIZ_XML_CHOSEN:
            RunStep("starting the quiz", [&] {
                OnQuizChosen(message->Message(), reinterpret_cast<const char*>(message->LParam()));
            });
            return true;
        case WM_QUIZ_ANSWERED: m_pAnswerStep->Start(kStepDelayMs, true); return true;
        case WM_QUIZ_DONE: m_pDoneStep->Start(kStepDelayMs, true); return true;
        default: break;
        }
    }
    return CShellDialog::event(event);
}

void CthebrainwheelDlg::OnQuizChosen(unsigned message, const char* text)
{
    if (!text) return;
    const bool loaded = message == WM_QUIZ_BOOK_CHOSEN ? m_quiz.OpenBook(text, 0) : m_quiz.LoadText(text);
    if (!loaded) {
        // The player is told, and keeps the welcome screen to pick again.
        Prompts().MessageBox(this, WideToAnsi(m_quiz.Error()), IPrompts::Icon::Warning);
        return;
    }
    m_console.StartQuiz(static_cast<ULONG>(m_quiz.TotalTests()));
    StartNextRound();
    if (m_pWelcome && m_pWelcome->isVisible()) m_pWelcome->hide();
    ShowItem(IDC_FRAME, false);
    ShowItem(IDC_CONSOLE, true);
}

void CthebrainwheelDlg::StartNextRound()
{
    ++m_nRound;
    if (!m_quiz.NextRound()) {
        QCoreApplication::postEvent(this, new CControlMessageEvent(WM_QUIZ_DONE, 0, 0));
        return;
    }
    m_console.StartRound(u"Round " + QString::number(m_nRound).toStdU16String() + u": " + m_quiz.Category());
    ShowItem(IDC_START_ROUND, true);
}

void CthebrainwheelDlg::QuestionStep()
{
    std::u16string question, answer, option1, option2, option3;
    if (!m_quiz.NextTest(question, answer, option1, option2, option3)) {
        StartNextRound();
        return;
    }
    if (IPictureDisp* picture = m_quiz.Picture())
        m_console.SetPictureQuestion(picture, question, answer, option1, option2, option3);
    else
        m_console.SetTextQuestion(question, answer, option1, option2, option3);
}

std::u16string CthebrainwheelDlg::FinalMessage(SHORT score)
{
    if (score == 100) return u"Top Marks !!  You're the God of brainwheels everywhere.";
    if (score > 80) return u"Congratulations! Your Final Score is ";
    if (score > 70) return u"Well Done! Your Final Score is ";
    if (score > 60) return u"Looking Good! Your Final Score is ";
    if (score < 20) return u"Could be better! Your Final Score is ";
    if (score < 30) return u"Hmmm... Not Bad! Your Final Score is ";
    return u"Your Final Score is ";
}

void CthebrainwheelDlg::ShowFinalMessage()
{
    m_console.GameOver(FinalMessage(m_console.Percentage()));
    ShowItem(IDC_NEW_QUIZ, true);
}

void CthebrainwheelDlg::OnCommand(int id)
{
    switch (id) {
    case IDC_START_ROUND:
        ShowItem(IDC_START_ROUND, false);
        RunStep("the first question", [this] { QuestionStep(); });
        break;
    case IDC_NEW_QUIZ: OnNewQuiz(); break;
    case IDC_EXIT: OnExit(); break;
    default: break;
    }
}

bool CthebrainwheelDlg::IsConsoleVisible() const
{
    const QWidget* console = Console();
    return console && console->isVisible();
}

void CthebrainwheelDlg::OnNewQuiz()
{
    CancelDelayedSteps();
    m_nRound = 0;
    ShowItem(IDC_NEW_QUIZ, false);
    if (!IsConsoleVisible() || !m_pWelcome) return;
    ShowItem(IDC_START_ROUND, false);
    m_pWelcome->show();
    ShowItem(IDC_CONSOLE, false);
    ShowItem(IDC_FRAME, true);
}

void CthebrainwheelDlg::OnExit()
{
    try {
        if (m_pWelcome && m_pGoodbye && m_pWelcome->isVisible()) {
            m_pWelcome->hide();
            m_pGoodbye->show();
        } else if (IsConsoleVisible() && m_pGoodbye) {
            CancelDelayedSteps();
            ShowItem(IDC_START_ROUND, false);
            ShowItem(IDC_NEW_QUIZ, false);
            m_console.EndQuiz();
            ShowItem(IDC_CONSOLE, false);
            m_pGoodbye->show();
            ShowItem(IDC_FRAME, true);
        } else {
            CancelDelayedSteps();
            DisconnectConsoleEvents();
            accept();
        }
    } catch (...) {
        Prompts().MessageBox(this, "Error: #0001", IPrompts::Icon::None);
    }
}

void CthebrainwheelDlg::closeEvent(QCloseEvent* event)
{
    // The close box ends the game at once, without the goodbye screen.
    CancelDelayedSteps();
    DisconnectConsoleEvents();
    CShellDialog::closeEvent(event);
}

void CthebrainwheelDlg::keyPressEvent(QKeyEvent* event)
{
    // Escape would end the dialog behind the game's back; Exit and the close
    // box are the ways out.
    if (event->key() == Qt::Key_Escape) return;
    CShellDialog::keyPressEvent(event);
}

void CthebrainwheelDlg::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_pSystemMenu) m_pSystemMenu->popup(event->globalPos());
}

void CthebrainwheelDlg::OnAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CthebrainwheelDlg::CancelDelayedSteps()
{
    m_pAnswerStep->Stop();
    m_pDoneStep->Stop();
}
