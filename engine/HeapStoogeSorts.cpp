// Heap Sort (a max-heap in SortData, the root moved to the end) and Stooge
// Sort (first two thirds, last two thirds, first two thirds again).
#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

#include <cmath>

namespace {
// The extraction (or the building step) in progress, for the code shown.
thread_local int heapI = 0;
} // namespace

void Heapify(const Integer& i)
{
    const int l = 2 * i;
    const int r = 2 * i + 1;
    // Two comparisons are counted per call, also on a leaf. Ties keep the
    // parent, and between equal children the left one wins.
    int m = (l <= HeapSize && SortData[l] > SortData[i]) ? l : i;
    ++Comparisons;
    if (r <= HeapSize && SortData[r] > SortData[m])
        m = r;
    ++Comparisons;
    if (m != i) {
        CodeAt(HeapCode::SiftSwap, heapI, HeapSize, i, m);
        Exchange(i, m);
        StepLine(-1, i, m);
        Heapify(static_cast<Integer>(m));
    }
}

void BuildHeap()
{
    const int W = RunWidth();
    HeapSize = W;
    // Rounded half to even, as the start has always been: 7 starts at 4,
    // 5 at 2, 1 at 0 (no call at all).
    const int start = static_cast<int>(std::nearbyint(W / 2.0));
    for (int i = start; i >= 1; --i) {
        heapI = i;
        Heapify(static_cast<Integer>(i));
    }
}

void HeapSort()
{
    OpenRun();
    BuildHeap();
    const int W = RunWidth();
    for (int i = W; i >= 2; --i) {
        heapI = i;
        CodeAt(HeapCode::Swap, i, HeapSize, 1, i);
        Exchange(1, i);
        MainView->DrawLine(1, i, -1);
        --HeapSize;
        Heapify(1);
        if (!Sorting)
            break;
    }
    CloseRun(true);
}

void StoogeRange(const Integer& i, const Integer& j)
{
    // An empty range (a width of 0) holds nothing to compare.
    if (!Sorting || j < i)
        return;
    ++Comparisons;
    if (SortData[i] > SortData[j]) {
        CodeAt(StoogeCode::Swap, i, j, (j - i + 1) / 3);
        Exchange(i, j);
        StepLine(-1, i, j);
    }
    if (i + 1 < j) {
        const int t = (j - i + 1) / 3;
        StoogeRange(i, static_cast<Integer>(j - t));
        StoogeRange(static_cast<Integer>(i + t), j);
        StoogeRange(i, static_cast<Integer>(j - t));
    }
}

void StoogeSort()
{
    OpenRun();
    StoogeRange(1, RunWidth());
    CloseRun(true);
}
