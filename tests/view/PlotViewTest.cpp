// The bar chart as it lands in the picture box's pixels: a 200 x 100 pixel
// plot of 20 bars with height 100, so bar i stands at column 10 i and a value
// v is v pixels high.
#include "engine/Module1.h"
#include "platform/PictureBox.h"
#include "platform/Palette.h"
#include "platform/Twips.h"
#include "support/QtPrint.h"
#include "view/PlotView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr Integer kBack = 0, kFore = 15, kInd1 = 12, kInd2 = 10, kInd3 = 9;

class PlotViewTest : public ::testing::Test {
protected:
    PictureBox box;
    PlotView view{box};

    void SetUp() override
    {
        ASSERT_EQ(TwipsPerPixelX(), 15.0);
        ASSERT_EQ(TwipsPerPixelY(), 15.0);
        ResetSharedState();
        SortSet = {0, 100, 20};
        ColorSet = {kBack, kFore, kInd1, kInd2, kInd3};
        DrawSet = {1, 0};
        SortData.assign(21, 0);
        for (int i = 1; i <= 20; ++i)
            SortData[i] = static_cast<Integer>(i * 5);
        DataReady = true;
        box.resize(200, 100);
        box.setDrawWidth(1);
        box.setBackColor(QBColor(kBack));
        box.setForeColor(QBColor(kFore));
        view.XScale = static_cast<float>(SortSet[2] / box.ScaleWidth());
        view.YScale = static_cast<float>(SortSet[1] / box.ScaleHeight());
    }
    void TearDown() override { ResetSharedState(); }

    // A column of the plot from top to bottom as runs of roles: "B60 F40" is
    // 60 rows of background above 40 of foreground; 1..3 are the indicators.
    std::string column(int x) const
    {
        std::string out;
        char last = 0;
        int run = 0;
        auto flushRun = [&] {
            if (run > 0)
                out += QString("%1%2%3").arg(out.empty() ? "" : " ").arg(QChar(last)).arg(run).toStdString();
        };
        for (int y = 0; y < box.height(); ++y) {
            const QColor c = box.pixelAt(x, y);
            char role = '?';
            if (c == QBColor(kBack)) role = 'B';
            else if (c == QBColor(kFore)) role = 'F';
            else if (c == QBColor(kInd1)) role = '1';
            else if (c == QBColor(kInd2)) role = '2';
            else if (c == QBColor(kInd3)) role = '3';
            if (role != last) {
                flushRun();
                last = role;
                run = 0;
            }
            ++run;
        }
        flushRun();
        return out;
    }
};

TEST_F(PlotViewTest, DrawBoxClearsAndDrawsEveryBarToScaleInTheCurrentPen)
{
    box.setForeColor(QBColor(kInd2)); // the chart takes whatever pen the box has
    box.Line(55 * 15, 0, 55 * 15, 1500); // something to clear
    SortData[0] = 70; // the markers' resting place is no bar of the chart
    SortData[10] = 100; // the full height
    SortData[3] = 0;
    view.DrawBox();

    EXPECT_EQ(column(0), "B100");
    EXPECT_EQ(column(10), "B95 25");
    EXPECT_EQ(column(20), "B90 210");
    EXPECT_EQ(column(30), "B100"); // a value of 0 leaves nothing
    EXPECT_EQ(column(50), "B75 225");
    EXPECT_EQ(column(100), "2100");
    EXPECT_EQ(column(55), "B100");
    EXPECT_EQ(column(11), "B100"); // nothing between the bars at pen width 1
    EXPECT_EQ(box.foreColor(), QBColor(kInd2));

    // A wider pen centres bar 20 on the right edge, so half of it shows.
    box.setDrawWidth(2);
    view.DrawBox();
    EXPECT_EQ(column(199), "2100");
    EXPECT_EQ(column(189), "B5 295");
    EXPECT_EQ(column(190), "B5 295");
    EXPECT_EQ(column(191), "B100");
}

