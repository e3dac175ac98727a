// MSD Radix Sort: by the top base-4 digit first, in place. Each range is
// counted by digit, the values are exchanged into their four buckets (each
// value straight to the next free place of its bucket), and each bucket is
// then sorted by the next digit down. It compares no values; the counters
// are its own, a few per level, so it needs no scratch array.
#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

#include <algorithm>
#include <array>
#include <bit>

namespace {

// The digit of v at shift; values below m (only after a regeneration during
// the run) go to the first bucket.
int DigitOf(Integer v, int shift, int m)
{
    return (std::max(v - m, 0) >> shift) & 3;
}

} // namespace

void MsdRange(int lo, int hi, int shift, int m)
{
    if (!Sorting || hi <= lo || shift < 0)
        return;
    std::array<int, 4> count{};
    for (int i = lo; i <= hi; ++i)
        ++count[DigitOf(SortData[i], shift, m)];
    std::array<int, 4> start{};
    std::array<int, 4> next{};
    std::array<int, 4> end{}; // one past the bucket
    for (int b = 0, pos = lo; b < 4; ++b) {
        start[b] = next[b] = pos;
        pos += count[b];
        end[b] = pos;
    }
    for (int b = 0; b < 4; ++b)
        while (next[b] < end[b]) {
            const int d = DigitOf(SortData[next[b]], shift, m);
            // A full bucket takes no more: undisturbed that never happens to
            // a value out of place, but regenerated data may not fit the counts.
            if (d == b || next[d] >= end[d]) {
                ++next[b];
                continue;
            }
            CodeAt(MsdCode::Swap, lo, hi, shift, b, next[b], next[d]);
            Exchange(next[b], next[d]);
            if (!StepGoesOn(-1, next[b], next[d]))
                return;
            ++next[d];
        }
    for (int b = 0; b < 4; ++b)
        MsdRange(start[b], end[b] - 1, shift - 2, m);
}

void MsdRadixSort()
{
    OpenRun();
    const int W = RunWidth();
    // The digits are those of v - m, m the smallest value, so negative values
    // have digits too; the top digit holds the highest bit of the largest.
    int smallest = 0;
    int largest = 0;
    for (int i = 1; i <= W; ++i) {
        smallest = i == 1 ? SortData[i] : std::min<int>(smallest, SortData[i]);
        largest = i == 1 ? SortData[i] : std::max<int>(largest, SortData[i]);
    }
    const int bits = std::bit_width(static_cast<unsigned>(largest - smallest));
    if (bits > 0)
        MsdRange(1, W, (bits - 1) / 2 * 2, smallest);
    CloseRun(true);
}
