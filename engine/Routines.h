// The routine table: a routine's index (SortType, the sort type list's
// order) maps to its list text, the notice shown before it, its entry, and
// what a student needs to know about it. It is the one place these facts
// live: the Type dialog, the Compare window, the command line and the tests
// ask it rather than single routines out by number.
#pragma once

#include "engine/Module1.h"

#include <array>

// The costs are the routine's work (its comparisons, or its writes where it
// compares nothing) as the usual texts, UTF-8: "O(n log n)", "O(n²)".
struct RoutineCost {
    const char* best;
    const char* average;
    const char* worst;
};

struct Routine {
    const char* name;   // the list text, e.g. "Quick Sort"
    const char* notice; // message box shown before the run, or nullptr
    void (*entry)();    // the routine, or nullptr when nothing runs
    const char* family; // "exchange", "selection", "insertion", "merge", "quick",
                        // "distribution", "network", "impractical"
    bool compares;      // counts comparisons; false: Counting, Radix, MSD Radix Sort
    bool stable;        // equal values keep their order
    bool inPlace;       // needs no scratch array the size of the data
    RoutineCost cost;
    int sizeLimit;      // the most values it runs on; 0: no limit
    // Sorted data, either way round, is its worst case (a quick sort that takes
    // its pivot from an end of the range); otherwise sorted data is its best
    // case and reversed data its worst.
    bool sortedIsWorst = false;
};

// Codes 0..12 are the thirteen of the original list; 13..29 follow them.
constexpr int kRoutineCount = 30;
extern const std::array<Routine, kRoutineCount> RoutineTable;

// The entries: each opens and closes its own run.
void SelectionSort();
void BubbleSort();
void InsertionSort();
void BinaryInsertionSort();
void MergeSort();
void HeapSort();
void QuickSort();
void RandomQuickSort();
void LomutoQuickSort();
void StoogeSort();
void CountingSort();
void RadixSort();
void CocktailShakerSort();
void OddEvenSort();
void GnomeSort();
void CombSort();
void ShellSort();
void CycleSort();
void SmoothSort();
void PancakeSort();
void BottomUpMergeSort();
void TimSort();
void DualPivotQuickSort();
void ThreeWayQuickSort();
void IntroSort();
void MsdRadixSort();
void BitonicSort();
void OddEvenMergeSort();
void BogoSort();

// The procedures the entries are made of. Range bounds are taken by
// reference and only read: the entries pass the width setting itself.
// Result: the last index of SortData(1..n-1) below key, 0 when none.
void BinarySearch(int n, int key, int& pos);
void MergeRange(const Integer& first, const Integer& last);
void MergeRuns(const Integer& first, const Integer& mid, const Integer& last);
// Each partition returns p with lo <= p < hi, every value of lo..p at most
// every value of p + 1..hi.
Integer Partition(const Integer& lo, const Integer& hi);
Integer RandomPartition(const Integer& lo, const Integer& hi);
Integer LomutoPartition(const Integer& lo, const Integer& hi);
using PartitionFn = Integer (*)(const Integer& lo, const Integer& hi);
// The range procedure of the three quick sorts: partition, then both sides.
void QuickRange(const Integer& lo, const Integer& hi, PartitionFn partition);
void BuildHeap();
void Heapify(const Integer& i);
void StoogeRange(const Integer& i, const Integer& j);
// One counting pass by the digit of (v - m) that divisor d selects.
void RadixPass(const int& d, const int& m);

