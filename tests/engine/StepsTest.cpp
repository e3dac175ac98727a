// How a run's steps pause, and where each routine ends after Stop (which
// only clears Sorting) during a step.
#include "EngineFixture.h"
#include "engine/Instrument.h"

#include <QCoreApplication>
#include <QTimer>

TEST_F(EngineTest, EachRoutineMovesItsMarkersInItsOwnOrder)
{
    // Bubble: marker 1 on the last settled place (0 in the first pass). Merge: a tie
    // is taken from the right run (marker 3), then both places are written back.
    // Heap: equal values stay where they are, only the extractions move the root.
    const std::tuple<int, Values, Calls> cases[] = {
        {Selection, {2, 1}, {Markers(-1, 2, 2), Markers(1, -1, -1), Markers(2, -1, -1)}},
        {Bubble, {3, 1, 2}, {Markers(0, 2, -1), Markers(0, 1, -1), Markers(1, 2, -1)}},
        {Insertion, {2, 1}, {Markers(-1, -1, 2), Markers(-1, 1, -1), Markers(0, -1, -1)}},
        {BinaryInsertion, {2, 1}, {Markers(-1, 2, -1), Markers(1, -1, -1)}},
        {Merge, {2, 2}, {Markers(-1, -1, 2), Markers(-1, 1, -1), Markers(-1, 2, -1)}},
        {Merge, {1, 3, 2}, {Markers(-1, 1, -1), Markers(-1, 1, -1), Markers(-1, 2, -1), Markers(-1, 1, -1),
                            Markers(-1, -1, 3), Markers(-1, 1, -1), Markers(-1, 2, -1), Markers(-1, 3, -1)}},
        {Heap, {7, 7, 7}, {Markers(1, 3, -1), Markers(1, 2, -1)}},
        {Heap, {1, 2}, {Markers(-1, 1, 2), Markers(1, 2, -1)}},
        {Quick, {2, 1}, {Markers(-1, 1, 2)}},
        // The random pivot's exchange is shown on both its bars (unpaused) before the partition's steps.
        {RandomQuick, {2, 1, 3}, {Markers(-1, 1, 2), Markers(-1, 2, 2)}},
        {Lomuto, {2, 1}, {Markers(-1, 1, 2)}},
        {Stooge, {2, 1}, {Markers(-1, 1, 2)}},
        // MSD {3,1,2}: digits 2, 0, 1 of v - 1: 3 goes to bucket 2's place, then 2 to bucket 1's.
        {Msd, {3, 1, 2}, {Markers(-1, 1, 3), Markers(-1, 1, 2)}},
        // Bottom-up {2,1}: 1 taken from the right (written at 1, right head now past), then 2.
        {BottomUp, {2, 1}, {Markers(-1, 1, -1), Markers(-1, 2, -1)}},
        // {1,2,0}: 1 taken from the left (marker 3 on the right run's head 2), 2 stays;
        // then 0 from the right, and the left run's rest written after it.
        {BottomUp, {1, 2, 0}, {Markers(-1, 1, 2), Markers(-1, 1, -1), Markers(-1, 2, -1), Markers(-1, 3, -1)}},
        {DualPivot, {2, 1}, {Markers(-1, 1, 2)}},
        {Bogo, {1, 2}, {}},
    };
    for (const auto& [type, data, steps] : cases) {
        Load(data);
        Run(type);
        Calls want{kOpen};
        want.insert(want.end(), steps.begin(), steps.end());
        want.insert(want.end(), {kOff, kReport});
        EXPECT_EQ(view.calls, want) << "type " << type;
    }
    // The counting routines clear each column, then draw each value at its place from the right.
    Load({2, 1});
    Run(Counting);
    EXPECT_EQ(view.calls, (Calls{kOpen, Bar(1, false), Bar(2, false), Bar(1, true), Bar(2, true), kReport}));
}

TEST_F(EngineTest, PausePumpsEventsAndEndsOnFasterOrClose)
{
    bool handled = false;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { handled = true; }, Qt::QueuedConnection);
    Pause(); // delay 0: no event gets through
    EXPECT_FALSE(handled);
    Load({2, 1});
    Run(Stooge); // but every step pumps the events once
    EXPECT_TRUE(handled);

    // Faster during a 5 s pause ends it; the window going away ends it too.
    for (auto change : {+[] { DrawSet[1] = 0; }, +[] { Unloading = true; }}) {
        DrawSet[1] = 500;
        QTimer::singleShot(30, change);
        const double start = ClockSeconds();
        Pause();
        EXPECT_LT(ClockSeconds() - start, 4.0);
    }
}

TEST_F(EngineTest, EachRoutineStopsAtItsOwnNextTest)
{
    // Selection and Bubble finish the pass, the insertions the value in
    // progress, Merge that merge alone; Stooge's pending calls return at once.
    const std::tuple<int, Values, int, std::int64_t, Values> cases[] = {
        {Selection, {5, 9, 2, 7, 1, 8, 3}, 2, 6, {1, 9, 2, 7, 5, 8, 3}},
        {Bubble, {5, 9, 2, 7, 1, 8, 3}, 1, 6, {1, 5, 9, 2, 7, 3, 8}},
        {Insertion, {3, 4, 1, 2}, 3, 4, {1, 3, 4, 2}},
        {BinaryInsertion, {3, 4, 1, 2}, 3, 2, {1, 3, 4, 2}},
        {Merge, Descending(8), 1, 1, {7, 8, 6, 5, 4, 3, 2, 1}},
        {Stooge, Descending(8), 1, 1, {1, 7, 6, 5, 4, 3, 2, 8}},
    };
    for (const auto& [type, data, n, count, after] : cases) {
        Load(data);
        view.onCall = [stopAt = n, seen = 0](const ViewCall& c) mutable { // Stop at the n-th marker step
            if (c.kind == ViewCall::Line && ++seen == stopAt)
                Sorting = false;
        };
        EXPECT_EQ(Run(type), count) << "type " << type;
        EXPECT_EQ(Data(), after) << "type " << type;
        EXPECT_EQ(view.calls.end()[-2], kOff) << "type " << type;
    }
}
