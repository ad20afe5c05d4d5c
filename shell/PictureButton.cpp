#include "PictureButton.h"

#include <QMouseEvent>

CPictureButton::CPictureButton(const QPixmap& bitmap, QWidget* parent) : QLabel(parent)
{
    setPixmap(bitmap);
    if (!bitmap.isNull()) resize(bitmap.size());
    setCursor(Qt::PointingHandCursor);
}

void CPictureButton::mousePressEvent(QMouseEvent* event)
{
    m_bPressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void CPictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clicked = m_bPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_bPressed = false;
    QLabel::mouseReleaseEvent(event);
    // Last: the handler may hide or replace the whole screen.
    if (clicked && m_onClick) m_onClick();
}
