#include "GameConsoleCtrl.h"

#include "ConsoleKeys.h"
#include "ConsoleSound.h"
#include "KeyboardPress.h"
#include "PlaydeckLibrary.h"
#include "PropertyMaps.h"
#include "ResourcePicture.h"
#include "ole/SkinRegion.h"
#include "ui/MulDiv.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

constexpr int kTemplateId = 108;
constexpr int kCountdownId = 201;
constexpr int kChallengeId = 210;
constexpr int kLifeManagerId = 212;
constexpr int kProgressId = 213;
constexpr int kTitleId = 214;
constexpr int kLifelinesId = 223;

constexpr int kSkinId = 246;
constexpr int kFirstResultImage = 247;  // 247 right, 248 wrong, 249 time out, 250 game over
constexpr int kRightImage = 0;
constexpr int kWrongImage = 1;
constexpr int kTimeOutImage = 2;
constexpr int kGameOverImage = 3;
constexpr int kRightSound = 247;
constexpr int kRoundSound = 252;
constexpr int kGameOverSound = 250;

// The centre box, in the console's pixels.
constexpr QRect kCentre(14, 53, 354, 213);
constexpr int kStartLives = 3;
constexpr OLE_COLOR kHighlight = 0x0B94FB;
constexpr OLE_COLOR kWhite = 0xFFFFFF;
constexpr char16_t kRoundPrompt[] = u"Press 'Start Round' to continue.";

constexpr MEMBERDESC kMembers[] = {
    BRAINWHEEL_STOCK_REF_MEMBERS(Picture, DISPID_PICTURE),
    {DISPID_GAMECONSOLE_SETTEXTQUESTION, u"SetTextQuestion", INVOKE_FUNC, 5, u"Presents a question"},
    {DISPID_GAMECONSOLE_SETPICTUREQUESTION, u"SetPictureQuestion", INVOKE_FUNC, 6,
     u"Presents a question with a picture"},
    {DISPID_GAMECONSOLE_STARTROUND, u"StartRound", INVOKE_FUNC, 1, u"Announces a round"},
    {DISPID_GAMECONSOLE_STARTQUIZ, u"StartQuiz", INVOKE_FUNC, 1, u"Starts a quiz of TotalQuestions questions"},
    {DISPID_GAMECONSOLE_GAMEOVER, u"GameOver", INVOKE_FUNC, 1, u"Shows the final message and score"},
    {DISPID_GAMECONSOLE_PERCENTAGE, u"Percentage", INVOKE_PROPERTYGET, 0, u"The score in percent"},
    {DISPID_GAMECONSOLE_ENDQUIZ, u"EndQuiz", INVOKE_FUNC, 0, u"Stops the countdown"},
};

const ControlClassInfo kClass = {CLSID_GameConsole, IID_IGameConsole, kMembers, &DIID__IGameConsoleEvents,
                                 kSkinProperties, PlaydeckComModule()};

// Where a picture of natural size `size` lands in the centre box: scaled
// down to fit, never enlarged, centred with the halves rounding down.
QRect CentreBoxPlace(QSize size)
{
    int w = size.width(), h = size.height();
    const int w0 = w, h0 = h;
    if (w > kCentre.width()) {
        w = kCentre.width();
        h = MulDiv(kCentre.width(), h0, w0);
    }
    if (h > kCentre.height()) {
        h = kCentre.height();
        w = MulDiv(kCentre.height(), w0, h0);
    }
    const int x = w >= kCentre.width() ? kCentre.x() : kCentre.x() + ((kCentre.width() - w) >> 1);
    const int y = h >= kCentre.height() ? kCentre.y() : kCentre.y() + ((kCentre.height() - h) >> 1);
    return QRect(x, y, w, h);
}

std::u16string Text(BSTR text) { return std::u16string(text ? text : u"", SysStringLen(text)); }

} // namespace

CGameConsoleCtrl::CGameConsoleCtrl() : CCompositeControl(kClass, kTemplateId) {}

CGameConsoleCtrl::~CGameConsoleCtrl() = default;

