// The menus and toolbar and what their commands do in each run state:
// nothing ready, ready, and running (acted on from inside a run's steps).
#include "MainWindowFixture.h"

#include "dialogs/frmColor.h"
#include "platform/Forms.h"
#include "platform/Palette.h"
#include "platform/Settings.h"
#include "platform/PictureBox.h"
#include "platform/StatusStrip.h"
#include "view/PlotView.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

using DesignTest = MainWindowTest;
using CommandTest = MainWindowTest;
using RunTest = MainWindowTest;
using ExitTest = MainWindowTest;

TEST_F(DesignTest, MenusCarryTheirCaptionsShortcutsAndNames)
{
    frmMain& w = Start();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ordivan"));
    EXPECT_FALSE(w.windowIcon().isNull());
    struct Item { const char* name; const char* caption; const char* shortcut; };
    const std::vector<std::vector<Item>> menus = {
        {{"mnuFile", "&File", ""}, {"mnuFileNew", "&New", "Ctrl+N"}, {"mnuFileClose", "&Close", ""},
         {"mnuFileBar1", "", ""}, {"mnuFileExit", "E&xit", ""}},
        {{"mnuSort", "&Sort", ""}, {"mnuStart", "&Start", "Ctrl+S"}, {"mnuStop", "S&top", "Ctrl+T"}},
        {{"mnuView", "&View", ""}, {"mnuViewToolbar", "&Toolbar", ""}, {"mnuViewStatusBar", "Status &Bar", ""},
         {"mnuViewBar2", "", ""}, {"mnuViewColor", "&Color Settings...", ""}, {"mnuViewDraw", "&Draw Settings...", ""},
         {"mnuViewSort", "&Sort Settings...", ""}},
        {{"mnuHelp", "&Help", ""}, {"mnuHelpAbout", "&About Ordivan...", ""}},
    };
    const QList<QAction*> top = w.menuBar()->actions();
    ASSERT_EQ(top.size(), 4);
    for (std::size_t m = 0; m < menus.size(); ++m) {
        EXPECT_EQ(top[m]->text(), QString::fromLatin1(menus[m][0].caption));
        const QList<QAction*> items = top[m]->menu()->actions();
        ASSERT_EQ(static_cast<std::size_t>(items.size()), menus[m].size() - 1);
        for (std::size_t i = 1; i < menus[m].size(); ++i) {
            const Item& want = menus[m][i];
            QAction* got = items[static_cast<int>(i - 1)];
            EXPECT_EQ(got->objectName(), QString::fromLatin1(want.name));
            EXPECT_EQ(got->isSeparator(), *want.caption == '\0') << want.name;
            if (!got->isSeparator()) {
                EXPECT_EQ(got->text(), QString::fromLatin1(want.caption));
            }
            EXPECT_EQ(got->shortcut().toString(), QString::fromLatin1(want.shortcut)) << want.name;
            EXPECT_TRUE(got->isEnabled());
        }
    }
}

TEST_F(DesignTest, ToolbarHasNineImageButtonsInThreeGroups)
{
    frmMain& w = Start();
    const QList<QAction*> items = w.tbToolBar().actions();
    ASSERT_EQ(items.size(), 12);
    const QStringList keys = {"New", "Close", "", "Start", "Stop", "", "Faster", "Slower", "", "Random", "Ascending", "Descending"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(items[i]->isSeparator(), keys[i].isEmpty()) << i;
        if (keys[i].isEmpty())
            continue;
        EXPECT_EQ(items[i]->data().toString(), keys[i]);
        EXPECT_TRUE(items[i]->text().isEmpty());
        EXPECT_FALSE(items[i]->icon().isNull());
        QWidget* button = w.toolButton(keys[i]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->accessibleName(), keys[i]);
        EXPECT_TRUE(button->toolTip().isEmpty());
    }
    EXPECT_EQ(w.sbTitleBar().panelCount(), 3);
    EXPECT_EQ(w.sbTitleBar().panelText(3), QStringLiteral("Comparison:"));
    EXPECT_EQ(w.sbStatusBar().panelCount(), 4);
    EXPECT_EQ(w.sbStatusBar().panelText(1), QStringLiteral("Status"));
    EXPECT_TRUE(w.sbStatusBar().panelText(2).isEmpty());
}

