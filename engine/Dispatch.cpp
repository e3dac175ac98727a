#include "engine/Dispatch.h"

#include "engine/Instrument.h"
#include "engine/Module1.h"
#include "engine/Routines.h"
#include "platform/Runtime.h"

#include <string>

namespace {

// Marks a routine as executing for as long as the handler holds it, whatever
// way the handler leaves.
class RoutineScope {
public:
    RoutineScope() { RoutineRunning = true; }
    ~RoutineScope() { RoutineRunning = false; }
    RoutineScope(const RoutineScope&) = delete;
    RoutineScope& operator=(const RoutineScope&) = delete;
};

} // namespace

void mnuStart_Click()
{
    // Stop clears Sorting before the routine has returned: RoutineRunning
    // keeps a second run from starting inside the first, on the same arrays.
    if (!DataReady || Sorting || RoutineRunning || Unloading)
        return;
    if (SortType < 0 || SortType >= static_cast<int>(RoutineTable.size()))
        return;
    const Routine& routine = RoutineTable[SortType];
    Sorting = true;
    // A routine that would not end in a lifetime on this many values is
    // refused with a word, and nothing of a run begins.
    if (routine.sizeLimit > 0 && RunWidth() > routine.sizeLimit) {
        MsgBox(std::string(routine.name) + " runs on at most " + std::to_string(routine.sizeLimit) + " values.");
        Sorting = false;
        return;
    }
    RoutineScope scope;
    if (routine.notice)
        MsgBox(routine.notice);
    // The window may have closed while the notice was up: then nothing runs.
    if (routine.entry && !Unloading)
        routine.entry(); // clears Sorting itself when it ends
    else
        Sorting = false;
}
