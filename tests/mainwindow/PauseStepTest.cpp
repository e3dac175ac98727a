// Pause, Step Forward and Step Back in the real window: the plot and status
// while held, the way back to the start and on to the present, the time a
// held run reports, the CPU a hold uses, and every other command while held.
#include "MainWindowFixture.h"

#include "dialogs/frmColor.h"
#include "dialogs/frmDraw.h"
#include "engine/Routines.h"
#include "engine/StepControl.h"
#include "mainwindow/RunControl.h"
#include "platform/Palette.h"
#include "view/PlotView.h"

#include <csignal>
#include <ctime>

namespace {

// Runs each act on a pass of the event loop while the run is held, one per
// hold or per pass, in order; then stops polling.
class WhileHeld {
public:
    explicit WhileHeld(std::vector<std::function<void()>> acts) : acts_(std::move(acts))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (next_ == acts_.size())
                timer_.stop();
            else if (Holding())
                acts_[next_++]();
        });
        timer_.start(0);
    }
    bool Done() const { return next_ == acts_.size(); }

private:
    std::vector<std::function<void()>> acts_;
    std::size_t next_ = 0;
    QTimer timer_;
};

class PauseTest : public MainWindowTest {
protected:
    // Bubble Sort of 100 random values at delay 0, paused from its first pump.
    frmMain& ReadyPaused()
    {
        frmMain& w = Ready(1, 100);
        DrawSet[1] = 0;
        Soon([&w] { w.action("mnuPause")->trigger(); });
        return w;
    }
    static const RunHistory& History(frmMain& w) { return *w.runControl().History(); }
    static void Trigger(frmMain& w, const char* name, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            w.action(name)->trigger();
    }
    static QString Status(frmMain& w) { return w.sbStatusBar().panelText(1); }
    static std::array<bool, 3> Enabled(frmMain& w)
    {
        return {w.action("mnuPause")->isEnabled(), w.action("mnuStepForward")->isEnabled(), w.action("mnuStepBack")->isEnabled()};
    }
};

TEST_F(PauseTest, StepsBackToTheStartForwardToThePresentAndOnThenResumes)
{
    frmMain& w = ReadyPaused();
    const QImage start = w.picBox().image().copy();
    const std::vector<Integer> startData = SortData;
    EXPECT_EQ(Enabled(w), (std::array{false, false, false}));
    float clock = 1000;
    SetTimerSource([&clock] { return clock; });
    long heldAt = 0;
    WhileHeld script({
        [&] {
            heldAt = History(w).Shown();
            EXPECT_GT(heldAt, 0);
            EXPECT_EQ(Status(w), QStringLiteral("Paused: step %1 of %1, %2 comparisons").arg(heldAt).arg(Comparisons));
            EXPECT_TRUE(w.action("mnuPause")->isChecked() && w.action("Pause")->isChecked());
            EXPECT_EQ(Enabled(w), (std::array{true, true, true}));
            Trigger(w, "mnuStepBack", static_cast<int>(heldAt) + 3); // the extra ones do nothing
            EXPECT_EQ(History(w).Shown(), 0);
            EXPECT_EQ(SortData, startData);
            EXPECT_TRUE(w.picBox().image() == start) << "the start is drawn differently";
            EXPECT_EQ(Status(w), QStringLiteral("Paused: step 0 of %1, 0 comparisons").arg(heldAt));
            EXPECT_EQ(Enabled(w), (std::array{true, true, false}));
            clock += 100; // held for 100 seconds
        },
        [&] {
            Trigger(w, "mnuStepForward", static_cast<int>(heldAt));
            EXPECT_TRUE(History(w).AtPresent());
            Trigger(w, "mnuStepForward"); // the routine runs one step and holds again
        },
        [&] {
            EXPECT_EQ(History(w).Shown(), heldAt + 1);
            EXPECT_EQ(History(w).Recorded(), heldAt + 1);
            Trigger(w, "mnuStepBack", 2);
            Click(w, "Pause"); // resumes from two steps back: the present first
        },
    });
    w.mnuStart_Click();
    SetTimerSource({});
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(std::is_sorted(SortData.begin() + 1, SortData.end()));
    EXPECT_EQ(Comparisons, 4950);
    EXPECT_EQ(w.sbTitleBar().panelText(2), QStringLiteral("Time: 0 secs")); // the 100 seconds held are left out
    EXPECT_EQ(Status(w), QStringLiteral("Status"));
    EXPECT_EQ(Enabled(w), (std::array{false, false, false}));
    EXPECT_FALSE(w.action("mnuPause")->isChecked());
}

TEST_F(PauseTest, AHeldRunUsesNoProcessor)
{
    frmMain& w = ReadyPaused();
    double cpu = -1;
    WhileHeld script({[&] {
        const std::clock_t from = std::clock();
        QTimer::singleShot(2000, [&, from] {
            cpu = double(std::clock() - from) / CLOCKS_PER_SEC;
            Trigger(w, "mnuPause");
        });
    }});
    w.mnuStart_Click();
    EXPECT_GE(cpu, 0);
    EXPECT_LT(cpu, 0.05);
}

