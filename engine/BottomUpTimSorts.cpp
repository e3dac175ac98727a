// Bottom-up Merge Sort and Tim Sort: merges without recursion, through
// AuxData. Both stop within one step: a merge stopped half way puts what is
// left of its copied run back into the gap without drawing, so SortData
// always holds the values it started with.
#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

#include <algorithm>
#include <vector>

bool StepGoesOn(int X, int Y, int z)
{
    StepLine(X, Y, z);
    return Sorting;
}

namespace {

// Marker 3 follows the head of the run not being copied; it is redrawn only
// when the head has moved, which keeps a step as cheap as one marker's move.
int MarkerMove(int& shown, int to)
{
    if (to == shown)
        return -1;
    if (to != -1)
        shown = to;
    return to;
}

} // namespace

// ---------------------------------------------------------------- bottom-up

namespace {
// What the outer loops of Bottom-up Merge Sort and Tim Sort are at, for the
// code shown.
thread_local int mergeWidth = 0;
thread_local int timLo = CodeWhere::kNone;
thread_local int timLen = CodeWhere::kNone;
} // namespace

void MergeFromLeft(int first, int mid, int last)
{
    const int n1 = mid - first + 1;
    ClearArray(AuxData, static_cast<std::size_t>(n1) + 1);
    for (int k = 1; k <= n1; ++k)
        Store(AuxData, k, SortData[first + k - 1]);
    int i = 1;       // next of the left run, in AuxData
    int j = mid + 1; // next of the right run, in place
    int dest = first;
    bool live = true;
    int head = -1; // where marker 3 stands: the right run's next value
    while (live && i <= n1 && j <= last) {
        ++Comparisons;
        // Ties take the left run: equal values keep their order.
        if (AuxData[i] <= SortData[j]) {
            CodeAt(BottomUpCode::TakeLeft, mergeWidth, first, mid, last, j, dest);
            Store(SortData, dest, AuxData[i++]);
        } else {
            CodeAt(BottomUpCode::TakeRight, mergeWidth, first, mid, last, j, dest);
            Store(SortData, dest, SortData[j++]);
        }
        live = StepGoesOn(-1, dest, MarkerMove(head, j <= last ? j : -1));
        ++dest;
    }
    // The right run's rest is in place already; the left run's rest fills the
    // gap before it (exactly its size), drawn unless the run was stopped.
    for (; i <= n1; ++i, ++dest) {
        CodeAt(BottomUpCode::Rest, mergeWidth, first, mid, last, CodeWhere::kNone, dest);
        Store(SortData, dest, AuxData[i]);
        if (live)
            live = StepGoesOn(-1, dest, -1);
    }
}

void BottomUpMergeSort()
{
    OpenRun();
    const int W = RunWidth();
    for (int width = 1; width < W && Sorting; width *= 2) {
        mergeWidth = width;
        for (int first = 1; first + width <= W && Sorting; first += 2 * width)
            MergeFromLeft(first, first + width - 1, std::min(first + 2 * width - 1, W));
    }
    CloseRun(true);
}

// ---------------------------------------------------------------- Tim Sort

