#pragma once
// What a host sees of a control besides its dispatch interface: the control
// makes its window inside the host's window (in-place activation), closes it
// again (in-place deactivation), and tells the host's site when its data
// changed.
#include "com/Unknown.h"

class QRect;
class QWidget;

// The host's side of a hosted control.
struct IControlSite : IUnknown {
    // A persisted property of the control changed.
    virtual HRESULT OnDataChange() = 0;
};
constexpr IID IID_IControlSite = {0x6A0E3F51, 0x2C4B, 0x4E8D, {0x9F, 0x17, 0x3B, 0x52, 0xC8, 0x0D, 0x41, 0x6E}};

struct IWindowedControl : IUnknown {
    // Makes the control's window a child of `parent` at `rect` (pixels),
    // shown or hidden. E_UNEXPECTED when the control has a window already.
    virtual HRESULT CreateControlWindow(QWidget* parent, const QRect& rect, BOOL visible) = 0;
    // The control's window, or null when it has none. The window belongs to
    // the control: the caller may place, show and hide it, never delete it.
    virtual HRESULT GetWindow(QWidget** window) = 0;
    // Drops what the control holds for its window (child controls, their
    // event connections, the site) and deletes the window. S_OK also when
    // the control has no window.
    virtual HRESULT InPlaceDeactivate() = 0;
    // The site is held until deactivation; null forgets it.
    virtual HRESULT SetSite(IControlSite* site) = 0;
};
constexpr IID IID_IWindowedControl = {0x6A0E3F52, 0x2C4B, 0x4E8D, {0x9F, 0x17, 0x3B, 0x52, 0xC8, 0x0D, 0x41, 0x6E}};
