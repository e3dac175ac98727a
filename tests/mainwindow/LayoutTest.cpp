// The four bar layouts and the View switches. Expectations
// go through the twips conversions so they hold at any scale factor.
#include "MainWindowFixture.h"

class LayoutTest : public MainWindowTest {
protected:
    static void ExpectLayout(frmMain& w, bool toolbar, bool statusBar)
    {
        SCOPED_TRACE(::testing::Message() << "toolbar " << toolbar << ", status bar " << statusBar);
        const std::pair<bool, bool> shown{toolbar, statusBar};
        EXPECT_EQ(std::pair(w.action("mnuViewToolbar")->isChecked(), w.action("mnuViewStatusBar")->isChecked()), shown);
        EXPECT_EQ(std::pair(w.tbToolBar().isVisible(), w.sbStatusBar().isVisible()), shown);

        const int width = w.centralWidget()->width(), strip = TwipsToPixelsY(270), bar = TwipsToPixelsY(420);
        if (toolbar) { EXPECT_EQ(w.tbToolBar().geometry(), QRect(0, 0, width, bar)); }
        EXPECT_EQ(w.sbTitleBar().geometry(), QRect(0, toolbar ? bar : 0, width, strip));
        if (statusBar) { EXPECT_EQ(w.sbStatusBar().geometry(), QRect(0, w.centralWidget()->height() - strip, width, strip)); }
        const double top = toolbar ? 720 : 300, band = top + (statusBar ? 270 : 0);
        EXPECT_EQ(w.picBox().geometry(), QRect(0, TwipsToPixelsY(top), width, TwipsToPixelsY(w.ScaleHeight() - band)));
        EXPECT_FLOAT_EQ(w.plot().XScale, static_cast<float>(SortSet[2] / w.picBox().ScaleWidth()));
        EXPECT_FLOAT_EQ(w.plot().YScale, static_cast<float>(SortSet[1] / w.picBox().ScaleHeight()));
        // Bar 50 of an ascending set of 50 stands on the right edge.
        if (SortSet[0] == 0) { EXPECT_EQ(w.picBox().pixelAt(width - 1, w.picBox().height() - 2).rgb(), w.picBox().foreColor().rgb()); }
    }
};

TEST_F(LayoutTest, ViewSwitchesWalkThroughTheFourLayoutsAndRedraw)
{
    frmMain& w = Start();
    ExpectLayout(w, true, true); // the first showing, with an empty grey plot
    EXPECT_EQ(w.picBox().pixelAt(9, 9).rgb(), ApplicationWorkspaceColor().rgb());
    SortSet = {0, 100, 50};
    FillSource();
    ChooseNew(w, 6);
    const struct { const char* item; bool toolbar, statusBar; } steps[] = {
        {"mnuViewToolbar", false, true}, {"mnuViewStatusBar", false, false}, {"mnuViewToolbar", true, false}, {"mnuViewStatusBar", true, true}};
    for (const auto& step : steps) {
        w.action(step.item)->trigger();
        ExpectLayout(w, step.toolbar, step.statusBar);
    }
    w.resize(w.width() + 60, w.height() - 40);
    QTest::qWait(20);
    ExpectLayout(w, true, true);
}