namespace {

// Runs shorter than the minimum run length are extended by binary insertion;
// 32 keeps several runs to merge already at a width of 100.
constexpr int kMinMerge = 32;
constexpr int kMinGallop = 7;
// How many wins in a row switch a merge to galloping; adapts during a run.
thread_local int minGallop = kMinGallop;

int MinRunLength(int n)
{
    int r = 0;
    while (n >= kMinMerge) {
        r |= n & 1;
        n >>= 1;
    }
    return n + r;
}

struct Run {
    int base;
    int len;
};

void MergeAt(std::vector<Run>& runs, std::size_t i)
{
    int base1 = runs[i].base;
    int len1 = runs[i].len;
    const int base2 = runs[i + 1].base;
    int len2 = runs[i + 1].len;
    runs[i].len = len1 + len2;
    runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    // The left run's values not above the right run's first are in place
    // already, and so are the right run's values not below the left run's last.
    const int k = GallopRight(SortData[base2], SortData, base1, len1, 0);
    base1 += k;
    len1 -= k;
    if (len1 == 0)
        return;
    len2 = GallopLeft(SortData[base1 + len1 - 1], SortData, base2, len2, len2 - 1);
    if (len2 == 0)
        return;
    if (len1 <= len2)
        MergeLo(base1, len1, base2, len2);
    else
        MergeHi(base1, len1, base2, len2);
}

// Keeps the run lengths on the stack growing faster than the Fibonacci
// numbers from the top down, so the stack stays short and merges balanced.
void MergeCollapse(std::vector<Run>& runs)
{
    while (runs.size() > 1 && Sorting) {
        std::size_t n = runs.size() - 2;
        if ((n > 0 && runs[n - 1].len <= runs[n].len + runs[n + 1].len)
            || (n > 1 && runs[n - 2].len <= runs[n - 1].len + runs[n].len)) {
            if (runs[n - 1].len < runs[n + 1].len)
                --n;
        } else if (runs[n].len > runs[n + 1].len) {
            break;
        }
        MergeAt(runs, n);
    }
}

void MergeForceCollapse(std::vector<Run>& runs)
{
    while (runs.size() > 1 && Sorting) {
        std::size_t n = runs.size() - 2;
        if (n > 0 && runs[n - 1].len < runs[n + 1].len)
            --n;
        MergeAt(runs, n);
    }
}

} // namespace

int CountRunAndMakeAscending(int lo, int hi)
{
    int runHi = lo + 1;
    if (runHi > hi)
        return 1;
    ++Comparisons;
    if (SortData[runHi] < SortData[lo]) {
        // Strictly descending, so reversing it keeps equal values in order.
        ++runHi;
        while (runHi <= hi) {
            ++Comparisons;
            if (!(SortData[runHi] < SortData[runHi - 1]))
                break;
            ++runHi;
        }
        for (int a = lo, b = runHi - 1; a < b; ++a, --b) {
            CodeAt(TimCode::Run, lo, runHi - lo, CodeWhere::kNone, CodeWhere::kNone, CodeWhere::kNone, a);
            Exchange(a, b);
            if (!StepGoesOn(-1, a, b))
                break;
        }
    } else {
        ++runHi;
        while (runHi <= hi) {
            ++Comparisons;
            if (SortData[runHi] < SortData[runHi - 1])
                break;
            ++runHi;
        }
    }
    return runHi - lo;
}

void BinaryInsertRange(int lo, int start, int hi)
{
    for (int i = start; i <= hi && Sorting; ++i) {
        const Integer key = SortData[i];
        // The first place whose value is above key: after the equal ones.
        int left = lo;
        int right = i;
        while (left < right) {
            const int mid = (left + right) / 2;
            ++Comparisons;
            if (key < SortData[mid])
                right = mid;
            else
                left = mid + 1;
        }
        // Moved down by exchanges, so a stop leaves every value in SortData.
        for (int j = i; j > left; --j) {
            CodeAt(TimCode::Extend, lo, i - lo + 1, CodeWhere::kNone, CodeWhere::kNone, CodeWhere::kNone, j - 1);
            Exchange(j - 1, j);
            if (!StepGoesOn(-1, j - 1, -1))
                return;
        }
    }
}

int GallopLeft(Integer key, const std::vector<Integer>& v, int base, int len, int hint)
{
    int lastOfs = 0;
    int ofs = 1;
    ++Comparisons;
    if (key > v[base + hint]) {
        // Gallop right until v[base + hint + lastOfs] < key <= v[base + hint + ofs].
        const int maxOfs = len - hint;
        while (ofs < maxOfs) {
            ++Comparisons;
            if (!(key > v[base + hint + ofs]))
                break;
            lastOfs = ofs;
            ofs = 2 * ofs + 1;
        }
        ofs = std::min(ofs, maxOfs);
        lastOfs += hint;
        ofs += hint;
    } else {
        // Gallop left until v[base + hint - ofs] < key <= v[base + hint - lastOfs].
        const int maxOfs = hint + 1;
        while (ofs < maxOfs) {
            ++Comparisons;
            if (key > v[base + hint - ofs])
                break;
            lastOfs = ofs;
            ofs = 2 * ofs + 1;
        }
        ofs = std::min(ofs, maxOfs);
        const int t = lastOfs;
        lastOfs = hint - ofs;
        ofs = hint - t;
    }
    // Now v[base + lastOfs] < key <= v[base + ofs]: a binary search between.
    ++lastOfs;
    while (lastOfs < ofs) {
        const int m = lastOfs + (ofs - lastOfs) / 2;
        ++Comparisons;
        if (key > v[base + m])
            lastOfs = m + 1;
        else
            ofs = m;
    }
    return ofs;
}

