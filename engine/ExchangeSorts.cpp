// Cocktail Shaker, Odd-Even, Gnome and Comb Sort: Bubble Sort's relatives.
// Each compares a pair, exchanges it when the first is greater, and draws the
// pair as one step, exchanged or not, as Bubble Sort does. The stop flag is
// tested after every step, so a run ends at the step Stop was pressed in.

#include "engine/CodeWhere.h"
#include "engine/Instrument.h"
#include "engine/RoutineCode.h"
#include "engine/Routines.h"

void StepPair(int X, int a, int b, int& marker3)
{
    if (a == marker3) {
        StepLine(X, b, a);
    } else {
        StepLine(X, a, b);
        marker3 = b;
    }
}

bool ExchangeIfGreater(int a, int b, int X, int& marker3)
{
    ++Comparisons;
    // Strictly greater: equal neighbours never pass each other.
    const bool exchange = SortData[a] > SortData[b];
    if (exchange)
        Exchange(a, b);
    StepPair(X, a, b, marker3);
    return exchange;
}

void CocktailShakerSort()
{
    OpenRun();
    const int W = RunWidth();
    // lo..hi is what is not yet settled: each pass up settles hi, each pass
    // down settles lo. Marker 1 stands on the settled place next to the end
    // the pass runs to (index 0, off the data, while there is none).
    int lo = 1;
    int hi = W;
    int marker3 = 0;
    while (lo < hi && Sorting) {
        bool exchanged = false;
        int settled = hi < W ? hi + 1 : 0; // placed by the first step of the pass
        for (int j = lo; j < hi && Sorting; ++j, settled = -1)
            CodeAt(CocktailCode::Up, lo, hi, j), exchanged = ExchangeIfGreater(j, j + 1, settled, marker3) || exchanged;
        if (!exchanged)
            break;
        --hi;
        exchanged = false;
        settled = lo - 1;
        for (int j = hi - 1; j >= lo && Sorting; --j, settled = -1)
            CodeAt(CocktailCode::Down, lo, hi, j), exchanged = ExchangeIfGreater(j, j + 1, settled, marker3) || exchanged;
        if (!exchanged)
            break;
        ++lo;
    }
    CloseRun(true);
}

void OddEvenSort()
{
    OpenRun();
    const int W = RunWidth();
    // A round: the pairs (1, 2), (3, 4), ..., then (2, 3), (4, 5), ....
    bool exchanged = true;
    int marker3 = 0;
    while (exchanged && Sorting) {
        exchanged = false;
        for (const int first : {1, 2})
            for (int i = first; i < W && Sorting; i += 2)
                CodeAt(first == 1 ? OddEvenCode::Odd : OddEvenCode::Even, i), exchanged = ExchangeIfGreater(i, i + 1, -1, marker3) || exchanged;
    }
    CloseRun(true);
}

void GnomeSort()
{
    OpenRun();
    const int W = RunWidth();
    // The gnome looks at the pair (i - 1, i): in order, it steps forward;
    // not, it exchanges them and steps back. At the first element there is
    // nothing behind it to look at, so it steps forward without comparing.
    int i = 2;
    int marker3 = 0;
    while (i <= W && Sorting) {
        if (i == 1)
            ++i;
        else if (CodeAt(GnomeCode::Swap, i), ExchangeIfGreater(i - 1, i, -1, marker3))
            --i;
        else
            ++i;
    }
    CloseRun(true);
}

void CombSort()
{
    OpenRun();
    const int W = RunWidth();
    int gap = W;
    bool done = false;
    int marker3 = 0;
    while (!done && Sorting) {
        // The gap shrinks by 1.3 exactly: in integers, so 13 becomes 10 and
        // not the 9 a floating 1.3 would give.
        gap = gap * 10 / 13;
        // At gap 1 the passes are Bubble Sort's; one that exchanges nothing ends the run.
        if (gap <= 1) {
            gap = 1;
            done = true;
        }
        for (int i = 1; i + gap <= W && Sorting; ++i)
            if (CodeAt(CombCode::Pass, gap, i), ExchangeIfGreater(i, i + gap, -1, marker3))
                done = false;
    }
    CloseRun(true);
}
