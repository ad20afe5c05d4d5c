#include "GameConsole.h"

#include "Playdeck.h"
#include "com/Variant.h"
#include "ui/AnsiCodePage.h"

#include <QString>

namespace {

// Far more than any of the console's boxes shows at its smallest font. A
// user quiz file can carry a text of megabytes, which the console would lay
// out whole, for seconds and hundreds of megabytes, to show its start.
constexpr std::size_t kLongestText = 1024;

// A text as it arrives after the trip through the code page: a character
// the code page lacks comes back as its default character.
CComVariant AnsiText(const std::u16string& text)
{
    return CComVariant::Text(AnsiToWide(WideToAnsi(text.substr(0, kLongestText))));
}

std::string Describe(DISPID member, HRESULT hr)
{
    return QString("the console refused call %1 (0x%2)")
        .arg(member)
        .arg(static_cast<std::uint32_t>(hr), 8, 16, QChar('0'))
        .toStdString();
}

}  // namespace

CDispatchError::CDispatchError(DISPID member, HRESULT hr) : std::runtime_error(Describe(member, hr)), m_hr(hr) {}

bool CGameConsole::Attach(IUnknown* control)
{
    m_pDispatch.Release();
    return control && SUCCEEDED(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_pDispatch)));
}

void CGameConsole::Invoke(DISPID member, WORD flags, const std::vector<CComVariant>& args, CComVariant* result)
{
    if (!m_pDispatch) throw CDispatchError(member, E_POINTER);
    // Invoke takes its arguments last first.
    std::vector<CComVariant> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    // A sink may close the window from inside the call: hold the control.
    const CComPtr<IDispatch> console = m_pDispatch;
    const HRESULT hr = console->Invoke(member, GUID_NULL, 0, flags, &params, result, nullptr, nullptr);
    if (FAILED(hr)) throw CDispatchError(member, hr);
}

void CGameConsole::SetTextQuestion(const std::u16string& question, const std::u16string& answer,
                                   const std::u16string& option1, const std::u16string& option2,
                                   const std::u16string& option3)
{
    Invoke(DISPID_GAMECONSOLE_SETTEXTQUESTION, DISPATCH_METHOD,
           {AnsiText(question), AnsiText(answer), AnsiText(option1), AnsiText(option2), AnsiText(option3)});
}

void CGameConsole::SetPictureQuestion(IPictureDisp* picture, const std::u16string& question,
                                      const std::u16string& answer, const std::u16string& option1,
                                      const std::u16string& option2, const std::u16string& option3)
{
    Invoke(DISPID_GAMECONSOLE_SETPICTUREQUESTION, DISPATCH_METHOD,
           {CComVariant::Object(picture), AnsiText(question), AnsiText(answer), AnsiText(option1),
            AnsiText(option2), AnsiText(option3)});
}

void CGameConsole::StartRound(const std::u16string& category)
{
    Invoke(DISPID_GAMECONSOLE_STARTROUND, DISPATCH_METHOD, {AnsiText(category)});
}

void CGameConsole::StartQuiz(ULONG totalQuestions)
{
    Invoke(DISPID_GAMECONSOLE_STARTQUIZ, DISPATCH_METHOD, {CComVariant::UI4(totalQuestions)});
}

void CGameConsole::GameOver(const std::u16string& message)
{
    Invoke(DISPID_GAMECONSOLE_GAMEOVER, DISPATCH_METHOD, {AnsiText(message)});
}

SHORT CGameConsole::Percentage()
{
    CComVariant result;
    Invoke(DISPID_GAMECONSOLE_PERCENTAGE, DISPATCH_PROPERTYGET, {}, &result);
    CComVariant value;
    if (FAILED(VariantChangeType(&value, &result, 0, VT_I2))) throw CDispatchError(DISPID_GAMECONSOLE_PERCENTAGE, DISP_E_TYPEMISMATCH);
    return value.iVal;
}

void CGameConsole::EndQuiz() { Invoke(DISPID_GAMECONSOLE_ENDQUIZ, DISPATCH_METHOD, {}); }
