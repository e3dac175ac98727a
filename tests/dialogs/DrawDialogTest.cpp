#include "DialogFixture.h"

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
    dlg.sldWidth->setValue(dlg.sldWidth->maximum());
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
