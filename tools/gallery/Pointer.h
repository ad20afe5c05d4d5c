#pragma once
// The pointer as a player moves it, sent straight to a control's window: the
// gallery sets up its situations this way without a display server.
#include "ControlTree.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

// The pointer comes over the middle of `window` and, when asked, presses the
// left button; with `release` it lets go there too, which completes a click.
inline void Point(QWidget* window, bool press, bool release = false)
{
    const QPointF at(window->width() / 2.0, window->height() / 2.0);
    QEnterEvent enter(at, window->mapToGlobal(at), window->mapToGlobal(at));
    QCoreApplication::sendEvent(window, &enter);
    QMouseEvent move(QEvent::MouseMove, at, window->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &move);
    if (!press) return;
    QMouseEvent down(QEvent::MouseButtonPress, at, window->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(window, &down);
    if (!release) return;
    QMouseEvent up(QEvent::MouseButtonRelease, at, window->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(window, &up);
}

inline void Leave(QWidget* window)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(window, &leave);
}
