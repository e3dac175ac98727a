#include "engine/Instrument.h"

#include "engine/RunTrace.h"
#include "engine/StepControl.h"
#include "platform/Runtime.h"

#include <utility>

constinit thread_local RunTrace* Trace = nullptr;

void Exchange(int a, int b)
{
    if (Trace) {
        const Integer first = SortData[a];
        Trace->Written(SortData, a, SortData[b]);
        Trace->Written(SortData, b, first);
    }
    std::swap(SortData[a], SortData[b]);
}

void Store(std::vector<Integer>& array, int index, Integer value)
{
    if (Trace)
        Trace->Written(array, index, value);
    array[index] = value;
}

void ClearArray(std::vector<Integer>& array, std::size_t size)
{
    if (Trace)
        Trace->Cleared(array, size);
    array.assign(size, 0);
}

void Pause()
{
    if (Trace)
        Trace->Stepped();
    // Held before the delay, so a run at delay 0 holds too.
    HoldAtStep();
    if (Unloading)
        return;
    // A monotonic clock: a pause never hangs at midnight.
    const double start = ClockSeconds();
    for (;;) {
        const double remaining = start + DrawSet[1] / 100.0 - ClockSeconds();
        if (remaining <= 0 || Unloading)
            return;
        // Sleeps in the event loop, so a click on Faster ends the wait early
        // and the loop reads the new delay.
        WaitForEvents(remaining);
    }
}

void StepLine(int X, int Y, int z)
{
    MainView->DrawLine(X, Y, z);
    Pause();
    DoEvents();
}

void StepPlot(int X, bool o)
{
    MainView->DrawPlot(X, o);
    Pause();
    DoEvents();
}

const Integer& RunWidth()
{
    if (SortSet[2] < static_cast<int>(SortData.size()))
        return SortSet[2];
    static Integer bounded;
    bounded = static_cast<Integer>(SortData.empty() ? 0 : SortData.size() - 1);
    return bounded;
}

void OpenRun()
{
    MainView->DoReset(2);
}

void CloseRun(bool markers)
{
    if (markers)
        MainView->DrawLine(0, 0, 0);
    MainView->DoStatus();
    Sorting = false;
}
