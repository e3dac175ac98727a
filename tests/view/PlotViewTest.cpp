// The bar chart in pixels: a 200 x 100 plot of 20 bars of height 100, so bar
// i stands at column 10 i, a value v is v pixels high, and bar i holds 5 i.
#include "engine/Module1.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "support/QtPrint.h"
#include "view/PlotView.h"

#include <gtest/gtest.h>

class PlotViewTest : public ::testing::Test {
protected:
    PictureBox box;
    PlotView view{box};

    void SetUp() override
    {
        ResetSharedState();
        SortSet = {0, 100, 20};
        ColorSet = {0, 15, 12, 10, 9}; // background, bars, markers 1..3
        for (int i = 0; i <= 20; ++i)
            SortData.push_back(static_cast<Integer>(i * 5));
        DataReady = true;
        box.resize(200, 100);
        box.setBackColor(QBColor(ColorSet[0]));
        box.setForeColor(QBColor(ColorSet[1]));
        view.XScale = float(20 / box.ScaleWidth());
        view.YScale = float(100 / box.ScaleHeight());
    }
    void TearDown() override { ResetSharedState(); }

    // Each column x top to bottom as runs of roles: "B60 F40" is 60 rows of
    // background over 40 of bar colour; 1..3 are the markers.
    void expect(std::initializer_list<std::pair<int, const char*>> columns) const
    {
        for (const auto& [x, expected] : columns) {
            std::string runs;
            for (int y = 0, n = 1, role = 0; y < box.height(); ++y, ++n, role = 0)
                if (y + 1 == box.height() || box.pixelAt(x, y + 1) != box.pixelAt(x, y)) {
                    while (role < 5 && QBColor(ColorSet[role]) != box.pixelAt(x, y))
                        ++role;
                    runs.append(runs.empty() ? "" : " ").append(1, "BF123?"[role]).append(std::to_string(std::exchange(n, 0)));
                }
            EXPECT_EQ(runs, expected) << "column " << x;
        }
    }
};

TEST_F(PlotViewTest, DrawBoxClearsThenDrawsBarsOneToNInTheCurrentPen)
{
    box.setForeColor(QBColor(10));
    box.Line(825, 0, 825, 1500); // something to clear, at column 55
    SortData[0] = 70; // bar 0 is not drawn; bar 5 is clipped, not scaled down
    SortData[3] = 0;
    SortData[5] = 150;
    SortData[6] = -40;
    view.DrawBox();
    expect({{0, "B100"}, {10, "B95 25"}, {30, "B100"}, {40, "B80 220"}, {41, "B100"}, {50, "2100"},
            {55, "B100"}, {60, "B100"}});
    EXPECT_EQ(box.foreColor(), QBColor(10));
}

TEST_F(PlotViewTest, MarkersMoveRestoreAndEraseInArgumentOrder)
{
    view.DrawBox();
    view.DrawLine(3, -1, -1);
    view.DrawLine(5, -1, -1);
    expect({{50, "B75 125"}, {30, "B85 F15"}});

    view.DrawLine(4, 4, -1); // the second marker is drawn last and wins
    view.DrawLine(-1, -1, 9);
    expect({{40, "B80 220"}, {50, "B75 F25"}, {90, "B55 345"}});
    EXPECT_EQ(box.foreColor(), QBColor(15));
    view.DrawLine(0, 0, 0); // the end of a run: all markers rest on bar 0
    expect({{40, "B80 F20"}, {90, "B55 F45"}, {0, "B100"}});

    // A marked column is erased first; a restored one is only drawn over.
    SortData[8] = 10;
    view.DrawLine(8, -1, -1);
    view.DrawLine(6, -1, -1);
    SortData[6] = 10;
    view.DrawLine(7, -1, -1);
    expect({{80, "B90 F10"}, {60, "B70 120 F10"}});
    view.DrawLine(-1, 6, -1);
    expect({{60, "B90 210"}});
}

TEST_F(PlotViewTest, DrawPlotStrayIndicesAndBadScales)
{
    view.DrawBox();
    AuxData.assign(21, 0);
    AuxData[7] = 10;
    AuxData[9] = 90;
    view.DrawPlot(7, true); // over the taller bar, not instead of it
    view.DrawPlot(9, false);
    expect({{70, "B65 F35"}, {90, "B100"}});
    view.DrawPlot(9, true);
    expect({{90, "B10 F90"}});
    EXPECT_EQ(box.foreColor(), QBColor(15));

    view.DrawLine(15, 16, 17);
    SortData.assign(11, 40); // a shorter data set: bars 15..17 read as zero
    view.DrawLine(-5, 400, 32000);
    expect({{150, "B25 175"}});
    AuxData.clear();
    const QImage before = box.image().copy();
    for (const auto& [X, o] : {std::pair{5, true}, {-3, true}, {5000, false}})
        view.DrawPlot(X, o);
    EXPECT_EQ(box.image(), before);

    // A plot area of no width or height leaves no usable scale.
    for (float* scale : {&view.XScale, &view.YScale})
        for (const float bad : {0.0f, static_cast<float>(qInf()), static_cast<float>(qQNaN())}) {
            const float good = std::exchange(*scale, bad);
            view.DrawLine(3, 4, 5);
            view.DrawPlot(6, false);
            *scale = good;
        }
    EXPECT_EQ(box.image(), before);
    EXPECT_EQ(view.LastX, 3); // the markers still move
}
