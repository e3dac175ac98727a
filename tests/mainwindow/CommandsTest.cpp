// What the commands do with no data set, with a data set ready, and inside a run.
#include "MainWindowFixture.h"

#include "dialogs/frmSort.h"
#include "platform/Forms.h"

TEST_F(MainWindowTest, MenusAndToolbarCarryTheirCaptionsShortcutsAndKeys)
{
    frmMain& w = Start();
    // Each menu with its items as name|caption|shortcut; a separator by name only.
    QString menus;
    for (QAction* menu : w.menuBar()->actions()) {
        menus += menu->objectName() + '|' + menu->text() + ':';
        for (QAction* a : menu->menu()->actions())
            menus += ' ' + a->objectName() + (a->isSeparator() ? QString() : '|' + a->text() + '|' + a->shortcut().toString());
        menus += '\n';
    }
    EXPECT_EQ(menus, "mnuFile|&File: mnuFileNew|&New|Ctrl+N mnuFileClose|&Close| mnuFileExport|&Export Run...|Ctrl+E mnuFileBar2 "
                     "mnuFileOpenData|&Open Data...|Ctrl+O mnuFileSaveData|&Save Data...|Ctrl+Shift+S mnuFileEnterData|Enter &Data...|Ctrl+D mnuFileBar1 mnuFileExit|E&xit|\n"
                     "mnuSort|&Sort: mnuStart|&Start|Ctrl+S mnuStop|S&top|Ctrl+T mnuSortBar1 mnuPause|&Pause|Ctrl+P "
                     "mnuStepForward|Step &Forward|Ctrl+Right mnuStepBack|Step &Back|Ctrl+Left "
                     "mnuSortBar2 mnuCompare|&Compare All...|Ctrl+M mnuRace|&Race...|Ctrl+R\n"
                     "mnuView|&View: mnuViewToolbar|&Toolbar| mnuViewStatusBar|Status &Bar| mnuViewSound|S&ound|Ctrl+U mnuViewCode|Cod&e|Ctrl+L mnuViewStyle|St&yle| mnuViewBar2 "
                     "mnuViewColor|&Color Settings...| mnuViewDraw|&Draw Settings...| mnuViewSort|&Sort Settings...|\n"
                     "mnuHelp|&Help: mnuHelpAbout|&About Ordivan...|\n");
    // The buttons show an image only, no caption or tip; screen readers say the key.
    QStringList keys;
    for (QAction* a : w.tbToolBar().actions()) {
        QWidget* button = w.tbToolBar().widgetForAction(a);
        if (a->isSeparator()) {
            keys << QStringLiteral("|");
            continue;
        }
        EXPECT_EQ(a->text(), QString());
        EXPECT_EQ(button->toolTip(), QString());
        EXPECT_FALSE(a->icon().isNull()) << button->accessibleName().toStdString();
        keys << button->accessibleName();
    }
    EXPECT_EQ(keys.join(' '), "New Close | Start Stop | Faster Slower | Random Ascending Descending | Pause Step Back Step Forward");
}

TEST_F(MainWindowTest, ToolbarCommandsNeedNoMouse)
{
    // The delay and order commands have no menu item: Tab reaches them, Space presses.
    frmMain& w = Ready(6, 20);
    QApplication::setActiveWindow(&w);
    QWidget* slower = w.toolButton("Slower");
    for (int i = 0; i < 12 && QApplication::focusWidget() != slower; ++i)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), slower);
    QTest::keyClick(slower, Qt::Key_Space);
    EXPECT_EQ(DrawSet[1], 1);
}

TEST_F(MainWindowTest, NothingButNewActsBeforeADataSetIsReady)
{
    frmMain& w = Start();
    const std::vector<Integer> source = SourceData;
    for (const char* key : {"Start", "Stop", "Close", "Faster", "Slower", "Random", "Ascending", "Descending"})
        Click(w, key);
    EXPECT_FALSE(DataReady);
    EXPECT_FALSE(Sorting);
    EXPECT_EQ(DrawSet[1], 0);
    EXPECT_EQ(SortData, std::vector<Integer>{});
    EXPECT_EQ(SourceData, source);
    EXPECT_EQ(DialogsOpenedBy([&] { Click(w, "New"); }), 1);
    EXPECT_FALSE(DataReady); // the type dialog was cancelled
}