TEST_F(CommandTest, NothingButNewActsBeforeADataSetIsReady)
{
    frmMain& w = Start();
    const std::vector<Integer> source = SourceData;
    for (const char* key : {"Start", "Stop", "Close", "Faster", "Slower", "Random", "Ascending", "Descending"})
        QTest::mouseClick(w.toolButton(QString::fromLatin1(key)), Qt::LeftButton);
    w.mnuStart_Click();
    EXPECT_FALSE(DataReady);
    EXPECT_FALSE(Sorting);
    EXPECT_EQ(SortSet[0], 6);
    EXPECT_EQ(DrawSet[1], 0);
    EXPECT_EQ(SourceData, source);
    EXPECT_TRUE(SortData.empty());
    EXPECT_TRUE(w.sbStatusBar().panelText(2).isEmpty());
    EXPECT_EQ(w.picBox().backColor(), ApplicationWorkspaceColor());
    // New opens the type dialog; cancelled, it changes nothing.
    EXPECT_EQ(DialogsOpenedBy([&] { QTest::mouseClick(w.toolButton("New"), Qt::LeftButton); }), 1);
    EXPECT_FALSE(DataReady);
}

TEST_F(CommandTest, NewTakesTheSourceIntoUseAndCloseGivesItUp)
{
    frmMain& w = Ready(6, 40);
    EXPECT_TRUE(DataReady);
    EXPECT_EQ(SortData, SourceData);
    EXPECT_EQ(w.sbTitleBar().panelText(1), QStringLiteral("Type: Quick Sort"));
    EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0 secs"));
    EXPECT_EQ(w.picBox().backColor(), QBColor(ColorSet[0]));
    EXPECT_EQ(w.picBox().foreColor(), QBColor(ColorSet[1]));
    EXPECT_EQ(w.picBox().drawWidth(), DrawSet[0]);

    QTest::mouseClick(w.toolButton("Close"), Qt::LeftButton);
    EXPECT_FALSE(DataReady);
    EXPECT_EQ(w.sbTitleBar().panelText(1), QStringLiteral("Type:"));
    EXPECT_EQ(w.sbTitleBar().panelText(2), QStringLiteral("Time:"));
    EXPECT_TRUE(w.sbStatusBar().panelText(2).isEmpty());
    EXPECT_EQ(w.picBox().pixelAt(5, 5).rgb(), ApplicationWorkspaceColor().rgb());
    w.mnuFileClose_Click(); // a second Close does nothing
    EXPECT_EQ(w.sbTitleBar().panelText(1), QStringLiteral("Type:"));

    // A shorter source than the width is copied as far as it goes.
    SortSet[2] = 60;
    ChooseNew(w, 6);
    ASSERT_EQ(SortData.size(), 61u);
    EXPECT_TRUE(std::equal(SourceData.begin(), SourceData.end(), SortData.begin()));
    EXPECT_EQ(SortData[60], 0);
}

TEST_F(CommandTest, FasterAndSlowerStopAtTheirLimits)
{
    frmMain& w = Ready(1, 30);
    QTest::mouseClick(w.toolButton("Faster"), Qt::LeftButton);
    EXPECT_EQ(DrawSet[1], 0);
    EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0 secs"));
    DrawSet[1] = 3;
    QTest::mouseClick(w.toolButton("Slower"), Qt::LeftButton);
    EXPECT_EQ(DrawSet[1], 4);
    EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0.04 secs"));
    DrawSet[1] = 10;
    w.tbToolBar_ButtonClick(QStringLiteral("Slower"));
    EXPECT_EQ(DrawSet[1], 10);
    EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0.04 secs"));
    w.tbToolBar_ButtonClick(QStringLiteral("Faster"));
    EXPECT_EQ(w.sbStatusBar().panelText(2), QStringLiteral("Delay: 0.09 secs"));
    // A stored delay beyond the controls' range moves a step at a time and
    // never wraps round the 16-bit range.
    DrawSet[1] = 32767;
    w.tbToolBar_ButtonClick(QStringLiteral("Slower"));
    EXPECT_EQ(DrawSet[1], 32767);
    // Keys match exactly or not at all.
    w.tbToolBar_ButtonClick(QStringLiteral("faster"));
    EXPECT_EQ(DrawSet[1], 32767);
}

