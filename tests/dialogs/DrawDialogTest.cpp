#include "DialogFixture.h"

#include "dialogs/frmDraw.h"
#include "platform/Palette.h"
#include "platform/Runtime.h"

#include <QLabel>
#include <QSlider>

#include <ctime>

class DrawDialog : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        frmDraw::Accepted = false;
    }
};

// The pen width of the preview, measured across the last sample bar on a row
// near the top that no other bar reaches.
static int PenPixels(const PictureBox* box)
{
    const int row = static_cast<int>(std::lround(60 / TwipsPerPixelY()));
    int n = 0;
    for (int x = 0; x < box->width(); ++x)
        n += box->pixelAt(x, row) == QBColor(ColorSet[1]) ? 1 : 0;
    return n;
}

TEST_F(DrawDialog, SlidersAndLabelsFollowTheSettings)
{
    DrawSet = {2, 5};
    frmDraw dlg(nullptr);
    dlg.show();
    EXPECT_EQ(dlg.sldWidth->value(), 9);
    EXPECT_EQ(dlg.sldDelay->value(), 5);
    EXPECT_EQ(dlg.lblWidth->text(), QStringLiteral("2 pixels"));
    EXPECT_EQ(dlg.lblDelay->text(), QStringLiteral("0.05 secs"));
    EXPECT_EQ(PenPixels(dlg.picBox), 2);

    // Top end: the widest pen; bottom end: the narrowest.
    QTest::keyClick(dlg.sldWidth, Qt::Key_Up); // the thumb moves up: wider
    EXPECT_EQ(dlg.sldWidth->value(), 8);
    EXPECT_EQ(DrawSet[0], 3);
    dlg.sldWidth->setValue(dlg.sldWidth->minimum());
    EXPECT_EQ(DrawSet[0], 10);
    EXPECT_EQ(dlg.lblWidth->text(), QStringLiteral("10 pixels"));
    EXPECT_EQ(PenPixels(dlg.picBox), 10);
    dlg.sldWidth->setValue(dlg.sldWidth->maximum());
    EXPECT_EQ(DrawSet[0], 1);
    EXPECT_EQ(dlg.lblWidth->text(), QStringLiteral("1 pixels"));

    // The delay changes at once without redrawing the preview.
    const QImage before = dlg.picBox->image();
    dlg.sldDelay->setValue(10);
    EXPECT_EQ(DrawSet[1], 10);
    EXPECT_EQ(dlg.lblDelay->text(), QStringLiteral("0.1 secs"));
    dlg.sldDelay->setValue(0);
    EXPECT_EQ(dlg.lblDelay->text(), QStringLiteral("0 secs"));
    EXPECT_EQ(dlg.picBox->image(), before);
}

TEST_F(DrawDialog, DefaultAndCancelEscClose)
{
    const std::function<void(frmDraw&)> ways[] = {
        [](frmDraw& d) { Click(d.cmdCancel); },
        [](frmDraw& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](frmDraw& d) { d.close(); },
    };
    for (const auto& leave : ways) {
        DrawSet = {7, 8};
        frmDraw::Accepted = true;
        frmDraw dlg(nullptr);
        dlg.show();
        Click(dlg.cmdDefault);
        EXPECT_EQ(DrawSet, (std::array<Integer, 2>{2, 0}));
        EXPECT_EQ(dlg.sldWidth->value(), 9);
        EXPECT_EQ(dlg.sldDelay->value(), 0);
        EXPECT_EQ(dlg.lblWidth->text(), QStringLiteral("2 pixels"));
        EXPECT_EQ(dlg.lblDelay->text(), QStringLiteral("0 secs"));
        leave(dlg);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_FALSE(frmDraw::Accepted);
        EXPECT_EQ(DrawSet, (std::array<Integer, 2>{7, 8}));
    }
    frmDraw dlg(nullptr);
    dlg.show();
    dlg.sldDelay->setValue(3);
    Click(dlg.cmdOK);
    EXPECT_TRUE(frmDraw::Accepted);
    EXPECT_EQ(DrawSet[1], 3);
}

TEST_F(DrawDialog, TestDelayWalksTheSampleAndLeavesTheLastBarHighlighted)
{
    frmDraw dlg(nullptr);
    dlg.show();
    Click(dlg.cmdDelay);
    const int last = static_cast<int>(dlg.picBox->ScaleWidth()) / 100 * 100;
    EXPECT_EQ(FootOfBar(dlg.picBox, last), QBColor(ColorSet[2]));
    EXPECT_EQ(FootOfBar(dlg.picBox, last - 100), QBColor(ColorSet[1]));
    EXPECT_EQ(FootOfBar(dlg.picBox, 100), QBColor(ColorSet[1]));

    // A second test first returns the highlighted bar to the foreground, and
    // sleeps rather than spins through its pauses.
    DrawSet[1] = 1;
    const double start = ClockSeconds();
    const std::clock_t cpu = std::clock();
    Click(dlg.cmdDelay);
    const double elapsed = ClockSeconds() - start;
    const double cpuSeconds = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
    const int steps = last / 100 + 1;
    EXPECT_GE(elapsed, steps * 0.01 * 0.95);
    EXPECT_LT(cpuSeconds, elapsed / 2);
    EXPECT_EQ(FootOfBar(dlg.picBox, last), QBColor(ColorSet[2]));
    EXPECT_EQ(FootOfBar(dlg.picBox, last - 100), QBColor(ColorSet[1]));
}
