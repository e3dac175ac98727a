// Counting Sort and Radix Sort: values are counted, not compared, and placed
// from the right end into AuxData, which keeps equal values in their order.
// Neither tests the stop flag; both always run to their end.
//
// Handlers run during every step, and the toolbar's order buttons may put
// new values into SortData then; so every index into CountData and AuxData
// is checked at the moment it is used, and a value or position outside the
// arrays is skipped rather than written.
#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

#include "platform/Runtime.h"

#include <algorithm>

namespace {

// Radix Sort's digit place in the pass in progress, for the code shown.
thread_local int digitPlace = CodeWhere::kNone;

bool InRange(int index, const std::vector<Integer>& array)
{
    return index >= 0 && index < static_cast<int>(array.size());
}

// The body both routines share, around the counter of a value (-1 for none):
// count every element while clearing its column, turn the counts into last
// positions, place from the right end into AuxData with a drawn step each,
// and copy AuxData back.
template <typename CounterOf>
void CountAndPlace(int W, CounterOf counterOf)
{
    for (int i = 1; i <= W; ++i) {
        const int c = counterOf(SortData[i]);
        if (InRange(c, CountData))
            ++CountData[c];
        CodeAt(CountingCode::Count, i, CodeWhere::kNone, digitPlace);
        StepPlot(i, false);
    }
    // Afterwards each counter holds the last position of its values.
    for (int k = 1; k < static_cast<int>(CountData.size()); ++k)
        CountData[k] = static_cast<Integer>(CountData[k] + CountData[k - 1]);
    for (int i = W; i >= 1; --i) {
        const Integer value = SortData[i];
        const int c = counterOf(value);
        if (!InRange(c, CountData))
            continue;
        const int p = CountData[c];
        if (p < 1 || p > W || !InRange(p, AuxData))
            continue;
        CodeAt(CountingCode::Place, i, p, digitPlace);
        Store(AuxData, p, value);
        MainView->DrawPlot(p, true);
        // The next element of this value goes one position further left.
        CountData[c] = static_cast<Integer>(p - 1);
        Pause();
        DoEvents();
    }
    for (int i = 1; i <= W && InRange(i, AuxData); ++i) {
        CodeAt(CountingCode::CopyBack, i, CodeWhere::kNone, digitPlace);
        Store(SortData, i, AuxData[i]);
    }
}

} // namespace

void CountingSort()
{
    const int W = std::max<int>(RunWidth(), 0);
    // One counter for every value from min(0, smallest) to max(height,
    // largest): values above the height and below 1 are counted and placed
    // like any other, 0 and negatives before 1.
    int bottom = 0;
    int top = std::max<int>(SortSet[1], 0);
    for (int i = 1; i <= W; ++i) {
        bottom = std::min<int>(bottom, SortData[i]);
        top = std::max<int>(top, SortData[i]);
    }
    ClearArray(AuxData, static_cast<std::size_t>(W) + 1);
    CountData.assign(static_cast<std::size_t>(top - bottom) + 1, 0);
    digitPlace = CodeWhere::kNone;
    OpenRun();
    CountAndPlace(W, [bottom](Integer v) { return v - bottom; });
    CloseRun(false);
}

void RadixPass(const int& d, const int& m)
{
    const int W = std::max<int>(RunWidth(), 0);
    ClearArray(AuxData, static_cast<std::size_t>(W) + 1);
    // Counter 0 stays empty, so the running sums start the first bucket at 1.
    CountData.assign(11, 0);
    digitPlace = d;
    OpenRun();
    // Digit g of (v - m) goes to counter g + 1: the buckets run from digit 0
    // to digit 9, so each pass is a stable sort by its digit.
    CountAndPlace(W, [d, m](Integer v) {
        const int key = v - m;
        return key < 0 ? -1 : (key / d) % 10 + 1;
    });
    // Every pass reports and clears the run flag; the next pass runs anyway.
    CloseRun(false);
}

void RadixSort()
{
    const int W = std::max<int>(RunWidth(), 0);
    // The digits are those of v - m, m = min(0, smallest), so negative values
    // have digits too; as many passes as the largest of them needs, but at
    // least units, tens and hundreds.
    int smallest = 0;
    int largest = 0;
    for (int i = 1; i <= W; ++i) {
        smallest = std::min<int>(smallest, SortData[i]);
        largest = std::max<int>(largest, SortData[i]);
    }
    const int m = smallest;
    int passes = 1;
    for (int span = largest - m; span >= 10; span /= 10)
        ++passes;
    passes = std::max(passes, 3);
    int d = 1;
    for (int e = 0; e < passes; ++e, d *= 10)
        RadixPass(d, m);
}
