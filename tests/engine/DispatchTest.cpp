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
    void Start(int type) { SortType = static_cast<Integer>(type); ScopedView scoped(view); mnuStart_Click(); }
    void ExpectNothingRan()
    {
        EXPECT_EQ(view.calls, Calls{});
        EXPECT_EQ(Data(), (Values{3, 1, 2}));
        EXPECT_FALSE(Sorting);
        EXPECT_FALSE(RoutineRunning);
    }
    std::vector<std::string> boxes;
};

TEST_F(DispatchTest, StartFromInsideAStepNeverBeginsASecondRun)
{
    // Stop and Start from inside a step: Bubble has not returned, Counting
    // never reads the flag, Radix clears it after its first pass.
    for (int type : {Bubble, Counting, Radix}) {
        Load({9, 4, 7, 1, 8, 2});
        view.onCall = [](const ViewCall& c) {
            if (c.kind == ViewCall::Line || c.kind == ViewCall::Plot) {
                Sorting = false;
                mnuStart_Click();
            }
        };
        Start(type);
        EXPECT_EQ(std::ranges::count(view.calls, kOpen), type == Radix ? 3 : 1) << "type " << type;
        EXPECT_FALSE(Sorting) << "type " << type;
        EXPECT_FALSE(RoutineRunning) << "type " << type;
    }
    EXPECT_EQ(Data(), (Values{1, 2, 4, 7, 8, 9}));
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(DispatchTest, NoticesComeFirstAndBucketSortOrAClosedWindowRunNothing)
{
    Start(Radix);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Sorry, not sorting correctly yet."}));
    EXPECT_EQ(Data(), (Values{1, 2, 3}));
    Load({3, 1, 2});
    Comparisons = 5;
    Start(Bucket);
    EXPECT_EQ(boxes.back(), "Sorry, not available correctly yet.");
    ExpectNothingRan();
    EXPECT_EQ(Comparisons, 5);
    Start(Quick); // works again at once, with no notice
    EXPECT_EQ(Data(), (Values{1, 2, 3}));
    EXPECT_EQ(boxes.size(), 2u);
    // The window closed while the notice is up: nothing runs.
    SetMsgBoxHook([](const std::string&) { Unloading = true; });
    Load({3, 1, 2});
    Start(Radix);
    ExpectNothingRan();
}

TEST_F(DispatchTest, ARoutinePastItsSizeLimitIsRefusedWithAWord)
{
    // Bogo Sort runs on 10 values; on 11 it says so and nothing of a run begins.
    ASSERT_EQ(RoutineTable[Bogo].sizeLimit, 10);
    Values eleven{3, 1, 2, 9, 8, 7, 6, 5, 4, 11, 10};
    Load(eleven);
    Start(Bogo);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Bogo Sort runs on at most 10 values."}));
    EXPECT_EQ(view.calls, Calls{});
    EXPECT_EQ(Data(), eleven);
    EXPECT_FALSE(Sorting);
    EXPECT_FALSE(RoutineRunning);
    // Ten values run (stopped at the first shuffle: 10! orders take a while);
    // a width setting beyond the data counts the data.
    Load({3, 1, 2, 9, 8, 7, 6, 5, 4, 10});
    SortSet[2] = 40;
    view.onCall = [](const ViewCall& c) { Sorting = Sorting && c.kind != ViewCall::Line; };
    Start(Bogo);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(view.calls.front(), kOpen);
    EXPECT_EQ(view.calls.back(), kReport);
}
