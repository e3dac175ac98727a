#include "engine/Instrument.h"

#include "platform/Runtime.h"

#include <utility>

void Exchange(int a, int b)
{
    std::swap(SortData[a], SortData[b]);
}

void Pause()
{
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
