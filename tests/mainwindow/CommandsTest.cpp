// The menus and toolbar, and what their commands do with no data set, with a
// data set ready, and from inside a run's steps.
#include "MainWindowFixture.h"

#include "dialogs/frmColor.h"
#include "dialogs/frmDraw.h"
#include "dialogs/frmSort.h"
#include "platform/Forms.h"
#include "platform/Palette.h"

#include <QMenu>
#include <QMenuBar>

namespace {

using DesignTest = MainWindowTest;
using CommandTest = MainWindowTest;
using RunTest = MainWindowTest;

TEST_F(DesignTest, MenusAndToolbarCarryTheirCaptionsShortcutsAndKeys)
{
    frmMain& w = Start();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ordivan"));
    // Each menu with its items as name|caption|shortcut; a separator by name only.
    QString menus;
    for (QAction* menu : w.menuBar()->actions()) {
        menus += menu->objectName() + '|' + menu->text() + ':';
        for (QAction* a : menu->menu()->actions())
            menus += ' ' + a->objectName() + (a->isSeparator() ? QString() : '|' + a->text() + '|' + a->shortcut().toString());
        menus += '\n';
    }
    EXPECT_EQ(menus, "mnuFile|&File: mnuFileNew|&New|Ctrl+N mnuFileClose|&Close| mnuFileBar1 mnuFileExit|E&xit|\n"
                     "mnuSort|&Sort: mnuStart|&Start|Ctrl+S mnuStop|S&top|Ctrl+T\n"
                     "mnuView|&View: mnuViewToolbar|&Toolbar| mnuViewStatusBar|Status &Bar| mnuViewBar2 "
                     "mnuViewColor|&Color Settings...| mnuViewDraw|&Draw Settings...| mnuViewSort|&Sort Settings...|\n"
                     "mnuHelp|&Help: mnuHelpAbout|&About Ordivan...|\n");

    // The buttons show an image only, no caption or tip; screen readers say the key.
    QStringList keys;
    for (QAction* a : w.tbToolBar().actions()) {
        QWidget* button = w.tbToolBar().widgetForAction(a);
        EXPECT_TRUE(a->isSeparator() || (a->text().isEmpty() && button->toolTip().isEmpty() && !a->icon().isNull()));
        keys << (a->isSeparator() ? QStringLiteral("|") : button->accessibleName());
    }
    EXPECT_EQ(keys.join(' '), "New Close | Start Stop | Faster Slower | Random Ascending Descending");
}

TEST_F(CommandTest, NothingButNewAndTheSettingsActBeforeADataSetIsReady)
{
    frmMain& w = Start();
    const std::vector<Integer> source = SourceData;
    for (const char* key : {"Start", "Stop", "Close", "Faster", "Slower", "Random", "Ascending", "Descending"})
        Click(w, key);
    EXPECT_FALSE(DataReady || Sorting);
    EXPECT_EQ(DrawSet[1], 0);
    EXPECT_EQ(SourceData, source);
    EXPECT_TRUE(SortData.empty() && w.sbStatusBar().panelText(2).isEmpty());
    EXPECT_EQ(DialogsOpenedBy([&] { Click(w, "New"); }), 1);
    EXPECT_FALSE(DataReady); // the type dialog was cancelled

    // Draw settings accepted without a data set: the delay text, a grey plot.
    Answer<frmDraw>(true, [](frmDraw&) { DrawSet[1] = 5; });
    w.mnuViewDraw_Click();
    EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0.05 secs"));
    EXPECT_EQ(w.picBox().pixelAt(5, 5).rgb(), ApplicationWorkspaceColor().rgb());
}

TEST_F(CommandTest, AReadyDataSetThroughTheSettingsSpeedOrdersAndClose)
{
    frmMain& w = Ready(6, 40);
    EXPECT_EQ(SortData, SourceData);
    EXPECT_EQ(w.sbTitleBar().panelText(1), QStringLiteral("Type: Quick Sort"));
    EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0 secs"));
    EXPECT_EQ(w.picBox().backColor(), QBColor(ColorSet[0]));

    // A cancelled colour dialog leaves the plot; an accepted one redraws it.
    const QImage plot = w.picBox().image().copy();
    for (bool ok : {false, true}) {
        Answer<frmColor>(ok, [](frmColor&) { ColorSet[1] = 4; });
        w.mnuViewColor_Click();
        EXPECT_EQ(w.picBox().image() == plot, !ok);
    }

    // Stored delays may sit at either end of the 16-bit range: no wrapping.
    const struct { Integer before; const char* key; Integer after; } steps[] = {
        {3, "Slower", 4}, {0, "Faster", 0}, {10, "Slower", 10}, {32767, "Slower", 32767}, {-32768, "Faster", -32768}};
    for (const auto& step : steps) {
        DrawSet[1] = step.before;
        Click(w, step.key);
        EXPECT_EQ(DrawSet[1], step.after) << step.key << " from " << step.before;
    }
    EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0.04 secs")); // shown on a change only

    Click(w, "Descending");
    EXPECT_EQ(SortSet[0], 1);
    EXPECT_EQ(SortData, SourceData);
    EXPECT_EQ(SortData[1], 40);

    Click(w, "Close");
    EXPECT_FALSE(DataReady);
    EXPECT_EQ(w.sbTitleBar().panelText(1), QStringLiteral("Type:"));
    EXPECT_TRUE(w.sbStatusBar().panelText(2).isEmpty());
    EXPECT_EQ(w.picBox().pixelAt(5, 5).rgb(), ApplicationWorkspaceColor().rgb());

    // A source shorter than the width is copied as far as it goes.
    SortSet[2] = 60;
    ChooseNew(w, 6);
    ASSERT_EQ(SortData.size(), 61u);
    EXPECT_TRUE(std::equal(SourceData.begin(), SourceData.end(), SortData.begin()));
    EXPECT_EQ(SortData[60], 0);
}

TEST_F(RunTest, CommandsInsideARunObeyTheirGuards)
{
    frmMain& w = Ready(1, 40);
    Soon([&] {
        ASSERT_TRUE(Sorting);
        EXPECT_EQ(w.sbStatusBar().panelText(1), QStringLiteral("Sorting . . ."));
        EXPECT_EQ(DialogsOpenedBy([&] { w.mnuFileNew_Click(); }), 0);
        EXPECT_EQ(DialogsOpenedBy([&] { w.mnuViewSort_Click(); }), 0);
        for (const char* key : {"Close", "Start", "Slower"})
            Click(w, key);
        EXPECT_EQ(DrawSet[1], 1);
        Click(w, "Faster");
        Click(w, "Ascending"); // the run goes on over the new values
    });
    w.action("mnuStart")->trigger();
    EXPECT_TRUE(DataReady && !Sorting);
    EXPECT_EQ(DrawSet[1], 0);
    EXPECT_EQ(SortData, SourceData);
    EXPECT_EQ(w.sbStatusBar().panelText(1), QStringLiteral("Status"));
    EXPECT_TRUE(w.sbTitleBar().panelText(2).startsWith(QStringLiteral("Time: ")));
    EXPECT_EQ(w.sbTitleBar().panelText(3), QStringLiteral("Comparison: %1").arg(Comparisons));
}

TEST_F(RunTest, StopEndsTheRunAtItsNextTestAndNothingStartsInsideIt)
{
    frmMain& w = Ready(1, 40);
    Soon([&] {
        w.action("mnuStop")->trigger();
        EXPECT_FALSE(Sorting);
        // Stopped but not yet returned: no second run, no new width.
        Click(w, "Start");
        w.mnuStart_Click();
        EXPECT_EQ(DialogsOpenedBy([&] { w.mnuViewSort_Click(); }), 0);
    });
    Click(w, "Start");
    EXPECT_FALSE(std::is_sorted(SortData.begin(), SortData.end()));
    EXPECT_EQ(w.sbTitleBar().panelText(3), QStringLiteral("Comparison: 39")); // one pass
    EXPECT_EQ(w.sbStatusBar().panelText(1), QStringLiteral("Status"));

    // Once returned, Sort Settings works again and its data is taken into use.
    Answer<frmSort>(true);
    w.mnuViewSort_Click();
    EXPECT_EQ(SortData, SourceData);
}

// Bubble Sort tests Sorting; Counting and Radix Sort never do. The last one
// closes with a dialog open, its edit not yet accepted.
class ExitDuringRun : public MainWindowTest, public ::testing::WithParamInterface<std::pair<int, bool>> {};

TEST_P(ExitDuringRun, EndsTheRunAndNothingReachesTheWindowAfter)
{
    const auto [type, withDialog] = GetParam();
    frmMain& w = Ready(type, 40);
    const auto colours = ColorSet;
    QImage atExit;
    QString timeAtExit;
    auto exitNow = [&] {
        w.mnuFileExit_Click();
        atExit = w.picBox().image().copy();
        timeAtExit = w.sbTitleBar().panelText(2);
    };
    Soon([&, withDialog = withDialog] {
        if (!withDialog)
            return exitNow();
        Soon([&] {
            ColorSet[0] = 5;
            exitNow();
        });
        w.mnuViewColor_Click();
    });
    w.mnuStart_Click();
    EXPECT_FALSE(Sorting || w.isVisible());
    EXPECT_EQ(MainView, &TheNullView());
    EXPECT_TRUE(LoadedForms().empty());
    EXPECT_EQ(ColorSet, colours);
    EXPECT_EQ(GetSetting(AppTitle(), "Settings", "Background", "x"), QString::number(colours[0]));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.picBox().image(), atExit);
    EXPECT_EQ(w.sbTitleBar().panelText(2), timeAtExit);
}

INSTANTIATE_TEST_SUITE_P(Routines, ExitDuringRun,
                         ::testing::Values(std::pair(1, false), std::pair(10, false), std::pair(11, false), std::pair(1, true)));

} // namespace
