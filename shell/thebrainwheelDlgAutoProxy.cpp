#include "thebrainwheelDlgAutoProxy.h"

#include "GameApp.h"
#include "ShellMessages.h"
#include "com/ClassFactory.h"
#include "com/DispatchHelper.h"
#include "com/TypeInfo.h"
#include "thebrainwheelDlg.h"

#include <QCoreApplication>

#include <new>
#include <span>

namespace {

// What automation clients see: an interface with nothing on it.
const CDispatchHelper g_typeInfo(IID_Ithebrainwheel, std::span<const MEMBERDESC>());

// The console's events this object takes.
const MEMBERDESC kEventMembers[] = {
    {DISPID_GAMECONSOLE_ONANSWER, u"OnAnswered", INVOKE_FUNC, 1, u""},
    {DISPID_GAMECONSOLE_ONGAMEOVER, u"OnGameOver", INVOKE_FUNC, 1, u""},
};

} // namespace

HRESULT CthebrainwheelDlgAutoProxy::GetClassObject(REFIID riid, void** object)
{
    const auto create = [](REFIID created, void** result) {
        return HandOutNewObject(new (std::nothrow) CthebrainwheelDlgAutoProxy(), created, result);
    };
    return CClassFactory::Serve(CGameApp::Module(), create, riid, object);
}

CthebrainwheelDlgAutoProxy::CthebrainwheelDlgAutoProxy()
{
    CGameApp::LockApp();
    if (const CGameApp* app = CGameApp::Instance()) m_pDialog = app->m_pMainWnd;
}

CthebrainwheelDlgAutoProxy::CthebrainwheelDlgAutoProxy(CthebrainwheelDlg* dialog)
{
    CGameApp::LockApp();
    if (!dialog) return;
    if (CthebrainwheelDlgAutoProxy* previous = dialog->m_pAutoProxy) previous->Unbind();
    m_pDialog = dialog;
    dialog->m_pAutoProxy = this;
}

CthebrainwheelDlgAutoProxy::~CthebrainwheelDlgAutoProxy()
{
    Unbind();
    CGameApp::UnlockApp();
}

void CthebrainwheelDlgAutoProxy::Unbind()
{
    if (!m_pDialog) return;
    if (m_pDialog->m_pAutoProxy == this) m_pDialog->m_pAutoProxy = nullptr;
    m_pDialog = nullptr;
}

HRESULT CthebrainwheelDlgAutoProxy::GetTypeInfoCount(UINT* count)
{
    return g_typeInfo.GetTypeInfoCount(count);
}

HRESULT CthebrainwheelDlgAutoProxy::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info)
{
    return g_typeInfo.GetTypeInfo(index, lcid, info);
}

HRESULT CthebrainwheelDlgAutoProxy::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    return LookUpMemberNames(kEventMembers, names, count, ids);
}

HRESULT CthebrainwheelDlgAutoProxy::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                           EXCEPINFO*, UINT*)
{
    if (result) VariantInit(result);
    switch (member) {
    case DISPID_GAMECONSOLE_ONANSWER:
        Post(WM_QUIZ_ANSWERED, params);
        return S_OK;
    case DISPID_GAMECONSOLE_ONGAMEOVER:
        Post(WM_QUIZ_DONE, params);
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

void CthebrainwheelDlgAutoProxy::Post(unsigned message, const DISPPARAMS* params) const
{
    if (!m_pDialog) return;
    CComVariant value;
    if (FAILED(CDispatchHelper::GetArgument(params, 0, VT_I2, value))) return;
    // Widened with its sign, as a BOOL's -1 (VARIANT_TRUE) must stay true.
    const auto wParam = static_cast<WPARAM>(static_cast<long>(value.iVal));
    QCoreApplication::postEvent(m_pDialog, new CControlMessageEvent(message, wParam, 0));
}