TEST_F(PauseTest, DialogsDelayAndStopWhileShowingAnEarlierStep)
{
    frmMain& w = ReadyPaused();
    long shown = 0;
    WhileHeld script({[&] { Trigger(w, "mnuStepForward"); }, [&] { Trigger(w, "mnuStepForward"); }, [&] {
        Trigger(w, "mnuStepBack");
        shown = History(w).Shown();
        EXPECT_GT(shown, 0);
        const QImage image = w.picBox().image().copy();
        const auto unchanged = [&](const char* what) {
            EXPECT_EQ(History(w).Shown(), shown) << what;
            EXPECT_TRUE(w.picBox().image() == image) << what;
        };
        // The guards stand: no type or sort settings dialog during a run.
        EXPECT_EQ(DialogsOpenedBy([&] { w.mnuFileNew_Click(); }), 0);
        EXPECT_EQ(DialogsOpenedBy([&] { w.mnuViewSort_Click(); }), 0);
        w.mnuFileClose_Click();
        EXPECT_TRUE(DataReady);
        Answer<frmColor>(true), w.mnuViewColor_Click(), unchanged("colours");
        Answer<frmDraw>(true), w.mnuViewDraw_Click(), unchanged("drawing");
        EXPECT_EQ(DialogsOpenedBy([&] { w.mnuHelpAbout_Click(); }), 1), unchanged("about");
        Click(w, "Slower"), unchanged("slower");
        EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0.01 secs"));
        Click(w, "Faster");
        // A resize redraws the step shown, markers and all.
        w.resize(w.width() - 40, w.height() - 30);
        QApplication::processEvents();
        EXPECT_EQ(History(w).Shown(), shown);
        const QImage resized = w.picBox().image();
        bool marker = false;
        for (int x = 0; x < resized.width() && !marker; ++x)
            for (int y = 0; y < resized.height() && !marker; ++y)
                marker = QColor(resized.pixel(x, y)) == QBColor(ColorSet[3]);
        EXPECT_TRUE(marker) << "the step's markers are drawn";
        w.mnuStop_Click();
    }});
    w.mnuStart_Click();
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(Sorting || RoutineRunning || HoldRequested());
    EXPECT_EQ((std::array{w.plot().LastX, w.plot().LastY, w.plot().LastZ}), (std::array{0, 0, 0}));
    EXPECT_EQ(Status(w), QStringLiteral("Status"));
}

TEST_F(PauseTest, RegenerationReturnsToThePresentAndStartsTheHistoryAgain)
{
    frmMain& w = ReadyPaused();
    WhileHeld script({
        [&] {
            Trigger(w, "mnuStepBack", 2);
            Click(w, "Ascending");
            for (int i = 0; i <= 100; ++i)
                ASSERT_EQ(SortData[i], i);
            EXPECT_EQ(History(w).Recorded(), 0);
            EXPECT_EQ(Status(w), QStringLiteral("Paused: step 0 of 0, %1 comparisons").arg(Comparisons));
            EXPECT_EQ(Enabled(w), (std::array{true, true, false}));
            Trigger(w, "mnuStepForward");
        },
        [&] {
            EXPECT_EQ(History(w).Recorded(), 1);
            Trigger(w, "mnuStepBack");
            EXPECT_EQ(History(w).Shown(), 0);
            Trigger(w, "mnuPause");
        },
    });
    w.mnuStart_Click();
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(RoutineRunning);
    EXPECT_TRUE(std::is_sorted(SortData.begin() + 1, SortData.end()));
}

// Exit, with and without a dialog open, and a terminate signal: the run
// ends promptly from an earlier step and the settings are saved.
class PauseExitTest : public PauseTest, public ::testing::WithParamInterface<int> {};

TEST_P(PauseExitTest, EndsTheProgramFromAnEarlierStep)
{
    frmMain& w = ReadyPaused();
    WhileHeld script({[&] {
        Trigger(w, "mnuStepBack", 4);
        switch (GetParam()) {
        case 0: w.mnuFileExit_Click(); break;
        case 1: Soon([&w] { w.mnuFileExit_Click(); }), w.mnuHelpAbout_Click(); break;
        default: std::raise(SIGTERM); break;
        }
    }});
    w.mnuStart_Click();
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(Unloading);
    EXPECT_FALSE(RoutineRunning || HoldRequested());
    EXPECT_TRUE(QFile::exists(SettingsFile()));
}

INSTANTIATE_TEST_SUITE_P(Ways, PauseExitTest, ::testing::Values(0, 1, 2));

TEST_F(PauseTest, CountingAndRadixSortHoldAndStepBackToTheStart)
{
    for (int type : {10, 11}) {
        frmMain& w = type == 10 ? ReadyPaused() : (Restart(), Ready(type, 100));
        if (type == 11) {
            DrawSet[1] = 0;
            Soon([&w] { w.action("mnuPause")->trigger(); });
        }
        const QImage start = w.picBox().image().copy();
        WhileHeld script({
            [&] { Trigger(w, "mnuStepForward"); },
            [&] {
                Trigger(w, "mnuStepBack", 1000);
                EXPECT_TRUE(w.picBox().image() == start) << RoutineTable[type].name;
                Trigger(w, "mnuPause");
            },
        });
        w.mnuStart_Click();
        EXPECT_TRUE(script.Done()) << RoutineTable[type].name;
        EXPECT_TRUE(std::is_sorted(SortData.begin() + 1, SortData.end())) << RoutineTable[type].name;
    }
}

} // namespace