TEST_F(PlotViewTest, DrawBoxWithoutADataSetLeavesThePlotAsItWas)
{
    view.DrawBox();
    view.DrawLine(4, 6, 8);
    const QImage before = box.image().copy();
    DataReady = false;
    SortData.assign(21, 50);
    box.setForeColor(QBColor(kInd3));
    view.DrawBox();
    EXPECT_EQ(box.image(), before);
}

TEST_F(PlotViewTest, ValuesBeyondTheHeightAreClippedNotScaled)
{
    SortData[5] = 150;
    SortData[6] = 32767;
    SortData[7] = -40;
    view.DrawBox();
    EXPECT_EQ(column(50), "F100");
    EXPECT_EQ(column(60), "F100");
    EXPECT_EQ(column(70), "B100");
    EXPECT_EQ(column(80), "B60 F40"); // the neighbours keep their heights
}

TEST_F(PlotViewTest, MarkersMoveRestoreAndRecolourInArgumentOrder)
{
    view.DrawBox();

    view.DrawLine(3, -1, -1);
    view.DrawLine(5, -1, -1);
    EXPECT_EQ(column(50), "B75 125");
    EXPECT_EQ(column(30), "B85 F15"); // the bar left behind is normal again
    EXPECT_EQ(view.LastX, 5);
    EXPECT_EQ(box.foreColor(), QBColor(kFore));

    // Naming the marked bar again keeps it marked; the restore falls on bar 0.
    SortData[0] = 30;
    view.DrawLine(5, -1, -1);
    EXPECT_EQ(column(50), "B75 125");
    EXPECT_EQ(column(0), "B70 F30");
    EXPECT_EQ(view.LastX, 5);
    SortData[0] = 0;

    // The second marker is handled after the first, so it wins the bar.
    view.DrawLine(4, 4, -1);
    EXPECT_EQ(column(40), "B80 220");
    EXPECT_EQ(column(50), "B75 F25");
    EXPECT_EQ(view.LastX, 4);
    EXPECT_EQ(view.LastY, 4);

    // Colours are read when drawing, so a changed setting shows at once.
    ColorSet[4] = kInd1;
    view.DrawLine(-1, -1, 9);
    EXPECT_EQ(column(90), "B55 145");
    ColorSet[4] = kInd3;

    // -1 everywhere draws nothing, moves nothing and leaves the pen alone.
    box.setForeColor(QBColor(kInd3));
    const QImage before = box.image().copy();
    view.DrawLine(-1, -1, -1);
    EXPECT_EQ(box.image(), before);
    EXPECT_EQ(box.foreColor(), QBColor(kInd3));
    EXPECT_EQ(view.LastX, 4);
    EXPECT_EQ(view.LastY, 4);
    EXPECT_EQ(view.LastZ, 9);

    // The end of a run: every marked bar is normal again, all rest on 0.
    view.DrawLine(0, 0, 0);
    EXPECT_EQ(column(40), "B80 F20");
    EXPECT_EQ(column(90), "B55 F45");
    EXPECT_EQ(column(0), "B100"); // bar 0 is of zero length
    EXPECT_EQ(view.LastX, 0);
    EXPECT_EQ(view.LastY, 0);
    EXPECT_EQ(view.LastZ, 0);
    EXPECT_EQ(box.foreColor(), QBColor(kFore));
    for (int i = 1; i < 20; ++i)
        EXPECT_EQ(column(10 * i), QString("B%1 F%2").arg(100 - 5 * i).arg(5 * i).toStdString()) << "bar " << i;
}

