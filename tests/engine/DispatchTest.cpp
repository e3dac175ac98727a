// Sort > Start: when it starts a run, the notices before it, and that it
// never starts a run inside another.
#include "EngineFixture.h"
#include "engine/Dispatch.h"

class DispatchTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        Load({3, 1, 2});
        // A notice comes before anything of the run, with the run already marked.
        SetMsgBoxHook([this](const std::string& p) {
            boxes.push_back(p);
            EXPECT_EQ(view.calls, Calls{}) << p;
            EXPECT_TRUE(Sorting) << p;
        });
    }
    void Start(int type)
    {
        SortType = static_cast<Integer>(type);
        ScopedView scoped(view);
        mnuStart_Click();
    }
    void ExpectNothingRan(const Values& data)
    {
        EXPECT_EQ(view.calls, Calls{});
        EXPECT_EQ(Data(), data);
        EXPECT_FALSE(Sorting);
        EXPECT_FALSE(RoutineRunning);
    }
    std::vector<std::string> boxes;
};

TEST_F(DispatchTest, StartsOnlyWhenReadyAndNoRoutineIsExecuting)
{
    // ready, sorting, running, unloading, type
    const int cases[][5] = {{0, 0, 0, 0, 0}, {1, 1, 0, 0, 0}, {1, 0, 1, 0, 0},
                            {1, 0, 0, 1, 0}, {1, 0, 0, 0, 13}, {1, 0, 0, 0, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << (&c - cases));
        DataReady = c[0];
        Sorting = c[1];
        RoutineRunning = c[2];
        Unloading = c[3];
        Start(c[4]);
        EXPECT_EQ(view.calls, Calls{});
        EXPECT_EQ(Data(), (Values{3, 1, 2}));
        EXPECT_EQ(Sorting, bool(c[1]));
    }
    EXPECT_EQ(boxes, std::vector<std::string>{});
    // Stop and Start from inside a step: Bubble has not returned, Counting
    // never reads the flag, Radix clears it after its first pass.
    for (int type : {Bubble, Counting, Radix}) {
        SCOPED_TRACE(::testing::Message() << "type " << type);
        Load({9, 4, 7, 1, 8, 2});
        view.onCall = [](const ViewCall& c) {
            if (c.kind == ViewCall::Line || c.kind == ViewCall::Plot) {
                Sorting = false;
                mnuStart_Click();
            }
        };
        Start(type);
        EXPECT_EQ(Count(ViewCall::Reset), type == Radix ? 3 : 1);
        if (type != Bubble) {
            EXPECT_EQ(Data(), (Values{1, 2, 4, 7, 8, 9}));
        }
        EXPECT_FALSE(Sorting);
        EXPECT_FALSE(RoutineRunning);
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
    ExpectNothingRan({3, 1, 2});
    EXPECT_EQ(Comparisons, 5);
    // Start works again at once, with no notice for Quick Sort.
    Start(Quick);
    EXPECT_EQ(Data(), (Values{1, 2, 3}));
    EXPECT_EQ(boxes.size(), 2u);
    // The window closed while the notice is up: nothing runs.
    SetMsgBoxHook([](const std::string&) { Unloading = true; });
    Load({3, 1, 2});
    Start(Radix);
    ExpectNothingRan({3, 1, 2});
}
