// The animation control's clip reader over arbitrary bytes. A clip it accepts
// has frames of the size it claims and a rate to play them at.
#include "ui/AnimateCtrl.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    AviClip clip;
    if (!ParseAviClip(data, size, clip)) return 0;
    if (clip.frames.empty() || clip.microsecondsPerFrame <= 0) std::abort();
    for (const QImage& frame : clip.frames)
        if (frame.width() != clip.width || frame.height() != clip.height) std::abort();
    return 0;
}
