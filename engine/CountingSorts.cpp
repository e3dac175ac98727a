// Counting Sort and Radix Sort: values are counted, not compared, and placed
// from the right end into AuxData, which keeps equal values in their order.
// Neither tests the stop flag; both always run to their end.
//
// Handlers run during every step, and the toolbar's order buttons may put
// new values into SortData then; so every index into CountData and AuxData
// is checked at the moment it is used, and a value or position outside the
// arrays is skipped rather than written.
#include "engine/Instrument.h"
#include "engine/Routines.h"

#include "platform/Runtime.h"

#include <algorithm>

namespace {

bool InRange(int index, const std::vector<Integer>& array)
{
    return index >= 0 && index < static_cast<int>(array.size());
}

// A placing step: the bar at its new position, then the counter moves down
// to the next free position of that value, then the pause and the pump.
void Place(int counter, int p, Integer value)
{
    AuxData[p] = value;
    MainView->DrawPlot(p, true);
    CountData[counter] = static_cast<Integer>(p - 1);
    Pause();
    DoEvents();
}

bool IsPosition(int p, int W)
{
    return p >= 1 && p <= W && InRange(p, AuxData);
}

void CopyBack(int W)
{
    for (int i = 1; i <= W && InRange(i, AuxData); ++i)
        SortData[i] = AuxData[i];
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
    AuxData.assign(static_cast<std::size_t>(W) + 1, 0);
    CountData.assign(static_cast<std::size_t>(top - bottom) + 1, 0);
    OpenRun();

    const int counters = top - bottom + 1;
    for (int k = 0; k < counters; ++k)
        CountData[k] = 0;
    for (int i = 1; i <= W; ++i) {
        const int c = SortData[i] - bottom;
        if (InRange(c, CountData))
            ++CountData[c];
        StepPlot(i, false);
    }
    // Afterwards CountData(v - bottom) is the last position of the value v.
    for (int k = 1; k < counters; ++k)
        CountData[k] = static_cast<Integer>(CountData[k] + CountData[k - 1]);
    for (int i = W; i >= 1; --i) {
        const Integer value = SortData[i];
        const int c = value - bottom;
        if (!InRange(c, CountData))
            continue;
        const int p = CountData[c];
        if (IsPosition(p, W))
            Place(c, p, value);
    }
    CopyBack(W);
    CloseRun(false);
}

void RadixPass(const int& d, const int& m)
{
    const int W = std::max<int>(RunWidth(), 0);
    AuxData.assign(static_cast<std::size_t>(W) + 1, 0);
    CountData.assign(11, 0);
    OpenRun();

    // Digit g of (v - m) goes to counter g + 1: the buckets run from digit 0
    // to digit 9, so each pass is a stable sort by its digit.
    const auto counterOf = [&](Integer v) {
        const int key = v - m;
        return key < 0 ? -1 : (key / d) % 10 + 1;
    };
    for (int k = 1; k <= 10; ++k)
        CountData[k] = 0;
    for (int i = 1; i <= W; ++i) {
        const int c = counterOf(SortData[i]);
        if (InRange(c, CountData))
            ++CountData[c];
        StepPlot(i, false);
    }
    for (int k = 2; k <= 10; ++k)
        CountData[k] = static_cast<Integer>(CountData[k] + CountData[k - 1]);
    for (int i = W; i >= 1; --i) {
        const Integer value = SortData[i];
        const int c = counterOf(value);
        if (!InRange(c, CountData))
            continue;
        const int p = CountData[c];
        if (IsPosition(p, W))
            Place(c, p, value);
    }
    CopyBack(W);
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
