// The program's sound output: the WAV reader, the embedded-sound playback and the speech
// output through Qt Multimedia. CI has no sound device: everything must stay silent and
// return at once.
#include "app/Gbk.h"
#include "speech/QtAudioOutput.h"
#include "speech/SoundPlayer.h"
#include "speech/SpeechEngine.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cstdint>
#include <thread>
#include <vector>

using namespace kivola;

namespace {

QByteArray Le32(std::uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    return QByteArray(b, 4);
}

QByteArray Le16(std::uint16_t v) {
    char b[2];
    qToLittleEndian(v, b);
    return QByteArray(b, 2);
}

QByteArray Chunk(const QByteArray& id, const QByteArray& body, qint64 claimedSize = -1) {
    QByteArray c =
        id + Le32(static_cast<std::uint32_t>(claimedSize < 0 ? body.size() : claimedSize)) + body;
    if (body.size() % 2 == 1) {
        c += '\0';
    }
    return c;
}

QByteArray Fmt(int tag, int channels, int rate, int bits, bool extensible = false) {
    int align = channels * bits / 8;
    QByteArray f = Le16(static_cast<std::uint16_t>(extensible ? 0xFFFE : tag)) +
                   Le16(static_cast<std::uint16_t>(channels)) +
                   Le32(static_cast<std::uint32_t>(rate)) +
                   Le32(static_cast<std::uint32_t>(rate * align)) +
                   Le16(static_cast<std::uint16_t>(align)) + Le16(static_cast<std::uint16_t>(bits));
    if (extensible) {
        f += Le16(22) + Le16(static_cast<std::uint16_t>(bits)) + Le32(channels == 1 ? 4 : 3) +
             Le16(static_cast<std::uint16_t>(tag)) +
             QByteArray("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    }
    return Chunk("fmt ", f);
}

QByteArray Riff(const QByteArray& chunks, qint64 claimedSize = -1) {
    return "RIFF" +
           Le32(static_cast<std::uint32_t>(claimedSize < 0 ? chunks.size() + 4 : claimedSize)) +
           "WAVE" + chunks;
}

QByteArray Samples(int bytes) {
    QByteArray s;
    for (int i = 0; i < bytes; ++i) {
        s += static_cast<char>((i * 37) & 0xFF);
    }
    return s;
}

// A valid 16-bit mono image, used where the format does not matter.
QByteArray Mono16() {
    return Riff(Fmt(1, 1, 11127, 16) + Chunk("data", Samples(2000)));
}

} // namespace

class SoundOutputTest : public QObject {
    Q_OBJECT

private slots:
    void parsesPcm_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QByteArray>("pcm");

        QByteArray s = Samples(1000);
        QTest::newRow("8-bit mono 11013 Hz")
            << Riff(Fmt(1, 1, 11013, 8) + Chunk("data", s)) << 11013 << 1 << 8 << s;
        QTest::newRow("16-bit mono 11127 Hz")
            << Riff(Fmt(1, 1, 11127, 16) + Chunk("data", s)) << 11127 << 1 << 16 << s;
        QTest::newRow("16-bit stereo 22050 Hz")
            << Riff(Fmt(1, 2, 22050, 16) + Chunk("data", s)) << 22050 << 2 << 16 << s;
        QTest::newRow("extensible PCM")
            << Riff(Fmt(1, 2, 44100, 16, true) + Chunk("data", s)) << 44100 << 2 << 16 << s;
        QTest::newRow("odd-sized chunk before data is padded")
            << Riff(Fmt(1, 1, 8000, 8) + Chunk("LIST", "abc") + Chunk("data", s)) << 8000 << 1 << 8
            << s;
        QTest::newRow("data claims more than the image holds")
            << Riff(Fmt(1, 1, 11025, 16) + "data" + Le32(100000) + s.left(999)) << 11025 << 1 << 16
            << s.left(998);
        QTest::newRow("RIFF size overstated")
            << Riff(Fmt(1, 1, 11025, 8) + Chunk("data", s), 0x7FFFFFFF) << 11025 << 1 << 8 << s;
        QTest::newRow("stereo data cut in mid-frame keeps whole frames")
            << Riff(Fmt(1, 2, 11025, 16) + Chunk("data", s.left(998))) << 11025 << 2 << 16
            << s.left(996);
    }

    void parsesPcm() {
        QFETCH(QByteArray, image);
        WavSound wav;
        QVERIFY(ParseWav(image, &wav));
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(QByteArray, pcm);
        QCOMPARE(wav.sampleRate, rate);
        QCOMPARE(wav.channels, channels);
        QCOMPARE(wav.bitsPerSample, bits);
        QCOMPARE(wav.pcm, pcm);
    }

    void rejectsMalformed_data() {
        QTest::addColumn<QByteArray>("image");
        QByteArray s = Samples(100);
        QByteArray data = Chunk("data", s);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << QByteArray("RIFF");
        QTest::newRow("RIFX") << "RIFX" + Riff(Fmt(1, 1, 11025, 8) + data).mid(4);
        QTest::newRow("not WAVE") << "RIFF" + Le32(100) + "AVI " + Fmt(1, 1, 11025, 8) + data;
        QTest::newRow("no fmt") << Riff(data);
        QTest::newRow("data before fmt") << Riff(data + Fmt(1, 1, 11025, 8));
        QTest::newRow("no data") << Riff(Fmt(1, 1, 11025, 8));
        QTest::newRow("fmt too short") << Riff(Chunk("fmt ", Le16(1) + Le16(1)) + data);
        QTest::newRow("float") << Riff(Fmt(3, 1, 11025, 32) + data);
        QTest::newRow("ADPCM") << Riff(Fmt(2, 1, 11025, 4) + data);
        QTest::newRow("extensible float") << Riff(Fmt(3, 1, 11025, 16, true) + data);
        QTest::newRow("no channels") << Riff(Fmt(1, 0, 11025, 16) + data);
        QTest::newRow("three channels") << Riff(Fmt(1, 3, 11025, 16) + data);
        QTest::newRow("24 bits") << Riff(Fmt(1, 1, 11025, 24) + data);
        QTest::newRow("rate 0") << Riff(Fmt(1, 1, 0, 16) + data);
        QTest::newRow("rate 4 GHz") << Riff(Fmt(1, 1, -1, 16) + data);
        QTest::newRow("empty data") << Riff(Fmt(1, 1, 11025, 16) + Chunk("data", ""));
        QTest::newRow("half a sample") << Riff(Fmt(1, 1, 11025, 16) + Chunk("data", "x"));
        QTest::newRow("huge chunk skips past the end")
            << Riff(Fmt(1, 1, 11025, 8) + Chunk("LIST", "ab", 0xFFFFFFF0) + data);
        QTest::newRow("truncated chunk header") << Riff(Fmt(1, 1, 11025, 8) + "dat");
    }

    void rejectsMalformed() {
        QFETCH(QByteArray, image);
        WavSound wav;
        wav.sampleRate = 7;
        QVERIFY(!ParseWav(image, &wav));
        QCOMPARE(wav.sampleRate, 7);
    }

    // Every prefix of a valid image is read safely (never past its end).
    void truncatedImagesAreSafe() {
        QByteArray image =
            Riff(Fmt(1, 2, 11025, 16) + Chunk("LIST", "abc") + Chunk("data", Samples(64)));
        for (int n = 0; n <= image.size(); ++n) {
            WavSound wav;
            QByteArray prefix = image.left(n); // a copy: sanitizers see reads past it
            if (ParseWav(prefix, &wav)) {
                QVERIFY(wav.pcm.size() > 0 && wav.pcm.size() % 4 == 0);
            }
        }
    }

    void embeddedSoundsAreReadable_data() {
        QTest::addColumn<QString>("path");
        for (const char* name :
             {"function_click", "lesson_click", "right_pick", "wrong_pick", "tip"}) {
            QTest::newRow(name) << QString(":/sounds/%1.wav").arg(name);
        }
    }

    void embeddedSoundsAreReadable() {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        WavSound wav;
        QVERIFY(ParseWav(file.readAll(), &wav));
        PlaySound(path);
        StopSound();
    }

    // Without a device (or with one) playback never blocks, fails loudly or crashes,
    // whatever the file holds.
    void playbackIsSafeForAnyFile() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::vector<std::pair<QString, QByteArray>> files = {
            {"mono8.wav", Riff(Fmt(1, 1, 11013, 8) + Chunk("data", Samples(3000)))},
            {"mono16.wav", Mono16()},
            {"stereo16.wav", Riff(Fmt(1, 2, 11127, 16) + Chunk("data", Samples(4000)))},
            {"malformed.wav", Riff(Fmt(3, 1, 11025, 32) + Chunk("data", Samples(400)))},
            {"garbage.wav", QByteArray(5000, '\xAB')},
            {"empty.wav", QByteArray()},
        };
        for (const auto& [name, bytes] : files) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        StopSound(); // nothing playing yet
        for (const auto& [name, bytes] : files) {
            PlaySound(dir.filePath(name));
            QCoreApplication::processEvents();
        }
        PlaySound(dir.filePath("missing.wav"));
        PlaySound(":/sounds/no_such_sound.wav");
        PlaySound(dir.filePath("mono16.wav"));
        PlaySound(dir.filePath("mono16.wav")); // starting a sound stops the one playing
        StopSound();
        StopSound();
        QCoreApplication::processEvents();
        PlaySound(dir.filePath("stereo16.wav")); // still playing when the program ends
    }

