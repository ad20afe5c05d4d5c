#include "SampleCtrl.h"

#include "OleTestModule.h"

#include <QPainter>

#include <new>

namespace {

constexpr unsigned WM_SAMPLE_RING = WM_USER + 1;

constexpr MEMBERDESC kMembers[] = {
    {DISPID_SAMPLE_ENABLED, u"Enabled", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_SAMPLE_ENABLED, u"Enabled", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_SAMPLE_BACKCOLOR, u"BackColor", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_SAMPLE_BACKCOLOR, u"BackColor", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_SAMPLE_COUNT, u"Count", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_SAMPLE_COUNT, u"Count", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_SAMPLE_CAPTION, u"Caption", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_SAMPLE_CAPTION, u"Caption", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_SAMPLE_FONT, u"Font", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_SAMPLE_FONT, u"Font", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_SAMPLE_FONT, u"Font", INVOKE_PROPERTYPUTREF, 1, u""},
    {DISPID_SAMPLE_PICTURE, u"Picture", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_SAMPLE_PICTURE, u"Picture", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_SAMPLE_PICTURE, u"Picture", INVOKE_PROPERTYPUTREF, 1, u""},
    {DISPID_SAMPLE_RING, u"Ring", INVOKE_FUNC, 1, u""},
    {DISPID_SAMPLE_POSTRING, u"PostRing", INVOKE_FUNC, 1, u""},
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
    const bool get = kind == INVOKE_PROPERTYGET;
    HRESULT hr = S_OK;
    switch (id) {
    case DISPID_SAMPLE_ENABLED: {
        VARIANT_BOOL value = 0;
        if (get) return call.ReturnBool(get_Enabled(&value), value);
        hr = call.Short(0, value);
        return FAILED(hr) ? hr : put_Enabled(value);
    }
    case DISPID_SAMPLE_BACKCOLOR: {
        OLE_COLOR value = 0;
        if (get) return call.ReturnColour(get_BackColor(&value), value);
        hr = call.Colour(0, value);
        return FAILED(hr) ? hr : put_BackColor(value);
    }
    case DISPID_SAMPLE_COUNT: {
        LONG value = 0;
        if (get) return call.ReturnLong(get_Count(&value), value);
        hr = call.Long(0, value);
        return FAILED(hr) ? hr : put_Count(value);
    }
    case DISPID_SAMPLE_CAPTION: {
        CComBSTR value;
        if (get) return call.ReturnText(get_Caption(&value), value);
        hr = call.Text(0, value);
        return FAILED(hr) ? hr : put_Caption(value);
    }
    case DISPID_SAMPLE_FONT: {
        CComPtr<IFontDisp> font;
        if (get) return call.ReturnObject(get_Font(&font), font);
        CComPtr<IDispatch> value;
        hr = call.Object(0, value);
        if (SUCCEEDED(hr) && value) hr = value.QueryInterface(IID_IFontDisp, &font);
        if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
        return kind == INVOKE_PROPERTYPUTREF ? putref_Font(font) : put_Font(font);
    }
    case DISPID_SAMPLE_PICTURE: {
        CComPtr<IPictureDisp> picture;
        if (get) return call.ReturnObject(get_Picture(&picture), picture);
        CComPtr<IDispatch> value;
        hr = call.Object(0, value);
        if (SUCCEEDED(hr) && value) hr = value.QueryInterface(IID_IPictureDisp, &picture);
        if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
        return kind == INVOKE_PROPERTYPUTREF ? putref_Picture(picture) : put_Picture(picture);
    }
    case DISPID_SAMPLE_RING:
    case DISPID_SAMPLE_POSTRING: {
        SHORT count = 0;
        hr = call.Short(0, count);
        if (FAILED(hr)) return hr;
        return id == DISPID_SAMPLE_RING ? Ring(count) : PostRing(count);
    }
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

void CSampleCtrl::PropertyChanged()
{
    SetDirty();
    FireViewChange();
    SendOnDataChange();
}

HRESULT CSampleCtrl::put_Enabled(VARIANT_BOOL enabled)
{
    m_bEnabled = enabled ? VARIANT_TRUE : VARIANT_FALSE;
    PropertyChanged();
    return S_OK;
}

HRESULT CSampleCtrl::get_Enabled(VARIANT_BOOL* enabled)
{
    if (!enabled) return E_POINTER;
    *enabled = m_bEnabled;
    return S_OK;
}

HRESULT CSampleCtrl::put_BackColor(OLE_COLOR colour)
{
    m_clrBack = colour;
    PropertyChanged();
    return S_OK;
}

HRESULT CSampleCtrl::get_BackColor(OLE_COLOR* colour)
{
    if (!colour) return E_POINTER;
    *colour = m_clrBack;
    return S_OK;
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

HRESULT CSampleCtrl::put_Caption(BSTR caption)
{
    m_bstrCaption = CComBSTR(std::u16string_view(caption ? caption : u"", SysStringLen(caption)));
    PropertyChanged();
    return S_OK;
}

HRESULT CSampleCtrl::get_Caption(BSTR* caption)
{
    if (!caption) return E_POINTER;
    *caption = m_bstrCaption.Copy();
    return S_OK;
}

HRESULT CSampleCtrl::putref_Font(IFontDisp* font)
{
    m_spFont = font;
    PropertyChanged();
    return S_OK;
}

HRESULT CSampleCtrl::put_Font(IFontDisp* font)
{
    CComPtr<IFontDisp> clone;
    CComPtr<IFont> source;
    if (font && SUCCEEDED(font->QueryInterface(IID_IFont, reinterpret_cast<void**>(&source)))) {
        CComPtr<IFont> copy;
        if (SUCCEEDED(source->Clone(&copy))) copy.QueryInterface(IID_IFontDisp, &clone);
    }
    return putref_Font(clone);
}

HRESULT CSampleCtrl::get_Font(IFontDisp** font) { return m_spFont.CopyTo(font); }

HRESULT CSampleCtrl::putref_Picture(IPictureDisp* picture)
{
    m_spPicture = picture;
    PropertyChanged();
    return S_OK;
}

HRESULT CSampleCtrl::put_Picture(IPictureDisp* picture)
{
    CComPtr<IPictureDisp> copy;
    OleCopyPicture(picture, IID_IPictureDisp, reinterpret_cast<void**>(&copy));
    return putref_Picture(copy);
}

HRESULT CSampleCtrl::get_Picture(IPictureDisp** picture) { return m_spPicture.CopyTo(picture); }

HRESULT CSampleCtrl::Ring(SHORT count)
{
    FireEvent(DISPID_SAMPLE_ONRING, {CComVariant::I2(count), CComVariant::I2(count % 2 == 0 ? 1 : 0)});
    return S_OK;
}

HRESULT CSampleCtrl::PostRing(SHORT count)
{
    return PostMessage(WM_SAMPLE_RING, static_cast<WPARAM>(count)) ? S_OK : E_FAIL;
}

void CSampleCtrl::OnMessage(unsigned message, WPARAM wParam, LPARAM)
{
    if (message == WM_SAMPLE_RING) Ring(static_cast<SHORT>(wParam));
}

void CSampleCtrl::OnDraw(QPainter& painter, const QRect& bounds)
{
    painter.fillRect(bounds, QColor(m_clrBack & 0xFF, (m_clrBack >> 8) & 0xFF, (m_clrBack >> 16) & 0xFF));
}
