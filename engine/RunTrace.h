// Whoever follows a run element by element: the history that lets a paused
// run step back, and the headless runs that compare the routines. Every
// write a routine makes to SortData or AuxData, every clearing resize of a
// scratch array and every step pause reaches the trace of the thread the
// routine runs on; with no trace the routines pay one test of a pointer.
#pragma once

#include "engine/Module1.h"

#include <cstddef>
#include <vector>

class RunTrace {
public:
    virtual ~RunTrace() = default;
    // array[index] is about to change from its current value to value.
    virtual void Written(std::vector<Integer>& array, int index, Integer value) = 0;
    // array is about to be resized to size elements, all 0.
    virtual void Cleared(std::vector<Integer>& array, std::size_t size) = 0;
    // The routine has reached a step pause: what it drew since the last one
    // is one step.
    virtual void Stepped() = 0;
};

// The trace of this thread's runs, or null.
extern thread_local constinit RunTrace* Trace;
