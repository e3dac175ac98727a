// The menus and toolbar and what their commands do with no data set, with a
// data set ready, and from inside a run's steps.
#include "MainWindowFixture.h"

#include "dialogs/frmColor.h"
#include "dialogs/frmDraw.h"
#include "dialogs/frmSort.h"
#include "platform/Forms.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "platform/Settings.h"
#include "platform/StatusStrip.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

using DesignTest = MainWindowTest;
using CommandTest = MainWindowTest;
using RunTest = MainWindowTest;
using ExitTest = MainWindowTest;

TEST_F(DesignTest, MenusAndToolbarCarryTheirCaptionsShortcutsAndKeys)
{
    frmMain& w = Start();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ordivan"));
    // name|caption|shortcut per item, one menu a line; "-" a separator.
    const QStringList menus = {
        "mnuFile|&File mnuFileNew|&New|Ctrl+N mnuFileClose|&Close mnuFileBar1|- mnuFileExit|E&xit",
        "mnuSort|&Sort mnuStart|&Start|Ctrl+S mnuStop|S&top|Ctrl+T",
        "mnuView|&View mnuViewToolbar|&Toolbar mnuViewStatusBar|Status_&Bar mnuViewBar2|- "
        "mnuViewColor|&Color_Settings... mnuViewDraw|&Draw_Settings... mnuViewSort|&Sort_Settings...",
        "mnuHelp|&Help mnuHelpAbout|&About_Ordivan...",
    };
    const QList<QAction*> top = w.menuBar()->actions();
    ASSERT_EQ(top.size(), menus.size());
    for (int m = 0; m < menus.size(); ++m) {
        const QStringList items = menus[m].split(' ');
        EXPECT_EQ(top[m]->text(), items[0].section('|', 1));
        const QList<QAction*> got = top[m]->menu()->actions();
        ASSERT_EQ(got.size(), items.size() - 1);
        for (int i = 1; i < items.size(); ++i) {
            QAction* a = got[i - 1];
            const QString caption = items[i].section('|', 1, 1).replace('_', ' ');
            EXPECT_EQ(a->objectName(), items[i].section('|', 0, 0));
            EXPECT_EQ(a->isSeparator() ? QStringLiteral("-") : a->text(), caption);
            EXPECT_EQ(a->shortcut().toString(), items[i].section('|', 2, 2)) << qPrintable(caption);
        }
    }
    EXPECT_TRUE(w.action("mnuViewToolbar")->isChecked() && w.action("mnuViewStatusBar")->isChecked());

    const QStringList keys = {"New", "Close", "", "Start", "Stop", "", "Faster", "Slower", "", "Random", "Ascending", "Descending"};
    const QList<QAction*> buttons = w.tbToolBar().actions();
    ASSERT_EQ(buttons.size(), keys.size());
    for (int i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(buttons[i]->isSeparator(), keys[i].isEmpty());
        if (keys[i].isEmpty())
            continue;
        QWidget* button = w.toolButton(keys[i]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->accessibleName(), keys[i]);
        EXPECT_TRUE(buttons[i]->text().isEmpty() && button->toolTip().isEmpty());
        EXPECT_FALSE(buttons[i]->icon().isNull());
    }
}

TEST_F(CommandTest, NothingButNewAndTheSettingsActBeforeADataSetIsReady)
{
    frmMain& w = Start();
    const std::vector<Integer> source = SourceData;
    for (const char* key : {"Start", "Stop", "Close", "Faster", "Slower", "Random", "Ascending", "Descending"})
        QTest::mouseClick(w.toolButton(QString::fromLatin1(key)), Qt::LeftButton);
    EXPECT_FALSE(DataReady || Sorting);
    EXPECT_EQ(SortSet[0], 6);
    EXPECT_EQ(DrawSet[1], 0);
    EXPECT_EQ(SourceData, source);
    EXPECT_TRUE(SortData.empty());
    EXPECT_TRUE(w.sbStatusBar().panelText(2).isEmpty());
    EXPECT_EQ(DialogsOpenedBy([&] { QTest::mouseClick(w.toolButton("New"), Qt::LeftButton); }), 1);
    EXPECT_FALSE(DataReady); // the type dialog was cancelled

    // Draw settings accepted without a data set: the delay text, a grey plot.
    Answer<frmDraw>(true, [](frmDraw&) { DrawSet[1] = 5; });
    w.mnuViewDraw_Click();
    EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0.05 secs"));
    EXPECT_EQ(w.picBox().pixelAt(5, 5).rgb(), ApplicationWorkspaceColor().rgb());
    EXPECT_EQ(DialogsOpenedBy([&] { w.mnuHelpAbout_Click(); }), 1);
}