TEST_F(MainWindowTest, AReadyDataSetThroughSpeedOrdersAndClose)
{
    frmMain& w = Ready(6, 40);
    EXPECT_EQ(SortData, SourceData);

    // Stored delays may sit at either end of the 16-bit range: no wrapping.
    const struct { Integer before; const char* key; Integer after; } steps[] = {
        {3, "Slower", 4}, {0, "Faster", 0}, {10, "Slower", 10}, {32767, "Slower", 32767}, {-32768, "Faster", -32768}};
    for (const auto& step : steps) {
        DrawSet[1] = step.before;
        Click(w, step.key);
        EXPECT_EQ(DrawSet[1], step.after) << step.key << " from " << step.before;
    }

    Click(w, "Descending");
    EXPECT_EQ(std::tuple(SortSet[0], SortData[1]), std::tuple(1, 40));
    EXPECT_EQ(SortData, SourceData);

    Click(w, "Close");
    EXPECT_FALSE(DataReady);
    EXPECT_EQ(w.picBox().pixelAt(5, 5).rgb(), ApplicationWorkspaceColor().rgb());
}

// Inside a run New, Close and Sort Settings wait, the delay and order commands act at once;
// Stop ends the run at its next test, and Sort Settings waits until the routine has returned.
TEST_F(MainWindowTest, CommandsInsideARunObeyTheirGuardsAndStopEndsItAtItsNextTest)
{
    frmMain& w = Ready(1, 40);
    Soon([&] {
        ASSERT_TRUE(Sorting);
        EXPECT_EQ(DialogsOpenedBy([&] { w.mnuFileNew_Click(); w.mnuViewSort_Click(); }), 0);
        Click(w, "Close");
        Click(w, "Slower");
        EXPECT_EQ(DrawSet[1], 1);
        Click(w, "Faster");
        Click(w, "Ascending"); // the run goes on over the new values
        w.action("mnuStop")->trigger();
        EXPECT_FALSE(Sorting);
        EXPECT_EQ(DialogsOpenedBy([&] { w.mnuViewSort_Click(); }), 0);
    });
    Click(w, "Start");
    EXPECT_TRUE(DataReady);
    EXPECT_EQ(DrawSet[1], 0);
    EXPECT_EQ(SortData, SourceData);
    EXPECT_EQ(w.sbTitleBar().panelText(3), QStringLiteral("Comparison: 39")); // one pass
    Answer<frmSort>(true, [](frmSort& d) { d.lstSort[2]->setCurrentItem(d.lstSort[2]->findItems("50", Qt::MatchExactly).value(0)); });
    w.mnuViewSort_Click();
    EXPECT_EQ(SortData.size(), 51u);
    EXPECT_EQ(SortData, SourceData);
}

// Bubble Sort tests Sorting, Counting and Radix Sort never do; the last exits from an open dialog.
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
            ColorSet[0] = 5; // changed in the dialog, put back as it unloads
            exitNow();
        });
        w.mnuViewColor_Click();
    });
    w.action("mnuStart")->trigger();
    EXPECT_FALSE(Sorting);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(MainView, &TheNullView());
    EXPECT_TRUE(LoadedForms().empty());
    EXPECT_EQ(ColorSet, colours);
    EXPECT_EQ(StoredSettings().value("Background"), QString::number(colours[0]));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.picBox().image(), atExit);
    EXPECT_EQ(w.sbTitleBar().panelText(2), timeAtExit);
}

INSTANTIATE_TEST_SUITE_P(Routines, ExitDuringRun,
                         ::testing::Values(std::pair(1, false), std::pair(10, false), std::pair(11, false), std::pair(1, true)));
