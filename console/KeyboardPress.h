#pragma once
// The keyboard inside the console. Only the console itself takes the
// keyboard focus; a key meant for one of its parts travels down the layout
// as a private message sent to that part's window and handled before the
// send returns. At the bottom the part runs its own left-press handler, so
// that a key does exactly what a click does, with the same guards (a
// disabled option or a dark lifeline ignores it) and the same events.
#include "ole/ControlWindow.h"

// A press from the keyboard. A leaf control does what a left press on it
// does; a composite hands it on to its part number wParam (the Challenge's
// answer slots 0..3, the LifelineManager's 0 for 50:50 and 1 for the
// Answer), and an Option to its label.
constexpr unsigned WM_KEYBOARD_PRESS = WM_USER + 0x100;

// Sends WM_KEYBOARD_PRESS for part `part` to the control window `window`;
// nothing without a window.
void SendKeyboardPress(QWidget* window, WPARAM part = 0);
