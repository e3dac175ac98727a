// Each routine's code as the program runs it, in a short pseudo-code: the
// same loops, comparisons and exchanges as its entry in engine/, line by
// line, with the variables a reader follows. Indexed like RoutineTable. The
// routines name the lines they are at through the enums below (engine/
// CodeWhere.h); a listing holds its lines in the order of its enum.
#pragma once

#include <vector>

struct CodeLine {
    const char* text;
    bool writes; // the line may store into or exchange elements of the data
};

struct CodeVariable {
    enum Kind {
        Index, // a position in the data, 0..W
        Value, // a data value (a pivot, a key)
        Other, // a count, a shift, a digit place, a depth
    };
    const char* name;
    Kind kind;
};

struct RoutineCode {
    std::vector<CodeLine> lines;
    std::vector<CodeVariable> variables; // in the order CodeAt() passes them
};

// The code of routine `type` (a SortType); an empty listing for none.
const RoutineCode& CodeOf(int type);

// The named lines, one enum per routine (shared procedures share them).
namespace SelectionCode { enum { Outer, Min, Inner, Compare, Swap, Count }; }
namespace BubbleCode { enum { Outer, Inner, CompareSwap, Count }; }
namespace InsertionCode { enum { Outer, Start, While, Swap, Down, Count }; }
namespace BinaryInsertionCode { enum { Outer, Key, Search, Shift, Move, Place, Count }; }
namespace MergeCode { enum { Range, Split, Recurse, Merge, MergeStart, While, TakeLeft, TakeRight, Rest, CopyBack, Count }; }
namespace HeapCode { enum { Build, Outer, Swap, Shrink, Heapify, Largest, SiftSwap, Count }; }
// Quick Sort's lines; Randomized Quick Sort adds its random pivot at the end.
namespace QuickCode { enum { Range, Recurse, Partition, ScanJ, ScanI, Cross, Swap, RandomSwap, Count }; }
namespace LomutoCode { enum { Range, Recurse, Partition, Scan, Swap, Result, Count }; }
namespace StoogeCode { enum { Swap, Third, Recurse, Count }; }
// Counting Sort's lines; Radix Sort's are the same pass with digits, and its passes.
namespace CountingCode { enum { Clear, Count, Sums, Place, CopyBack, Passes, Lines }; }
namespace CocktailCode { enum { Start, While, Up, UpDone, Down, DownDone, Count }; }
namespace OddEvenCode { enum { Repeat, Odd, Even, Until, Count }; }
namespace GnomeCode { enum { Start, While, AtFirst, Swap, Forward, Count }; }
namespace CombCode { enum { Start, Shrink, Pass, Until, Count }; }
namespace ShellCode { enum { Gaps, Outer, Inner, Test, Swap, Count }; }
namespace CycleCode { enum { Outer, Item, Position, InPlace, SkipEqual, Put, Again, Close, Count }; }
namespace SmoothCode { enum { Grow, Settle, Shrink, Sift, SiftTest, SiftSwap, Trinkle, TrinkleSwap, TrinkleSift, Semitrinkle, Count }; }
namespace PancakeCode { enum { Outer, Max, Scan, Placed, FlipMax, FlipAll, Count }; }
namespace BottomUpCode { enum { Widths, Merges, CopyLeft, While, TakeLeft, TakeRight, Rest, Count }; }
namespace TimCode { enum { MinRun, Run, Extend, Collapse, Force, Gallop, CopyShorter, OneByOne, Galloping, Rest, Count }; }
namespace DualPivotCode { enum { Range, Ends, Pivots, Scan, Less, Greater, SwapGreat, SwapLess, Place, Recurse, Count }; }
namespace ThreeWayCode { enum { Range, Start, While, Less, Greater, Equal, Recurse, Count }; }
namespace IntroCode { enum { Loop, Depth, Partition, Recurse, Insertion, Median, Pivot, Scan, Swap, Heap, Extract, Sift, InsertLoop, InsertSwap, Count }; }
namespace MsdCode { enum { Range, Counts, Starts, Buckets, Stay, Swap, Recurse, Count }; }
namespace BitonicCode { enum { Range, Halves, Merge, MergeStart, Compare, MergeHalves, Count }; }
namespace OddEvenMergeCode { enum { Blocks, Distance, Pairs, Compare, Count }; }
namespace BogoCode { enum { Sorted, Shuffle, Swap, Count }; }
