#pragma once
// CStockProperties: the standard properties most controls share, known by
// their standard dispatch ids. A control declares the ones it has in its
// member table (and, where they persist, in its property map); the control
// base keeps their values here, answers their gets and puts, and follows
// every put with the same steps (dirty, the control's own reaction, redraw,
// data change). The rules are those of every control of ours:
// - BackColor, ForeColor: stored as given (OLE colours, 0x00BBGGRR);
// - Enabled: stored as given; a get answers -1 for nonzero, else 0;
// - MousePointer: stored only;
// - Text: a put copies the text (E_OUTOFMEMORY when it cannot), a get
//   answers a new copy;
// - Font: a put keeps a clone of the font, a putref shares it, null clears;
// - Picture: a put keeps a private copy, a putref shares it, null clears.
// Reference getters answer E_POINTER for a null out-pointer.
#include "com/ComPtr.h"
#include "ole/DispatchCall.h"
#include "ole/Font.h"
#include "ole/Picture.h"
#include "ole/PropertyMap.h"

#include <QColor>

constexpr DISPID DISPID_BACKCOLOR = -501;
constexpr DISPID DISPID_FONT = -512;
constexpr DISPID DISPID_FORECOLOR = -513;
constexpr DISPID DISPID_ENABLED = -514;
constexpr DISPID DISPID_TEXT = -517;
constexpr DISPID DISPID_MOUSEPOINTER = -521;
constexpr DISPID DISPID_PICTURE = -523;

class CStockProperties {
public:
    static bool IsStock(DISPID id);

    // A get of stock member `id`, answered into the call's result.
    HRESULT Get(DISPID id, CDispatchCall& call) const;
    // A put (or putref) of stock member `id` with the call's argument 0.
    HRESULT Put(DISPID id, bool byReference, const CDispatchCall& call);

    // Typed gets, for the slots of a control's dual interface.
    HRESULT GetColour(DISPID id, OLE_COLOR* value) const;
    HRESULT GetEnabled(VARIANT_BOOL* value) const;
    HRESULT GetMousePointer(LONG* value) const;
    HRESULT GetText(BSTR* value) const;
    HRESULT GetFont(IFontDisp** value) const;
    HRESULT GetPicture(IPictureDisp** value) const;

    OLE_COLOR backColor = 0;
    OLE_COLOR foreColor = 0;
    VARIANT_BOOL enabled = VARIANT_TRUE;
    LONG mousePointer = 0;
    CComBSTR text;
    CComPtr<IFontDisp> font;
    CComPtr<IPictureDisp> picture;
};

// A clone of `font` made through IFont::Clone; null for null or a font that
// cannot be cloned.
CComPtr<IFontDisp> CloneFont(IFontDisp* font);
// A private copy of `picture`; null for null or a picture that cannot be copied.
CComPtr<IPictureDisp> CopyPicture(IPictureDisp* picture);
// An OLE colour (0x00BBGGRR) as Qt's colour; the high byte is ignored.
QColor ColourFromOle(OLE_COLOR colour);

// The member table entries of the stock properties, for a control's table.
#define BRAINWHEEL_STOCK_MEMBERS(Name, id)                \
    {id, u## #Name, INVOKE_PROPERTYGET, 0, u""},          \
    {                                                     \
        id, u## #Name, INVOKE_PROPERTYPUT, 1, u""         \
    }
#define BRAINWHEEL_STOCK_REF_MEMBERS(Name, id)            \
    BRAINWHEEL_STOCK_MEMBERS(Name, id),                   \
    {                                                     \
        id, u## #Name, INVOKE_PROPERTYPUTREF, 1, u""      \
    }

// The slots of a control's dual interface for its stock properties, all
// answered by the control base (put_<Name>, get_<Name>, putref_<Name>).
#define BRAINWHEEL_STOCK_COLOUR(Name, id)                                                                   \
    HRESULT put_##Name(OLE_COLOR value) override { return PutStock(id, CComVariant::UI4(value), false); }  \
    HRESULT get_##Name(OLE_COLOR* value) override { return Stock().GetColour(id, value); }
#define BRAINWHEEL_STOCK_ENABLED(Name)                                                                      \
    HRESULT put_##Name(VARIANT_BOOL value) override                                                         \
    {                                                                                                       \
        return PutStock(DISPID_ENABLED, CComVariant::I2(value), false);                                     \
    }                                                                                                       \
    HRESULT get_##Name(VARIANT_BOOL* value) override { return Stock().GetEnabled(value); }
#define BRAINWHEEL_STOCK_MOUSEPOINTER(Name)                                                                 \
    HRESULT put_##Name(LONG value) override { return PutStock(DISPID_MOUSEPOINTER, CComVariant::I4(value), false); } \
    HRESULT get_##Name(LONG* value) override { return Stock().GetMousePointer(value); }
#define BRAINWHEEL_STOCK_TEXT(Name)                                                                         \
    HRESULT put_##Name(BSTR value) override                                                                 \
    {                                                                                                       \
        return PutStock(DISPID_TEXT, CComVariant::Text({value ? value : u"", SysStringLen(value)}), false); \
    }                                                                                                       \
    HRESULT get_##Name(BSTR* value) override { return Stock().GetText(value); }
#define BRAINWHEEL_STOCK_FONT(Name)                                                                         \
    HRESULT putref_##Name(IFontDisp* value) override                                                        \
    {                                                                                                       \
        return PutStock(DISPID_FONT, CComVariant::Object(value), true);                                     \
    }                                                                                                       \
    HRESULT put_##Name(IFontDisp* value) override { return PutStock(DISPID_FONT, CComVariant::Object(value), false); } \
    HRESULT get_##Name(IFontDisp** value) override { return Stock().GetFont(value); }
#define BRAINWHEEL_STOCK_PICTURE(Name)                                                                      \
    HRESULT putref_##Name(IPictureDisp* value) override                                                     \
    {                                                                                                       \
        return PutStock(DISPID_PICTURE, CComVariant::Object(value), true);                                  \
    }                                                                                                       \
    HRESULT put_##Name(IPictureDisp* value) override                                                        \
    {                                                                                                       \
        return PutStock(DISPID_PICTURE, CComVariant::Object(value), false);                                 \
    }                                                                                                       \
    HRESULT get_##Name(IPictureDisp** value) override { return Stock().GetPicture(value); }
