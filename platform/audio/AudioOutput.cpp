// The audio output: a plug-in of the platform layer, loaded the first time a
// sound plays, so that the programs and modules that never play one (the
// authoring tool, the quiz books) don't pay for loading the audio stack.
#include "ui/PlaySound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <cstring>
#include <memory>

namespace {

std::uint32_t ReadU32(const BYTE* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t ReadU16(const BYTE* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// The PCM samples of a RIFF WAVE file and their format; false for anything
// but 8- or 16-bit PCM, or a file whose chunks run past its end.
bool ReadWave(const std::vector<BYTE>& wave, QAudioFormat& format, QByteArray& samples)
{
    const std::size_t size = wave.size();
    if (size < 12 || std::memcmp(wave.data(), "RIFF", 4) != 0 || std::memcmp(wave.data() + 8, "WAVE", 4) != 0)
        return false;
    bool haveFormat = false;
    std::size_t pos = 12;
    while (size - pos >= 8) {
        const BYTE* chunk = wave.data() + pos;
        const std::size_t length = ReadU32(chunk + 4);
        if (length > size - pos - 8) return false;
        const BYTE* body = chunk + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (length < 16 || ReadU16(body) != 1) return false;
            const int channels = ReadU16(body + 2);
            const std::uint32_t rate = ReadU32(body + 4);
            const int bits = ReadU16(body + 14);
            if (channels < 1 || channels > 8 || rate < 1000 || rate > 192000) return false;
            if (bits != 8 && bits != 16) return false;
            format.setSampleRate(static_cast<int>(rate));
            format.setChannelCount(channels);
            format.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) return false;
            samples = QByteArray(reinterpret_cast<const char*>(body), static_cast<qsizetype>(length));
            return true;
        }
        pos += 8 + length + (length & 1);
    }
    return false;
}

// The sound card. One sound plays at a time: a new one stops the one before.
// The sink pulls the samples from memory on its own, so starting a sound
// never waits for it to play. It lives as a child of the application object
// and goes with it, never outliving the audio back end.
class CAudioOutput final : public QObject, public ISoundOutput {
public:
    explicit CAudioOutput(QObject* parent) : QObject(parent) {}

    bool Play(const std::vector<BYTE>& wave) override
    {
        StopSound();
        QAudioFormat format;
        QByteArray samples;
        if (!ReadWave(wave, format, samples)) return false;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return false;

        m_buffer = std::make_unique<QBuffer>();
        m_buffer->setData(samples);
        m_buffer->open(QIODevice::ReadOnly);
        m_sink = std::make_unique<QAudioSink>(device, format);
        // Once drained, the device is let go; the next sound makes a new sink.
        QAudioSink* sink = m_sink.get();
        connect(sink, &QAudioSink::stateChanged, this, [sink](QAudio::State state) {
            if (state == QAudio::IdleState) sink->stop();
        });
        m_sink->start(m_buffer.get());
        // Without a usable device the start fails at once.
        if (m_sink->error() != QAudio::NoError || m_sink->state() == QAudio::StoppedState) {
            StopSound();
            return false;
        }
        return true;
    }

private:
    void StopSound()
    {
        if (m_sink) m_sink->stop();
        m_sink.reset();
        m_buffer.reset();
    }

    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QAudioSink> m_sink;
};

} // namespace

extern "C" __attribute__((visibility("default"))) ISoundOutput* CreateAudioOutput(QObject* parent, QObject** owner)
{
    auto* output = new CAudioOutput(parent);
    *owner = output;
    return output;
}
