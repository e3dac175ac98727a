// Holding a run at a step: Pause holds the routine inside its step pause,
// where the window stays fully usable, until the user resumes it or lets it
// run one step further. The hold belongs to the thread's runs, like the rest
// of the shared state; a headless run is never held.
#pragma once

#include <functional>

// Asks the routine to hold at its next step pause (true), or lets it go on.
void RequestHold(bool on);
bool HoldRequested();
// The routine is being held inside its step pause right now.
bool Holding();
// Lets a held routine run on to its next step pause, where it holds again.
void StepOnce();
// Seconds (on the run clock) spent held since the program started: the time
// a run reports leaves them out.
double HeldSeconds();
// Told true when a hold begins and false when it ends, before the routine
// continues: the window shows where the run stands and puts the plot back to
// the present. An empty function removes it.
void SetHoldListener(std::function<void(bool holding)> listener);

// Back to the start: no hold asked for, none under way, no held time, no
// listener. Each test begins here, as the program does.
void ResetStepControl();

// Called by the step pause: while a hold is asked for, waits in the event
// loop without spinning. Window unloading ends it at once.
void HoldAtStep();