// A drawn step after which a routine goes on only if the run has not been
// stopped: the routines that stop within one step test this at every step.
bool StepGoesOn(int X, int Y, int z);
// Bottom-up Merge Sort: merges SortData(first..mid) with (mid + 1..last),
// the left run copied to AuxData; ties take the left run, so it is stable.
// A stop during the merge puts the left run's rest back into the gap.
void MergeFromLeft(int first, int mid, int last);
// Tim Sort's pieces. The length of the run that starts at lo (ending at
// most at hi), a strictly descending run reversed in place.
int CountRunAndMakeAscending(int lo, int hi);
// Binary insertion of start..hi into the sorted lo..start - 1.
void BinaryInsertRange(int lo, int start, int hi);
// The place of key in sorted v(base..base + len - 1), searched from hint
// outwards: Left before the values equal to key, Right after them.
int GallopLeft(Integer key, const std::vector<Integer>& v, int base, int len, int hint);
int GallopRight(Integer key, const std::vector<Integer>& v, int base, int len, int hint);
// Merges the adjacent sorted runs base1.. and base2.. (base2 = base1 + len1)
// through AuxData, the shorter run copied: Lo from the left, Hi from the right.
void MergeLo(int base1, int len1, int base2, int len2);
void MergeHi(int base1, int len1, int base2, int len2);
// The quick-sort variants' ranges: each tests the stop flag on entry.
void DualPivotRange(int lo, int hi);
void ThreeWayRange(int lo, int hi);
// Intro Sort: quick sort while depth lasts, then heap sort; insertion for
// ranges of at most 16.
void IntroRange(int lo, int hi, int depth);
int MedianOfThreePartition(int lo, int hi);
void IntroHeapRange(int lo, int hi);
void IntroInsertionRange(int lo, int hi);
// MSD Radix Sort: sorts lo..hi in place by the base-4 digit of (v - m)
// at shift, then each bucket by the next digit.
void MsdRange(int lo, int hi, int shift, int m);
// The networks. One compare-exchange: counts one comparison, puts the smaller
// value at i when ascending (at j otherwise).
void NetworkComparator(int i, int j, bool ascending);
// Bitonic Sort of the n values from lo, for any n.
void BitonicRange(int lo, int n, bool ascending);
void BitonicMerge(int lo, int n, bool ascending);
// Bogo Sort: whether SortData(1..W) is ascending; a uniform shuffle of it.
bool BogoSorted(int W);
void BogoShuffle(int W);
// A step with marker 1 on X and markers 2 and 3 on the pair a, b. Marker 3
// moves last and redraws the bar it leaves plainly, so when the pair shares
// a bar with the last one it stays there, or marker 2 arriving there would
// be wiped out; marker3 keeps its bar from step to step (0 at the start).
void StepPair(int X, int a, int b, int& marker3);
// Compares SortData(a) with SortData(b), a < b, and exchanges them when the
// first is greater; then StepPair. True when it exchanged.
bool ExchangeIfGreater(int a, int b, int X, int& marker3);
// Insertion sort of the elements gap apart, by exchanges; steps as StepPair's.
void ShellPass(int gap, int& marker3);
// Where item belongs among SortData(start..W): start plus the number of
// values in start + 1..W below it, one comparison and one step each.
int CyclePosition(int start, Integer item);
// Reverses SortData(1..k), one exchange a step; marker2 keeps the bar
// marker 2 stands on from step to step.
void FlipPrefix(int k, int& marker2);
// Smooth Sort's string of Leonardo heaps over SortData(1..): each heap is
// named by its root (its last element) and its order (it holds
// Leonardo(order) elements).
struct LeonardoHeap {
    int root;
    int order;
};
// 1, 1, 3, 5, 9, 15, ...: L(k) = L(k - 1) + L(k - 2) + 1.
int Leonardo(int order);
// Sifts the root of one Leonardo heap down into it. Its steps, as those of
// the two below, are StepPair's, marker3 kept through them all.
void LeonardoSift(int root, int order, int& marker3);
// Moves the root of heaps[t] left past every heap root greater than it and
// its children, then sifts it down in the heap it stops in.
void LeonardoTrinkle(const std::vector<LeonardoHeap>& heaps, std::size_t t, int& marker3);
// The same for a heap whose root is already its largest value.
void LeonardoSemitrinkle(const std::vector<LeonardoHeap>& heaps, std::size_t t, int& marker3);
