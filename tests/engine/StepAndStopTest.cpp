// What the routines show at their steps, and where each one ends after Stop
// (which only clears Sorting) has been pressed during a step.
#include "EngineFixture.h"

#include <QCoreApplication>

namespace {
ViewCall L(int x, int y, int z) { return {ViewCall::Line, x, y, z}; }
ViewCall P(int x, bool o) { return {ViewCall::Plot, x, o ? 1 : 0}; }
const ViewCall kOpen{ViewCall::Reset, 2}, kOff = L(0, 0, 0), kReport{ViewCall::Status};
} // namespace

TEST_F(EngineTest, StepsShowTheMarkersOfEachRoutine)
{
    // The right run's 3 is taken with a step, the left's 5 copied without,
    // then both positions are written back with a step each.
    Load({5, 3});
    Run(Merge);
    EXPECT_EQ(view.calls, (std::vector<ViewCall>{kOpen, L(-1, -1, 2), L(-1, 1, -1), L(-1, 2, -1), kOff, kReport}));
    Load({7});
    Run(Selection);
    EXPECT_EQ(view.calls, (std::vector<ViewCall>{kOpen, L(1, -1, -1), kOff, kReport}));
    // Marker 1 rests on index 0, off the data, through Bubble Sort's first pass.
    Load({3, 2, 1});
    Run(Bubble);
    EXPECT_EQ(view.calls, (std::vector<ViewCall>{kOpen, L(0, 2, -1), L(0, 1, -1), L(1, 2, -1), kOff, kReport}));
    // Lomuto exchanges every value not above the pivot, also with itself.
    Load({4, 4, 4});
    Run(Lomuto);
    EXPECT_EQ(view.calls, (std::vector<ViewCall>{kOpen, L(-1, 1, 1), L(-1, 2, 2), L(-1, 3, 3), L(-1, 1, 1),
                                                 L(-1, 2, 2), kOff, kReport}));
    Load({2, 1});
    Run(Counting);
    EXPECT_EQ(view.calls, (std::vector<ViewCall>{kOpen, P(1, false), P(2, false), P(1, true), P(2, true), kReport}));
}

TEST_F(EngineTest, StepsLetEventsThroughOnlyWhereTheRoutineDoes)
{
    // An event posted at each call is handled before the next call only when
    // a pump ran between them: after every step and after Selection Sort's
    // pass marker, but not after Insertion Sort's unpaused markers.
    std::vector<bool> pumped;
    bool handled = true;
    view.onCall = [&](const ViewCall&) {
        pumped.push_back(handled);
        handled = false;
        QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { handled = true; }, Qt::QueuedConnection);
    };
    Load({2, 1, 3});
    Run(Insertion); // open, mark 2, step, mark 0, mark 3, mark 2, off, report
    EXPECT_EQ(pumped, (std::vector<bool>{true, false, false, true, false, false, false, false}));
    DoEvents();
    pumped.clear();
    Load({2, 1});
    Run(Selection); // open, step, pass marker, pass marker, off, report
    EXPECT_EQ(pumped, (std::vector<bool>{true, false, true, true, true, false}));
    DoEvents();
}

class StopTest : public EngineTest {
protected:
    // Clears Sorting at the n-th call of the kind; notes what stood then.
    void StopAt(int n, ViewCall::Kind kind = ViewCall::Line)
    {
        view.onCall = [this, n, kind, seen = 0](const ViewCall& c) mutable {
            if (c.kind == kind && ++seen == n) {
                Sorting = false;
                callsAtStop = view.calls.size();
                countAtStop = Comparisons;
            }
        };
    }
    int CallsAfterStop() const { return static_cast<int>(view.calls.size() - callsAtStop) - 2; }
    std::size_t callsAtStop = 0;
    std::int32_t countAtStop = 0;
};

TEST_F(StopTest, EachRoutineEndsAtItsOwnNextTest)
{
    // Selection and Bubble finish the pass: the smallest value is in front.
    Load({5, 9, 2, 7, 1, 8, 3});
    StopAt(2);
    EXPECT_EQ(Run(Selection), 6);
    EXPECT_EQ(Data(), (Values{1, 9, 2, 7, 5, 8, 3}));
    EXPECT_EQ(view.calls.end()[-2], kOff);
    Load({5, 9, 2, 7, 1, 8, 3});
    StopAt(1);
    EXPECT_EQ(Run(Bubble), 6);
    EXPECT_EQ(Data()[0], 1);
    // The insertions finish the value in progress.
    for (int type : {Insertion, BinaryInsertion}) {
        Load({3, 4, 1, 2});
        StopAt(3);
        Run(type);
        EXPECT_EQ(Data(), (Values{1, 3, 4, 2})) << "type " << type;
    }
    // Merge: that merge finishes (two copy-back steps), no other merge runs.
    Load(Descending(8));
    StopAt(1);
    EXPECT_EQ(Run(Merge), 1);
    EXPECT_EQ(CallsAfterStop(), 2);
    EXPECT_EQ(Data(), (Values{7, 8, 6, 5, 4, 3, 2, 1}));
    // Stooge: every pending call returns at once.
    Load(Descending(8));
    StopAt(1);
    EXPECT_EQ(Run(Stooge), countAtStop);
    EXPECT_EQ(CallsAfterStop(), 0);
    // Quick sorts: the partition in progress finishes; pending ranges return.
    for (int type : {Quick, RandomQuick, Lomuto}) {
        const Values data{6, 2, 9, 4, 7, 1, 8, 3, 5, 10};
        Load(data);
        StopAt(1);
        Run(type);
        const Values after = Data();
        bool split = false;
        for (std::size_t p = 1; p < after.size(); ++p)
            split = split || *std::max_element(after.begin(), after.begin() + p) <=
                                 *std::min_element(after.begin() + p, after.end());
        EXPECT_TRUE(split) << "type " << type;
        EXPECT_NE(after, Sorted(data)) << "type " << type;
    }
    EXPECT_EQ(Comparisons, 10); // one Lomuto partition: one per element
}

TEST_F(StopTest, HeapSortStopsAfterAnExtractionAndCountingRoutinesNever)
{
    const Values data{4, 10, 3, 5, 1, 9, 7, 2, 8, 6};
    // Stopped while the heap is built: the building and one extraction run.
    // Stopped in the third extraction: three values are out, a heap before them.
    for (auto [stopAt, heapSize] : {std::pair{1, 9}, std::pair{0, 7}}) {
        Load(data);
        if (stopAt)
            StopAt(stopAt);
        else
            view.onCall = [n = 0](const ViewCall& c) mutable {
                if (c.kind == ViewCall::Line && c.a == 1 && c.c == -1 && ++n == 3)
                    Sorting = false;
            };
        Run(Heap);
        EXPECT_EQ(HeapSize, heapSize);
        const Values extracted = heapSize == 9 ? Values{10} : Values{8, 9, 10};
        EXPECT_EQ(Values(SortData.begin() + heapSize + 1, SortData.end()), extracted);
        for (int i = 2; i <= HeapSize; ++i)
            EXPECT_LE(SortData[i], SortData[i / 2]) << "heap order at " << i;
    }
    for (int type : {Counting, Radix}) {
        const Values values = Random(40, 100);
        Load(values);
        StopAt(1, ViewCall::Plot);
        Run(type);
        EXPECT_EQ(Data(), Sorted(values)) << "type " << type;
        EXPECT_EQ(Count(ViewCall::Status), type == Radix ? 3 : 1);
    }
}
