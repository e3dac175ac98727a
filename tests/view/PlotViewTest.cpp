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
