// The bar chart as it lands in the picture box's pixels: a 200 x 100 pixel
// plot of 20 bars of height 100, so bar i stands at column 10 i and a value
// v is v pixels high. Bar i holds 5 i unless a test says otherwise.
#include "engine/Module1.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "platform/Twips.h"
#include "support/QtPrint.h"
#include "view/PlotView.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

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
        ColorSet = {0, 15, 12, 10, 9}; // background, bars, indicators 1..3
        SortData.assign(21, 0);
        for (int i = 1; i <= 20; ++i)
            SortData[i] = static_cast<Integer>(i * 5);
        DataReady = true;
        box.resize(200, 100);
        box.setBackColor(QBColor(ColorSet[0]));
        box.setForeColor(QBColor(ColorSet[1]));
        view.XScale = static_cast<float>(SortSet[2] / box.ScaleWidth());
        view.YScale = static_cast<float>(SortSet[1] / box.ScaleHeight());
    }
    void TearDown() override { ResetSharedState(); }

    // Column x from top to bottom as runs of roles: "B60 F40" is 60 rows of
    // background above 40 of bar colour; 1..3 are the indicators.
    std::string column(int x) const
    {
        QStringList runs;
        QChar last;
        for (int y = 0; y < box.height(); ++y) {
            int role = 0;
            while (role < 5 && QBColor(ColorSet[role]) != box.pixelAt(x, y))
                ++role;
            const QChar name = QString("BF123?").at(role);
            if (name != last)
                runs << QString(name) + "0";
            last = name;
            runs.last() = name + QString::number(runs.last().mid(1).toInt() + 1);
        }
        return runs.join(' ').toStdString();
    }
};

TEST_F(PlotViewTest, DrawBoxClearsThenDrawsBarsOneToNInTheCurrentPen)
{
    box.setForeColor(QBColor(10)); // the chart takes whatever pen the box has
    box.Line(825, 0, 825, 1500);   // something to clear, at column 55
    SortData[0] = 70;              // the markers' resting place is no bar
    SortData[3] = 0;
    SortData[5] = 150; // beyond the height: clipped, not scaled down
    SortData[6] = -40;
    view.DrawBox();
    EXPECT_EQ(column(0), "B100");
    EXPECT_EQ(column(10), "B95 25");
    EXPECT_EQ(column(30), "B100");
    EXPECT_EQ(column(40), "B80 220");
    EXPECT_EQ(column(50), "2100");
    EXPECT_EQ(column(60), "B100");
    EXPECT_EQ(column(55), "B100");
    EXPECT_EQ(column(41), "B100");
    EXPECT_EQ(box.foreColor(), QBColor(10));

    // A wider pen centres bar 20 on the right edge, so half of it shows.
    box.setDrawWidth(2);
    view.DrawBox();
    EXPECT_EQ(column(199), "2100");
    EXPECT_EQ(column(189), "B5 295");
    EXPECT_EQ(column(190), "B5 295");
    EXPECT_EQ(column(191), "B100");

    // Without a data set nothing is cleared or drawn.
    const QImage before = box.image().copy();
    DataReady = false;
    box.setForeColor(QBColor(9));
    view.DrawBox();
    EXPECT_EQ(box.image(), before);
}

