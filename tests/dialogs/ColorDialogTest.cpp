#include "DialogFixture.h"

using Colours = std::array<Integer, 5>;

TEST_F(DialogTest, ColorRoleShowsItsColourAndAColourChoiceRecolours)
{
    Open<frmColor> dlg;
    for (int role = 0; role < 4; ++role)
        EXPECT_EQ(PixelAt(dlg.picBox, kColourSampleX[role]), QBColor(ColorSet[role + 1])) << "role " << role + 1;
    ClickEntry(dlg.lstColor, QStringLiteral("Red")); // with no role chosen it is taken back
    EXPECT_EQ(SelectedRow(dlg.lstColor), -1);
    ClickEntry(dlg.lstChoice, QStringLiteral("Foreground"));
    EXPECT_EQ(SelectedRow(dlg.lstColor), 15);
    ClickEntry(dlg.lstColor, QStringLiteral("Yellow"));
    EXPECT_EQ(PixelAt(dlg.picBox, kColourSampleX[0]), QBColor(6));
    ClickEntry(dlg.lstChoice, QStringLiteral("Background"));
    EXPECT_EQ(SelectedRow(dlg.lstColor), 0);
    ClickEntry(dlg.lstColor, QStringLiteral("Blue"));
    EXPECT_EQ(PixelAt(dlg.picBox, 50, true), QBColor(1)); // between the first bars, above them
    ExpectOkAccepts(dlg);
    EXPECT_EQ(ColorSet, (Colours{1, 6, 10, 9, 12}));
}

// Default resets the colours, not the selections; leaving without OK restores the opening colours.
TEST_F(DialogTest, ColorDefaultThenCancelEscOrClose)
{
    ColorSet = {1, 2, 3, 4, 5};
    EachWayOut<frmColor>([](frmColor& d) {
        ClickEntry(d.lstChoice, QStringLiteral("Indicator 2"));
        EXPECT_EQ(SelectedRow(d.lstColor), 4);
        ClickEntry(d.lstColor, QStringLiteral("White"));
        Click(d.cmdDefault);
        EXPECT_EQ(ColorSet, (Colours{0, 15, 10, 9, 12}));
        EXPECT_EQ(std::pair(SelectedRow(d.lstChoice), SelectedRow(d.lstColor)), std::pair(3, 7));
    }, [] { EXPECT_EQ(ColorSet, (Colours{1, 2, 3, 4, 5})); });
}
