#include "ui/AnimateCtrl.h"

#include "ui/WindowTimer.h"

#include <QPainter>

#include <cstdint>
#include <cstring>
#include <new>
#include <optional>

namespace {

// A chunk of a RIFF file: its four-character code and where its payload lies.
// For a "RIFF" or "LIST" chunk `kind` is the list type and the payload starts
// after it.
struct Chunk {
    char id[4];
    char kind[4];
    std::size_t begin;
    std::size_t end;
};

std::uint32_t ReadU32(const unsigned char* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t ReadU16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

bool Is(const char (&code)[4], const char* expected)
{
    return std::memcmp(code, expected, 4) == 0;
}

// Walks the chunks between two offsets. Every size is checked against the
// parent before it is believed, so a damaged or lying file ends the walk with
// an error instead of a read past the data.
class CChunkReader {
public:
    CChunkReader(const unsigned char* data, std::size_t begin, std::size_t end) : m_data(data), m_pos(begin), m_end(end)
    {
    }

    // The next chunk, or nothing at the end; `m_bad` tells a damaged one.
    std::optional<Chunk> Next()
    {
        if (m_bad || m_end - m_pos < 8) return std::nullopt;
        Chunk chunk{};
        std::memcpy(chunk.id, m_data + m_pos, 4);
        const std::uint64_t size = ReadU32(m_data + m_pos + 4);
        chunk.begin = m_pos + 8;
        if (size > m_end - chunk.begin) {
            m_bad = true;
            return std::nullopt;
        }
        chunk.end = chunk.begin + static_cast<std::size_t>(size);
        // Chunks start on even offsets; the pad byte of the last one may be
        // missing.
        m_pos = std::min(m_end, chunk.end + (size & 1));
        if (Is(chunk.id, "RIFF") || Is(chunk.id, "LIST")) {
            if (size < 4) {
                m_bad = true;
                return std::nullopt;
            }
            std::memcpy(chunk.kind, m_data + chunk.begin, 4);
            chunk.begin += 4;
        }
        return chunk;
    }
    bool Bad() const { return m_bad; }

private:
    const unsigned char* m_data;
    std::size_t m_pos;
    std::size_t m_end;
    bool m_bad = false;
};

struct VideoFormat {
    int width = 0;
    int height = 0;
    int microsecondsPerFrame = 0;
};

// The first stream list must describe the video, so that its frames are the
// '00db'/'00dc' chunks of stream 0.
bool ReadStreamList(const unsigned char* data, const Chunk& strl, VideoFormat& format)
{
    CChunkReader reader(data, strl.begin, strl.end);
    bool haveHeader = false, haveFormat = false;
    while (const auto chunk = reader.Next()) {
        const std::size_t size = chunk->end - chunk->begin;
        const unsigned char* p = data + chunk->begin;
        if (Is(chunk->id, "strh")) {
            if (size < 36 || std::memcmp(p, "vids", 4) != 0) return false;
            const std::uint32_t scale = ReadU32(p + 20), rate = ReadU32(p + 24);
            if (format.microsecondsPerFrame == 0 && scale != 0 && rate != 0) {
                const std::uint64_t micros = std::uint64_t{scale} * 1000000u / rate;
                if (micros == 0 || micros > 60000000u) return false;
                format.microsecondsPerFrame = static_cast<int>(micros);
            }
            haveHeader = true;
        } else if (Is(chunk->id, "strf")) {
            // BITMAPINFOHEADER: a positive height means rows bottom-up.
            if (size < 40 || ReadU32(p) < 40) return false;
            const std::int32_t width = static_cast<std::int32_t>(ReadU32(p + 4));
            const std::int32_t height = static_cast<std::int32_t>(ReadU32(p + 8));
            const std::uint16_t planes = ReadU16(p + 12), bits = ReadU16(p + 14);
            const std::uint32_t compression = ReadU32(p + 16);
            if (planes != 1 || bits != 24 || compression != 0) return false;
            if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return false;
            format.width = width;
            format.height = height;
            haveFormat = true;
        }
    }
    return !reader.Bad() && haveHeader && haveFormat;
}

bool ReadHeaderList(const unsigned char* data, const Chunk& hdrl, VideoFormat& format)
{
    CChunkReader reader(data, hdrl.begin, hdrl.end);
    bool haveMain = false;
    while (const auto chunk = reader.Next()) {
        if (Is(chunk->id, "avih")) {
            if (chunk->end - chunk->begin < 56) return false;
            const std::uint32_t micros = ReadU32(data + chunk->begin);
            if (micros > 60000000u) return false;
            format.microsecondsPerFrame = static_cast<int>(micros);
            haveMain = true;
        } else if (Is(chunk->id, "LIST") && Is(chunk->kind, "strl")) {
            // Only the first stream counts; a clip of ours has no other.
            return haveMain && ReadStreamList(data, *chunk, format);
        }
    }
    return false;
}

// One bottom-up BI_RGB frame, rows padded to four bytes.
QImage DecodeFrame(const unsigned char* pixels, int width, int height, std::size_t stride)
{
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = pixels + stride * static_cast<std::size_t>(height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, row += 3) out[x] = qRgb(row[2], row[1], row[0]);
    }
    return image;
}

bool FindFrames(const unsigned char* data, const Chunk& movi, AviFrames& clip)
{
    const std::size_t frameBytes = clip.stride * static_cast<std::size_t>(clip.height);
    CChunkReader reader(data, movi.begin, movi.end);
    while (const auto chunk = reader.Next()) {
        if (!Is(chunk->id, "00db") && !Is(chunk->id, "00dc")) continue;
        const std::size_t size = chunk->end - chunk->begin;
        // An empty frame chunk repeats the frame before it.
        if (size == 0 && !clip.frames.empty()) {
            clip.frames.push_back(clip.frames.back());
            continue;
        }
        // A frame counts only once its bytes are known to be there, so a
        // header claiming a huge picture costs nothing.
        if (size < frameBytes) return false;
        clip.frames.push_back(data + chunk->begin);
    }
    return !reader.Bad() && !clip.frames.empty();
}

bool ReadClip(const unsigned char* data, std::size_t size, AviFrames& clip)
{
    CChunkReader file(data, 0, size);
    const auto riff = file.Next();
    if (!riff || !Is(riff->id, "RIFF") || !Is(riff->kind, "AVI ")) return false;

    VideoFormat format;
    bool haveHeader = false;
    AviFrames found;
    CChunkReader top(data, riff->begin, riff->end);
    while (const auto chunk = top.Next()) {
        if (!Is(chunk->id, "LIST")) continue;
        if (Is(chunk->kind, "hdrl")) {
            if (!ReadHeaderList(data, *chunk, format)) return false;
            haveHeader = true;
            found.width = format.width;
            found.height = format.height;
            found.stride = (static_cast<std::size_t>(format.width) * 3 + 3) & ~std::size_t{3};
        } else if (Is(chunk->kind, "movi")) {
            if (!haveHeader || !FindFrames(data, *chunk, found)) return false;
        }
    }
    if (top.Bad() || found.frames.empty() || format.microsecondsPerFrame <= 0) return false;
    found.microsecondsPerFrame = format.microsecondsPerFrame;
    clip = std::move(found);
    return true;
}

} // namespace

