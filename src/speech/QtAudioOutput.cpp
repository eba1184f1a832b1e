#include "speech/QtAudioOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QByteArray>
#include <QIODevice>
#include <QMediaDevices>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <mutex>

namespace kivola {
namespace {

// Ten minutes of speech at espeak-ng's 22050 Hz: far more than the program ever queues;
// beyond it (a sink that never drains) new samples are dropped rather than hoarded.
constexpr qsizetype kMaxPendingBytes = 22050 * 2 * 600;

} // namespace

// The speech thread appends PCM under `mutex`; the sink lives on the thread that made the
// output (the GUI thread), reached by queued calls to `context`, and a timer there pushes
// what is pending as the sink has room. Push mode with a short buffer: Qt's PulseAudio sink
// in pull mode holds back a short sound until its two-second prebuffer fills.
struct QtAudioOutput::Impl {
    // Guards pending, readOffset, pendingRate and kickPosted.
    std::mutex mutex;
    QByteArray pending;
    qsizetype readOffset = 0;
    int pendingRate = 0;
    bool kickPosted = false;

    // Owned by the output's thread.
    bool closing = false; // set while the output is destroyed
    QObject* context = nullptr;
    QTimer* feeder = nullptr;
    QAudioSink* sink = nullptr; // no parent: always deleted later, see ~QtAudioOutput
    QIODevice* io = nullptr;    // the sink's push device while it runs
    int sinkRate = 0;

    qsizetype PendingSize() const { return pending.size() - readOffset; }

    void DropPending() {
        pending.clear();
        readOffset = 0;
    }

    void StopSink() {
        feeder->stop();
        if (sink != nullptr) {
            sink->stop(); // drops what the device still holds
        }
        io = nullptr;
    }

    // Hands the sink as much as it has room for. Runs on the output's thread.
    void Feed() {
        if (closing) {
            return;
        }
        std::lock_guard<std::mutex> lock(mutex);
        if (io == nullptr || PendingSize() == 0) {
            feeder->stop();
            return;
        }
        qint64 room = std::min<qint64>(sink->bytesFree(), PendingSize()) & ~qint64(1);
        if (room > 0) {
            qint64 written = io->write(pending.constData() + readOffset, room);
            if (written > 0) {
                readOffset += written & ~qint64(1);
            }
        }
        if (PendingSize() == 0) {
            DropPending();
            feeder->stop();
        } else if (readOffset > pending.size() / 2) {
            pending.remove(0, readOffset);
            readOffset = 0;
        }
    }

    // Starts the sink if need be and the feeding. Runs on the output's thread. Without a
    // device everything pending is dropped: silence.
    void Kick() {
        if (closing) {
            return;
        }
        int rate = 0;
        {
            std::lock_guard<std::mutex> lock(mutex);
            kickPosted = false;
            rate = pendingRate;
            if (PendingSize() == 0) {
                return;
            }
        }
        QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            std::lock_guard<std::mutex> lock(mutex);
            DropPending();
            return;
        }
        if (sink != nullptr && sinkRate != rate) {
            StopSink();
            // Not deleted here: Qt's PulseAudio sink runs the event loop in its destructor.
            // It has no parent, so nothing else deletes it first.
            sink->deleteLater();
            sink = nullptr;
        }
        if (sink == nullptr) {
            QAudioFormat format;
            format.setSampleRate(rate);
            format.setChannelCount(1);
            format.setSampleFormat(QAudioFormat::Int16);
            sink = new QAudioSink(device, format);
            sink->setBufferSize(format.bytesForDuration(100000));
            sinkRate = rate;
        }
        if (io == nullptr || sink->state() == QAudio::StoppedState) {
            io = sink->start();
            if (io == nullptr || sink->state() == QAudio::StoppedState) {
                // The device refused: nothing will ever take these samples.
                io = nullptr;
                std::lock_guard<std::mutex> lock(mutex);
                DropPending();
                return;
            }
        }
        Feed();
        if (!feeder->isActive() && io != nullptr) {
            std::lock_guard<std::mutex> lock(mutex);
            if (PendingSize() > 0) {
                feeder->start();
            }
        }
    }
};

QtAudioOutput::QtAudioOutput() : m_impl(new Impl) {
    m_impl->context = new QObject;
    m_impl->feeder = new QTimer(m_impl->context);
    m_impl->feeder->setInterval(10);
    Impl* impl = m_impl.get();
    QObject::connect(m_impl->feeder, &QTimer::timeout, m_impl->context, [impl] { impl->Feed(); });
}

QtAudioOutput::~QtAudioOutput() {
    // Qt's PulseAudio sink runs the event loop while it is destroyed. Deleting it here would
    // let other events (and this output's own queued calls) run inside this destructor, so
    // it is stopped now and deleted later, apart from the output.
    Impl& d = *m_impl;
    d.closing = true;
    d.feeder->stop();
    d.io = nullptr;
    if (d.sink != nullptr) {
        d.sink->stop();
        d.sink->deleteLater();
        d.sink = nullptr;
    }
    delete d.context; // the timer and the posted calls with it
}

void QtAudioOutput::Write(const std::int16_t* samples, std::size_t count, int sampleRate) {
    if (samples == nullptr || count == 0 || sampleRate <= 0) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_impl->mutex);
        if (m_impl->pendingRate != sampleRate) {
            // A new rate needs a new sink: what is left at the old rate is dropped.
            m_impl->DropPending();
            m_impl->pendingRate = sampleRate;
        }
        qsizetype bytes = static_cast<qsizetype>(count * sizeof(std::int16_t));
        if (m_impl->PendingSize() + bytes > kMaxPendingBytes) {
            return;
        }
        m_impl->pending.append(reinterpret_cast<const char*>(samples), bytes);
        if (m_impl->kickPosted) {
            return;
        }
        m_impl->kickPosted = true;
    }
    Impl* impl = m_impl.get();
    QMetaObject::invokeMethod(
        impl->context, [impl] { impl->Kick(); }, Qt::QueuedConnection);
}

void QtAudioOutput::Discard() {
    {
        std::lock_guard<std::mutex> lock(m_impl->mutex);
        m_impl->DropPending();
    }
    Impl* impl = m_impl.get();
    if (QThread::currentThread() == impl->context->thread()) {
        impl->StopSink();
    } else {
        QMetaObject::invokeMethod(
            impl->context, [impl] { impl->StopSink(); }, Qt::QueuedConnection);
    }
}

} // namespace kivola
