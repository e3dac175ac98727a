// Where the bars and the plot area sit for every combination of shown bars,
// how the View switches get there, and what a too small window does. All
// expectations go through the twips conversions so they hold at any scale.
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
    // Checks bars, check marks and plot area for the layout the switches give.
    void ExpectLayout(frmMain& w, bool toolbar, bool statusBar)
    {
        SCOPED_TRACE(::testing::Message() << "toolbar " << toolbar << ", status bar " << statusBar);
        const int layout = toolbar ? (statusBar ? 0 : 2) : (statusBar ? 1 : 3);
        EXPECT_EQ(w.BarLayout(), layout);
        EXPECT_EQ(w.action("mnuViewToolbar")->isChecked(), toolbar);
        EXPECT_EQ(w.action("mnuViewStatusBar")->isChecked(), statusBar);
        EXPECT_EQ(w.tbToolBar().isVisible(), toolbar);
        EXPECT_EQ(w.sbStatusBar().isVisible(), statusBar);

        const QWidget* client = w.centralWidget();
        const int width = client->width();
        if (toolbar) {
            EXPECT_EQ(w.tbToolBar().geometry(), QRect(0, 0, width, TwipsToPixelsY(420)));
        }
        EXPECT_EQ(w.sbTitleBar().geometry(),
                  QRect(0, toolbar ? TwipsToPixelsY(420) : 0, width, TwipsToPixelsY(270)));
        if (statusBar) {
            EXPECT_EQ(w.sbStatusBar().geometry(),
                      QRect(0, client->height() - TwipsToPixelsY(270), width, TwipsToPixelsY(270)));
        }

        const double top = toolbar ? 720 : 300;
        const double band = top + (statusBar ? 270 : 0);
        EXPECT_EQ(w.picBox().geometry(),
                  QRect(0, TwipsToPixelsY(top), width, TwipsToPixelsY(w.ScaleHeight() - band)));
        EXPECT_FLOAT_EQ(w.plot().XScale, static_cast<float>(SortSet[2] / w.picBox().ScaleWidth()));
        EXPECT_FLOAT_EQ(w.plot().YScale, static_cast<float>(SortSet[1] / w.picBox().ScaleHeight()));
    }
};

TEST_F(LayoutTest, FirstShowingHasBothBarsAndAGreyPlot)
{
    frmMain& w = Start();
    ExpectLayout(w, true, true);
    EXPECT_EQ(w.picBox().backColor(), ApplicationWorkspaceColor());
    EXPECT_EQ(w.picBox().pixelAt(w.picBox().width() / 2, w.picBox().height() / 2).rgb(), ApplicationWorkspaceColor().rgb());
    // The bars' real heights never count: the title strip ends above the plot.
    EXPECT_LE(w.sbTitleBar().geometry().bottom(), w.picBox().geometry().top());
}

TEST_F(LayoutTest, ViewSwitchesWalkThroughTheFourLayoutsAndBack)
{
    frmMain& w = Start();
    QAction* toolbar = w.action("mnuViewToolbar");
    QAction* statusBar = w.action("mnuViewStatusBar");
    toolbar->trigger();
    ExpectLayout(w, false, true);
    statusBar->trigger();
    ExpectLayout(w, false, false);
    toolbar->trigger();
    ExpectLayout(w, true, false);
    statusBar->trigger();
    ExpectLayout(w, true, true);
    // Handlers called directly behave as the menu does.
    w.mnuViewStatusBar_Click();
    ExpectLayout(w, true, false);
    w.mnuViewStatusBar_Click();
    ExpectLayout(w, true, true);
}

TEST_F(LayoutTest, SwitchesAndResizingRedrawTheChartAtTheNewScale)
{
    frmMain& w = Ready(6, 50, 0);
    const QColor bars = w.picBox().foreColor();
    auto lastBarShows = [&] {
        // Bar 50 (value 50, half the height) stands on the right edge.
        const int x = w.picBox().width() - 1;
        const int y = w.picBox().height() - 2;
        return w.picBox().pixelAt(x, y).rgb() == bars.rgb();
    };
    EXPECT_TRUE(lastBarShows());
    w.action("mnuViewToolbar")->trigger();
    ExpectLayout(w, false, true);
    EXPECT_TRUE(lastBarShows());
    w.resize(w.width() + 60, w.height() - 40);
    QTest::qWait(20);
    ExpectLayout(w, false, true);
    EXPECT_TRUE(lastBarShows());
}

TEST_F(LayoutTest, TooSmallAWindowKeepsThePlotAndAFiniteScale)
{
    frmMain& w = Ready(6, 50);
    const QRect before = w.picBox().geometry();
    const float xScale = w.plot().XScale;
    const float yScale = w.plot().YScale;
    const int chrome = w.height() - w.centralWidget()->height();

    // Client area shorter than the bars' band: the plot stays as it was.
    w.resize(w.width() - 20, chrome + TwipsToPixelsY(600));
    QTest::qWait(20);
    EXPECT_EQ(w.picBox().geometry(), before);
    EXPECT_FLOAT_EQ(w.plot().XScale, xScale);
    EXPECT_FLOAT_EQ(w.plot().YScale, yScale);

    // Exactly as short as the bars: an empty plot keeps the last finite scale.
    w.resize(w.width(), chrome + TwipsToPixelsY(990));
    QTest::qWait(20);
    if (w.picBox().height() == 0) {
        EXPECT_FLOAT_EQ(w.plot().YScale, yScale);
    }
    EXPECT_TRUE(std::isfinite(w.plot().YScale));
    EXPECT_GT(w.plot().YScale, 0);

    // Room again: everything follows.
    w.resize(w.width(), chrome + TwipsToPixelsY(4000));
    QTest::qWait(20);
    ExpectLayout(w, true, true);
}

} // namespace
