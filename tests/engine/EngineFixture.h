// Shared set-up of the engine tests: a data set loaded straight into
// SortData, a recording view, delay 0, and a way to run one routine by type.
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

    // SortData(1..W) = values, element 0 = 0, width W, the given height.
    static void Load(const std::vector<int>& values, int height = 100)
    {
        SortData.assign(values.size() + 1, 0);
        std::copy(values.begin(), values.end(), SortData.begin() + 1);
        SortSet = {0, static_cast<Integer>(height), static_cast<Integer>(values.size())};
        DataReady = true;
    }

    static std::vector<int> Data()
    {
        return {SortData.begin() + 1, SortData.end()};
    }

    // Runs the routine of `type` on the recording view, as the dispatch
    // would (Sorting set first); returns the comparisons it reported.
    std::int32_t Run(int type)
    {
        ScopedView scoped(view);
        Sorting = true;
        RoutineTable[type].entry();
        return Comparisons;
    }

    static std::vector<int> Ascending(int w)
    {
        std::vector<int> v(w);
        std::iota(v.begin(), v.end(), 1);
        return v;
    }
    static std::vector<int> Descending(int w)
    {
        std::vector<int> v = Ascending(w);
        std::reverse(v.begin(), v.end());
        return v;
    }
    static std::vector<int> Random(int w, int height)
    {
        std::vector<int> v(w);
        for (int& x : v)
            x = static_cast<int>(height * Rnd()) + 1;
        return v;
    }

    int CountCalls(ViewCall::Kind kind) const
    {
        return static_cast<int>(std::count_if(view.calls.begin(), view.calls.end(),
                                              [&](const ViewCall& c) { return c.kind == kind; }));
    }

    RecordingView view;
};

// The sort types that compare values, and all types that run a routine.
inline constexpr int kComparingTypes = 10;
inline constexpr int kRunningTypes = 12;
