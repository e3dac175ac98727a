// Sort > Start: when it starts a run, and that it never starts one inside
// another.
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
            callsBeforeBox.push_back(view.calls.size());
        });
        Load({3, 1, 2});
    }
    void Start()
    {
        ScopedView scoped(view);
        mnuStart_Click();
    }
    std::vector<std::string> boxes;
    std::vector<std::size_t> callsBeforeBox;
};

TEST_F(DispatchTest, StartsOnlyWhenReadyAndIdle)
{
    struct Case {
        const char* what;
        bool dataReady, sorting, running, unloading;
        int type;
    };
    for (const Case& c : {Case{"no data set", false, false, false, false, 0},
                          Case{"run in progress", true, true, false, false, 0},
                          Case{"routine still executing", true, false, true, false, 0},
                          Case{"window unloading", true, false, false, true, 0},
                          Case{"type above the list", true, false, false, false, 13},
                          Case{"negative type", true, false, false, false, -1}}) {
        DataReady = c.dataReady;
        Sorting = c.sorting;
        RoutineRunning = c.running;
        Unloading = c.unloading;
        SortType = static_cast<Integer>(c.type);
        Start();
        EXPECT_TRUE(view.calls.empty()) << c.what;
        EXPECT_TRUE(boxes.empty()) << c.what;
        EXPECT_EQ(Data(), (std::vector<int>{3, 1, 2})) << c.what;
        EXPECT_EQ(Sorting, c.sorting) << c.what;
        EXPECT_EQ(RoutineRunning, c.running) << c.what;
    }
}

TEST_F(DispatchTest, RunsTheChosenRoutineAndCanRunAgain)
{
    SortType = 6;
    bool flagsDuringRun = false;
    view.onCall = [&](const ViewCall& c) {
        if (c.kind == ViewCall::Line && c.a != 0)
            flagsDuringRun = Sorting && RoutineRunning;
    };
    Start();
    EXPECT_TRUE(flagsDuringRun);
    EXPECT_EQ(Data(), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(Sorting);
    EXPECT_FALSE(RoutineRunning);
    EXPECT_TRUE(boxes.empty());
    // Started again without new data: the sorted data are sorted again.
    view.calls.clear();
    Start();
    EXPECT_EQ(CountCalls(ViewCall::Reset), 1);
    EXPECT_EQ(Comparisons, 7); // 4 for the range 1..3, 3 for 2..3
}

TEST_F(DispatchTest, NoSecondRunStartsInsideAStoppedRoutine)
{
    // Stop and then Start from inside a step: Bubble has not yet returned,
    // Counting never looks at the flag, Radix clears it after its first pass.
    for (int type : {1, 10, 11}) {
        view.calls.clear();
        boxes.clear();
        Load({9, 4, 7, 1, 8, 2});
        SortType = static_cast<Integer>(type);
        view.onCall = [](const ViewCall& c) {
            if (c.kind == ViewCall::Line || c.kind == ViewCall::Plot) {
                Sorting = false;
                mnuStart_Click();
            }
        };
        Start();
        view.onCall = nullptr;
        EXPECT_EQ(CountCalls(ViewCall::Reset), type == 11 ? 3 : 1) << "type " << type;
        EXPECT_EQ(boxes.size(), type == 11 ? 1u : 0u) << "type " << type;
        if (type != 1) {
            EXPECT_EQ(Data(), (std::vector<int>{1, 2, 4, 7, 8, 9})) << "type " << type;
        }
        EXPECT_FALSE(RoutineRunning);
        // Once it has returned, Start works again.
        view.calls.clear();
        Start();
        EXPECT_GE(CountCalls(ViewCall::Reset), 1) << "type " << type;
    }
}

TEST_F(DispatchTest, NoticeComesBeforeTheRun)
{
    SortType = 11;
    Start();
    EXPECT_EQ(boxes, (std::vector<std::string>{"Sorry, not sorting correctly yet."}));
    EXPECT_EQ(callsBeforeBox, (std::vector<std::size_t>{0}));
    EXPECT_EQ(Data(), (std::vector<int>{1, 2, 3}));

    // Bucket Sort: the box and nothing else; Start works again at once.
    view.calls.clear();
    boxes.clear();
    Load({3, 1, 2});
    Comparisons = 5;
    SortType = 12;
    bool sortingDuringBox = false;
    SetMsgBoxHook([&](const std::string& prompt) {
        boxes.push_back(prompt);
        sortingDuringBox = Sorting;
    });
    Start();
    EXPECT_EQ(boxes, (std::vector<std::string>{"Sorry, not available correctly yet."}));
    EXPECT_TRUE(sortingDuringBox);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(Comparisons, 5);
    EXPECT_FALSE(Sorting);
    EXPECT_FALSE(RoutineRunning);
    EXPECT_EQ(Data(), (std::vector<int>{3, 1, 2}));
    SortType = 0;
    Start();
    EXPECT_EQ(Data(), (std::vector<int>{1, 2, 3}));
}
