#include "DialogFixture.h"

// The preview's pen width, counted across the last sample bar on a row near
// the top that no other bar reaches.
static int PenPixels(const PictureBox* box)
{
    int n = 0, row = static_cast<int>(std::lround(60 / TwipsPerPixelY()));
    for (int x = 0; x < box->width(); ++x)
        n += box->pixelAt(x, row) == QBColor(ColorSet[1]) ? 1 : 0;
    return n;
}

static auto Showing(const frmDraw& d)
{
    return std::tuple(d.sldWidth->value(), d.sldDelay->value(), d.lblWidth->text(), d.lblDelay->text());
}

TEST_F(DialogTest, DrawSlidersAndLabelsFollowTheSettings)
{
    DrawSet = {2, 5};
    Open<frmDraw> dlg;
    EXPECT_EQ(Showing(dlg), std::tuple(9, 5, QStringLiteral("2 pixels"), QStringLiteral("0.05 secs")));
    EXPECT_EQ(PenPixels(dlg.picBox), 2);
    QTest::keyClick(dlg.sldWidth, Qt::Key_Up); // the width grows towards the top
    EXPECT_EQ(DrawSet[0], 3);
    dlg.sldWidth->setValue(dlg.sldWidth->minimum());
    EXPECT_EQ(dlg.lblWidth->text(), QStringLiteral("10 pixels"));
    EXPECT_EQ(PenPixels(dlg.picBox), 10);
    dlg.sldWidth->setValue(dlg.sldWidth->maximum());
    dlg.sldDelay->setValue(10);
    EXPECT_EQ(dlg.lblDelay->text(), QStringLiteral("0.1 secs"));
    dlg.sldDelay->setValue(3);
    Click(dlg.cmdOK);
    EXPECT_TRUE(frmDraw::Accepted);
    EXPECT_EQ(DrawSet, (std::array<Integer, 2>{1, 3}));
}

TEST_F(DialogTest, DrawDefaultThenCancelEscOrClose)
{
    DrawSet = {7, 8};
    EachWayOut<frmDraw>([](frmDraw& d) {
        Click(d.cmdDefault);
        EXPECT_EQ(DrawSet, (std::array<Integer, 2>{2, 0}));
        EXPECT_EQ(Showing(d), std::tuple(9, 0, QStringLiteral("2 pixels"), QStringLiteral("0 secs")));
    }, [] { EXPECT_EQ(DrawSet, (std::array<Integer, 2>{7, 8})); });
}

// The test leaves only the last bar highlighted, and sleeps rather than spins
// through its pauses.
TEST_F(DialogTest, DrawTestDelayWalksTheSampleWithoutSpinning)
{
    DrawSet[1] = 1;
    Open<frmDraw> dlg;
    const int last = static_cast<int>(dlg.picBox->ScaleWidth()) / 100 * 100;
    const double start = ClockSeconds();
    const std::clock_t cpu = std::clock();
    Click(dlg.cmdDelay);
    const double elapsed = ClockSeconds() - start;
    EXPECT_GE(elapsed, (last / 100 + 1) * 0.01 * 0.95);
    EXPECT_LT(static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC, elapsed / 2);
    EXPECT_EQ(PixelAt(dlg.picBox, last), QBColor(ColorSet[2]));
    EXPECT_EQ(PixelAt(dlg.picBox, last - 100), QBColor(ColorSet[1]));
}
