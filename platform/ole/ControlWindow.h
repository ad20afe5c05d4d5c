#pragma once
// CControlWindow: the window of a control. The control (a component object,
// counted by references) owns its window (a widget, owned by its parent
// widget in Qt's manner); the two lifetimes meet here:
// - the control deletes its window on in-place deactivation and on its last
//   Release;
// - a parent widget that deletes the window first tells the control, which
//   then deactivates without deleting the window a second time;
// - a window destroyed while any control window of the thread is handling
//   an event (a sink closed the whole console from inside an answer click,
//   deep in a chain of composites) is taken out of its parent and deleted
//   later, once the handling has returned.
// The window hands its paint events, posted messages and any other events to
// the control, holding a reference to the control while it does.
#include "com/Unknown.h"

#include <QEvent>
#include <QWidget>

class CControlBase;

using WPARAM = unsigned long;
using LPARAM = long;
constexpr unsigned WM_USER = 0x0400;

// A private window message posted to a control.
class CControlMessageEvent final : public QEvent {
public:
    static QEvent::Type EventType();

    CControlMessageEvent(unsigned message, WPARAM wParam, LPARAM lParam)
        : QEvent(EventType()), m_message(message), m_wParam(wParam), m_lParam(lParam)
    {
    }

    unsigned Message() const { return m_message; }
    WPARAM WParam() const { return m_wParam; }
    LPARAM LParam() const { return m_lParam; }

private:
    unsigned m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
};

class CControlWindow final : public QWidget {
public:
    // The control whose window `window` is, queried for riid: how a host or
    // a test finds the control behind a child window. E_NOINTERFACE for a
    // widget that is no control's window (or whose control let it go).
    static HRESULT ControlOf(QWidget* window, REFIID riid, void** object);

    CControlWindow(CControlBase* control, QWidget* parent);
    ~CControlWindow() override;

    // The control lets go of its window: nothing is reported to it any more
    // and the window is deleted, now or once its event handling returns.
    void Destroy();

protected:
    bool event(QEvent* event) override;

private:
    CControlBase* m_control;  // not counted: the control outlives its window or calls Destroy
};
