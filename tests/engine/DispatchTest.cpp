// Sort > Start: when it starts a run, the notices before it, and that it
// never starts a run inside another.
#include "EngineFixture.h"
#include "engine/Dispatch.h"

class DispatchTest : public EngineTest {
protected:
    // A notice comes before anything of the run, with the run already marked.
    void SetUp() override
    {
        EngineTest::SetUp(), Load({3, 1, 2});
        SetMsgBoxHook([this](const std::string& p) { boxes.push_back(p); EXPECT_TRUE(view.calls.empty() && Sorting) << p; });
    }
    void Start(int type) { SortType = static_cast<Integer>(type); ScopedView scoped(view); mnuStart_Click(); }
    std::vector<std::string> boxes;
};

TEST_F(DispatchTest, StartsOnlyWhenReadyAndNoRoutineIsExecuting)
{
    // ready, sorting, running, unloading, type
    const int cases[][5] = {{0, 0, 0, 0, 0}, {1, 1, 0, 0, 0}, {1, 0, 1, 0, 0},
                            {1, 0, 0, 1, 0}, {1, 0, 0, 0, 13}, {1, 0, 0, 0, -1}};
    for (const auto& c : cases) {
        DataReady = c[0], Sorting = c[1], RoutineRunning = c[2], Unloading = c[3];
        Start(c[4]);
        EXPECT_TRUE(view.calls.empty() && boxes.empty() && Data() == Values({3, 1, 2}) && Sorting == bool(c[1]))
            << "case " << (&c - cases);
    }
    // Stop and Start from inside a step: Bubble has not returned, Counting
    // never reads the flag, Radix clears it after its first pass.
    for (int type : {Bubble, Counting, Radix}) {
        Load({9, 4, 7, 1, 8, 2});
        view.onCall = [](const ViewCall& c) {
            if (c.kind == ViewCall::Line || c.kind == ViewCall::Plot)
                Sorting = false, mnuStart_Click();
        };
        Start(type);
        EXPECT_EQ(Count(ViewCall::Reset), type == Radix ? 3 : 1) << "type " << type;
        EXPECT_TRUE(type == Bubble || Data() == Values({1, 2, 4, 7, 8, 9})) << "type " << type;
        EXPECT_FALSE(RoutineRunning || Sorting);
    }
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(DispatchTest, NoticesComeFirstAndBucketSortOrAClosedWindowRunNothing)
{
    Start(Radix);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Sorry, not sorting correctly yet."}));
    EXPECT_EQ(Data(), (Values{1, 2, 3}));

    Load({3, 1, 2});
    Comparisons = 5;
    Start(12);
    EXPECT_EQ(boxes.back(), "Sorry, not available correctly yet.");
    EXPECT_TRUE(view.calls.empty() && Comparisons == 5 && !Sorting && !RoutineRunning);
    // Start works again at once, with no notice for Quick Sort.
    Start(Quick);
    EXPECT_EQ(Data(), (Values{1, 2, 3}));
    EXPECT_EQ(boxes.size(), 2u);
    // The window closed while the notice is up: nothing runs.
    SetMsgBoxHook([](const std::string&) { Unloading = true; });
    Load({3, 1, 2});
    Start(Radix);
    EXPECT_TRUE(view.calls.empty() && Data() == Values({3, 1, 2}) && !Sorting && !RoutineRunning);
}
