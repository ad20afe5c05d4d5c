#pragma once
// CAnimateCtrl: the animation control ("SysAnimate32"). It opens an AVI clip
// with one uncompressed 24-bit video stream from a module's "AVI" resources
// and shows one frame of it, or plays a run of frames once at the clip's own
// rate. It never loops and never starts by itself.
#include "ui/Resources.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <vector>

class CWindowTimer;

// A decoded clip: its frames, top row first, and its rate.
struct AviClip {
    int width = 0;
    int height = 0;
    int microsecondsPerFrame = 0;
    std::vector<QImage> frames;
};

// A clip's frames found in its bytes but not decoded: what the control
// keeps, so that a hidden console costs neither the time nor the memory of
// every frame. It points into the bytes, which must outlive it (a module's
// resource does, while the module is loaded).
struct AviFrames {
    int width = 0;
    int height = 0;
    int microsecondsPerFrame = 0;
    std::size_t stride = 0;                   // bytes per row, padded to four
    std::vector<const unsigned char*> frames;  // each frame's bottom row first
};

// Reads a RIFF AVI with one uncompressed 24-bit (BI_RGB, bottom-up) video
// stream; false for anything else or anything damaged.
bool ParseAviClip(const unsigned char* data, std::size_t size, AviClip& clip);
// The same checks, finding the frames without decoding them.
bool IndexAviClip(const unsigned char* data, std::size_t size, AviFrames& clip);
// Frame `index` of an indexed clip, top row first; null when the index is
// out of range or the picture cannot be allocated.
QImage DecodeAviFrame(const AviFrames& clip, int index);

class CAnimateCtrl : public QWidget {
public:
    explicit CAnimateCtrl(QWidget* parent = nullptr);
    ~CAnimateCtrl() override;

    // ACM_OPEN: loads clip `id` from the module, takes its size (the top-left
    // stays) and shows its first frame; false, with the size left as it was,
    // when the module has no such clip or it can't be read.
    bool Open(HMODULE module, int id);
    // ACM_PLAY: from == to shows that frame; from < to plays the frames once
    // at the clip's rate; from > to shows `from`. `repeat` other than 1 is
    // taken as 1: nothing loops. False, with the display left as it was, when
    // no clip is open or either frame lies outside the clip.
    bool Play(unsigned repeat, int from, int to);
    // ACM_STOP: stops a run where it stands.
    void Stop();

    bool IsOpen() const { return !m_clip.frames.empty(); }
    int FrameCount() const { return static_cast<int>(m_clip.frames.size()); }
    // The frame on display, -1 before any.
    int CurrentFrame() const { return m_nFrame; }
    bool IsPlaying() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowFrame(int frame);
    void Advance();

    AviFrames m_clip;
    QImage m_shown;  // m_nFrame decoded, once painted
    int m_nShown = -1;
    int m_nFrame = -1;
    int m_nLastFrame = -1;
    std::unique_ptr<CWindowTimer> m_timer;
};
