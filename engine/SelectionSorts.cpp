// Cycle Sort, Smooth Sort and Pancake Sort: Selection Sort's relatives, each
// finding what belongs at a place and bringing it there its own way. Cycle
// Sort writes every value straight to its final place; Smooth Sort selects
// the largest from a string of Leonardo heaps, which costs next to nothing on
// data already in order; Pancake Sort moves values only by turning a prefix
// of the data over.
//
// The stop flag is tested after every step, so a run ends at the step Stop
// was pressed in. Handlers run during every step and may put other values
// into SortData; every index stays inside 1..W whatever the values.
//
// A marker that moves off a bar redraws it plainly, and the markers move in
// the order 1, 2, 3: a marker that stays on a bar another may leave is named
// again, in a later place, so it is drawn after the other has gone.
#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

#include <array>
#include <cstddef>
#include <utility>
#include <vector>

namespace {
// The outer loop's place in Smooth Sort and the prefix Pancake Sort is
// filling, for the code shown.
thread_local int smoothI = 0;
thread_local int pancakeSize = 0;
} // namespace

int CyclePosition(int start, Integer item)
{
    const int W = RunWidth();
    int pos = start;
    for (int i = start + 1; i <= W && Sorting; ++i) {
        ++Comparisons;
        if (SortData[i] < item)
            ++pos;
        // Marker 1 on the value compared, 2 on the place counted so far, 3
        // on where the cycle started.
        CodeAt(CycleCode::Position, start, pos, i, item);
        StepLine(i, pos, start);
    }
    return pos;
}

void CycleSort()
{
    OpenRun();
    const int W = RunWidth();
    for (int start = 1; start < W && Sorting; ++start) {
        Integer item = SortData[start];
        int pos = CyclePosition(start, item);
        if (!Sorting)
            break;
        if (pos == start)
            continue; // already where it belongs: not written at all
        // The value in hand goes to its place and the value found there is
        // taken up, until the one that belongs at start comes up. Meanwhile
        // start still holds a copy of the first value; the last write goes
        // there, so every place and every value is written once at most.
        // A cycle visits each place of start..W once: the bound only matters
        // when the values were replaced during a step.
        bool inHand = true;
        for (int writes = 0; writes < W - start + 1 && Sorting; ++writes) {
            // Values equal to the one in hand already at its place stay there.
            while (pos <= W) {
                ++Comparisons;
                if (SortData[pos] != item)
                    break;
                ++pos;
            }
            if (pos > W)
                break;
            const Integer taken = SortData[pos];
            CodeAt(CycleCode::Put, start, pos, CodeWhere::kNone, item);
            Store(SortData, pos, item);
            item = taken;
            StepLine(-1, pos, start);
            if (!Sorting)
                break;
            pos = CyclePosition(start, item);
            if (!Sorting)
                break;
            if (pos == start) {
                // The cycle closes: start holds only the copy, no test needed.
                CodeAt(CycleCode::Close, start, pos, CodeWhere::kNone, item);
                Store(SortData, start, item);
                StepLine(-1, -1, start);
                inHand = false;
                break;
            }
        }
        // Stopped (or the cycle cut short): the value in hand goes back to
        // start, where the copy of a value already placed stands, so the data
        // stay a permutation of what they were. Marker 3 is on start: the
        // closing redraws it.
        if (inHand) {
            CodeAt(CycleCode::Close, start, start, CodeWhere::kNone, item);
            Store(SortData, start, item);
        }
    }
    CloseRun(true);
}

int Leonardo(int order)
{
    // Enough orders for the widest data set a 16-bit width allows.
    static constexpr std::array<int, 23> kL = [] {
        std::array<int, 23> l{1, 1};
        for (std::size_t k = 2; k < l.size(); ++k)
            l[k] = l[k - 1] + l[k - 2] + 1;
        return l;
    }();
    return kL[static_cast<std::size_t>(order)];
}

namespace {

// The larger child of the root r of a heap of order 2 or more (the right one
// on a tie), and its order. One comparison.
std::pair<int, int> LargerChild(int r, int order)
{
    const int right = r - 1;
    const int left = right - Leonardo(order - 2);
    ++Comparisons;
    if (SortData[left] > SortData[right])
        return {left, order - 1};
    return {right, order - 2};
}

} // namespace

void LeonardoSift(int root, int order, int& marker3)
{
    while (order >= 2 && Sorting) {
        const auto [child, childOrder] = LargerChild(root, order);
        ++Comparisons;
        if (SortData[root] >= SortData[child])
            return;
        CodeAt(SmoothCode::SiftSwap, smoothI, root, child, order);
        Exchange(root, child);
        StepPair(-1, child, root, marker3);
        root = child;
        order = childOrder;
    }
}

