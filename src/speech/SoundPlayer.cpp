#include "speech/SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kivola {
namespace {

// Embedded sounds are a few kilobytes; anything this large is not one of ours.
constexpr qint64 kMaxImageBytes = 16 * 1024 * 1024;

std::uint32_t Le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t(u[0]) | std::uint32_t(u[1]) << 8 | std::uint32_t(u[2]) << 16 |
           std::uint32_t(u[3]) << 24;
}

std::uint16_t Le16(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(u[0] | u[1] << 8);
}

// The samples of wav as 16-bit PCM at rate with the given channel count (1 or 2), by
// linear interpolation: for a device that does not take the file's own format.
QByteArray ConvertPcm(const WavSound& wav, int rate, int channels) {
    const int bytesPerSample = wav.bitsPerSample / 8;
    const qsizetype frames = wav.pcm.size() / (bytesPerSample * wav.channels);
    auto sample = [&](qsizetype frame, int channel) -> double {
        qsizetype at =
            (frame * wav.channels + std::min(channel, wav.channels - 1)) * bytesPerSample;
        if (bytesPerSample == 1) {
            return (static_cast<unsigned char>(wav.pcm[at]) - 128) * 256.0;
        }
        return static_cast<std::int16_t>(Le16(wav.pcm.constData() + at));
    };
    auto mixed = [&](qsizetype frame, int channel) -> double {
        if (channels == 1 && wav.channels == 2) {
            return (sample(frame, 0) + sample(frame, 1)) / 2;
        }
        return sample(frame, channel);
    };
    const qsizetype outFrames =
        static_cast<qsizetype>(static_cast<double>(frames) * rate / wav.sampleRate);
    std::vector<std::int16_t> out;
    out.reserve(static_cast<size_t>(outFrames * channels));
    for (qsizetype i = 0; i < outFrames; ++i) {
        double pos = static_cast<double>(i) * wav.sampleRate / rate;
        qsizetype a = std::min<qsizetype>(static_cast<qsizetype>(pos), frames - 1);
        qsizetype b = std::min<qsizetype>(a + 1, frames - 1);
        double t = pos - static_cast<double>(a);
        for (int c = 0; c < channels; ++c) {
            double v = mixed(a, c) * (1 - t) + mixed(b, c) * t;
            out.push_back(static_cast<std::int16_t>(std::clamp(v, -32768.0, 32767.0)));
        }
    }
    return QByteArray(reinterpret_cast<const char*>(out.data()),
                      static_cast<qsizetype>(out.size() * sizeof(std::int16_t)));
}

// The one playback. Lives on the application's thread, as a child of the application.
class Player : public QObject {
public:
    explicit Player(QObject* parent) : QObject(parent) {}

    ~Player() override {
        if (m_sink != nullptr) {
            m_sink->disconnect(this);
            m_sink->stop();
            delete m_sink;
        }
    }

    // Qt's PulseAudio sink runs the event loop while it is destroyed, so a stopped sink is
    // deleted later, from the event loop, and has no parent that could delete it twice.
    void Stop() {
        if (m_sink == nullptr) {
            return;
        }
        QAudioSink* sink = m_sink;
        m_sink = nullptr;
        sink->disconnect(this);
        sink->stop();
        sink->deleteLater(); // its buffer with it
    }

    void Play(const QString& path) {
        Stop();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxImageBytes) {
            return;
        }
        WavSound wav;
        if (!ParseWav(file.read(kMaxImageBytes), &wav)) {
            return;
        }
        QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            return;
        }
        QAudioFormat format;
        format.setSampleRate(wav.sampleRate);
        format.setChannelCount(wav.channels);
        format.setSampleFormat(wav.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
        QByteArray pcm = wav.pcm;
        if (!device.isFormatSupported(format)) {
            QAudioFormat preferred = device.preferredFormat();
            int rate = preferred.sampleRate() > 0 ? preferred.sampleRate() : 44100;
            int channels = preferred.channelCount() == 1 ? 1 : 2;
            pcm = ConvertPcm(wav, rate, channels);
            format.setSampleRate(rate);
            format.setChannelCount(channels);
            format.setSampleFormat(QAudioFormat::Int16);
        }
        // A little silence at the end, so stopping when the data runs out does not clip
        // what the device still holds.
        pcm.append(format.bytesForDuration(150000),
                   format.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : char(0));

        m_sink = new QAudioSink(device, format);
        auto* buffer = new QBuffer(m_sink);
        buffer->setData(pcm);
        buffer->open(QIODevice::ReadOnly);
        QAudioSink* sink = m_sink;
        connect(sink, &QAudioSink::stateChanged, this, [this, sink](QAudio::State state) {
            if (sink == m_sink && state == QAudio::IdleState) {
                Stop();
            }
        });
        sink->start(buffer);
        if (sink == m_sink && sink->state() == QAudio::StoppedState) {
            Stop();
        }
    }

private:
    QAudioSink* m_sink = nullptr;
};

Player* ThePlayer() {
    static QPointer<Player> player;
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() != app->thread()) {
        return nullptr;
    }
    if (player.isNull()) {
        player = new Player(app);
    }
    return player.data();
}

} // namespace

bool ParseWav(const QByteArray& image, WavSound* out) {
    const qsizetype size = image.size();
    const char* p = image.constData();
    if (size < 12 || image.left(4) != "RIFF" || image.mid(8, 4) != "WAVE") {
        return false;
    }
    // A RIFF size that overstates the image is common; never read past what is there.
    const qsizetype end = std::min<qsizetype>(size, 8 + qsizetype(Le32(p + 4)));
    bool haveFormat = false;
    WavSound wav;
    qsizetype at = 12;
    while (at + 8 <= end) {
        QByteArray id = image.mid(at, 4);
        const qsizetype chunkSize = Le32(p + at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = std::min<qsizetype>(chunkSize, end - body);
        if (id == "fmt ") {
            if (available < 16) {
                return false;
            }
            std::uint16_t tag = Le16(p + body);
            if (tag == 0xFFFE && available >= 26) {
                tag = Le16(p + body + 24); // WAVE_FORMAT_EXTENSIBLE: the sub-format's code
            }
            wav.channels = Le16(p + body + 2);
            wav.sampleRate =
                static_cast<int>(std::min<std::uint32_t>(Le32(p + body + 4), 1u << 30));
            wav.bitsPerSample = Le16(p + body + 14);
            if (tag != 1 || wav.channels < 1 || wav.channels > 2 || wav.sampleRate < 1000 ||
                wav.sampleRate > 384000 || (wav.bitsPerSample != 8 && wav.bitsPerSample != 16)) {
                return false;
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) {
                return false;
            }
            const int frameBytes = wav.channels * wav.bitsPerSample / 8;
            wav.pcm = image.mid(body, available - available % frameBytes);
            if (wav.pcm.isEmpty()) {
                return false;
            }
            *out = wav;
            return true;
        }
        // Chunks are padded to an even length.
        at = body + chunkSize + (chunkSize & 1);
    }
    return false;
}

void StopSound() {
    if (Player* player = ThePlayer()) {
        player->Stop();
    }
}

void PlaySound(const QString& resourcePath) {
    if (Player* player = ThePlayer()) {
        player->Play(resourcePath);
    }
}

} // namespace kivola
