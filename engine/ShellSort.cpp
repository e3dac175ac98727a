// Shell Sort: insertion sorts over the elements a gap apart, the gaps
// shrinking to 1, so that far-off values travel in a few long moves before
// the last pass, Insertion Sort itself, finds almost nothing left to do.
// The gaps are Ciura's, measured best for up to a few thousand values.
#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

#include <array>
#include <vector>

void ShellPass(int gap, int& marker3)
{
    const int W = RunWidth();
    // Each element sinks by exchanges with the one a gap below while that one
    // is greater, as Insertion Sort's do: the test that ends the sinking
    // counts too, unless the element has reached the first gap.
    for (int i = gap + 1; i <= W && Sorting; ++i)
        for (int j = i; j > gap; j -= gap) {
            ++Comparisons;
            if (SortData[j - gap] <= SortData[j])
                break;
            CodeAt(ShellCode::Swap, gap, i, j);
            Exchange(j - gap, j);
            StepPair(-1, j - gap, j, marker3);
            if (!Sorting)
                return;
        }
}

void ShellSort()
{
    OpenRun();
    const int W = RunWidth();
    // Ciura's gaps, then each 2.25 times the one before (in integers: x 9 / 4).
    constexpr std::array kCiura{1, 4, 10, 23, 57, 132, 301, 701};
    std::vector<int> gaps;
    for (const int gap : kCiura)
        if (gap < W)
            gaps.push_back(gap);
    if (W > kCiura.back())
        for (int gap = kCiura.back() * 9 / 4; gap < W; gap = gap * 9 / 4)
            gaps.push_back(gap);
    // A gap of W or more has no pair to compare: the passes start below W.
    int marker3 = 0;
    for (auto gap = gaps.rbegin(); gap != gaps.rend() && Sorting; ++gap)
        ShellPass(*gap, marker3);
    CloseRun(true);
}
