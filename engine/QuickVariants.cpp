// The quick sorts libraries use: Dual-Pivot (three parts around two
// pivots), Three-Way (less, equal, greater) and Intro Sort (median-of-three
// quick sort that turns to heap sort when it goes too deep). Each tests the
// stop flag on entering a range and after every step, and moves values only
// by exchanges, so a stopped run leaves every value in SortData.
//
// Every scan is also held inside its range: undisturbed the data stop it
// anyway, but a data set regenerated during a step must not send it past.
#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

#include <algorithm>
#include <bit>

// ---------------------------------------------------------------- dual pivot

void DualPivotRange(int lo, int hi)
{
    if (!Sorting || lo >= hi)
        return;
    ++Comparisons;
    if (SortData[lo] > SortData[hi]) {
        CodeAt(DualPivotCode::Ends, lo, hi, CodeWhere::kNone, CodeWhere::kNone, CodeWhere::kNone, CodeWhere::kNone, CodeWhere::kNone);
        Exchange(lo, hi);
        if (!StepGoesOn(-1, lo, hi))
            return;
    }
    const Integer p = SortData[lo];
    const Integer q = SortData[hi];
    // lo + 1..l - 1 below p, l..k - 1 between, g + 1..hi - 1 above q.
    int l = lo + 1;
    int g = hi - 1;
    for (int k = l; k <= g; ++k) {
        ++Comparisons;
        if (SortData[k] < p) {
            if (k != l) {
                CodeAt(DualPivotCode::Less, lo, hi, p, q, l, k, g);
                Exchange(k, l);
                if (!StepGoesOn(-1, k, l))
                    return;
            }
            ++l;
            continue;
        }
        ++Comparisons;
        if (!(SortData[k] > q))
            continue;
        while (k < g) {
            ++Comparisons;
            if (!(SortData[g] > q))
                break;
            --g;
        }
        if (k != g) {
            CodeAt(DualPivotCode::SwapGreat, lo, hi, p, q, l, k, g);
            Exchange(k, g);
            if (!StepGoesOn(-1, k, g))
                return;
        }
        --g;
        // The value that came from the right may belong to the left part.
        ++Comparisons;
        if (SortData[k] < p) {
            if (k != l) {
                CodeAt(DualPivotCode::SwapLess, lo, hi, p, q, l, k, g);
                Exchange(k, l);
                if (!StepGoesOn(-1, k, l))
                    return;
            }
            ++l;
        }
    }
    --l;
    ++g;
    // The pivots to their places between the three parts.
    if (l != lo) {
        CodeAt(DualPivotCode::Place, lo, hi, p, q, l, CodeWhere::kNone, g);
        Exchange(lo, l);
        if (!StepGoesOn(-1, lo, l))
            return;
    }
    if (g != hi) {
        CodeAt(DualPivotCode::Place, lo, hi, p, q, l, CodeWhere::kNone, g);
        Exchange(hi, g);
        if (!StepGoesOn(-1, g, hi))
            return;
    }
    DualPivotRange(lo, l - 1);
    // With equal pivots the middle holds only their value.
    ++Comparisons;
    if (p < q)
        DualPivotRange(l + 1, g - 1);
    DualPivotRange(g + 1, hi);
}

void DualPivotQuickSort()
{
    OpenRun();
    DualPivotRange(1, RunWidth());
    CloseRun(true);
}

// ---------------------------------------------------------------- three-way

void ThreeWayRange(int lo, int hi)
{
    if (!Sorting || lo >= hi)
        return;
    const Integer v = SortData[lo];
    // lo..lt - 1 below v, lt..i - 1 equal, gt + 1..hi above.
    int lt = lo;
    int gt = hi;
    for (int i = lo + 1; i <= gt;) {
        // One three-way comparison with the pivot per value.
        const Integer x = SortData[i];
        ++Comparisons;
        if (x < v) {
            CodeAt(ThreeWayCode::Less, lo, hi, v, lt, i, gt);
            Exchange(lt, i);
            if (!StepGoesOn(-1, lt, i))
                return;
            ++lt;
            ++i;
        } else if (x > v) {
            if (i != gt) {
                CodeAt(ThreeWayCode::Greater, lo, hi, v, lt, i, gt);
                Exchange(i, gt);
                if (!StepGoesOn(-1, i, gt))
                    return;
            }
            --gt;
        } else {
            ++i;
        }
    }
    ThreeWayRange(lo, lt - 1);
    ThreeWayRange(gt + 1, hi);
}

