#pragma once
// The keys a player may use inside the console instead of the mouse: A to D
// and 1 to 4 press the answer at that place, F the 50:50 and R the Answer.
#include "ole/ControlWindow.h"

#include <optional>

class QKeyEvent;

// What a console key presses: a part of one of the console's two button rows.
struct ConsoleKeyTarget {
    enum Row { Answers, Lifelines };
    Row row;
    WPARAM part;  // the answer slot 0..3, or 0 for 50:50 and 1 for the Answer
};

// The part the key `press` stands for, or none when it is not a console key.
// Shift and the keypad are allowed; any other modifier makes a shortcut
// that belongs to someone else.
std::optional<ConsoleKeyTarget> FindConsoleKey(const QKeyEvent& press);
