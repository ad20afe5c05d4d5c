#pragma once
// CSampleComposite: a composite laid out from template 400 of the module
// (or 401, as the outer composite). It listens to child 301 and reports
// each of its rings as OnChildRing.
#include "OleTestControls.h"

#include "ole/CompositeControl.h"

class CSampleComposite final : public CCompositeControl, public ISampleComposite {
    BRAINWHEEL_CONTROL_IMPL(ISampleComposite, IID_ISampleComposite)

public:
    static HRESULT Create(REFIID riid, void** object);
    static HRESULT CreateOuter(REFIID riid, void** object);

    HRESULT get_InitCount(LONG* count) override;
    HRESULT GetChild(LONG id, IDispatch** child) override;
    HRESULT GetChildWindow(LONG id, QWidget** window) override;

private:
    CSampleComposite(const ControlClassInfo& info, int templateId);
    ~CSampleComposite() override = default;

    HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) override;
    bool OnInitDialog() override;
    void OnInPlaceDeactivate() override;
    HRESULT OnChildEvent(int id, DISPID event, CDispatchCall& call) override;

    LONG m_nInitCount = 0;
    CComPtr<IDispatch> m_spFirst;  // child 301 while the layout lives
    bool m_bFirstIsComposite = false;
};
