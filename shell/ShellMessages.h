#pragma once
// The private messages the game's windows post to one another, carried by
// CControlMessageEvent.
#include "ole/ControlWindow.h"

// A quiz book was picked from the list of books.
constexpr unsigned WM_QUIZ_BOOK_CHOSEN = WM_USER + 1;
// A quiz file was picked with the file dialog.
constexpr unsigned WM_QUIZ_XML_CHOSEN = WM_USER + 2;
// The console's OnGameOver: wParam is the final score.
constexpr unsigned WM_QUIZ_DONE = WM_USER + 4;
// The console's OnAnswer: wParam is non-zero for a right answer.
constexpr unsigned WM_QUIZ_ANSWERED = WM_USER + 5;