void ThreeWayQuickSort()
{
    OpenRun();
    ThreeWayRange(1, RunWidth());
    CloseRun(true);
}

// ---------------------------------------------------------------- intro

namespace {

// Ranges this short are finished by insertion.
constexpr int kIntroInsertion = 16;
// The depth left and the end of the heap-sorted range, for the code shown.
thread_local int introDepth = 0;
thread_local int introHi = 0;

// Sifts heap position h (1-based within lo..) down a heap of size values.
void SiftDown(int lo, int h, int size)
{
    for (;;) {
        int c = 2 * h;
        if (c > size)
            return;
        if (c + 1 <= size) {
            ++Comparisons;
            if (SortData[lo + c] > SortData[lo + c - 1])
                ++c;
        }
        ++Comparisons;
        if (!(SortData[lo + c - 1] > SortData[lo + h - 1]))
            return;
        CodeAt(IntroCode::Sift, lo, introHi, introDepth, lo + h - 1, lo + c - 1);
        Exchange(lo + h - 1, lo + c - 1);
        if (!StepGoesOn(-1, lo + h - 1, lo + c - 1))
            return;
        h = c;
    }
}

} // namespace

void IntroHeapRange(int lo, int hi)
{
    const int n = hi - lo + 1;
    introHi = hi;
    for (int h = n / 2; h >= 1 && Sorting; --h)
        SiftDown(lo, h, n);
    for (int end = n; end >= 2 && Sorting; --end) {
        CodeAt(IntroCode::Extract, lo, hi, introDepth, lo, lo + end - 1);
        Exchange(lo, lo + end - 1);
        if (!StepGoesOn(lo, lo + end - 1, -1))
            return;
        SiftDown(lo, 1, end - 1);
    }
}

void IntroInsertionRange(int lo, int hi)
{
    for (int i = lo + 1; i <= hi; ++i)
        for (int j = i; j > lo; --j) {
            ++Comparisons;
            if (!(SortData[j - 1] > SortData[j]))
                break;
            CodeAt(IntroCode::InsertSwap, lo, hi, introDepth, i, j);
            Exchange(j - 1, j);
            // Both bars changed: the one marker 3 leaves is drawn anew too.
            if (!StepGoesOn(-1, j - 1, j))
                return;
        }
}

int MedianOfThreePartition(int lo, int hi)
{
    const int mid = lo + (hi - lo) / 2;
    // Order the first, middle and last values; the middle one is the pivot.
    auto order = [lo, hi](int a, int b) {
        ++Comparisons;
        if (!(SortData[b] < SortData[a]))
            return true;
        CodeAt(IntroCode::Median, lo, hi, introDepth, a, b);
        Exchange(a, b);
        return StepGoesOn(-1, a, b);
    };
    if (!order(lo, mid) || !order(mid, hi) || !order(lo, mid))
        return mid;
    const Integer pivot = SortData[mid];
    int i = lo - 1;
    int j = hi + 1;
    for (;;) {
        do {
            ++i;
            ++Comparisons;
        } while (i < hi && SortData[i] < pivot);
        do {
            --j;
            ++Comparisons;
        } while (j > lo && SortData[j] > pivot);
        if (i >= j)
            break;
        CodeAt(IntroCode::Swap, lo, hi, introDepth, i, j);
        Exchange(i, j);
        if (!StepGoesOn(-1, i, j))
            break;
    }
    // Undisturbed j < hi already; held there so both sides always shrink.
    return std::min(j, hi - 1);
}

void IntroRange(int lo, int hi, int depth)
{
    while (Sorting && hi - lo + 1 > kIntroInsertion) {
        introDepth = depth;
        if (depth == 0) {
            IntroHeapRange(lo, hi);
            return;
        }
        --depth;
        introDepth = depth;
        const int p = MedianOfThreePartition(lo, hi);
        IntroRange(p + 1, hi, depth);
        hi = p;
    }
    introDepth = depth;
    if (Sorting)
        IntroInsertionRange(lo, hi);
}

void IntroSort()
{
    OpenRun();
    const int W = RunWidth();
    // Quick sort goes at most 2 log2 W deep before heap sort takes over.
    const int depth = W > 0 ? 2 * (std::bit_width(static_cast<unsigned>(W)) - 1) : 0;
    IntroRange(1, W, depth);
    CloseRun(true);
}
