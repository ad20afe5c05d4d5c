#pragma once
// CthebrainwheelDlgAutoProxy: the program's automation object
// (thebrainwheel.Application, Ithebrainwheel, no members) and, inside the
// program, the sink of the console's events, which it hands on to the game's
// window as posted messages (WM_QUIZ_ANSWERED, WM_QUIZ_DONE). It holds a lock
// on the application while it lives.
#include "com/UnknownImpl.h"
#include "Brainwheel.h"
#include "Playdeck.h"

#include <QPointer>

class CthebrainwheelDlg;

class CthebrainwheelDlgAutoProxy final : public Ithebrainwheel {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_Ithebrainwheel, static_cast<Ithebrainwheel*>(this)},
                             {&IID_IDispatch, static_cast<IDispatch*>(this)},
                             {&DIID__IGameConsoleEvents, static_cast<IDispatch*>(this)})

public:
    // The class object, counting against CGameApp::Module(); it makes
    // proxies as the constructor without arguments does.
    static HRESULT GetClassObject(REFIID riid, void** object);

    // The class object's, handing the caller the one reference: posts to
    // the application's main window when there is one, else to nobody. It is
    // not the window's own sink, so the window's m_pAutoProxy (and the
    // reference the window holds through it) is left alone.
    CthebrainwheelDlgAutoProxy();
    // The window's own sink, handing the caller the one reference: bound to
    // `dialog`, which takes it as its m_pAutoProxy; a proxy the window had
    // before is unbound.
    explicit CthebrainwheelDlgAutoProxy(CthebrainwheelDlg* dialog);

    // Lets go of the window, and the window of this proxy, when it is the
    // window's m_pAutoProxy: nothing more is posted to it. For the window to
    // call before it releases its sink, which the console may still hold.
    void Unbind();

    // One type description: Ithebrainwheel, with no members.
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    // The console's events, without regard to case: "OnAnswered" (1) and
    // "OnGameOver" (2).
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    // OnAnswered(BOOL) posts WM_QUIZ_ANSWERED and OnGameOver(short) posts
    // WM_QUIZ_DONE to the window, wParam the argument as a signed 16-bit
    // number, lParam 0. S_OK whether or not anything is posted;
    // DISP_E_MEMBERNOTFOUND for other ids.
    HRESULT Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override;

    // The window events go to, not owned; null when unbound, and by itself
    // once the window is destroyed.
    QPointer<CthebrainwheelDlg> m_pDialog;

private:
    ~CthebrainwheelDlgAutoProxy();

    // Posts `message` with the first argument when it reads as a short.
    void Post(unsigned message, const DISPPARAMS* params) const;
};
