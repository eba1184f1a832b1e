#include "speech/SoundPlayer.h"

// Placeholder until the playback lands: silent.
namespace kivola {

void StopSound() {}
void PlaySound(const QString&) {}

} // namespace kivola