int GallopRight(Integer key, const std::vector<Integer>& v, int base, int len, int hint)
{
    int lastOfs = 0;
    int ofs = 1;
    ++Comparisons;
    if (key < v[base + hint]) {
        // Gallop left until v[base + hint - ofs] <= key < v[base + hint - lastOfs].
        const int maxOfs = hint + 1;
        while (ofs < maxOfs) {
            ++Comparisons;
            if (!(key < v[base + hint - ofs]))
                break;
            lastOfs = ofs;
            ofs = 2 * ofs + 1;
        }
        ofs = std::min(ofs, maxOfs);
        const int t = lastOfs;
        lastOfs = hint - ofs;
        ofs = hint - t;
    } else {
        // Gallop right until v[base + hint + lastOfs] <= key < v[base + hint + ofs].
        const int maxOfs = len - hint;
        while (ofs < maxOfs) {
            ++Comparisons;
            if (key < v[base + hint + ofs])
                break;
            lastOfs = ofs;
            ofs = 2 * ofs + 1;
        }
        ofs = std::min(ofs, maxOfs);
        lastOfs += hint;
        ofs += hint;
    }
    ++lastOfs;
    while (lastOfs < ofs) {
        const int m = lastOfs + (ofs - lastOfs) / 2;
        ++Comparisons;
        if (key < v[base + m])
            ofs = m;
        else
            lastOfs = m + 1;
    }
    return ofs;
}

void MergeLo(int base1, int len1, int base2, int len2)
{
    ClearArray(AuxData, static_cast<std::size_t>(len1) + 1);
    for (int k = 1; k <= len1; ++k)
        Store(AuxData, k, SortData[base1 + k - 1]);
    int c1 = 1;     // next of the left run, in AuxData(1..len1)
    int c2 = base2; // next of the right run, in place
    const int end2 = base2 + len2 - 1;
    int dest = base1;
    bool live = true;
    int head = -1;
    int line = TimCode::OneByOne;
    auto put = [&](Integer value) {
        CodeAt(line, timLo, timLen, base1, len1, len2, dest);
        Store(SortData, dest, value);
        live = StepGoesOn(-1, dest, MarkerMove(head, c2 <= end2 ? c2 : -1));
        ++dest;
    };
    while (live && c1 <= len1 && c2 <= end2) {
        // One value at a time until one run wins minGallop times in a row.
        int count1 = 0;
        int count2 = 0;
        line = TimCode::OneByOne;
        while (live && c1 <= len1 && c2 <= end2 && std::max(count1, count2) < minGallop) {
            ++Comparisons;
            if (SortData[c2] < AuxData[c1]) {
                ++c2;
                put(SortData[c2 - 1]);
                ++count2;
                count1 = 0;
            } else {
                put(AuxData[c1++]);
                ++count1;
                count2 = 0;
            }
        }
        // Then galloping: whole stretches of one run at a time.
        line = TimCode::Galloping;
        while (live && c1 <= len1 && c2 <= end2) {
            count1 = GallopRight(SortData[c2], AuxData, c1, len1 - c1 + 1, 0);
            for (int n = 0; n < count1 && live; ++n)
                put(AuxData[c1++]);
            if (!live || c1 > len1)
                break;
            ++c2;
            put(SortData[c2 - 1]);
            if (!live || c2 > end2)
                break;
            count2 = GallopLeft(AuxData[c1], SortData, c2, end2 - c2 + 1, 0);
            for (int n = 0; n < count2 && live; ++n) {
                ++c2;
                put(SortData[c2 - 1]);
            }
            if (!live || c2 > end2)
                break;
            put(AuxData[c1++]);
            minGallop = std::max(minGallop - 1, 0);
            if (count1 < kMinGallop && count2 < kMinGallop) {
                // Galloping stopped paying: back to one at a time, a little later next time.
                minGallop += 2;
                break;
            }
        }
    }
    // The left run's rest fills the gap before the right run's rest (or the
    // end), which is exactly its size.
    for (; c1 <= len1; ++c1, ++dest) {
        CodeAt(TimCode::Rest, timLo, timLen, base1, len1, len2, dest);
        Store(SortData, dest, AuxData[c1]);
        if (live)
            live = StepGoesOn(-1, dest, -1);
    }
}

