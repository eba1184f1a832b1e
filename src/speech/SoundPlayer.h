#pragma once
// The program's one playback of short embedded WAV sounds: starting a sound stops the one
// playing. With no sound device every call is silent and returns at once.

#include <QString>

namespace kivola {

// Stops whatever embedded sound is playing.
void StopSound();

// Plays the WAV at a Qt resource path (":/sounds/lesson_click.wav") once, without waiting,
// stopping the sound that is playing first.
void PlaySound(const QString& resourcePath);

} // namespace kivola
