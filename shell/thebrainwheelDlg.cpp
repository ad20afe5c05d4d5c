#include "thebrainwheelDlg.h"

#include "AboutDlg.h"
#include "GoodbyeDlg.h"
#include "Playdeck.h"
#include "Prompts.h"
#include "ShellMessages.h"
#include "ShellResources.h"
#include "ShellSettings.h"
#include "SoundSetting.h"
#include "WelcomeDlg.h"
#include "thebrainwheelDlgAutoProxy.h"
#include "ui/AnsiCodePage.h"
#include "ui/PlaySound.h"
#include "ui/WindowTimer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QAction>
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
        // Built, the modules sit beside the program; installed, in its
        // private library folder.
        const QDir bin = QFileInfo(QString::fromStdString(GetModuleFileName(ShellModule()))).absoluteDir();
        const QString console = bin.exists("Playdeck.so")
                                    ? bin.filePath("Playdeck.so")
                                    : QDir::cleanPath(bin.filePath(BRAINWHEEL_MODULES_FROM_BIN "/Playdeck.so"));
        Prompts().MessageBox(nullptr,
                             "The game console (Playdeck.so) is not registered, or its file is gone.\n"
                             "Register it with:\n  " + bin.filePath("regsvr").toStdString() + " " +
                                 console.toStdString(),
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
    // lives in a menu of our own, opened by a right click on the window,
    // beside the player's choice of sound as remembered from the last run.
    // Their keys (F1, M) work wherever the keyboard is in the window: the
    // entries are the window's shortcuts too.
    m_pSystemMenu = new QMenu(this);
    const std::string about = ShellString(101);
    if (!about.empty()) {
        QAction* aboutAction =
            m_pSystemMenu->addAction(QString::fromStdU16String(AnsiToWide(about)), this, [this] { OnAbout(); });
        aboutAction->setShortcut(Qt::Key_F1);
        addAction(aboutAction);
    }
    RestoreSoundSetting();
    m_pMuteAction = m_pSystemMenu->addAction("&Mute Sounds");
    m_pMuteAction->setCheckable(true);
    m_pMuteAction->setChecked(IsSoundMuted());
    m_pMuteAction->setShortcut(Qt::Key_M);
    addAction(m_pMuteAction);
    QObject::connect(m_pMuteAction, &QAction::toggled, this, [](bool muted) { ChangeSoundSetting(muted); });
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
        case WM_QUIZ_ANSWERED:
            m_missed.Settle(message->WParam() != 0);
            m_pAnswerStep->Start(kStepDelayMs, true);
            return true;
        case WM_QUIZ_DONE:
            // The console ends a quiz while a question is open only when its
            // answer, or its time-out, cost the last life: that one was
            // missed too. At the end of the last round nothing is open.
            m_missed.Settle(false);
            m_pDoneStep->Start(kStepDelayMs, true);
            return true;
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
    m_missed.Clear();
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
    m_missed.Asked({question, answer, option1, option2, option3, m_quiz.Category(), {}}, m_quiz.Picture());
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
    ShowItem(IDC_REVIEW, !m_missed.Tests().empty());
}

void CthebrainwheelDlg::OnCommand(int id)
{
    switch (id) {
    case IDC_START_ROUND:
        ShowItem(IDC_START_ROUND, false);
        RunStep("the first question", [this] { QuestionStep(); });
        break;
    case IDC_NEW_QUIZ: OnNewQuiz(); break;
    case IDC_REVIEW: OnReview(); break;
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
    CloseReview();
    if (!IsConsoleVisible() || !m_pWelcome) return;
    ShowItem(IDC_START_ROUND, false);
    m_pWelcome->show();
    ShowItem(IDC_CONSOLE, false);
    ShowItem(IDC_FRAME, true);
}

void CthebrainwheelDlg::OnReview()
{
    // One review window at a time; Review Missed brings it forward again.
    if (!m_pReview) {
        m_pReview = new CReviewDlg(m_missed.Tests(), this);
        m_pReview->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_pReview->open();
    m_pReview->raise();
}

void CthebrainwheelDlg::CloseReview()
{
    ShowItem(IDC_REVIEW, false);
    if (m_pReview) m_pReview->close();
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
            CloseReview();
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
    const int key = event->key();
    const bool press = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    if (!press || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        CShellDialog::keyPressEvent(event);
        return;
    }
    // The button on show is pressed as a click would press it; should New
    // Quiz and Start Round both be up, the game is over.
    const auto shown = [this](int id) {
        const QWidget* item = GetDlgItem(id);
        return item && item->isVisible();
    };
    if (shown(IDC_NEW_QUIZ)) OnCommand(IDC_NEW_QUIZ);
    else if (shown(IDC_START_ROUND)) OnCommand(IDC_START_ROUND);
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