TEST_F(CommandTest, NewTakesTheSourceIntoUseAndCloseGivesItUp)
{
    frmMain& w = Ready(6, 40);
    EXPECT_EQ(SortData, SourceData);
    EXPECT_EQ(w.sbTitleBar().panelText(1), QStringLiteral("Type: Quick Sort"));
    EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0 secs"));
    EXPECT_EQ(w.picBox().backColor(), QBColor(ColorSet[0]));

    // A cancelled settings dialog leaves the plot; an accepted one redraws it.
    const QImage plot = w.picBox().image().copy();
    Answer<frmColor>(false, [](frmColor&) { ColorSet[1] = 4; });
    w.mnuViewColor_Click();
    EXPECT_EQ(w.picBox().image(), plot);
    Answer<frmColor>(true, [](frmColor&) { ColorSet[1] = 4; });
    w.mnuViewColor_Click();
    EXPECT_EQ(w.picBox().foreColor(), QBColor(4));
    EXPECT_NE(w.picBox().image(), plot);

    QTest::mouseClick(w.toolButton("Close"), Qt::LeftButton);
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

TEST_F(CommandTest, FasterSlowerAndTheOrdersWithinTheirLimits)
{
    frmMain& w = Ready(1, 30);
    QTest::mouseClick(w.toolButton("Faster"), Qt::LeftButton);
    EXPECT_EQ(DrawSet[1], 0);
    DrawSet[1] = 3;
    QTest::mouseClick(w.toolButton("Slower"), Qt::LeftButton);
    EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0.04 secs"));
    DrawSet[1] = 10;
    w.tbToolBar_ButtonClick(QStringLiteral("Slower"));
    EXPECT_EQ(DrawSet[1], 10);
    EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0.04 secs"));
    DrawSet[1] = 32767; // from a stored value: rises no further, never wraps
    w.tbToolBar_ButtonClick(QStringLiteral("Slower"));
    w.tbToolBar_ButtonClick(QStringLiteral("slower"));
    EXPECT_EQ(DrawSet[1], 32767);

    QTest::mouseClick(w.toolButton("Descending"), Qt::LeftButton);
    EXPECT_EQ(SortSet[0], 1);
    EXPECT_EQ(SortData, SourceData);
    EXPECT_EQ(SortData[1], 30);
}

TEST_F(RunTest, CommandsInsideARunObeyTheirGuards)
{
    frmMain& w = Ready(1, 40);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    Soon([&] {
        ASSERT_TRUE(Sorting);
        EXPECT_EQ(w.sbStatusBar().panelText(1), QStringLiteral("Sorting . . ."));
        EXPECT_EQ(DialogsOpenedBy([&] { w.mnuFileNew_Click(); }), 0);
        EXPECT_EQ(DialogsOpenedBy([&] { w.mnuViewSort_Click(); }), 0);
        w.mnuFileClose_Click();
        w.tbToolBar_ButtonClick(QStringLiteral("Start"));
        w.tbToolBar_ButtonClick(QStringLiteral("Slower"));
        EXPECT_EQ(DrawSet[1], 1);
        w.tbToolBar_ButtonClick(QStringLiteral("Faster"));
        w.tbToolBar_ButtonClick(QStringLiteral("Ascending")); // the run goes on over new values
    });
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(DataReady);
    EXPECT_FALSE(Sorting);
    EXPECT_EQ(DrawSet[1], 0);
    EXPECT_EQ(SortData, SourceData);
    EXPECT_EQ(w.sbStatusBar().panelText(1), QStringLiteral("Status"));
    EXPECT_TRUE(w.sbTitleBar().panelText(2).startsWith(QStringLiteral("Time: ")));
    EXPECT_EQ(w.sbTitleBar().panelText(3), QStringLiteral("Comparison: %1").arg(Comparisons));
}

TEST_F(RunTest, StopEndsTheRunAtItsNextTestAndNothingStartsInsideIt)
{
    frmMain& w = Ready(1, 40);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    Soon([&] {
        QTest::keyClick(&w, Qt::Key_T, Qt::ControlModifier);
        EXPECT_FALSE(Sorting);
        // Stopped but not returned: no second run, no new width.
        w.tbToolBar_ButtonClick(QStringLiteral("Start"));
        w.mnuStart_Click();
        EXPECT_EQ(DialogsOpenedBy([&] { w.mnuViewSort_Click(); }), 0);
    });
    QTest::mouseClick(w.toolButton("Start"), Qt::LeftButton);
    EXPECT_FALSE(Ascending(SortData));
    EXPECT_EQ(w.sbTitleBar().panelText(3), QStringLiteral("Comparison: 39")); // one pass
    EXPECT_EQ(w.sbStatusBar().panelText(1), QStringLiteral("Status"));

    // Once returned, Sort Settings works again and its data is taken into use.
    Answer<frmSort>(true);
    w.mnuViewSort_Click();
    EXPECT_EQ(SortData, SourceData);
}

class ExitDuringRun : public ExitTest, public ::testing::WithParamInterface<int> {};

TEST_P(ExitDuringRun, EndsTheRunAndNothingReachesTheWindowAfter)
{
    frmMain& w = Ready(GetParam(), 40);
    QImage atExit;
    QString timeAtExit;
    Soon([&] {
        w.mnuFileExit_Click();
        atExit = w.picBox().image().copy();
        timeAtExit = w.sbTitleBar().panelText(2);
    });
    w.mnuStart_Click();
    EXPECT_FALSE(Sorting);
    EXPECT_EQ(MainView, &TheNullView());
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(QFile::exists(SettingsFile()));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.picBox().image(), atExit);
    EXPECT_EQ(w.sbTitleBar().panelText(2), timeAtExit);
}

// Bubble Sort tests Sorting; Counting and Radix Sort never do.
INSTANTIATE_TEST_SUITE_P(Routines, ExitDuringRun, ::testing::Values(1, 10, 11));

TEST_F(ExitTest, ClosingWithADialogOpenClosesTheDialogFirst)
{
    frmMain& w = Ready(1, 40);
    const auto colours = ColorSet;
    bool dialogReturned = false;
    Soon([&] {
        Soon([&] {
            ColorSet[0] = 5; // edited in the dialog, given up by the close
            w.close();
        });
        w.mnuViewColor_Click();
        dialogReturned = true;
    });
    w.mnuStart_Click();
    EXPECT_TRUE(dialogReturned);
    EXPECT_TRUE(LoadedForms().empty());
    EXPECT_EQ(ColorSet, colours);
    EXPECT_EQ(GetSetting(AppTitle(), "Settings", "Background", "x"), QString::number(colours[0]));
}

} // namespace
