#pragma once
// The process-wide values. Each exists once, is set during start-up and lives until the
// exit routine frees it.

#include <string>

namespace kivola {

class SpeechEngine;

// The LessonText now on the blackboard (GBK bytes); empty until start-up sets the greeting.
extern std::string CurrentLesson;

// Full path of the settings file; ReadSetting and WriteSetting use it.
extern std::string SettingsPath;

// The only text-to-speech engine of the process (owned by program entry); may be null.
extern SpeechEngine* TheSpeechEngine;

// Which clock separator shows next: 0 at start, then 1 or 2.
extern int ClockPhase;

} // namespace kivola
