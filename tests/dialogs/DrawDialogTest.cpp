#include "DialogFixture.h"

#include <ctime>

using Draw = std::array<Integer, 2>;

static auto Showing(const frmDraw& d)
{
    return std::tuple(d.sldWidth->value(), d.sldDelay->value(), d.lblWidth->text(), d.lblDelay->text());
}

TEST_F(DialogTest, DrawSlidersAndLabelsFollowTheSettings)
{
    DrawSet = {2, 5};
    Open<frmDraw> dlg;
    EXPECT_EQ(Showing(dlg), std::tuple(9, 5, QStringLiteral("2 pixels"), QStringLiteral("0.05 secs")));
    QTest::keyClick(dlg.sldWidth, Qt::Key_Up); // the width grows towards the top
    EXPECT_EQ(DrawSet[0], 3);
    dlg.sldWidth->setValue(dlg.sldWidth->minimum());
    EXPECT_EQ(dlg.lblWidth->text(), QStringLiteral("10 pixels"));
    dlg.sldWidth->setValue(dlg.sldWidth->maximum());
    dlg.sldDelay->setValue(10);
    EXPECT_EQ(dlg.lblDelay->text(), QStringLiteral("0.1 secs"));
    dlg.sldDelay->setValue(3);
    ExpectOkAccepts(dlg);
    EXPECT_EQ(DrawSet, (Draw{1, 3}));
}

TEST_F(DialogTest, DrawDefaultThenCancelEscOrClose)
{
    DrawSet = {7, 8};
    EachWayOut<frmDraw>([](frmDraw& d) {
        Click(d.cmdDefault);
        EXPECT_EQ(DrawSet, (Draw{2, 0}));
        EXPECT_EQ(Showing(d), std::tuple(9, 0, QStringLiteral("2 pixels"), QStringLiteral("0 secs")));
    }, [] { EXPECT_EQ(DrawSet, (Draw{7, 8})); });
}

// One pause per sample bar, waited out without spinning a core.
TEST_F(DialogTest, DrawTestDelayWalksTheSampleWithoutSpinning)
{
    DrawSet[1] = 1;
    Open<frmDraw> dlg;
    const int bars = static_cast<int>(dlg.picBox->ScaleWidth()) / 100 + 1;
    const double start = ClockSeconds();
    const std::clock_t cpu = std::clock();
    Click(dlg.cmdDelay);
    const double elapsed = ClockSeconds() - start;
    EXPECT_GE(elapsed, bars * 0.01 * 0.95);
    EXPECT_LT(static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC, elapsed / 2);
}
