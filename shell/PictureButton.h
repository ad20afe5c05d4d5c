#pragma once
// CPictureButton: a picture that works as a button. It shows its bitmap at
// the bitmap's own size, shows the hand cursor while the pointer is over it,
// and reports a click (press and release on it) to whoever made it.
#include <QLabel>

#include <functional>

class CPictureButton final : public QLabel {
public:
    CPictureButton(const QPixmap& bitmap, QWidget* parent);

    void SetOnClick(std::function<void()> onClick) { m_onClick = std::move(onClick); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<void()> m_onClick;
    bool m_bPressed = false;  // the left button went down on the picture
};
