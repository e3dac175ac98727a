// Pause, Step Forward and Step Back in the real window: the plot and status
// while held, the way back to the start and on to the present, the time a
// held run reports, the processor a hold uses, and every other command while held.
#include "MainWindowFixture.h"

#include "dialogs/frmColor.h"
#include "dialogs/frmDraw.h"
#include "engine/Routines.h"
#include "mainwindow/RunControl.h"
#include "view/PlotView.h"

#include <csignal>
#include <ctime>

namespace {

class PauseTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // Nothing of an earlier test's holds reaches this one.
        EXPECT_FALSE(HoldRequested());
        EXPECT_FALSE(Holding());
        EXPECT_EQ(HeldSeconds(), 0);
    }
    static const RunHistory& History(frmMain& w) { return *w.runControl().History(); }
    static void Trigger(frmMain& w, const char* name, long times = 1)
    {
        for (long i = 0; i < times; ++i)
            w.action(name)->trigger();
    }
    static QString Status(frmMain& w) { return w.sbStatusBar().panelText(1); }
    // Pause, Step Forward, Step Back.
    static std::array<bool, 3> Enabled(frmMain& w)
    {
        return {w.action("mnuPause")->isEnabled(), w.action("mnuStepForward")->isEnabled(), w.action("mnuStepBack")->isEnabled()};
    }
};

using Flags = std::array<bool, 3>;

// Counting and Radix Sort never test the stop flag, yet hold like the others.
class PauseEachKindTest : public PauseTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(PauseEachKindTest, StepsBackToTheStartForwardToThePresentAndOnThenResumes)
{
    const auto [type, comparisons] = GetParam();
    SCOPED_TRACE(RoutineTable[type].name);
    frmMain& w = ReadyPaused(type);
    const QImage start = w.picBox().image().copy();
    const std::vector<Integer> startData = SortData;
    EXPECT_EQ(Enabled(w), (Flags{false, false, false}));
    float clock = 1000;
    SetTimerSource([&clock] { return clock; });
    long heldAt = 0;
    RunHeld(w, {
        [&] { Trigger(w, "mnuStepForward"); },
        [&] {
            heldAt = History(w).Shown();
            EXPECT_GT(heldAt, 1);
            EXPECT_EQ(Status(w), QStringLiteral("Paused: step %1 of %1, %2 comparisons").arg(heldAt).arg(Comparisons));
            EXPECT_TRUE(w.action("mnuPause")->isChecked());
            EXPECT_TRUE(w.action("Pause")->isChecked());
            EXPECT_EQ(Enabled(w), (Flags{true, true, true}));
            Trigger(w, "mnuStepBack", heldAt + 3); // the extra ones do nothing
            EXPECT_EQ(History(w).Shown(), 0);
            EXPECT_EQ(SortData, startData);
            EXPECT_TRUE(w.picBox().image() == start) << "the start is drawn differently";
            EXPECT_EQ(Status(w), QStringLiteral("Paused: step 0 of %1, 0 comparisons").arg(heldAt));
            EXPECT_EQ(Enabled(w), (Flags{true, true, false}));
            clock += 100; // held for 100 seconds
        },
        [&] {
            Trigger(w, "mnuStepForward", heldAt);
            EXPECT_TRUE(History(w).AtPresent());
            Trigger(w, "mnuStepForward"); // the routine runs one step and holds again
        },
        [&] {
            EXPECT_EQ(History(w).Shown(), heldAt + 1);
            EXPECT_EQ(History(w).Recorded(), heldAt + 1);
            const std::vector<Integer> present = SortData;
            Trigger(w, "mnuStepBack", 2);
            Click(w, "Pause"); // resumes from two steps back: the present first
            EXPECT_EQ(SortData, present);
        },
    });
    SetTimerSource({});
    EXPECT_TRUE(std::is_sorted(SortData.begin() + 1, SortData.end()));
    EXPECT_EQ(Comparisons, comparisons);
    // The 100 seconds held are left out.
    EXPECT_EQ(w.sbTitleBar().panelText(2), QStringLiteral("Time: 0 secs"));
    EXPECT_EQ(Status(w), QStringLiteral("Status"));
    EXPECT_EQ(Enabled(w), (Flags{false, false, false}));
    EXPECT_FALSE(w.action("mnuPause")->isChecked());
}

INSTANTIATE_TEST_SUITE_P(BubbleCountingRadix, PauseEachKindTest, ::testing::Values(std::pair{1, 4950}, std::pair{10, 0}, std::pair{11, 0}));

