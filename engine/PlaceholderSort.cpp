#include "engine/PlaceholderSort.h"

#include "engine/Instrument.h"

void PlaceholderSort()
{
    OpenRun();
    const int W = RunWidth();
    for (int i = 2; i <= W && Sorting; ++i)
        for (int j = i; j > 1; --j) {
            ++Comparisons;
            if (SortData[j - 1] <= SortData[j])
                break;
            Exchange(j - 1, j);
            StepLine(-1, j - 1, j);
        }
    CloseRun(true);
}
