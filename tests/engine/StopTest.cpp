// Stop only clears Sorting; each routine runs on to its own next test of the
// flag and then closes its run. Here the flag is cleared from inside a step.
#include "EngineFixture.h"

class StopTest : public EngineTest {
protected:
    // Clears Sorting at the n-th marker or bar call (1-based) of the run.
    void StopAtCall(int n, ViewCall::Kind kind)
    {
        view.onCall = [this, n, kind, seen = 0](const ViewCall& c) mutable {
            if (c.kind == kind && ++seen == n) {
                Sorting = false;
                stoppedAt = view.calls.size();
                comparisonsAtStop = Comparisons;
            }
        };
    }
    // Calls after the stop, the closing excluded.
    int StepsAfterStop() const { return static_cast<int>(view.calls.size() - stoppedAt) - 2; }
    void ExpectClosed() const
    {
        ASSERT_GE(view.calls.size(), 2u);
        EXPECT_EQ(view.calls[view.calls.size() - 2], (ViewCall{ViewCall::Line, 0, 0, 0}));
        EXPECT_EQ(view.calls.back().kind, ViewCall::Status);
        EXPECT_FALSE(Sorting);
    }

    std::size_t stoppedAt = 0;
    std::int32_t comparisonsAtStop = 0;
};

TEST_F(StopTest, QuadraticSortsFinishThePassInProgress)
{
    const std::vector<int> data{5, 9, 2, 7, 1, 8, 3};
    // Selection: the first pass runs out (6 steps, then marker 1 on position
    // 1), the smallest value is in place, the rest as the exchange left it.
    Load(data);
    StopAtCall(2, ViewCall::Line);
    Run(0);
    ExpectClosed();
    EXPECT_EQ(Comparisons, 6);
    EXPECT_EQ(Data(), (std::vector<int>{1, 9, 2, 7, 5, 8, 3}));

    // Bubble: the first pass carries the smallest value down to position 1.
    view.calls.clear();
    Load(data);
    StopAtCall(1, ViewCall::Line);
    Run(1);
    ExpectClosed();
    EXPECT_EQ(Comparisons, 6);
    EXPECT_EQ(Data()[0], 1);

    // Insertion: the insertion in progress completes; the marker on the
    // element below it is not drawn.
    view.calls.clear();
    Load({3, 4, 1, 2});
    StopAtCall(4, ViewCall::Line); // the first exchange step while inserting the 1
    Run(2);
    ExpectClosed();
    EXPECT_EQ(Data(), (std::vector<int>{1, 3, 4, 2}));
    EXPECT_EQ(StepsAfterStop(), 1);

    // Binary insertion: the shifts finish and the key lands before stopping.
    view.calls.clear();
    Load({3, 4, 1, 2});
    StopAtCall(3, ViewCall::Line); // the second shift while inserting the 1
    Run(3);
    ExpectClosed();
    EXPECT_EQ(Data(), (std::vector<int>{1, 3, 4, 2}));
}

TEST_F(StopTest, MergeSortFinishesTheMergeThenSkipsTheRest)
{
    Load({8, 7, 6, 5, 4, 3, 2, 1});
    StopAtCall(1, ViewCall::Line); // the first take of the first pair merge
    Run(4);
    ExpectClosed();
    EXPECT_EQ(StepsAfterStop(), 2); // its two copy-back steps
    EXPECT_EQ(Comparisons, 1);
    EXPECT_EQ(Data(), (std::vector<int>{7, 8, 6, 5, 4, 3, 2, 1}));
}

TEST_F(StopTest, QuickSortsFinishThePartitionThenPendingRangesReturn)
{
    const std::vector<int> data{6, 2, 9, 4, 7, 1, 8, 3, 5, 10};
    for (int type : {6, 7, 8}) {
        view.calls.clear();
        Load(data);
        StopAtCall(1, ViewCall::Line);
        Run(type);
        ExpectClosed();
        // One partition ran: some split divides the range into small and large.
        const std::vector<int> after = Data();
        bool split = false;
        for (std::size_t p = 1; p < after.size() && !split; ++p)
            split = *std::max_element(after.begin(), after.begin() + p) <=
                    *std::min_element(after.begin() + p, after.end());
        EXPECT_TRUE(split) << "type " << type;
        EXPECT_FALSE(std::is_sorted(after.begin(), after.end())) << "type " << type;
    }
    // A Lomuto partition compares every element of its range once.
    EXPECT_EQ(Comparisons, 10);
}

TEST_F(StopTest, HeapSortStopsOnlyAfterAnExtraction)
{
    const std::vector<int> data{4, 10, 3, 5, 1, 9, 7, 2, 8, 6};
    // Stopped while the heap is being built: building goes on, then one
    // extraction runs.
    Load(data);
    StopAtCall(1, ViewCall::Line);
    Run(5);
    ExpectClosed();
    EXPECT_EQ(HeapSize, 9);
    EXPECT_EQ(SortData[10], 10);
    for (int i = 2; i <= HeapSize; ++i)
        EXPECT_LE(SortData[i], SortData[i / 2]) << "heap order at " << i;

    // Stopped during the third extraction's sift: three values are out.
    view.calls.clear();
    Load(data);
    int extractions = 0;
    view.onCall = [&](const ViewCall& c) {
        if (c.kind == ViewCall::Line && c.a == 1 && c.c == -1 && ++extractions == 3)
            Sorting = false;
    };
    Run(5);
    ExpectClosed();
    EXPECT_EQ(HeapSize, 7);
    EXPECT_EQ((std::vector<int>(SortData.begin() + 8, SortData.end())), (std::vector<int>{8, 9, 10}));
    for (int i = 2; i <= HeapSize; ++i)
        EXPECT_LE(SortData[i], SortData[i / 2]) << "heap order at " << i;
}

TEST_F(StopTest, StoogeSortReturnsFromEveryPendingCall)
{
    Load({8, 7, 6, 5, 4, 3, 2, 1});
    StopAtCall(1, ViewCall::Line);
    Run(9);
    ExpectClosed();
    EXPECT_EQ(StepsAfterStop(), 0);
    EXPECT_EQ(Comparisons, comparisonsAtStop);
}

TEST_F(StopTest, CountingRoutinesRunToTheirEnd)
{
    const std::vector<int> data = Random(40, 100);
    std::vector<int> sorted = data;
    std::sort(sorted.begin(), sorted.end());

    Load(data);
    StopAtCall(1, ViewCall::Plot);
    Run(10);
    EXPECT_EQ(CountCalls(ViewCall::Plot), 80);
    EXPECT_EQ(Data(), sorted);
    EXPECT_FALSE(Sorting);

    view.calls.clear();
    Load(data);
    StopAtCall(1, ViewCall::Plot);
    Run(11);
    EXPECT_EQ(CountCalls(ViewCall::Reset), 3);
    EXPECT_EQ(CountCalls(ViewCall::Status), 3);
    EXPECT_EQ(Data(), sorted);
}
