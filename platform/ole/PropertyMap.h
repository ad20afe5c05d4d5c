#pragma once
// The property map of a control: the properties it saves and loads, in the
// order the persistence stream holds them.
#include "com/Unknown.h"

#include <span>

enum class PropertyKind {
    Bool,     // 16-bit boolean, -1 or 0
    Colour,   // OLE_COLOR, 0x00BBGGRR
    Integer,  // 32-bit signed
    Text,     // BSTR
    Font,     // IFontDisp, or none
    Picture,  // IPictureDisp, or none
};

struct PROPERTYDESC {
    const char16_t* name;
    DISPID dispid;  // read and written through the control's own dispatch table
    PropertyKind kind;
};

using OLE_COLOR = DWORD;

// What a host asks a control for when it writes the control's initial data
// from text: the property map, by name, kind and order.
struct IControlPropertyMap : IUnknown {
    // The map stays valid while the control lives.
    virtual HRESULT GetPropertyMap(std::span<const PROPERTYDESC>* map) = 0;
};
constexpr IID IID_IControlPropertyMap = {0x6A0E3F53, 0x2C4B, 0x4E8D, {0x9F, 0x17, 0x3B, 0x52, 0xC8, 0x0D, 0x41, 0x6E}};
