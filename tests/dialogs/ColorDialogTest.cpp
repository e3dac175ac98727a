#include "DialogFixture.h"

using Colours = std::array<Integer, 5>;

TEST_F(DialogTest, ColorRoleShowsItsColourAndAColourChoiceRecolours)
{
    Open<frmColor> dlg;
    // Foreground bars, then the three markers.
    for (const auto& [x, code] : {std::pair{200, 15}, {700, 10}, {1000, 9}, {1300, 12}})
        EXPECT_EQ(PixelAt(dlg.picBox, x), QBColor(code)) << x;
    // A colour with no role chosen is taken back, each time, and changes nothing.
    for (int attempt = 0; attempt < 2; ++attempt) {
        ClickEntry(dlg.lstColor, QStringLiteral("Red"));
        EXPECT_EQ(SelectedRow(dlg.lstColor), -1) << attempt;
    }
    EXPECT_EQ(ColorSet, (Colours{0, 15, 10, 9, 12}));
    ClickEntry(dlg.lstChoice, QStringLiteral("Foreground"));
    EXPECT_EQ(SelectedRow(dlg.lstColor), 15);
    ClickEntry(dlg.lstColor, QStringLiteral("Yellow"));
    EXPECT_EQ(PixelAt(dlg.picBox, 200), QBColor(6));
    EXPECT_EQ(PixelAt(dlg.picBox, 700), QBColor(10)); // markers keep theirs
    ClickEntry(dlg.lstChoice, QStringLiteral("Background"));
    EXPECT_EQ(SelectedRow(dlg.lstColor), 0);
    ClickEntry(dlg.lstColor, QStringLiteral("Blue"));
    EXPECT_EQ(PixelAt(dlg.picBox, dlg.picBox->ScaleWidth() - 30, true), QBColor(1));
    Click(dlg.cmdOK);
    EXPECT_TRUE(frmColor::Accepted);
    EXPECT_EQ(ColorSet, (Colours{1, 6, 10, 9, 12}));
}

// Default resets the colours but leaves both list selections as they were;
// leaving without OK puts back the colours found on opening.
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
        EXPECT_EQ(PixelAt(d.picBox, 1000), QBColor(9));
    }, [] { EXPECT_EQ(ColorSet, (Colours{1, 2, 3, 4, 5})); });
}
