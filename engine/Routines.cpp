#include "engine/Routines.h"

namespace {
constexpr RoutineCost kQuadratic{"O(n²)", "O(n²)", "O(n²)"};
constexpr RoutineCost kAdaptiveQuadratic{"O(n)", "O(n²)", "O(n²)"};
constexpr RoutineCost kLinearithmic{"O(n log n)", "O(n log n)", "O(n log n)"};
constexpr RoutineCost kQuick{"O(n log n)", "O(n log n)", "O(n²)"};
constexpr RoutineCost kNetwork{"O(n log² n)", "O(n log² n)", "O(n log² n)"};
} // namespace

const std::array<Routine, kRoutineCount> RoutineTable{{
    {"Selection Sort", nullptr, SelectionSort, "selection", true, false, true, kQuadratic, 0},
    {"Bubble Sort", nullptr, BubbleSort, "exchange", true, true, true, kQuadratic, 0},
    {"Insertion Sort", nullptr, InsertionSort, "insertion", true, true, true, kAdaptiveQuadratic, 0},
    // Its binary search makes every case n log n comparisons; the moves stay
    // quadratic. The key goes before equal values, so it is not stable.
    {"Binary Insertion Sort", nullptr, BinaryInsertionSort, "insertion", true, false, true, kLinearithmic, 0},
    // Its merge takes the right run's value on a tie.
    {"Merge Sort", nullptr, MergeSort, "merge", true, false, false, kLinearithmic, 0},
    {"Heap Sort", nullptr, HeapSort, "selection", true, false, true, kLinearithmic, 0},
    {"Quick Sort", nullptr, QuickSort, "quick", true, false, true, kQuick, 0, true},
    {"Randomized Quick Sort", nullptr, RandomQuickSort, "quick", true, false, true, kQuick, 0},
    {"Lomuto Quick Sort", nullptr, LomutoQuickSort, "quick", true, false, true, kQuick, 0, true},
    {"Stooge Sort", nullptr, StoogeSort, "exchange", true, false, true, {"O(n^2.71)", "O(n^2.71)", "O(n^2.71)"}, 0},
    {"Counting Sort", nullptr, CountingSort, "distribution", false, true, false, {"O(n + k)", "O(n + k)", "O(n + k)"}, 0},
    {"Radix Sort", "Sorry, not sorting correctly yet.", RadixSort, "distribution", false, true, false,
     {"O(d·n)", "O(d·n)", "O(d·n)"}, 0},
    {"Bucket Sort", "Sorry, not available correctly yet.", nullptr, "distribution", true, true, false,
     {"O(n + k)", "O(n + k)", "O(n²)"}, 0},
    {"Cocktail Shaker Sort", nullptr, CocktailShakerSort, "exchange", true, true, true, kAdaptiveQuadratic, 0},
    {"Odd-Even Sort", nullptr, OddEvenSort, "exchange", true, true, true, kAdaptiveQuadratic, 0},
    {"Gnome Sort", nullptr, GnomeSort, "exchange", true, true, true, kAdaptiveQuadratic, 0},
    {"Comb Sort", nullptr, CombSort, "exchange", true, false, true, {"O(n log n)", "O(n log n)", "O(n²)"}, 0},
    {"Shell Sort", nullptr, ShellSort, "insertion", true, false, true, {"O(n log n)", "O(n^1.2)", "O(n²)"}, 0},
    {"Cycle Sort", nullptr, CycleSort, "selection", true, false, true, kQuadratic, 0},
    {"Smooth Sort", nullptr, SmoothSort, "selection", true, false, true, {"O(n)", "O(n log n)", "O(n log n)"}, 0},
    {"Pancake Sort", nullptr, PancakeSort, "selection", true, false, true, kQuadratic, 0},
    {"Bottom-up Merge Sort", nullptr, BottomUpMergeSort, "merge", true, true, false, kLinearithmic, 0},
    {"Tim Sort", nullptr, TimSort, "merge", true, true, false, {"O(n)", "O(n log n)", "O(n log n)"}, 0},
    // All equal: equal pivots leave one middle part, which needs no sorting.
    {"Dual-Pivot Quick Sort", nullptr, DualPivotQuickSort, "quick", true, false, true, {"O(n)", "O(n log n)", "O(n²)"}, 0, true},
    {"Three-Way Quick Sort", nullptr, ThreeWayQuickSort, "quick", true, false, true, {"O(n)", "O(n log n)", "O(n²)"}, 0, true},
    {"Intro Sort", nullptr, IntroSort, "quick", true, false, true, kLinearithmic, 0},
    {"MSD Radix Sort", nullptr, MsdRadixSort, "distribution", false, false, true, {"O(d·n)", "O(d·n)", "O(d·n)"}, 0},
    {"Bitonic Sort", nullptr, BitonicSort, "network", true, false, true, kNetwork, 0},
    {"Odd-Even Merge Sort", nullptr, OddEvenMergeSort, "network", true, false, true, kNetwork, 0},
    {"Bogo Sort", nullptr, BogoSort, "impractical", true, false, true, {"O(n)", "O(n·n!)", "unbounded"}, 10},
}};
