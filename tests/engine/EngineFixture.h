// Engine tests: data loaded straight into SortData, a recording view, delay 0.
#pragma once

#include "engine/Routines.h"
#include "platform/Runtime.h"
#include "support/RecordingView.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

using Values = std::vector<int>;
using Calls = std::vector<ViewCall>;
// The routine table's order.
enum Type { Selection, Bubble, Insertion, BinaryInsertion, Merge, Heap, Quick, RandomQuick, Lomuto, Stooge, Counting, Radix,
            Bucket, Cocktail, OddEven, Gnome, Comb, Shell, Cycle, Smooth, Pancake,
            BottomUp, Tim, DualPivot, ThreeWay, Intro, Msd, Bitonic, OddEvenMerge, Bogo };
inline const ViewCall kOpen{ViewCall::Reset, 2}, kOff{ViewCall::Line}, kReport{ViewCall::Status};
inline ViewCall Markers(int X, int Y, int z) { return {ViewCall::Line, X, Y, z}; }
inline ViewCall Bar(int X, bool o) { return {ViewCall::Plot, X, o}; }

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); RestartRnd(); DrawSet = {1, 0}; }
    void TearDown() override { SetMsgBoxHook({}); ResetSharedState(); }
    // SortData(1..W) = values, element 0 = 0.
    void Load(const Values& values, int height = 100)
    {
        SortData.assign(1, 0);
        SortData.insert(SortData.end(), values.begin(), values.end());
        SortSet = {0, static_cast<Integer>(height), static_cast<Integer>(values.size())};
        DataReady = true;
        view.calls.clear();
    }
    static Values Data() { return {SortData.begin() + 1, SortData.end()}; }
    // Runs a routine as Start would; returns its count.
    std::int64_t Run(int type) { ScopedView scoped(view); Sorting = true; RoutineTable[type].entry(); return Comparisons; }
    static Values Ascending(int w) { Values v(w); std::iota(v.begin(), v.end(), 1); return v; }
    static Values Descending(int w) { Values v = Ascending(w); return {v.rbegin(), v.rend()}; }
    static Values Sorted(Values v) { std::sort(v.begin(), v.end()); return v; }
    static Values Concat(Values a, const Values& b) { a.insert(a.end(), b.begin(), b.end()); return a; }
    static Values Range(int from, int to) { Values v; for (int x = from; x <= to; ++x) v.push_back(x); return v; }
    static Values Random(int w, int h) { Values v(w); for (int& x : v) x = static_cast<int>(h * Rnd()) + 1; return v; }

    RecordingView view;
};
