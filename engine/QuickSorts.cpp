// Quick Sort, Randomized Quick Sort and Lomuto Quick Sort: one skeleton,
// three partitions; the stop flag is tested at the start of every range.
#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

#include "platform/Runtime.h"

#include <cmath>

Integer Partition(const Integer& lo, const Integer& hi)
{
    const Integer pivot = SortData[lo];
    int i = lo - 1;
    int j = hi + 1;
    for (;;) {
        // The scans are also held inside lo..hi: undisturbed they stop there
        // anyway (at the pivot's place or at an exchanged value), but a data
        // set regenerated during a step must not send them past the range.
        do {
            --j;
            ++Comparisons;
        } while (j > lo && SortData[j] > pivot);
        do {
            ++i;
            ++Comparisons;
        } while (i < hi && SortData[i] < pivot);
        if (i >= j)
            return static_cast<Integer>(j);
        CodeAt(QuickCode::Swap, lo, hi, pivot, i, j);
        Exchange(i, j);
        StepLine(-1, i, j);
    }
}

Integer RandomPartition(const Integer& lo, const Integer& hi)
{
    const int r = static_cast<int>(std::floor((hi - lo + 1) * static_cast<double>(Rnd()) + lo));
    CodeAt(QuickCode::RandomSwap, lo, hi, CodeWhere::kNone, CodeWhere::kNone, CodeWhere::kNone, r);
    Exchange(lo, r);
    // Both bars show their new values at once, with no pause of their own:
    // the partition's steps that follow stay the run's steps.
    MainView->DrawLine(-1, lo, r);
    return Partition(lo, hi);
}

Integer LomutoPartition(const Integer& lo, const Integer& hi)
{
    const Integer pivot = SortData[hi];
    int i = lo - 1;
    const int last = hi;
    for (int j = lo; j <= last; ++j) {
        ++Comparisons;
        if (SortData[j] <= pivot) {
            ++i;
            CodeAt(LomutoCode::Swap, lo, hi, pivot, i, j);
            Exchange(i, j);
            StepLine(-1, i, j);
        }
    }
    // When every value was at most the pivot, hi - 1 keeps the left range
    // shorter than the whole.
    return static_cast<Integer>(i < hi ? i : i - 1);
}

void QuickRange(const Integer& lo, const Integer& hi, PartitionFn partition)
{
    if (Sorting && lo < hi) {
        const Integer p = partition(lo, hi);
        QuickRange(lo, p, partition);
        QuickRange(static_cast<Integer>(p + 1), hi, partition);
    }
}

void QuickSort()
{
    OpenRun();
    QuickRange(1, RunWidth(), Partition);
    CloseRun(true);
}

void RandomQuickSort()
{
    OpenRun();
    QuickRange(1, RunWidth(), RandomPartition);
    CloseRun(true);
}

void LomutoQuickSort()
{
    OpenRun();
    QuickRange(1, RunWidth(), LomutoPartition);
    CloseRun(true);
}
