#include "SampleComposite.h"

#include "OleTestModule.h"

#include <new>

namespace {

constexpr int kTemplateId = 400;
constexpr int kOuterTemplateId = 401;
constexpr int kFirstChild = 301;

constexpr MEMBERDESC kMembers[] = {
    {DISPID_COMPOSITE_INITCOUNT, u"InitCount", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_COMPOSITE_CHILD, u"GetChild", INVOKE_FUNC, 1, u""},
};

const ControlClassInfo kClass = {CLSID_SampleComposite, IID_ISampleComposite, kMembers,
                                 &DIID__ISampleCompositeEvents, {}, g_module};
const ControlClassInfo kOuterClass = {CLSID_SampleOuter, IID_ISampleComposite, kMembers,
                                      &DIID__ISampleCompositeEvents, {}, g_module};

}  // namespace

HRESULT CSampleComposite::Create(REFIID riid, void** object)
{
    return HandOutNewObject(new (std::nothrow) CSampleComposite(kClass, kTemplateId), riid, object);
}

HRESULT CSampleComposite::CreateOuter(REFIID riid, void** object)
{
    return HandOutNewObject(new (std::nothrow) CSampleComposite(kOuterClass, kOuterTemplateId), riid, object);
}

CSampleComposite::CSampleComposite(const ControlClassInfo& info, int templateId)
    : CCompositeControl(info, templateId)
{
}

HRESULT CSampleComposite::InvokeMember(DISPID id, INVOKEKIND, CDispatchCall& call)
{
    switch (id) {
    case DISPID_COMPOSITE_INITCOUNT: {
        LONG count = 0;
        return call.ReturnLong(get_InitCount(&count), count);
    }
    case DISPID_COMPOSITE_CHILD: {
        LONG child = 0;
        const HRESULT hr = call.Long(0, child);
        if (FAILED(hr)) return hr;
        CComPtr<IDispatch> found;
        return call.ReturnObject(GetChild(child, &found), found);
    }
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

bool CSampleComposite::OnInitDialog()
{
    ++m_nInitCount;
    if (FAILED(GetDlgControl(kFirstChild, IID_IDispatch, reinterpret_cast<void**>(&m_spFirst)))) return false;
    m_bFirstIsComposite = FAILED(AdviseChild(kFirstChild, DIID__ISampleCtrlEvents));
    return !m_bFirstIsComposite || SUCCEEDED(AdviseChild(kFirstChild, DIID__ISampleCompositeEvents));
}

void CSampleComposite::OnInPlaceDeactivate() { m_spFirst.Release(); }

HRESULT CSampleComposite::OnChildEvent(int id, DISPID event, CDispatchCall& call)
{
    // OnRing(count, even) of a sample control, OnChildRing(id, count) of an
    // inner composite: both have dispatch id 1.
    SHORT count = 0;
    if (event != DISPID_SAMPLE_ONRING || FAILED(call.Short(m_bFirstIsComposite ? 1 : 0, count))) return S_OK;
    FireEvent(DISPID_COMPOSITE_ONCHILDRING, {CComVariant::I2(static_cast<SHORT>(id)), CComVariant::I2(count)});
    return S_OK;
}

HRESULT CSampleComposite::get_InitCount(LONG* count)
{
    if (!count) return E_POINTER;
    *count = m_nInitCount;
    return S_OK;
}

HRESULT CSampleComposite::GetChild(LONG id, IDispatch** child)
{
    if (!child) return E_POINTER;
    const HRESULT hr = GetDlgControl(id, IID_IDispatch, reinterpret_cast<void**>(child));
    return hr == E_NOINTERFACE ? S_OK : hr;
}

HRESULT CSampleComposite::GetChildWindow(LONG id, QWidget** window)
{
    if (!window) return E_POINTER;
    *window = GetDlgItem(id);
    return S_OK;
}
