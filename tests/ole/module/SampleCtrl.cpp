#include "SampleCtrl.h"

#include "OleTestModule.h"

#include <QPainter>

#include <new>
#include <stdexcept>

namespace {

constexpr unsigned WM_SAMPLE_RING = WM_USER + 1;

constexpr MEMBERDESC kMembers[] = {
    BRAINWHEEL_STOCK_MEMBERS(Enabled, DISPID_ENABLED),
    BRAINWHEEL_STOCK_MEMBERS(BackColor, DISPID_BACKCOLOR),
    {DISPID_SAMPLE_COUNT, u"Count", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_SAMPLE_COUNT, u"Count", INVOKE_PROPERTYPUT, 1, u""},
    BRAINWHEEL_STOCK_MEMBERS(Caption, DISPID_TEXT),
    BRAINWHEEL_STOCK_REF_MEMBERS(Font, DISPID_FONT),
    BRAINWHEEL_STOCK_REF_MEMBERS(Picture, DISPID_PICTURE),
    {DISPID_SAMPLE_RING, u"Ring", INVOKE_FUNC, 1, u""},
    {DISPID_SAMPLE_POSTRING, u"PostRing", INVOKE_FUNC, 1, u""},
    {DISPID_SAMPLE_MOUSELOG, u"MouseLog", INVOKE_PROPERTYGET, 0, u""},
};

constexpr PROPERTYDESC kProperties[] = {
    {u"Enabled", DISPID_SAMPLE_ENABLED, PropertyKind::Bool},
    {u"BackColor", DISPID_SAMPLE_BACKCOLOR, PropertyKind::Colour},
    {u"Count", DISPID_SAMPLE_COUNT, PropertyKind::Integer},
    {u"Caption", DISPID_SAMPLE_CAPTION, PropertyKind::Text},
    {u"Font", DISPID_SAMPLE_FONT, PropertyKind::Font},
    {u"Picture", DISPID_SAMPLE_PICTURE, PropertyKind::Picture},
};

const ControlClassInfo kClass = {CLSID_SampleCtrl, IID_ISampleCtrl, kMembers, &DIID__ISampleCtrlEvents,
                                 kProperties, g_module};

}  // namespace

HRESULT CSampleCtrl::Create(REFIID riid, void** object)
{
    return HandOutNewObject(new (std::nothrow) CSampleCtrl, riid, object);
}

CSampleCtrl::CSampleCtrl() : CControlBase(kClass) {}

HRESULT CSampleCtrl::InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call)
{
    switch (id) {
    case DISPID_SAMPLE_COUNT: {
        LONG value = 0;
        if (kind == INVOKE_PROPERTYGET) return call.ReturnLong(get_Count(&value), value);
        const HRESULT hr = call.Long(0, value);
        return FAILED(hr) ? hr : put_Count(value);
    }
    case DISPID_SAMPLE_RING:
    case DISPID_SAMPLE_POSTRING: {
        SHORT count = 0;
        const HRESULT hr = call.Short(0, count);
        if (FAILED(hr)) return hr;
        return id == DISPID_SAMPLE_RING ? Ring(count) : PostRing(count);
    }
    case DISPID_SAMPLE_MOUSELOG: {
        CComBSTR log;
        return call.ReturnText(get_MouseLog(&log), log);
    }
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CSampleCtrl::put_Count(LONG count)
{
    m_nCount = count;
    PropertyChanged();
    return S_OK;
}

HRESULT CSampleCtrl::get_Count(LONG* count)
{
    if (!count) return E_POINTER;
    *count = m_nCount;
    return S_OK;
}

void CSampleCtrl::OnCreate()
{
    if (m_nCount == kSampleFaultyCount) throw std::runtime_error("a faulty sample");
}

HRESULT CSampleCtrl::Ring(SHORT count)
{
    if (count == kSampleFaultyCount) throw std::runtime_error("a faulty ring");
    FireEvent(DISPID_SAMPLE_ONRING, {CComVariant::I2(count), CComVariant::I2(count % 2 == 0 ? 1 : 0)});
    return S_OK;
}

HRESULT CSampleCtrl::PostRing(SHORT count)
{
    return PostMessage(WM_SAMPLE_RING, static_cast<WPARAM>(count)) ? S_OK : E_FAIL;
}

HRESULT CSampleCtrl::get_MouseLog(BSTR* log)
{
    if (!log) return E_POINTER;
    *log = CComBSTR(m_mouseLog).Detach();
    return S_OK;
}

void CSampleCtrl::OnMessage(unsigned message, WPARAM wParam, LPARAM)
{
    if (message == WM_SAMPLE_RING) Ring(static_cast<SHORT>(wParam));
}

void CSampleCtrl::OnMouseEnter()
{
    m_mouseLog += u'E';
    SetCursorShape(Qt::PointingHandCursor);
    FireViewChange();
}

void CSampleCtrl::OnMouseLeave()
{
    m_mouseLog += u'L';
    FireViewChange();
}

void CSampleCtrl::OnLButtonDown(const QPoint&)
{
    m_mouseLog += u'D';
    SetCursorShape(Qt::ArrowCursor);
    // A click rings, as an answer label reports its click.
    Ring(static_cast<SHORT>(m_nCount));
}

void CSampleCtrl::OnStockPropertyChanged(DISPID id)
{
    // Disabled, the control drops its hover at once.
    if (id == DISPID_ENABLED && !Stock().enabled) EndHover();
}

void CSampleCtrl::OnDraw(QPainter& painter, const QRect& bounds)
{
    if (m_nCount == kSampleFaultyCount) throw std::runtime_error("a faulty paint");
    // Hovered, the fill shows the inverse of BackColor, so that a test sees
    // the hover on the pixels.
    painter.fillRect(bounds, ColourFromOle(IsHovered() ? Stock().backColor ^ 0xFFFFFF : Stock().backColor));
}
