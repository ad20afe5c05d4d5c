// The audio output: a plug-in of the platform layer, loaded the first time a
// sound plays, so that the programs and modules that never play one (the
// authoring tool, the quiz books) don't pay for loading the audio stack.
#include "ui/PlaySound.h"
#include "ui/WaveData.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <memory>
#include <span>

namespace {

// The sound card's name for the format of the samples.
QAudioFormat AudioFormatOf(const WaveFormat& wave)
{
    QAudioFormat format;
    format.setSampleRate(wave.sampleRate);
    format.setChannelCount(wave.channels);
    format.setSampleFormat(wave.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
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
        WaveFormat format;
        std::span<const BYTE> samples;
        if (!ReadWave(wave.data(), wave.size(), format, samples)) return false;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return false;

        m_buffer = std::make_unique<QBuffer>();
        m_buffer->setData(reinterpret_cast<const char*>(samples.data()), static_cast<qsizetype>(samples.size()));
        m_buffer->open(QIODevice::ReadOnly);
        m_sink = std::make_unique<QAudioSink>(device, AudioFormatOf(format));
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