    // PCM written from another thread, discarded and destroyed in any order: no hang, no
    // crash, whether or not a device is there.
    void speechOutputTakesPcmFromAnotherThread() {
        auto output = std::make_unique<QtAudioOutput>();
        std::vector<std::int16_t> pcm(2205, 1000);
        std::thread writer([&] {
            for (int i = 0; i < 50; ++i) {
                output->Write(pcm.data(), pcm.size(), 22050);
            }
            output->Write(nullptr, 0, 22050);
            output->Write(pcm.data(), pcm.size(), 0);
        });
        writer.join();
        QCoreApplication::processEvents();
        output->Discard();
        output->Write(pcm.data(), pcm.size(), 16000); // a new rate
        QCoreApplication::processEvents();
        output->Discard();
        output->Write(pcm.data(), pcm.size(), 22050);
        output.reset(); // with a queued start still pending
        QCoreApplication::processEvents();
    }

    // The program's own set-up: the engine speaking through Qt Multimedia.
    void engineSpeaksThroughQtOutput() {
        SpeechEngine engine(std::make_unique<QtAudioOutput>());
        engine.Create();
        QVERIFY(!engine.ListVoices().empty());
        QVERIFY(engine.Speak(G("学习")));
        QVERIFY(engine.WaitUntilIdle(10000));
        QCoreApplication::processEvents();
        engine.Stop();
        QVERIFY(engine.Speak(G("学习汉字，天天向上。学习汉字，天天向上。")));
        QCoreApplication::processEvents();
        engine.Stop();
        engine.Speak(G("学"));
        engine.Destroy();
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(SoundOutputTest)
#include "SoundOutputTest.moc"
