#include "KeyboardPress.h"

#include <QCoreApplication>

void SendKeyboardPress(QWidget* window, WPARAM part)
{
    if (!window) return;
    // Sent, not posted: a message still queued would outlive the question it
    // was meant for, and the part's window holds its control while it runs.
    CControlMessageEvent press(WM_KEYBOARD_PRESS, part, 0);
    QCoreApplication::sendEvent(window, &press);
}