TEST_F(PauseTest, AHeldRunUsesNoProcessor)
{
    frmMain& w = ReadyPaused();
    double cpu = -1;
    RunHeld(w, {[&] {
        QTimer::singleShot(2000, [&, from = std::clock()] {
            cpu = double(std::clock() - from) / CLOCKS_PER_SEC;
            Trigger(w, "mnuPause");
        });
    }});
    EXPECT_GE(cpu, 0);
    EXPECT_LT(cpu, 0.05);
}

// While an earlier step is shown: the dialogs, the delay and a resize keep it
// shown; regeneration returns to the present and starts the history again.
TEST_F(PauseTest, CommandsWhileShowingAnEarlierStep)
{
    frmMain& w = ReadyPaused();
    const auto forward = [&] { Trigger(w, "mnuStepForward"); };
    RunHeld(w, {forward, forward, [&] {
        Trigger(w, "mnuStepBack");
        const long shown = History(w).Shown();
        const QImage image = w.picBox().image().copy();
        const std::pair<const char*, std::function<void()>> commands[] = {
            {"colours", [&] { Answer<frmColor>(true); w.mnuViewColor_Click(); }},
            {"drawing", [&] { Answer<frmDraw>(true); w.mnuViewDraw_Click(); }},
            {"about", [&] { EXPECT_EQ(DialogsOpenedBy([&] { w.mnuHelpAbout_Click(); }), 1); }},
            {"slower", [&] { Click(w, "Slower"); }},
        };
        for (const auto& [name, command] : commands) {
            command();
            EXPECT_EQ(History(w).Shown(), shown) << name;
            EXPECT_TRUE(w.picBox().image() == image) << name;
        }
        EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0.01 secs"));
        Click(w, "Faster");
        w.resize(w.width() - 40, w.height() - 30); // redraws the step shown
        QApplication::processEvents();
        EXPECT_EQ(History(w).Shown(), shown);

        Click(w, "Ascending");
        for (int i = 0; i <= 100; ++i)
            ASSERT_EQ(SortData[i], i);
        EXPECT_EQ(Status(w), QStringLiteral("Paused: step 0 of 0, %1 comparisons").arg(Comparisons));
        EXPECT_EQ(Enabled(w), (Flags{true, true, false}));
        forward();
    }, [&] {
        EXPECT_EQ(History(w).Recorded(), 1);
        Trigger(w, "mnuPause");
    }});
    EXPECT_FALSE(RoutineRunning);
}

// Stop, Exit (with and without a dialog open) and a terminate signal, from an
// earlier step: the run ends promptly, and an exit saves the settings.
struct Ending {
    const char* name;
    void (*act)(frmMain&);
    bool exits;
};
const Ending endings[] = {
    {"Stop", [](frmMain& w) { w.mnuStop_Click(); }, false},
    {"Exit", [](frmMain& w) { w.mnuFileExit_Click(); }, true},
    {"ExitFromAbout", [](frmMain& w) { Soon([&w] { w.mnuFileExit_Click(); }); w.mnuHelpAbout_Click(); }, true},
    {"Sigterm", [](frmMain&) { std::raise(SIGTERM); }, true},
};

class PauseEndingTest : public PauseTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(PauseEndingTest, EndsTheRunFromAnEarlierStep)
{
    frmMain& w = ReadyPaused();
    const auto forward = [&] { Trigger(w, "mnuStepForward"); };
    RunHeld(w, {forward, forward, [&] {
        Trigger(w, "mnuStepBack");
        GetParam().act(w);
    }});
    EXPECT_FALSE(RoutineRunning);
    EXPECT_FALSE(HoldRequested());
    EXPECT_EQ(Unloading, GetParam().exits);
    if (GetParam().exits) {
        EXPECT_TRUE(QFile::exists(SettingsFile()));
    } else {
        EXPECT_FALSE(Sorting);
        EXPECT_EQ((std::array{w.plot().LastX, w.plot().LastY, w.plot().LastZ}), (std::array{0, 0, 0}));
        EXPECT_EQ(Status(w), QStringLiteral("Status"));
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, PauseEndingTest, ::testing::ValuesIn(endings), [](const auto& info) { return std::string(info.param.name); });


// Compare All cannot act while a routine executes: disabled from Start,
// running and held, until the routine returns.
TEST_F(PauseTest, CompareAllIsDisabledWhileARoutineExecutes)
{
    frmMain& w = Ready(1, 30);
    QAction* compare = w.action("mnuCompare");
    EXPECT_TRUE(compare->isEnabled());
    DrawSet[1] = 0;
    bool running = true, held = true;
    Soon([&] {
        running = compare->isEnabled();
        Trigger(w, "mnuPause");
    });
    RunHeld(w, {[&] {
        held = compare->isEnabled();
        Trigger(w, "mnuPause");
    }});
    EXPECT_FALSE(running);
    EXPECT_FALSE(held);
    EXPECT_TRUE(compare->isEnabled()) << "after the run";
}

} // namespace
