#pragma once
// CControlHost: one control hosted in a window. It creates the control by
// class identifier through the registry, feeds it its initial data (or
// starts it fresh), and activates it as a child window at a rectangle. The
// game program hosts its console this way, and the composite controls host
// their children with it. Closing (or destroying the host) deactivates the
// control in place and lets go of it.
#include "com/ComPtr.h"
#include "ole/WindowedControl.h"

#include <QRect>

#include <string>
#include <vector>

struct DialogItem;

class QWidget;

// "line <n>: control <id> could not be made (0x<hr>)", for the log of
// whoever hosts a template's controls.
std::string DescribeCreateFailure(const DialogItem& item, HRESULT hr);

class CControlHost {
public:
    CControlHost() = default;
    ~CControlHost() { Close(); }
    CControlHost(const CControlHost&) = delete;
    CControlHost& operator=(const CControlHost&) = delete;

    // `initData` is a control persistence stream, null for none. On failure
    // nothing is kept. E_UNEXPECTED while a control is hosted already.
    HRESULT Create(REFCLSID clsid, QWidget* parent, const QRect& rect, const std::vector<BYTE>* initData,
                   bool visible);
    // Creates the hosted control of a template item at `rect`: fed the
    // initial data written from its PROPS lines when it has any, else
    // `savedData` (null for none). Lines that cannot be applied are left
    // out and described in `faults`.
    HRESULT CreateFromItem(const DialogItem& item, QWidget* parent, const QRect& rect,
                           const std::vector<BYTE>* savedData, std::vector<std::string>& faults);
    // Hosts a control made elsewhere, as Create does from its first step on.
    HRESULT Attach(IUnknown* control, QWidget* parent, const QRect& rect, const std::vector<BYTE>* initData,
                   bool visible);
    void Close();

    HRESULT QueryControl(REFIID riid, void** object) const;
    IUnknown* Control() const { return m_control; }
    // The control's window, null when nothing is hosted.
    QWidget* Window() const;

private:
    CComPtr<IWindowedControl> m_control;
};
