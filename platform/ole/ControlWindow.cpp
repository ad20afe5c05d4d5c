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

void CControlWindow::Destroy()
{
    m_control = nullptr;
    if (m_nDispatching == 0) {
        delete this;
        return;
    }
    hide();
    deleteLater();
}

bool CControlWindow::event(QEvent* event)
{
    if (!m_control) return QWidget::event(event);
    ++m_nDispatching;
    bool handled = false;
    {
        CComPtr<IUnknown> keepAlive(m_control->ControllingUnknown());
        handled = m_control->HandleWindowEvent(this, event);
    }
    --m_nDispatching;
    return handled || QWidget::event(event);
}
