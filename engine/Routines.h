// The routine table: a routine's index (SortType, the sort type list's
// order) maps to its list text, the notice shown before it, and its entry.
#pragma once

#include <array>

struct Routine {
    const char* name;   // the list text, e.g. "Quick Sort"
    const char* notice; // message box shown before the run, or nullptr
    void (*entry)();    // the routine, or nullptr when nothing runs
};

extern const std::array<Routine, 13> RoutineTable;

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
