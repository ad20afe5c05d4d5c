#pragma once
// Finding controls among windows as a player sees them: the window behind a
// control, the control behind a window, and the label of an answer, for the
// tests and the gallery, which drive the console through its pixels.
#include "Playdeck.h"
#include "com/ComPtr.h"
#include "ole/ControlWindow.h"
#include "ole/WindowedControl.h"

#include <QWidget>

#include <vector>

// The window of a windowed control, null when it has none.
inline QWidget* WindowOf(IUnknown* control)
{
    CComPtr<IWindowedControl> windowed;
    QWidget* window = nullptr;
    if (control && SUCCEEDED(control->QueryInterface(IID_IWindowedControl, reinterpret_cast<void**>(&windowed))))
        windowed->GetWindow(&window);
    return window;
}

// The control behind the child window of `parent` whose top left is
// `topLeft`, queried for riid; null when none.
template <typename T>
CComPtr<T> ChildControlAt(QWidget* parent, QPoint topLeft, REFIID riid)
{
    CComPtr<T> control;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->geometry().topLeft() == topLeft &&
            SUCCEEDED(CControlWindow::ControlOf(child, riid, reinterpret_cast<void**>(&control))))
            break;
    return control;
}

// Every control answering riid in the window tree below `window`.
template <typename T>
std::vector<CComPtr<T>> ControlsBelow(QWidget* window, REFIID riid)
{
    std::vector<CComPtr<T>> found;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        CComPtr<T> control;
        if (SUCCEEDED(CControlWindow::ControlOf(child, riid, reinterpret_cast<void**>(&control))))
            found.push_back(control);
    }
    return found;
}

// The label of the first option holding the answer, or of the first that
// does not; null when there is none.
inline QWidget* AnswerLabel(const std::vector<CComPtr<IOption>>& options, bool right)
{
    for (const auto& option : options) {
        SHORT isAnswer = 0;
        option->get_IsAnswer(&isAnswer);
        if ((isAnswer != 0) != right) continue;
        QWidget* window = WindowOf(option);
        return window ? window->findChildren<QWidget*>().value(0) : nullptr;
    }
    return nullptr;
}