TEST_F(CommandTest, OrderButtonsRegenerateAndRedraw)
{
    frmMain& w = Ready(1, 30);
    QTest::mouseClick(w.toolButton("Descending"), Qt::LeftButton);
    EXPECT_EQ(SortSet[0], 1);
    EXPECT_EQ(SortData[1], 30);
    EXPECT_EQ(SortData[30], 1);
    QTest::mouseClick(w.toolButton("Ascending"), Qt::LeftButton);
    EXPECT_EQ(SortSet[0], 0);
    EXPECT_TRUE(Ascending(SortData));
    EXPECT_EQ(SortData, SourceData);
    QTest::mouseClick(w.toolButton("Random"), Qt::LeftButton);
    EXPECT_EQ(SortSet[0], 6);
    EXPECT_FALSE(Ascending(SortData));
}

TEST_F(CommandTest, ShortcutsReachTheirCommands)
{
    frmMain& w = Ready(1, 30);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    bool stoppedInside = false;
    Soon([&] {
        QTest::keyClick(&w, Qt::Key_T, Qt::ControlModifier);
        stoppedInside = !Sorting;
    });
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(stoppedInside);
    EXPECT_FALSE(Ascending(SortData)); // stopped after its first pass
    EXPECT_EQ(DialogsOpenedBy([&] { QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier); }), 1);
}

TEST_F(RunTest, CommandsDuringARunObeyTheirGuards)
{
    frmMain& w = Ready(1, 40);
    int newDialogs = -1, sortDialogs = -1;
    Integer delayInside = -1;
    Soon([&] {
        ASSERT_TRUE(Sorting);
        EXPECT_EQ(w.sbStatusBar().panelText(1), QStringLiteral("Sorting . . ."));
        newDialogs = DialogsOpenedBy([&] { w.mnuFileNew_Click(); });
        sortDialogs = DialogsOpenedBy([&] { w.mnuViewSort_Click(); });
        w.mnuFileClose_Click();
        w.tbToolBar_ButtonClick(QStringLiteral("Start"));
        w.tbToolBar_ButtonClick(QStringLiteral("Slower"));
        delayInside = DrawSet[1];
        w.tbToolBar_ButtonClick(QStringLiteral("Faster"));
        // Regenerating mid-run: the run carries on over the new values.
        w.tbToolBar_ButtonClick(QStringLiteral("Ascending"));
    });
    w.mnuStart_Click();
    EXPECT_EQ(newDialogs, 0);
    EXPECT_EQ(sortDialogs, 0);
    EXPECT_EQ(delayInside, 1);
    EXPECT_EQ(DrawSet[1], 0);
    EXPECT_TRUE(DataReady);
    EXPECT_FALSE(Sorting);
    EXPECT_EQ(SortSet[0], 0);
    EXPECT_EQ(SortData, SourceData);
    EXPECT_EQ(w.sbStatusBar().panelText(1), QStringLiteral("Status"));
    EXPECT_TRUE(w.sbTitleBar().panelText(2).startsWith(QStringLiteral("Time: ")));
    EXPECT_EQ(w.sbTitleBar().panelText(3), QStringLiteral("Comparison: %1").arg(Comparisons));
    EXPECT_GT(Comparisons, 0);
}

