#include "ole/StockProperties.h"

namespace {

// Stores the object argument of a put in `slot`: shared when `copy` is
// null, else a copy made by it. Anything but `iid` or none is refused.
template <typename T>
HRESULT PutObject(const CDispatchCall& call, REFIID iid, CComPtr<T> (*copy)(T*), CComPtr<T>& slot)
{
    CComPtr<IDispatch> value;
    CComPtr<T> given;
    HRESULT hr = call.Object(0, value);
    if (SUCCEEDED(hr) && value) hr = value.QueryInterface(iid, &given);
    if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
    slot = copy ? copy(given) : given;
    return S_OK;
}

}  // namespace

bool CStockProperties::IsStock(DISPID id)
{
    switch (id) {
    case DISPID_BACKCOLOR:
    case DISPID_FONT:
    case DISPID_FORECOLOR:
    case DISPID_ENABLED:
    case DISPID_TEXT:
    case DISPID_MOUSEPOINTER:
    case DISPID_PICTURE: return true;
    default: return false;
    }
}

HRESULT CStockProperties::Get(DISPID id, CDispatchCall& call) const
{
    switch (id) {
    case DISPID_BACKCOLOR: return call.ReturnColour(S_OK, backColor);
    case DISPID_FORECOLOR: return call.ReturnColour(S_OK, foreColor);
    case DISPID_ENABLED: return call.ReturnBool(S_OK, enabled ? VARIANT_TRUE : VARIANT_FALSE);
    case DISPID_MOUSEPOINTER: return call.ReturnLong(S_OK, mousePointer);
    case DISPID_TEXT: return call.ReturnText(S_OK, text);
    case DISPID_FONT: return call.ReturnObject(S_OK, font);
    case DISPID_PICTURE: return call.ReturnObject(S_OK, picture);
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CStockProperties::Put(DISPID id, bool byReference, const CDispatchCall& call)
{
    switch (id) {
    case DISPID_BACKCOLOR: return call.Colour(0, backColor);
    case DISPID_FORECOLOR: return call.Colour(0, foreColor);
    case DISPID_ENABLED: return call.Short(0, enabled);
    case DISPID_MOUSEPOINTER: return call.Long(0, mousePointer);
    case DISPID_TEXT: {
        CComBSTR value;
        const HRESULT hr = call.Text(0, value);
        if (FAILED(hr)) return hr;
        text = std::move(value);
        return S_OK;
    }
    case DISPID_FONT: return PutObject(call, IID_IFontDisp, byReference ? nullptr : CloneFont, font);
    case DISPID_PICTURE: return PutObject(call, IID_IPictureDisp, byReference ? nullptr : CopyPicture, picture);
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CStockProperties::GetColour(DISPID id, OLE_COLOR* value) const
{
    return ReturnValue(value, id == DISPID_FORECOLOR ? foreColor : backColor);
}

HRESULT CStockProperties::GetEnabled(VARIANT_BOOL* value) const
{
    return ReturnValue(value, enabled ? VARIANT_TRUE : VARIANT_FALSE);
}

HRESULT CStockProperties::GetMousePointer(LONG* value) const { return ReturnValue(value, mousePointer); }

HRESULT CStockProperties::GetText(BSTR* value) const
{
    if (!value) return E_POINTER;
    *value = text.Copy();
    return *value || text.IsEmpty() ? S_OK : E_OUTOFMEMORY;
}

HRESULT CStockProperties::GetFont(IFontDisp** value) const { return font.CopyTo(value); }

HRESULT CStockProperties::GetPicture(IPictureDisp** value) const { return picture.CopyTo(value); }

CComPtr<IFontDisp> CloneFont(IFontDisp* font)
{
    CComPtr<IFontDisp> clone;
    CComPtr<IFont> source;
    if (!font || FAILED(font->QueryInterface(IID_IFont, reinterpret_cast<void**>(&source)))) return clone;
    CComPtr<IFont> copy;
    if (SUCCEEDED(source->Clone(&copy))) copy.QueryInterface(IID_IFontDisp, &clone);
    return clone;
}

CComPtr<IPictureDisp> CopyPicture(IPictureDisp* picture)
{
    CComPtr<IPictureDisp> copy;
    if (picture) OleCopyPicture(picture, IID_IPictureDisp, reinterpret_cast<void**>(&copy));
    return copy;
}

QColor ColourFromOle(OLE_COLOR colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}
