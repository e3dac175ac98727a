// Merge Sort: top-down, merging through AuxData; only the merge draws,
// counts and tests the stop flag.
#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

void MergeRuns(const Integer& first, const Integer& mid, const Integer& last)
{
    // A stopped run turns every merge still to come into nothing.
    if (!Sorting)
        return;
    const int n = last - first + 1;
    ClearArray(AuxData, static_cast<std::size_t>(n) + 1);
    int i = first;
    int j = mid + 1;
    int k = 1;
    while (i <= mid && j <= last) {
        if (SortData[i] < SortData[j]) {
            CodeAt(MergeCode::TakeLeft, first, mid, last, i, j, k);
            Store(AuxData, k, SortData[i]);
            StepLine(-1, i, -1);
            ++i;
        } else {
            // Ties take the right run first.
            CodeAt(MergeCode::TakeRight, first, mid, last, i, j, k);
            Store(AuxData, k, SortData[j]);
            StepLine(-1, -1, j);
            ++j;
        }
        ++Comparisons;
        ++k;
    }
    if (i > mid) {
        for (; j <= last; ++j, ++k)
            Store(AuxData, k, SortData[j]);
    } else {
        for (; i <= mid; ++i, ++k)
            Store(AuxData, k, SortData[i]);
    }
    for (int p = first; p <= last; ++p) {
        CodeAt(MergeCode::CopyBack, first, mid, last, CodeWhere::kNone, CodeWhere::kNone, p);
        Store(SortData, p, AuxData[p - first + 1]);
        StepLine(-1, p, -1);
    }
}

void MergeRange(const Integer& first, const Integer& last)
{
    if (first < last) {
        const Integer mid = static_cast<Integer>((first + last) / 2);
        MergeRange(first, mid);
        MergeRange(static_cast<Integer>(mid + 1), last);
        MergeRuns(first, mid, last);
    }
}

void MergeSort()
{
    OpenRun();
    MergeRange(1, RunWidth());
    CloseRun(true);
}