TEST_F(PlotViewTest, MarkersMoveRestoreAndRecolourInArgumentOrder)
{
    view.DrawBox();
    view.DrawLine(3, -1, -1);
    view.DrawLine(5, -1, -1);
    EXPECT_EQ(column(50), "B75 125");
    EXPECT_EQ(column(30), "B85 F15"); // the bar left behind is normal again
    EXPECT_EQ(view.LastX, 5);
    EXPECT_EQ(box.foreColor(), QBColor(15));

    // Naming the marked bar again keeps it marked; the restore falls on bar 0.
    SortData[0] = 30;
    view.DrawLine(5, -1, -1);
    EXPECT_EQ(column(50), "B75 125");
    EXPECT_EQ(column(0), "B70 F30");
    SortData[0] = 0;

    // The second marker is handled after the first, so it wins the bar.
    view.DrawLine(4, 4, -1);
    EXPECT_EQ(column(40), "B80 220");
    EXPECT_EQ(column(50), "B75 F25");
    EXPECT_EQ(std::pair(view.LastX, view.LastY), std::pair(4, 4));

    // Colours are read when drawing, so a changed setting shows at once.
    ColorSet[4] = 12;
    view.DrawLine(-1, -1, 9);
    EXPECT_EQ(column(90), "B55 145");
    ColorSet[4] = 9;

    // -1 everywhere draws nothing, moves nothing, leaves the pen alone.
    box.setForeColor(QBColor(9));
    const QImage before = box.image().copy();
    view.DrawLine(-1, -1, -1);
    EXPECT_EQ(box.image(), before);
    EXPECT_EQ(box.foreColor(), QBColor(9));
    EXPECT_EQ(view.LastZ, 9);

    // The end of a run: every marked bar is normal again, all rest on 0.
    view.DrawLine(0, 0, 0);
    EXPECT_EQ(column(40), "B80 F20");
    EXPECT_EQ(column(90), "B55 F45");
    EXPECT_EQ(column(0), "B100"); // bar 0 is of zero length
    EXPECT_EQ(view.LastX + view.LastY + view.LastZ, 0);
    EXPECT_EQ(box.foreColor(), QBColor(15));
}

TEST_F(PlotViewTest, AMarkedColumnIsErasedButARestoredOneIsNot)
{
    view.DrawBox();
    SortData[8] = 10; // shrank under a coming marker: the old top goes
    view.DrawLine(8, -1, -1);
    EXPECT_EQ(column(80), "B90 110");

    // Shrank under its marker: the old top stays until the column is erased.
    view.DrawLine(6, -1, -1);
    SortData[6] = 10;
    view.DrawLine(7, -1, -1);
    EXPECT_EQ(column(60), "B70 120 F10");
    view.DrawLine(-1, 6, -1);
    EXPECT_EQ(column(60), "B90 210");
}

TEST_F(PlotViewTest, DrawPlotDrawsOverOrErasesOneColumnAndKeepsItsPen)
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
    EXPECT_EQ(box.foreColor(), QBColor(0));
    view.DrawPlot(9, true);
    EXPECT_EQ(column(90), "B10 F90");
    EXPECT_EQ(box.foreColor(), QBColor(15));
    EXPECT_EQ(view.LastX * 100 + view.LastY * 10 + view.LastZ, 234);
}

TEST_F(PlotViewTest, IndicesOutsideTheDataReadAsZeroAndBadScalesDrawNothing)
{
    view.DrawBox();
    view.DrawLine(15, 16, 17); // remembered from a longer data set...
    SortData.assign(11, 40);
    SortData[0] = 0;
    view.DrawLine(2, 3, 4); // ...nothing to restore: the old tops stay
    EXPECT_EQ(column(150), "B25 175");
    EXPECT_EQ(column(20), "B60 140");
    view.DrawLine(-5, 400, 32000);
    EXPECT_EQ(column(20), "B60 F40");
    EXPECT_EQ(view.LastZ, 32000);
    AuxData.clear();
    QImage before = box.image().copy();
    view.DrawPlot(5, true);
    view.DrawPlot(-3, true);
    view.DrawPlot(5000, false);
    EXPECT_EQ(box.image(), before);

    // A plot area of no width or height leaves no usable scale.
    for (float bad : {0.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        for (float* scale : {&view.XScale, &view.YScale}) {
            const float good = *scale;
            *scale = bad;
            view.DrawLine(3, 4, 5);
            view.DrawPlot(6, false);
            EXPECT_EQ(box.image(), before) << bad;
            *scale = good;
        }
    }
    EXPECT_EQ(view.LastX, 3); // the markers still move
    view.XScale = 0;
    view.DrawBox(); // clears, draws no bar
    EXPECT_EQ(column(30), "B100");
}

} // namespace
