// Sort > Start: when it starts a run, the notices before it, and that it
// never starts a run inside another.
#include "EngineFixture.h"

#include "engine/Dispatch.h"

#include <string>

class DispatchTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        SetMsgBoxHook([this](const std::string& prompt) {
            boxes.push_back(prompt);
            callsBeforeBox = view.calls.size();
            sortingDuringBox = Sorting;
        });
        Load({3, 1, 2});
    }
    void Start()
    {
        ScopedView scoped(view);
        mnuStart_Click();
    }
    std::vector<std::string> boxes;
    std::size_t callsBeforeBox = 99;
    bool sortingDuringBox = false;
};

TEST_F(DispatchTest, StartsOnlyWhenReadyAndNoRoutineIsExecuting)
{
    struct Case {
        bool ready, sorting, running, unloading;
        int type;
    } const cases[] = {{false, false, false, false, 0}, {true, true, false, false, 0}, {true, false, true, false, 0},
                       {true, false, false, true, 0},   {true, false, false, false, 13}, {true, false, false, false, -1}};
    for (const Case& c : cases) {
        DataReady = c.ready, Sorting = c.sorting, RoutineRunning = c.running, Unloading = c.unloading;
        SortType = static_cast<Integer>(c.type);
        Start();
        EXPECT_TRUE(view.calls.empty() && boxes.empty()) << "case " << (&c - cases);
        EXPECT_EQ(Data(), (Values{3, 1, 2}));
        EXPECT_EQ(Sorting, c.sorting);
    }
    // Stop and Start from inside a step: Bubble has not returned, Counting
    // never reads the flag, Radix clears it after its first pass.
    for (int type : {Bubble, Counting, Radix}) {
        Load({9, 4, 7, 1, 8, 2});
        SortType = static_cast<Integer>(type);
        DataReady = true, Unloading = false, RoutineRunning = false;
        view.onCall = [](const ViewCall& c) {
            if (c.kind == ViewCall::Line || c.kind == ViewCall::Plot) {
                Sorting = false;
                mnuStart_Click();
            }
        };
        Start();
        view.onCall = nullptr;
        EXPECT_EQ(Count(ViewCall::Reset), type == Radix ? 3 : 1) << "type " << type;
        if (type != Bubble) {
            EXPECT_EQ(Data(), (Values{1, 2, 4, 7, 8, 9})) << "type " << type;
        }
        EXPECT_FALSE(RoutineRunning || Sorting);
    }
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(DispatchTest, NoticesComeFirstAndBucketSortRunsNothing)
{
    SortType = Radix;
    Start();
    EXPECT_EQ(boxes, (std::vector<std::string>{"Sorry, not sorting correctly yet."}));
    EXPECT_EQ(callsBeforeBox, 0u);
    EXPECT_TRUE(sortingDuringBox);
    EXPECT_EQ(Data(), (Values{1, 2, 3}));

    Load({3, 1, 2});
    Comparisons = 5;
    SortType = 12;
    Start();
    EXPECT_EQ(boxes.back(), "Sorry, not available correctly yet.");
    EXPECT_TRUE(sortingDuringBox);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(Comparisons, 5);
    EXPECT_FALSE(Sorting || RoutineRunning);
    // Start works again at once; a second Start sorts the sorted data again.
    SortType = Quick;
    Start();
    Start();
    EXPECT_EQ(Data(), (Values{1, 2, 3}));
    EXPECT_EQ(Count(ViewCall::Reset), 2);
    EXPECT_EQ(Comparisons, 7);
    EXPECT_EQ(boxes.size(), 2u);
}
