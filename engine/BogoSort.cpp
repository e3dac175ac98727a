// Bogo Sort: shuffles until sorted. The shuffle draws from the program's
// random sequence, so the same settings and actions repeat the same run.
#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

#include "platform/Runtime.h"

#include <algorithm>

bool BogoSorted(int W)
{
    for (int i = 1; i < W; ++i) {
        ++Comparisons;
        if (SortData[i] > SortData[i + 1])
            return false;
    }
    return true;
}

void BogoShuffle(int W)
{
    // Fisher-Yates: every order equally likely.
    for (int i = W; i >= 2; --i) {
        const int r = std::min(static_cast<int>(i * static_cast<double>(Rnd())) + 1, i);
        if (r == i)
            continue;
        CodeAt(BogoCode::Swap, i, r);
        Exchange(i, r);
        if (!StepGoesOn(-1, r, i))
            return;
    }
}

void BogoSort()
{
    OpenRun();
    const int W = RunWidth();
    // Above its limit it would not end in a lifetime: then it shuffles nothing.
    const auto self = std::ranges::find(RoutineTable, &BogoSort, &Routine::entry);
    const int limit = self != RoutineTable.end() ? self->sizeLimit : 0;
    if (limit == 0 || W <= limit)
        while (Sorting && !BogoSorted(W))
            BogoShuffle(W);
    CloseRun(true);
}
