#pragma once
// Painting a region of the console's shared skin: how the text controls and
// the lifeline buttons draw their backgrounds.
#include "ole/Picture.h"

class QPainter;

// Paints the region of `skin` that lies under a control into the control's
// painter, at the skin's natural pixel size: `x` is the control's left edge
// in pixels from the skin's left edge, `y` its top edge in pixels above the
// skin's bottom edge, so that pixel (i, j) shows skin pixel
// (x + i, height - y + j). The painter's device, the control's window or
// buffer, clips it. A null skin paints nothing.
void PaintSkinRegion(QPainter& painter, IPictureDisp* skin, int x, int y);
