#pragma once
// CInitialProperties: the initial data of a hosted control, written from the
// PROPS lines of its template item. The control, freshly made, is started
// with InitNew and asked for its property map; every property of the map
// keeps the control's own default unless a line names it, and the values
// are written with CControlStream as a saved control would hold them, so
// that loading them is the control's ordinary Load. Values by kind:
//   Bool     TRUE, FALSE or a number (nonzero is true)
//   Colour   a number, 0x00BBGGRR, decimal or hexadecimal after 0x
//   Integer  a signed 32-bit number, decimal or hexadecimal after 0x
//   Text     one word, usually in double quotes; NONE unquoted for no text
//   Font     "<face>" <points> [<weight> [<charset>]] [ITALIC] [UNDERLINE]
//            [STRIKEOUT], or NONE
//   Picture  NONE (pictures are handed to controls at run time)
// A line that names no property of the map, or whose value does not suit
// the kind, is left out and reported with its line number.
#include "ole/DialogTemplate.h"
#include "ole/PropertyMap.h"

#include <string>
#include <vector>

struct IUnknown;

class CInitialProperties {
public:
    // The persistence stream for `control` from `item`'s lines; the extent
    // is PROPS Extent, else the item's size in pixels as HIMETRIC. Faults of
    // single lines go to `faults` ("line 7: ...") without failing the call.
    static HRESULT Write(IUnknown* control, const DialogItem& item, std::vector<BYTE>& stream,
                         std::vector<std::string>& faults);
};
