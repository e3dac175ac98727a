// Selection, Bubble, Insertion and Binary Insertion Sort: a double loop each,
// with the stop test once per pass of the outer loop.
#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

#include "platform/Runtime.h"

void SelectionSort()
{
    OpenRun();
    const int W = RunWidth();
    for (int i = 1; i <= W; ++i) {
        int m = i;
        const int last = RunWidth();
        for (int j = i + 1; j <= last; ++j) {
            if (SortData[j] < SortData[m])
                m = j; // strict: the first of equal smallest values stays
            ++Comparisons;
            CodeAt(SelectionCode::Compare, i, j, m);
            StepLine(-1, j, m);
        }
        CodeAt(SelectionCode::Swap, i, CodeWhere::kNone, m);
        Exchange(i, m);
        MainView->DrawLine(i, -1, -1);
        DoEvents();
        if (!Sorting)
            break;
    }
    CloseRun(true);
}

void BubbleSort()
{
    OpenRun();
    const int passes = RunWidth() - 1;
    for (int i = 1; i <= passes; ++i) {
        const int W = RunWidth();
        for (int j = W; j >= i + 1; --j) {
            CodeAt(BubbleCode::CompareSwap, i, j);
            if (SortData[j - 1] > SortData[j])
                Exchange(j - 1, j);
            ++Comparisons;
            // Marker 1 on the last settled position (index 0 in the first pass).
            StepLine(i - 1, j - 1, -1);
        }
        if (!Sorting)
            break;
    }
    CloseRun(true);
}

void InsertionSort()
{
    OpenRun();
    const int W = RunWidth();
    for (int i = 2; i <= W; ++i) {
        int j = i - 1;
        MainView->DrawLine(-1, -1, i);
        // The data are compared first: at j = 0 the test reads the parked
        // element 0 and then ends on the index, so every evaluation counts.
        while (SortData[j + 1] < SortData[j] && j >= 1) {
            ++Comparisons;
            CodeAt(InsertionCode::Swap, i, j);
            Exchange(j, j + 1);
            StepLine(-1, j, -1);
            --j;
        }
        ++Comparisons;
        if (!Sorting)
            break;
        MainView->DrawLine(j, -1, -1);
    }
    CloseRun(true);
}

void BinarySearch(int n, int key, int& pos)
{
    int lo = 1;
    int hi = n - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        ++Comparisons;
        if (key > SortData[mid])
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    // The last index holding a value below the key (0 when there is none):
    // the key goes in front of the values equal to it.
    pos = hi;
}

void BinaryInsertionSort()
{
    OpenRun();
    const int W = RunWidth();
    for (int i = 2; i <= W; ++i) {
        const Integer key = SortData[i];
        int pos = 0;
        BinarySearch(i, key, pos);
        int j = i;
        while (j >= pos + 2) {
            CodeAt(BinaryInsertionCode::Move, i, key, pos, j);
            Store(SortData, j, SortData[j - 1]);
            StepLine(-1, j, -1);
            --j;
        }
        CodeAt(BinaryInsertionCode::Place, i, key, pos, j);
        Store(SortData, j, key);
        MainView->DrawLine(j, -1, -1);
        if (!Sorting)
            break;
    }
    CloseRun(true);
}