TEST_F(PlotViewTest, AMarkedColumnIsErasedButARestoredOneIsNot)
{
    view.DrawBox();
    // Moving a marker onto a bar that shrank clears the old top away.
    SortData[8] = 10;
    view.DrawLine(8, -1, -1);
    EXPECT_EQ(column(80), "B90 110");

    // Leaving a bar that shrank under its marker keeps the old top visible
    // above the restored bar until that column is next erased.
    view.DrawLine(6, -1, -1);
    SortData[6] = 10;
    view.DrawLine(7, -1, -1);
    EXPECT_EQ(column(60), "B70 120 F10");
    view.DrawLine(-1, 6, -1);
    EXPECT_EQ(column(60), "B90 210");
}

TEST_F(PlotViewTest, DrawPlotDrawsOverOrErasesOneColumnOfTheOutput)
{
    view.DrawBox();
    view.DrawLine(2, 3, 4);
    AuxData.assign(21, 0);
    AuxData[7] = 10;
    AuxData[9] = 90;

    view.DrawPlot(7, true); // over the taller bar, not instead of it
    EXPECT_EQ(column(70), "B65 F35");
    view.DrawPlot(9, false);
    EXPECT_EQ(column(90), "B100");
    EXPECT_EQ(box.foreColor(), QBColor(kBack)); // the pen keeps the erase colour
    view.DrawPlot(9, true);
    EXPECT_EQ(column(90), "B10 F90");
    EXPECT_EQ(box.foreColor(), QBColor(kFore));
    EXPECT_EQ(view.LastX, 2);
    EXPECT_EQ(view.LastY, 3);
    EXPECT_EQ(view.LastZ, 4);

    // The bottom edge is read for every bar, not taken from the last layout.
    box.resize(200, 120);
    AuxData[11] = 20;
    view.DrawPlot(11, false);
    view.DrawPlot(11, true);
    EXPECT_EQ(box.pixelAt(110, 119), QBColor(kFore));
    EXPECT_EQ(box.pixelAt(110, 100), QBColor(kFore));
    EXPECT_EQ(box.pixelAt(110, 99), QBColor(kBack));
}

TEST_F(PlotViewTest, IndicesOutsideTheDataReadAsZero)
{
    view.DrawBox();
    // Markers remembered from a longer data set, then the data shrank.
    view.DrawLine(15, 16, 17);
    SortData.assign(11, 40);
    SortData[0] = 0;
    view.DrawLine(2, 3, 4);
    // Nothing to restore there: the old marker tops stay until erased.
    EXPECT_EQ(column(150), "B25 175");
    EXPECT_EQ(column(160), "B20 280");
    EXPECT_EQ(column(170), "B15 385");
    EXPECT_EQ(column(20), "B60 140");

    // Stray indices: off the surface or past every array.
    view.DrawLine(-5, 400, 32000);
    EXPECT_EQ(view.LastX, -5);
    EXPECT_EQ(view.LastZ, 32000);
    EXPECT_EQ(column(20), "B60 F40");
    AuxData.clear();
    const QImage before = box.image().copy();
    view.DrawPlot(5, true);
    view.DrawPlot(-3, true);
    view.DrawPlot(5000, false);
    EXPECT_EQ(box.image(), before);
}

TEST_F(PlotViewTest, AnUnusableScaleDrawsNothing)
{
    view.DrawBox();
    const QImage drawn = box.image().copy();
    for (float scale : {0.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        view.XScale = scale;
        view.DrawLine(3, 4, 5);
        view.DrawPlot(6, false);
        EXPECT_EQ(box.image(), drawn) << scale;
        view.XScale = static_cast<float>(SortSet[2] / box.ScaleWidth());
        view.YScale = scale;
        view.DrawLine(7, 8, 9);
        EXPECT_EQ(box.image(), drawn) << scale;
        view.YScale = static_cast<float>(SortSet[1] / box.ScaleHeight());
    }
    // The markers still move, so the next good layout restores the right bars.
    EXPECT_EQ(view.LastX, 7);
    view.XScale = 0;
    view.DrawBox(); // clears, draws no bar
    EXPECT_EQ(column(50), "B100");
}

} // namespace
