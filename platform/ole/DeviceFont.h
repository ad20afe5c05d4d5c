#pragma once
// Turning a font object into the font the console's controls paint with, at
// a fixed 96 pixels per inch so that texts fit the skin's frames whatever the
// desktop's scaling.
#include "ole/Font.h"

#include <QFont>

#include <optional>

// The desktop's font quality byte, as the controls pass it.
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE NONANTIALIASED_QUALITY = 3;

// The device font for `font` (any object answering IFont): its size cut to
// whole points (9.75 pt counts as 9), then MulDiv(points, 96, 72) pixels of
// character height (Qt's pixel size, the desktop's negative height); its
// weight (0 meaning normal), italic, underline, strike-out and at most the
// first 31 characters of its face name. NONANTIALIASED_QUALITY turns
// antialiasing off, any other quality leaves the default. Empty without an
// IFont or below one whole point.
std::optional<QFont> RealizeFont(IUnknown* font, BYTE quality = DEFAULT_QUALITY);

// Makes `font` one point smaller, for a loop that shrinks a text until it
// fits. False, leaving the font as it was, when it has no IFont or would
// drop below one whole point, so such a loop always ends.
bool ShrinkFont(IUnknown* font);
