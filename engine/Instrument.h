// The instrumentation every sort routine weaves into its algorithm: the
// exchange, the step pause, the drawn step and the frame around a run.
#pragma once

#include "engine/Module1.h"

// Exchanges SortData(a) and SortData(b); draws, counts and pauses nothing.
void Exchange(int a, int b);
// array(index) = value: every write of a routine to SortData or AuxData goes
// through here (or Exchange), so a trace sees it.
void Store(std::vector<Integer>& array, int index, Integer value);
// Resizes a scratch array to size elements and clears it.
void ClearArray(std::vector<Integer>& array, std::size_t size);

// Holds while the user has paused the run (see StepControl.h), then waits
// DrawSet[1] hundredths of a second, letting window events through.
// The delay is read again on every pass, so Faster and Slower act within the
// pause; a delay of 0 returns at the first reading without pumping events.
void Pause();

// A drawn step: the marker call, the pause, then one run of the event pump.
void StepLine(int X, int Y, int z);
// A drawn step of the counting routines: one bar drawn or cleared.
void StepPlot(int X, bool o);

// The width a run works on: the width setting itself, so a range that runs
// to the width reads it where it uses it. Should SortData ever be shorter
// than the setting, a copy bounded by SortData stands in, so no routine
// reaches past the array.
const Integer& RunWidth();

// Opens a run: restarts the run clock, zeroes the counter, shows "Sorting".
void OpenRun();
// Closes a run: markers off the data (where the routine uses them), the
// report of time and comparisons, and the run flag cleared.
void CloseRun(bool markers);
