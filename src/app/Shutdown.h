#pragma once
// The exit routine: frees the process-wide values and destroys the speech engine.
// It runs exactly once, whichever way the program ends.

namespace kivola {

// Runs the exit routine unless it has already run.
void RunExitRoutine();

// How many times the exit routine has done its work (0 or 1).
int ExitRoutineRuns();

} // namespace kivola
