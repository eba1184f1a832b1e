#include "app/Globals.h"

namespace kivola {

std::string CurrentLesson;
std::string SettingsPath;
SpeechEngine* TheSpeechEngine = nullptr;
int ClockPhase = 0;

} // namespace kivola
