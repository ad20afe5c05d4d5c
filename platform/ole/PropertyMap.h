#pragma once
// The property map of a control: the properties it saves and loads, in the
// order the persistence stream holds them.
#include "com/Unknown.h"

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
