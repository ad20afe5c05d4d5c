#include "AutomationServer.h"

#include "GameApp.h"
#include "com/ComPtr.h"
#include "com/ComRuntime.h"
#include "Brainwheel.h"
#include "thebrainwheelDlgAutoProxy.h"

CAutomationServer::CAutomationServer() : m_idleTimer(CWindowTimer::Create([this] { OnIdleTimeout(); })) {}

HRESULT CAutomationServer::Run()
{
    CComPtr<IUnknown> factory;
    if (const HRESULT hr = CthebrainwheelDlgAutoProxy::GetClassObject(IID_IUnknown, reinterpret_cast<void**>(&factory));
        FAILED(hr))
        return hr;
    DWORD cookie = 0;
    if (const HRESULT hr = CoRegisterClassObject(CLSID_thebrainwheel, factory, CLSCTX_LOCAL_SERVER,
                                                 REGCLS_MULTIPLEUSE, &cookie);
        FAILED(hr))
        return hr;
    m_idleTimer->Start(kIdleTimeoutMs);
    m_loop.exec();
    m_idleTimer->Stop();
    CoRevokeClassObject(cookie);
    return S_OK;
}

void CAutomationServer::OnReleaseAllObjects()
{
    m_loop.quit();
}

void CAutomationServer::OnIdleTimeout()
{
    // A client's LockServer(FALSE) tells nobody; it is seen here.
    if (CGameApp::Module().LockCount() == 0) m_loop.quit();
}