HRESULT CGameConsoleCtrl::InvokeMember(DISPID id, INVOKEKIND, CDispatchCall& call)
{
    CComBSTR texts[5];
    const auto readTexts = [&](UINT first) {
        for (UINT i = 0; i < 5; ++i) {
            const HRESULT hr = call.Text(first + i, texts[i]);
            if (FAILED(hr)) return hr;
        }
        return S_OK;
    };
    HRESULT hr = S_OK;
    switch (id) {
    case DISPID_GAMECONSOLE_SETTEXTQUESTION:
        hr = readTexts(0);
        return FAILED(hr) ? hr : SetTextQuestion(texts[0], texts[1], texts[2], texts[3], texts[4]);
    case DISPID_GAMECONSOLE_SETPICTUREQUESTION: {
        CComPtr<IDispatch> object;
        CComPtr<IPictureDisp> picture;
        hr = call.Object(0, object);
        if (SUCCEEDED(hr) && object) hr = object.QueryInterface(IID_IPictureDisp, &picture);
        if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
        hr = readTexts(1);
        return FAILED(hr) ? hr : SetPictureQuestion(picture, texts[0], texts[1], texts[2], texts[3], texts[4]);
    }
    case DISPID_GAMECONSOLE_STARTROUND:
        hr = call.Text(0, texts[0]);
        return FAILED(hr) ? hr : StartRound(texts[0]);
    case DISPID_GAMECONSOLE_STARTQUIZ: {
        LONG total = 0;
        hr = call.Long(0, total);
        return FAILED(hr) ? hr : StartQuiz(static_cast<ULONG>(total));
    }
    case DISPID_GAMECONSOLE_GAMEOVER:
        hr = call.Text(0, texts[0]);
        return FAILED(hr) ? hr : GameOver(texts[0]);
    case DISPID_GAMECONSOLE_PERCENTAGE: {
        SHORT percentage = 0;
        return call.ReturnShort(get_Percentage(&percentage), percentage);
    }
    case DISPID_GAMECONSOLE_ENDQUIZ: return EndQuiz();
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

bool CGameConsoleCtrl::OnInitDialog()
{
    GetDlgControl(kChallengeId, IID_IChallenge, reinterpret_cast<void**>(&m_spChallenge));
    GetDlgControl(kCountdownId, IID_ICountdown, reinterpret_cast<void**>(&m_spCountdown));
    GetDlgControl(kLifeManagerId, IID_ILifeManager, reinterpret_cast<void**>(&m_spLifeManager));
    GetDlgControl(kProgressId, IID_IProgressManager, reinterpret_cast<void**>(&m_spProgress));
    GetDlgControl(kTitleId, IID_IImageText, reinterpret_cast<void**>(&m_spTitle));
    GetDlgControl(kLifelinesId, IID_ILifelineManager, reinterpret_cast<void**>(&m_spLifelines));
    if (!m_spChallenge || !m_spCountdown || !m_spLifeManager || !m_spProgress || !m_spTitle || !m_spLifelines)
        return false;
    // The parts never take the focus: a click anywhere on the console gives
    // it to the console, and the keys reach it.
    if (QWidget* window = Window()) window->setFocusPolicy(Qt::StrongFocus);
    if (FAILED(AdviseChild(kChallengeId, DIID__IChallengeEvents)) ||
        FAILED(AdviseChild(kCountdownId, DIID__ICountdownEvents)) ||
        FAILED(AdviseChild(kProgressId, DIID__IProgressManagerEvents)) ||
        FAILED(AdviseChild(kLifelinesId, DIID__ILifelineManagerEvents)))
        return false;
    LoadSkin();
    return true;
}

void CGameConsoleCtrl::LoadSkin()
{
    CComPtr<IPictureDisp> skin;
    if (!LoadResourcePicture("SKIN", kSkinId, skin) || !skin) return;
    Stock().picture = skin;
    m_spTitle->ImageOffsets(29, 482);
    m_spLifelines->putref_Picture(skin);
    m_spTitle->putref_Picture(skin);
    m_spChallenge->putref_Picture(skin);
    m_spChallenge->put_OptionHighlightColor(kHighlight);
    m_spChallenge->put_OptionForeColor(kWhite);
    m_spChallenge->put_OptionBackColor(0);
}

void CGameConsoleCtrl::OnInPlaceDeactivate()
{
    m_spChallenge.Release();
    m_spCountdown.Release();
    m_spLifeManager.Release();
    m_spProgress.Release();
    m_spTitle.Release();
    m_spLifelines.Release();
    m_bQuestionOpen = false;
}

void CGameConsoleCtrl::OnStockPropertyChanged(DISPID id)
{
    if (id != DISPID_PICTURE) return;
    IPictureDisp* picture = Stock().picture;
    if (CComPtr<IChallenge> challenge = m_spChallenge) challenge->putref_Picture(picture);
    if (CComPtr<IImageText> title = m_spTitle) title->putref_Picture(picture);
    if (CComPtr<ILifelineManager> lifelines = m_spLifelines) lifelines->putref_Picture(picture);
}

HRESULT CGameConsoleCtrl::OnChildEvent(int id, DISPID event, CDispatchCall& call)
{
    switch (id) {
    case kChallengeId: {
        SHORT isCorrect = 0;
        if (event == DISPID_CHALLENGE_ONANSWER && SUCCEEDED(call.Short(0, isCorrect))) OnChallengeAnswer(isCorrect);
        return S_OK;
    }
    case kCountdownId:
        if (event == DISPID_COUNTDOWN_ONTIMEOUT) OnCountdownTimeOut();
        return S_OK;
    case kProgressId:
        if (event == DISPID_PROGRESSMANAGER_EXTRALIFE && m_spLifeManager) m_spLifeManager->GainALife();
        if (event == DISPID_PROGRESSMANAGER_BONUS && m_spLifelines) m_spLifelines->GenerateLifeline();
        return S_OK;
    case kLifelinesId:
        if (event == DISPID_LIFELINEMANAGER_ON5050 && m_spChallenge) CComPtr<IChallenge>(m_spChallenge)->FiftyFifty();
        if (event == DISPID_LIFELINEMANAGER_ONFREEANSWER && m_spChallenge)
            CComPtr<IChallenge>(m_spChallenge)->FreeAnswer();
        if (event == DISPID_LIFELINEMANAGER_ONEXTRALIFE && m_spLifeManager) m_spLifeManager->GainALife();
        return S_OK;
    default: return S_OK;
    }
}

HRESULT CGameConsoleCtrl::SetTextQuestion(BSTR Question, BSTR Answer, BSTR Option1, BSTR Option2, BSTR Option3)
{
    SetCentrePicture(nullptr);
    PresentQuestion(Question, Answer, Option1, Option2, Option3);
    return S_OK;
}

HRESULT CGameConsoleCtrl::SetPictureQuestion(IPictureDisp* Picture, BSTR Question, BSTR Answer, BSTR Option1,
                                             BSTR Option2, BSTR Option3)
{
    SetCentrePicture(Picture);
    PresentQuestion(Question, Answer, Option1, Option2, Option3);
    return S_OK;
}

void CGameConsoleCtrl::PresentQuestion(BSTR Question, BSTR Answer, BSTR Option1, BSTR Option2, BSTR Option3)
{
    CComPtr<IChallenge> challenge = m_spChallenge;
    if (!challenge) return;
    ++m_nQuestion;
    const CComBSTR numbered(QString::number(m_nQuestion).toStdU16String() + u". " + Text(Question));
    challenge->SetTest(numbered, Answer, Option1, Option2, Option3);
    challenge->put_Enabled(VARIANT_TRUE);
    if (CComPtr<ILifelineManager> lifelines = m_spLifelines) lifelines->put_Enabled(VARIANT_TRUE);
    if (QWidget* countdown = GetDlgItem(kCountdownId)) countdown->show();
    m_bQuestionOpen = true;
    if (QWidget* window = Window()) window->setFocus(Qt::OtherFocusReason);
    StartAnswerTimer();
}

void CGameConsoleCtrl::StartAnswerTimer()
{
    // 60 seconds at 0 %, 35 at 50 %, 10 at 100 %.
    const SHORT seconds = static_cast<SHORT>(60 - MulDiv(50, Percentage(), 100));
    if (CComPtr<ICountdown> countdown = m_spCountdown) countdown->Start(seconds);
}

void CGameConsoleCtrl::DisableParts()
{
    if (CComPtr<IChallenge> challenge = m_spChallenge) challenge->put_Enabled(VARIANT_FALSE);
    if (CComPtr<ILifelineManager> lifelines = m_spLifelines) lifelines->put_Enabled(VARIANT_FALSE);
}

void CGameConsoleCtrl::OnChallengeAnswer(SHORT isCorrect)
{
    if (!m_bQuestionOpen) return;
    m_bQuestionOpen = false;
    // Every child exists once the events are connected.
    CComPtr<ICountdown> countdown = m_spCountdown;
    CComPtr<ILifeManager> lives = m_spLifeManager;
    CComPtr<IProgressManager> progress = m_spProgress;
    SHORT left = 1;
    DisableParts();
    countdown->Stop();
    if (isCorrect == 0) {
        lives->LoseALife();
        lives->get_NumLives(&left);
    } else {
        progress->CorrectAnswer();
        PlayConsoleSound(kRightSound);
    }
    if (left < 0) {
        SetCentrePicture(ResultImage(kWrongImage));
        FireEvent(DISPID_GAMECONSOLE_ONGAMEOVER, {CComVariant::I2(Percentage())});
        return;
    }
    SetCentrePicture(ResultImage(isCorrect ? kRightImage : kWrongImage));
    FireEvent(DISPID_GAMECONSOLE_ONANSWER, {CComVariant::I2(isCorrect)});
}

void CGameConsoleCtrl::OnCountdownTimeOut()
{
    // A time-out already under way when the question was answered: the
    // question is settled, the late time-out changes nothing.
    if (!m_bQuestionOpen) return;
    m_bQuestionOpen = false;
    CComPtr<IChallenge> challenge = m_spChallenge;
    CComPtr<ILifeManager> lives = m_spLifeManager;
    SHORT left = 1;
    DisableParts();
    challenge->RevealAnswer();
    lives->LoseALife();
    lives->get_NumLives(&left);
    SetCentrePicture(ResultImage(kTimeOutImage));
    if (left < 0) {
        FireEvent(DISPID_GAMECONSOLE_ONGAMEOVER, {CComVariant::I2(Percentage())});
        return;
    }
    FireEvent(DISPID_GAMECONSOLE_ONANSWER, {CComVariant::I2(0)});
}

HRESULT CGameConsoleCtrl::StartRound(BSTR Category)
{
    SetCentrePicture(nullptr);
    if (CComPtr<IImageText> title = m_spTitle) title->put_Text(Category);
    ShowMessage(kRoundPrompt);
    PlayConsoleSound(kRoundSound);
    return S_OK;
}

HRESULT CGameConsoleCtrl::StartQuiz(ULONG TotalQuestions)
{
    m_nQuestion = 0;
    if (CComPtr<IProgressManager> progress = m_spProgress) progress->Reset(TotalQuestions);
    if (CComPtr<ILifelineManager> lifelines = m_spLifelines) lifelines->Reset();
    if (CComPtr<ILifeManager> lives = m_spLifeManager) lives->put_NumLives(kStartLives);
    return S_OK;
}

HRESULT CGameConsoleCtrl::GameOver(BSTR Message)
{
    SetCentrePicture(ResultImage(kGameOverImage));
    ShowMessage(Text(Message) + QString::number(Percentage()).toStdU16String() + u"%");
    PlayConsoleSound(kGameOverSound);
    return S_OK;
}

HRESULT CGameConsoleCtrl::get_Percentage(SHORT* pVal) { return ReturnValue(pVal, Percentage()); }

HRESULT CGameConsoleCtrl::EndQuiz()
{
    m_bQuestionOpen = false;
    if (CComPtr<ICountdown> countdown = m_spCountdown) countdown->Stop();
    return S_OK;
}

void CGameConsoleCtrl::ShowMessage(const std::u16string& text)
{
    CComPtr<IChallenge> challenge = m_spChallenge;
    if (!challenge) return;
    m_bQuestionOpen = false;
    const CComBSTR message(text), empty(u"");
    challenge->SetTest(message, empty, empty, empty, empty);
    DisableParts();
}

IPictureDisp* CGameConsoleCtrl::ResultImage(int which)
{
    // Decoded when first shown: a console that waits hidden on the welcome
    // screen spends nothing on them.
    CComPtr<IPictureDisp>& image = m_spResult[static_cast<size_t>(which)];
    if (!image) LoadResourcePicture("IMAGES", kFirstResultImage + which, image);
    return image;
}

void CGameConsoleCtrl::SetCentrePicture(IPictureDisp* picture)
{
    m_spCentre = picture;
    if (QWidget* window = Window()) window->update(kCentre);
}

SHORT CGameConsoleCtrl::Percentage() const
{
    SHORT percentage = 0;
    if (m_spProgress) m_spProgress->get_Percentage(&percentage);
    return percentage;
}

QColor CGameConsoleCtrl::BackgroundColour() const { return CPanelBrush::Colour(); }

bool CGameConsoleCtrl::OnWindowEvent(QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    auto* press = static_cast<QKeyEvent*>(event);
    const std::optional<ConsoleKeyTarget> target = FindConsoleKey(*press);
    if (!target) return false;
    // Taken whether or not the part acts: a key for a closed question or a
    // dark lifeline does nothing, as a click there would.
    press->accept();
    const int child = target->row == ConsoleKeyTarget::Answers ? kChallengeId : kLifelinesId;
    SendKeyboardPress(GetDlgItem(child), target->part);
    return true;
}

void CGameConsoleCtrl::OnDraw(QPainter& painter, const QRect&)
{
    // Without a skin the console draws nothing, not even the centre box.
    IPictureDisp* skin = Stock().picture;
    const QSize skinSize = PictureSize(skin);
    if (skinSize.isEmpty()) return;
    PaintPicture(painter, skin, QRect(QPoint(0, 0), skinSize));
    const QSize centreSize = PictureSize(m_spCentre);
    if (!centreSize.isEmpty()) PaintPicture(painter, m_spCentre, CentreBoxPlace(centreSize));
}