TEST_F(RunTest, StopEndsTheRunAtItsNextTestAndNoRunStartsInsideIt)
{
    frmMain& w = Ready(1, 40);
    std::int32_t atStop = 0;
    Soon([&] {
        QTest::mouseClick(w.toolButton("Stop"), Qt::LeftButton);
        EXPECT_FALSE(Sorting);
        atStop = Comparisons;
        // Stopped but not yet returned: neither Start nor Sort Settings may act.
        w.tbToolBar_ButtonClick(QStringLiteral("Start"));
        w.mnuStart_Click();
        EXPECT_EQ(DialogsOpenedBy([&] { w.mnuViewSort_Click(); }), 0);
    });
    QTest::mouseClick(w.toolButton("Start"), Qt::LeftButton);
    EXPECT_FALSE(Sorting);
    EXPECT_FALSE(Ascending(SortData)); // one pass of 39 comparisons, not a sort
    EXPECT_EQ(Comparisons, 39);
    EXPECT_GT(Comparisons, atStop);
    EXPECT_EQ(w.sbTitleBar().panelText(3), QStringLiteral("Comparison: 39"));
    EXPECT_EQ(w.sbStatusBar().panelText(1), QStringLiteral("Status"));
    // Stop with no run does nothing; the ready state stays.
    w.tbToolBar_ButtonClick(QStringLiteral("Stop"));
    w.mnuStop_Click();
    EXPECT_TRUE(DataReady);
    // Settings commands during a run: the accepted colours redraw at once.
    Soon([&] {
        Soon([] {
            auto* dialog = qobject_cast<frmColor*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            ColorSet[0] = 1;
            QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
        });
        w.mnuViewColor_Click();
        EXPECT_EQ(w.picBox().backColor(), QBColor(1));
    });
    w.mnuStart_Click();
    EXPECT_TRUE(Ascending(SortData));
}

class ExitDuringRun : public ExitTest, public ::testing::WithParamInterface<int> {};

TEST_P(ExitDuringRun, EndsTheRunAndLeavesTheWindowAlone)
{
    frmMain& w = Ready(GetParam(), 40);
    QImage atExit;
    QString titleAtExit;
    Soon([&] {
        w.mnuFileExit_Click();
        atExit = w.picBox().image().copy();
        titleAtExit = w.sbTitleBar().panelText(2);
    });
    w.mnuStart_Click();
    EXPECT_FALSE(Sorting);
    EXPECT_TRUE(Unloading);
    EXPECT_EQ(MainView, &TheNullView());
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(QFile::exists(SettingsFile()));
    // Whatever the routine did after the close went nowhere.
    QCoreApplication::processEvents();
    EXPECT_EQ(w.picBox().image(), atExit);
    EXPECT_EQ(w.sbTitleBar().panelText(2), titleAtExit);
    w.mnuStart_Click(); // nothing starts on an unloaded window
    EXPECT_FALSE(Sorting);
}

// Bubble tests Sorting; Counting and Radix never do.
INSTANTIATE_TEST_SUITE_P(Routines, ExitDuringRun, ::testing::Values(1, 10, 11));

TEST_F(ExitTest, ClosingWithADialogOpenClosesTheDialogFirst)
{
    frmMain& w = Ready(1, 40);
    const auto colours = ColorSet;
    bool dialogReturned = false;
    Soon([&] {
        Soon([&] {
            ASSERT_NE(qobject_cast<frmColor*>(QApplication::activeModalWidget()), nullptr);
            ColorSet[0] = 5; // edited in place, then given up by the close
            w.close();
        });
        w.mnuViewColor_Click();
        dialogReturned = true;
    });
    w.mnuStart_Click();
    EXPECT_TRUE(dialogReturned);
    EXPECT_FALSE(frmColor::Accepted);
    EXPECT_TRUE(LoadedForms().empty());
    EXPECT_EQ(ColorSet, colours);
    EXPECT_EQ(GetSetting(AppTitle(), "Settings", "Background", "x"), QString::number(colours[0]));
    EXPECT_FALSE(w.isVisible());
}

} // namespace
