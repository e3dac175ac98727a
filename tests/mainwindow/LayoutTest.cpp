// Bars and plot area for every combination of shown bars, the View switches,
// and too small a window. Expectations go through the twips conversions so
// they hold at any scale factor.
#include "MainWindowFixture.h"

#include "platform/PictureBox.h"
#include "platform/StatusStrip.h"
#include "platform/Twips.h"
#include "view/PlotView.h"

#include <QAction>
#include <QToolBar>

#include <cmath>

namespace {

class LayoutTest : public MainWindowTest {
protected:
    void ExpectLayout(frmMain& w, bool toolbar, bool statusBar)
    {
        SCOPED_TRACE(::testing::Message() << "toolbar " << toolbar << ", status bar " << statusBar);
        EXPECT_EQ(w.BarLayout(), toolbar ? (statusBar ? 0 : 2) : (statusBar ? 1 : 3));
        EXPECT_EQ(w.action("mnuViewToolbar")->isChecked(), toolbar);
        EXPECT_EQ(w.action("mnuViewStatusBar")->isChecked(), statusBar);
        EXPECT_EQ(w.tbToolBar().isVisible(), toolbar);
        EXPECT_EQ(w.sbStatusBar().isVisible(), statusBar);

        const int width = w.centralWidget()->width(), strip = TwipsToPixelsY(270);
        if (toolbar) {
            EXPECT_EQ(w.tbToolBar().geometry(), QRect(0, 0, width, TwipsToPixelsY(420)));
        }
        EXPECT_EQ(w.sbTitleBar().geometry(), QRect(0, toolbar ? TwipsToPixelsY(420) : 0, width, strip));
        if (statusBar) {
            EXPECT_EQ(w.sbStatusBar().geometry(), QRect(0, w.centralWidget()->height() - strip, width, strip));
        }
        const double top = toolbar ? 720 : 300;
        const double band = top + (statusBar ? 270 : 0);
        EXPECT_EQ(w.picBox().geometry(), QRect(0, TwipsToPixelsY(top), width, TwipsToPixelsY(w.ScaleHeight() - band)));
        EXPECT_FLOAT_EQ(w.plot().XScale, static_cast<float>(SortSet[2] / w.picBox().ScaleWidth()));
        EXPECT_FLOAT_EQ(w.plot().YScale, static_cast<float>(SortSet[1] / w.picBox().ScaleHeight()));
    }

    // Bar 50 of an ascending set of 50 stands on the right edge.
    static bool LastBarShows(frmMain& w)
    {
        const QColor at = w.picBox().pixelAt(w.picBox().width() - 1, w.picBox().height() - 2);
        return at.rgb() == w.picBox().foreColor().rgb();
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
    QAction* toolbar = w.action("mnuViewToolbar");
    QAction* statusBar = w.action("mnuViewStatusBar");
    toolbar->trigger();
    ExpectLayout(w, false, true);
    EXPECT_TRUE(LastBarShows(w));
    statusBar->trigger();
    ExpectLayout(w, false, false);
    toolbar->trigger();
    ExpectLayout(w, true, false);
    statusBar->trigger();
    ExpectLayout(w, true, true);
    w.mnuViewStatusBar_Click();
    w.mnuViewStatusBar_Click();
    ExpectLayout(w, true, true);

    w.resize(w.width() + 60, w.height() - 40);
    QTest::qWait(20);
    ExpectLayout(w, true, true);
    EXPECT_TRUE(LastBarShows(w));
}

TEST_F(LayoutTest, TooSmallAWindowKeepsThePlotAndAFiniteScale)
{
    frmMain& w = Ready(6, 50);
    const QRect before = w.picBox().geometry();
    const float xScale = w.plot().XScale, yScale = w.plot().YScale;
    const int chrome = w.height() - w.centralWidget()->height();

    w.resize(w.width() - 20, chrome + TwipsToPixelsY(600)); // shorter than the bars' band
    QTest::qWait(20);
    EXPECT_EQ(w.picBox().geometry(), before);
    EXPECT_FLOAT_EQ(w.plot().XScale, xScale);
    EXPECT_FLOAT_EQ(w.plot().YScale, yScale);

    w.resize(w.width(), chrome + TwipsToPixelsY(990)); // exactly the bars: an empty plot
    QTest::qWait(20);
    if (w.picBox().height() == 0) {
        EXPECT_FLOAT_EQ(w.plot().YScale, yScale);
    }
    EXPECT_TRUE(std::isfinite(w.plot().YScale) && w.plot().YScale > 0);

    w.resize(w.width(), chrome + TwipsToPixelsY(4000));
    QTest::qWait(20);
    ExpectLayout(w, true, true);
}

} // namespace
