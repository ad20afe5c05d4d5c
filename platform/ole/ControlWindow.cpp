#include "ole/ControlWindow.h"

#include "com/ComPtr.h"
#include "ole/ControlBase.h"

#include <QPainter>
#include <QPaintEvent>

QEvent::Type CControlMessageEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

CControlWindow::CControlWindow(CControlBase* control, QWidget* parent) : QWidget(parent), m_control(control) {}

CControlWindow::~CControlWindow()
{
    // Reached with the control still attached only when the parent widget
    // deletes its children: the control must forget this window.
    if (CControlBase* control = std::exchange(m_control, nullptr)) control->WindowDestroyed();
}

namespace {

// Control windows handing an event to their control on this thread. Any of
// them may be a descendant of a window being destroyed, and Qt deletes
// descendants with their ancestor: while one is busy, nothing is deleted.
thread_local int t_nDispatching = 0;

}  // namespace

HRESULT CControlWindow::ControlOf(QWidget* window, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    const auto* controlWindow = dynamic_cast<CControlWindow*>(window);
    if (!controlWindow || !controlWindow->m_control) return E_NOINTERFACE;
    return controlWindow->m_control->ControllingUnknown()->QueryInterface(riid, object);
}

void CControlWindow::Destroy()
{
    m_control = nullptr;
    if (t_nDispatching == 0) {
        delete this;
        return;
    }
    // Out of its parent, so that the parent's own deletion does not take it
    // (and a busy descendant with it) before the event loop does.
    hide();
    setParent(nullptr);
    deleteLater();
}

bool CControlWindow::event(QEvent* event)
{
    if (!m_control) return QWidget::event(event);
    ++t_nDispatching;
    bool handled = false;
    {
        CComPtr<IUnknown> keepAlive(m_control->ControllingUnknown());
        handled = m_control->HandleWindowEvent(this, event);
    }
    --t_nDispatching;
    return handled || QWidget::event(event);
}