bool IndexAviClip(const unsigned char* data, std::size_t size, AviFrames& clip)
{
    if (!data) return false;
    try {
        return ReadClip(data, size, clip);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

QImage DecodeAviFrame(const AviFrames& clip, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= clip.frames.size()) return {};
    return DecodeFrame(clip.frames[static_cast<std::size_t>(index)], clip.width, clip.height, clip.stride);
}

bool ParseAviClip(const unsigned char* data, std::size_t size, AviClip& clip)
{
    AviFrames found;
    if (!IndexAviClip(data, size, found)) return false;
    try {
        std::vector<QImage> frames;
        frames.reserve(found.frames.size());
        for (int i = 0; i < static_cast<int>(found.frames.size()); ++i) {
            frames.push_back(DecodeAviFrame(found, i));
            if (frames.back().isNull()) return false;
        }
        clip.width = found.width;
        clip.height = found.height;
        clip.microsecondsPerFrame = found.microsecondsPerFrame;
        clip.frames = std::move(frames);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

CAnimateCtrl::CAnimateCtrl(QWidget* parent) : QWidget(parent), m_timer(CWindowTimer::Create([this] { Advance(); }))
{
}

CAnimateCtrl::~CAnimateCtrl() = default;

bool CAnimateCtrl::Open(HMODULE module, int id)
{
    Stop();
    const HRSRC resource = FindResourceA(module, id, "AVI");
    AviFrames clip;
    const auto* bytes = static_cast<const unsigned char*>(LockResource(resource));
    m_shown = QImage();
    m_nShown = -1;
    if (!bytes || !IndexAviClip(bytes, SizeofResource(module, resource), clip)) {
        // Like a failed open on the desktop, the old clip is closed.
        m_clip = AviFrames();
        m_nFrame = -1;
        update();
        return false;
    }
    m_clip = std::move(clip);
    // Like the desktop's animation control without a centring style, the
    // control takes the clip's size where it stands, so that a template a
    // pixel short of the clip shows all of it rather than a seam.
    resize(m_clip.width, m_clip.height);
    ShowFrame(0);
    return true;
}

bool CAnimateCtrl::Play(unsigned, int from, int to)
{
    if (!IsOpen() || from < 0 || to < 0 || from >= FrameCount() || to >= FrameCount()) return false;
    Stop();
    ShowFrame(from);
    if (to > from) {
        m_nLastFrame = to;
        m_timer->Start(std::max(1, (m_clip.microsecondsPerFrame + 500) / 1000));
    }
    return true;
}

void CAnimateCtrl::Stop()
{
    m_timer->Stop();
    m_nLastFrame = -1;
}

bool CAnimateCtrl::IsPlaying() const
{
    return m_timer->IsActive();
}

void CAnimateCtrl::paintEvent(QPaintEvent*)
{
    if (m_nFrame < 0 || m_nFrame >= FrameCount()) return;
    // Frames are decoded as they come on screen; a clip that is never shown
    // is never decoded.
    if (m_nShown != m_nFrame) {
        m_shown = DecodeAviFrame(m_clip, m_nFrame);
        m_nShown = m_nFrame;
    }
    QPainter(this).drawImage(0, 0, m_shown);
}

void CAnimateCtrl::ShowFrame(int frame)
{
    m_nFrame = frame;
    update();
}

void CAnimateCtrl::Advance()
{
    if (m_nFrame >= m_nLastFrame) {
        Stop();
        return;
    }
    ShowFrame(m_nFrame + 1);
    if (m_nFrame >= m_nLastFrame) Stop();
}