void LeonardoTrinkle(const std::vector<LeonardoHeap>& heaps, std::size_t t, int& marker3)
{
    int root = heaps[t].root;
    int order = heaps[t].order;
    // The root goes left while the root of the heap before is greater than it
    // and than its children: the value it takes there keeps this heap a heap.
    while (t > 0 && Sorting) {
        const int before = heaps[t - 1].root;
        int largest = root;
        if (order >= 2) {
            const int child = LargerChild(root, order).first;
            ++Comparisons;
            if (SortData[child] > SortData[root])
                largest = child;
        }
        ++Comparisons;
        if (!(SortData[before] > SortData[largest]))
            break;
        CodeAt(SmoothCode::TrinkleSwap, smoothI, root, before, order);
        Exchange(before, root);
        StepPair(-1, before, root, marker3);
        --t;
        root = before;
        order = heaps[t].order;
    }
    if (Sorting)
        LeonardoSift(root, order, marker3);
}

void LeonardoSemitrinkle(const std::vector<LeonardoHeap>& heaps, std::size_t t, int& marker3)
{
    // The root is its heap's largest value already: only the root before it
    // can be out of order.
    if (t == 0)
        return;
    const int root = heaps[t].root;
    const int before = heaps[t - 1].root;
    ++Comparisons;
    if (SortData[before] > SortData[root]) {
        CodeAt(SmoothCode::Semitrinkle, smoothI, root, before, heaps[t].order);
        Exchange(before, root);
        StepPair(-1, before, root, marker3);
        if (Sorting)
            LeonardoTrinkle(heaps, t - 1, marker3);
    }
}

void SmoothSort()
{
    OpenRun();
    const int W = RunWidth();
    // The heaps, left to right: their orders fall from left to right, but
    // the last two may be consecutive (then the next element joins them).
    std::vector<LeonardoHeap> heaps;
    int marker3 = 0;
    for (int i = 1; i <= W && Sorting; ++i) {
        smoothI = i;
        const std::size_t n = heaps.size();
        if (n >= 2 && heaps[n - 2].order == heaps[n - 1].order + 1) {
            // Element i becomes the root over the last two heaps.
            heaps.pop_back();
            heaps.back() = {i, heaps.back().order + 1};
        } else if (n >= 1 && heaps.back().order == 1) {
            heaps.push_back({i, 0});
        } else {
            heaps.push_back({i, 1});
        }
        // A heap that will become a child only has to be a heap; one that
        // stays to the end also takes its place in the ascending row of
        // roots. It becomes a child when the next element joins it to the
        // heap before, or when enough elements follow to build the heap of
        // the next lower order beside it and join the two.
        const int order = heaps.back().order;
        const bool joinsBefore = heaps.size() >= 2 && heaps[heaps.size() - 2].order == order + 1 && i < W;
        const bool joinsAfter = order >= 1 && W - i >= Leonardo(order - 1) + 1;
        if (joinsBefore || joinsAfter)
            LeonardoSift(i, order, marker3);
        else
            LeonardoTrinkle(heaps, heaps.size() - 1, marker3);
    }
    // The last root is the largest value: it stays where it is and its heap
    // gives up its two children as heaps of their own.
    for (int i = W; i >= 2 && Sorting; --i) {
        smoothI = i;
        const LeonardoHeap last = heaps.back();
        heaps.pop_back();
        if (last.order >= 2) {
            heaps.push_back({i - 1 - Leonardo(last.order - 2), last.order - 1});
            LeonardoSemitrinkle(heaps, heaps.size() - 1, marker3);
            if (!Sorting)
                break;
            heaps.push_back({i - 1, last.order - 2});
            LeonardoSemitrinkle(heaps, heaps.size() - 1, marker3);
        }
    }
    CloseRun(true);
}

void FlipPrefix(int k, int& marker2)
{
    // Markers 1 and 2 on the pair exchanged (marker 2 staying on a bar it
    // stands on already), 3 on the last element of the prefix turned over.
    for (int i = 1, j = k; i < j && Sorting; ++i, --j) {
        CodeAt(k == pancakeSize ? PancakeCode::FlipAll : PancakeCode::FlipMax, pancakeSize, CodeWhere::kNone, CodeWhere::kNone, k, i);
        Exchange(i, j);
        if (i == marker2) {
            StepLine(j, i, k);
        } else {
            StepLine(i, j, k);
            marker2 = j;
        }
    }
}

void PancakeSort()
{
    OpenRun();
    const int W = RunWidth();
    int marker2 = 0;
    for (int size = W; size >= 2 && Sorting; --size) {
        pancakeSize = size;
        // The last of equal largest values: one that already ends the prefix
        // needs no turn at all.
        int m = 1;
        for (int j = 2; j <= size && Sorting; ++j) {
            ++Comparisons;
            if (SortData[j] >= SortData[m])
                m = j;
            // Marker 1 on the value compared, 2 on the largest so far, 3 on
            // the place to fill.
            CodeAt(PancakeCode::Scan, size, m, j, CodeWhere::kNone, CodeWhere::kNone);
            StepLine(j, m, size);
            marker2 = m;
        }
        if (m == size || !Sorting)
            continue;
        // The largest to the front, then the whole prefix over: it lands at size.
        if (m > 1)
            FlipPrefix(m, marker2);
        FlipPrefix(size, marker2);
    }
    CloseRun(true);
}
