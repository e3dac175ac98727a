// Shared set-up of the engine tests: data loaded straight into SortData, a
// recording view, delay 0, and one routine run by its type.
#pragma once

#include "engine/Module1.h"
#include "engine/Routines.h"
#include "platform/Runtime.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <ostream>
#include <vector>

inline void PrintTo(const ViewCall& c, std::ostream* os)
{
    static const char* kinds[] = {"Line", "Plot", "Reset", "Status"};
    *os << kinds[c.kind] << "(" << c.a << "," << c.b << "," << c.c << ")";
}

using Values = std::vector<int>;
enum Type { Selection, Bubble, Insertion, BinaryInsertion, Merge, Heap, Quick, RandomQuick, Lomuto, Stooge, Counting, Radix };

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        RestartRnd();
        DrawSet = {1, 0};
    }
    void TearDown() override
    {
        SetMsgBoxHook({});
        ResetSharedState();
    }
    // SortData(1..W) = values with element 0 = 0; the width follows.
    void Load(const Values& values, int height = 100)
    {
        SortData.assign(values.size() + 1, 0);
        std::copy(values.begin(), values.end(), SortData.begin() + 1);
        SortSet = {0, static_cast<Integer>(height), static_cast<Integer>(values.size())};
        DataReady = true;
        view.calls.clear();
    }
    static Values Data() { return {SortData.begin() + 1, SortData.end()}; }
    // Runs a routine as the dispatch would, Sorting set; returns its count.
    std::int32_t Run(int type)
    {
        ScopedView scoped(view);
        Sorting = true;
        RoutineTable[type].entry();
        return Comparisons;
    }
    static Values Ascending(int w)
    {
        Values v(w);
        std::iota(v.begin(), v.end(), 1);
        return v;
    }
    static Values Descending(int w)
    {
        Values v = Ascending(w);
        std::reverse(v.begin(), v.end());
        return v;
    }
    static Values Random(int w, int height)
    {
        Values v(w);
        for (int& x : v)
            x = static_cast<int>(height * Rnd()) + 1;
        return v;
    }
    static Values Sorted(Values v)
    {
        std::sort(v.begin(), v.end());
        return v;
    }
    int Count(ViewCall::Kind kind) const
    {
        return static_cast<int>(std::count_if(view.calls.begin(), view.calls.end(),
                                              [&](const ViewCall& c) { return c.kind == kind; }));
    }

    RecordingView view;
};
