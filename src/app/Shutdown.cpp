#include "app/Shutdown.h"

#include "app/Globals.h"
#include "notices/Http.h"
#include "speech/SpeechEngine.h"

namespace kivola {
namespace {
int g_runs = 0;
} // namespace

void RunExitRoutine() {
    if (g_runs > 0) {
        return;
    }
    ++g_runs;
    std::string().swap(CurrentLesson);
    std::string().swap(SettingsPath);
    if (TheSpeechEngine != nullptr) {
        TheSpeechEngine->Destroy();
        delete TheSpeechEngine;
        TheSpeechEngine = nullptr;
    }
    // A request abandoned at its time limit may still be running: leave its record alone.
    if (!Request.running) {
        Request = RequestState{};
    }
}

int ExitRoutineRuns() { return g_runs; }

} // namespace kivola
