#pragma once
// The program's one playback of short embedded WAV sounds: starting a sound stops the one
// playing. With no sound device every call is silent and returns at once.

#include <QByteArray>
#include <QString>

namespace kivola {

// Stops whatever embedded sound is playing.
void StopSound();

// Plays the WAV at a Qt resource path (":/sounds/lesson_click.wav") once, without waiting,
// stopping the sound that is playing first.
void PlaySound(const QString& resourcePath);

// The PCM of a WAV image: 8-bit unsigned or 16-bit signed little-endian samples,
// interleaved when there are two channels.
struct WavSound {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    QByteArray pcm; // whole frames only
};

// Reads a RIFF WAVE image holding PCM, mono or stereo, 8 or 16 bits. A data chunk that
// claims more bytes than the image holds gives what is there. False (and *out untouched)
// when the image is malformed, of another format or holds no sample.
bool ParseWav(const QByteArray& image, WavSound* out);

} // namespace kivola
