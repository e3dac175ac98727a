#include "engine/Routines.h"

const std::array<Routine, 13> RoutineTable{{
    {"Selection Sort", nullptr, SelectionSort},
    {"Bubble Sort", nullptr, BubbleSort},
    {"Insertion Sort", nullptr, InsertionSort},
    {"Binary Insertion Sort", nullptr, BinaryInsertionSort},
    {"Merge Sort", nullptr, MergeSort},
    {"Heap Sort", nullptr, HeapSort},
    {"Quick Sort", nullptr, QuickSort},
    {"Randomized Quick Sort", nullptr, RandomQuickSort},
    {"Lomuto Quick Sort", nullptr, LomutoQuickSort},
    {"Stooge Sort", nullptr, StoogeSort},
    {"Counting Sort", nullptr, CountingSort},
    {"Radix Sort", "Sorry, not sorting correctly yet.", RadixSort},
    {"Bucket Sort", "Sorry, not available correctly yet.", nullptr},
}};
