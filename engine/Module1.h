// The state every part of the program shares: the window the routines draw
// in, the data arrays, the run flags, the settings arrays, the chosen routine
// and the counters.
//
// Each thread has its own: the window's is that of the user-interface
// thread, and a routine run headless on another thread (the comparison of
// all routines) works on a state of its own that the window never sees.
// Such a thread calls ResetSharedState() before anything else.
#pragma once

#include "engine/SortView.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

using Integer = std::int16_t; // a data value, a colour code, a setting

// The window every sort routine draws and reports through; never null (the
// null view stands in when there is no window).
extern thread_local constinit SortView* MainView;

// The data set as generated or drawn, indices 0..SortSet[2]; element 0 is 0.
extern thread_local constinit std::vector<Integer> SourceData;
// The working copy a run rearranges, indices 0..SortSet[2]; element 0 is 0.
extern thread_local constinit std::vector<Integer> SortData;
// Scratch array of Merge, Counting and Radix Sort.
extern thread_local constinit std::vector<Integer> AuxData;
// Counters of Counting and Radix Sort.
extern thread_local constinit std::vector<Integer> CountData;

// A data set has been taken into use by File > New and not closed since.
extern thread_local constinit bool DataReady;
// A run is in progress; clearing it asks the routine to stop at its next test.
// Atomic so that another thread may clear a headless run's flag: a routine
// that takes no step for a long while (Stooge Sort on ascending data) still
// stops at its next test. Reading it costs what a plain flag costs.
extern thread_local constinit std::atomic<bool> Sorting;
// A routine is executing, stopped or not: no second run may start inside it.
extern thread_local constinit bool RoutineRunning;
// The main window has unloaded: pauses end at once so a routine still on the
// stack finishes quickly on the null view.
extern thread_local constinit bool Unloading;

// 0 background, 1 foreground, 2..4 indicators 1..3 (colour codes 0..15).
extern thread_local constinit std::array<Integer, 5> ColorSet;
// 0 pen width in pixels, 1 step delay in hundredths of a second.
extern thread_local constinit std::array<Integer, 2> DrawSet;
// 0 order code 0..8, 1 height, 2 width.
extern thread_local constinit std::array<Integer, 3> SortSet;

// The routine of the next run, 0..29 (the routine table's index).
extern thread_local constinit Integer SortType;
// Comparisons of the current or last run. 64 bits: Stooge Sort passes 2^32
// comparisons from about 4000 values.
extern thread_local constinit std::int64_t Comparisons;
// Elements still in the heap during Heap Sort.
extern thread_local constinit int HeapSize;

// Puts every shared variable of this thread back to its program-start value
// (all zero, empty arrays, the null view). For tests, benchmarks and headless runs.
void ResetSharedState();
