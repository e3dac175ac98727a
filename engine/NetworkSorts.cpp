// The sorting networks: Bitonic Sort and Batcher's Odd-Even Merge Sort. Their
// compare-exchanges are fixed by the width alone, whatever the values; each
// counts one comparison, and only an exchange is a drawn step. Both work on
// any width: the bitonic halves need not be powers of two, and the odd-even
// network for the next power of two is cut to the width (the cut-off places
// would hold values above all others, which no comparator would move).
#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

#include <bit>

void NetworkComparator(int i, int j, bool ascending)
{
    ++Comparisons;
    if (ascending ? SortData[i] > SortData[j] : SortData[i] < SortData[j]) {
        Exchange(i, j);
        StepGoesOn(-1, i, j);
    }
}

void BitonicMerge(int lo, int n, bool ascending)
{
    if (n <= 1 || !Sorting)
        return;
    // The greatest power of two below n.
    const int m = static_cast<int>(std::bit_floor(static_cast<unsigned>(n - 1)));
    for (int i = lo; i < lo + n - m && Sorting; ++i)
        CodeAt(BitonicCode::Compare, lo, n, ascending, i, i + m), NetworkComparator(i, i + m, ascending);
    BitonicMerge(lo, m, ascending);
    BitonicMerge(lo + m, n - m, ascending);
}

void BitonicRange(int lo, int n, bool ascending)
{
    if (n <= 1 || !Sorting)
        return;
    // The halves sorted opposite ways make a bitonic sequence to merge.
    const int m = n / 2;
    BitonicRange(lo, m, !ascending);
    BitonicRange(lo + m, n - m, ascending);
    BitonicMerge(lo, n, ascending);
}

void BitonicSort()
{
    OpenRun();
    BitonicRange(1, RunWidth(), true);
    CloseRun(true);
}

void OddEvenMergeSort()
{
    OpenRun();
    const int n = RunWidth();
    // Positions 0..n - 1 are SortData(1..n). Merges of sorted blocks of p,
    // each by comparators k apart, k = p, p/2, ..., 1, that stay within a
    // block of 2p.
    for (int p = 1; p < n && Sorting; p *= 2)
        for (int k = p; k >= 1 && Sorting; k /= 2)
            for (int j = k % p; j + k < n && Sorting; j += 2 * k)
                for (int i = 0; i < k && i + j + k < n && Sorting; ++i)
                    if ((i + j) / (2 * p) == (i + j + k) / (2 * p))
                        CodeAt(OddEvenMergeCode::Compare, p, k, i + j + 1, i + j + k + 1), NetworkComparator(i + j + 1, i + j + k + 1, true);
    CloseRun(true);
}