void MergeHi(int base1, int len1, int base2, int len2)
{
    ClearArray(AuxData, static_cast<std::size_t>(len2) + 1);
    for (int k = 1; k <= len2; ++k)
        Store(AuxData, k, SortData[base2 + k - 1]);
    int c1 = base1 + len1 - 1; // last of the left run, in place
    int c2 = len2;             // last of the right run, in AuxData(1..len2)
    int dest = base2 + len2 - 1;
    bool live = true;
    int head = -1;
    int line = TimCode::OneByOne;
    auto put = [&](Integer value) {
        CodeAt(line, timLo, timLen, base1, len1, len2, dest);
        Store(SortData, dest, value);
        live = StepGoesOn(-1, dest, MarkerMove(head, c1 >= base1 ? c1 : -1));
        --dest;
    };
    while (live && c1 >= base1 && c2 >= 1) {
        int count1 = 0;
        int count2 = 0;
        line = TimCode::OneByOne;
        while (live && c1 >= base1 && c2 >= 1 && std::max(count1, count2) < minGallop) {
            ++Comparisons;
            // From the right the left run wins only when strictly greater:
            // equal values keep their order.
            if (AuxData[c2] < SortData[c1]) {
                --c1;
                put(SortData[c1 + 1]);
                ++count1;
                count2 = 0;
            } else {
                put(AuxData[c2--]);
                ++count2;
                count1 = 0;
            }
        }
        line = TimCode::Galloping;
        while (live && c1 >= base1 && c2 >= 1) {
            const int rest1 = c1 - base1 + 1;
            count1 = rest1 - GallopRight(AuxData[c2], SortData, base1, rest1, rest1 - 1);
            for (int n = 0; n < count1 && live; ++n) {
                --c1;
                put(SortData[c1 + 1]);
            }
            if (!live || c1 < base1)
                break;
            put(AuxData[c2--]);
            if (!live || c2 < 1)
                break;
            count2 = c2 - GallopLeft(SortData[c1], AuxData, 1, c2, c2 - 1);
            for (int n = 0; n < count2 && live; ++n)
                put(AuxData[c2--]);
            if (!live || c2 < 1)
                break;
            --c1;
            put(SortData[c1 + 1]);
            minGallop = std::max(minGallop - 1, 0);
            if (count1 < kMinGallop && count2 < kMinGallop) {
                minGallop += 2;
                break;
            }
        }
    }
    // The right run's rest fills the gap after the left run's rest.
    for (; c2 >= 1; --c2, --dest) {
        CodeAt(TimCode::Rest, timLo, timLen, base1, len1, len2, dest);
        Store(SortData, dest, AuxData[c2]);
        if (live)
            live = StepGoesOn(-1, dest, -1);
    }
}

void TimSort()
{
    OpenRun();
    const int W = RunWidth();
    minGallop = kMinGallop;
    const int minRun = MinRunLength(std::max(W, 0));
    std::vector<Run> runs;
    for (int lo = 1; lo <= W && Sorting;) {
        timLo = lo;
        timLen = CodeWhere::kNone;
        int len = CountRunAndMakeAscending(lo, W);
        // A short run is made up to the minimum length by binary insertion.
        if (len < minRun && Sorting) {
            const int force = std::min(minRun, W - lo + 1);
            BinaryInsertRange(lo, lo + len, lo + force - 1);
            len = force;
        }
        timLen = len;
        runs.push_back({lo, len});
        MergeCollapse(runs);
        lo += len;
    }
    timLo = timLen = CodeWhere::kNone;
    MergeForceCollapse(runs);
    CloseRun(true);
}
