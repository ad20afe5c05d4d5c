#pragma once
// Painting pictures into controls: a region of the console's shared skin,
// as the text controls and the lifeline buttons draw their backgrounds, and
// whole pictures, as the console's centre box and the lit buttons show them.
#include "ole/Picture.h"

#include <QRect>
#include <QSize>

class QPainter;

// Paints the region of `skin` that lies under a control into the control's
// painter, at the skin's natural pixel size: `x` is the control's left edge
// in pixels from the skin's left edge, `y` its top edge in pixels above the
// skin's bottom edge, so that pixel (i, j) shows skin pixel
// (x + i, height - y + j). The painter's device, the control's window or
// buffer, clips it. A null skin paints nothing.
void PaintSkinRegion(QPainter& painter, IPictureDisp* skin, int x, int y);

// The natural size of `picture` in pixels (its HIMETRIC size at 96 pixels
// per inch); empty for none.
QSize PictureSize(IPictureDisp* picture);

// Paints the whole of `picture` into `target`, scaled to fit it exactly. A
// null picture paints nothing.
void PaintPicture(QPainter& painter, IPictureDisp* picture, const QRect& target);
