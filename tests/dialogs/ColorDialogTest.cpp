#include "DialogFixture.h"

#include "dialogs/frmColor.h"
#include "platform/Palette.h"

class ColorDialog : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        frmColor::Accepted = false;
    }
};

TEST_F(ColorDialog, ARoleShowsItsColourAndAColourChoiceRecolours)
{
    frmColor dlg(nullptr);
    dlg.show();
    EXPECT_EQ(SelectedRow(dlg.lstChoice), -1);
    EXPECT_EQ(SelectedRow(dlg.lstColor), -1);
    EXPECT_EQ(FootOfBar(dlg.picBox, 200), QBColor(15));
    EXPECT_EQ(FootOfBar(dlg.picBox, 700), QBColor(10));
    EXPECT_EQ(FootOfBar(dlg.picBox, 1000), QBColor(9));
    EXPECT_EQ(FootOfBar(dlg.picBox, 1300), QBColor(12));

    ClickEntry(dlg.lstChoice, QStringLiteral("Foreground"));
    EXPECT_EQ(SelectedRow(dlg.lstColor), 15);
    ClickEntry(dlg.lstColor, QStringLiteral("Yellow"));
    EXPECT_EQ(ColorSet[1], 6);
    EXPECT_EQ(FootOfBar(dlg.picBox, 200), QBColor(6));
    EXPECT_EQ(FootOfBar(dlg.picBox, 700), QBColor(10)); // markers keep theirs

    ClickEntry(dlg.lstChoice, QStringLiteral("Background"));
    EXPECT_EQ(SelectedRow(dlg.lstColor), 0);
    ClickEntry(dlg.lstColor, QStringLiteral("Blue"));
    EXPECT_EQ(ColorSet[0], 1);
    EXPECT_EQ(dlg.picBox->pixelAt(dlg.picBox->width() - 2, 2), QBColor(1));

    Click(dlg.cmdOK);
    EXPECT_TRUE(frmColor::Accepted);
    EXPECT_EQ(ColorSet, (std::array<Integer, 5>{1, 6, 10, 9, 12}));
}

TEST_F(ColorDialog, AColourWithNoRoleIsTakenBackAndChangesNothing)
{
    frmColor dlg(nullptr);
    dlg.show();
    ClickEntry(dlg.lstColor, QStringLiteral("Red"));
    EXPECT_EQ(SelectedRow(dlg.lstColor), -1);
    ClickEntry(dlg.lstColor, QStringLiteral("Red")); // a second try is taken back as well
    EXPECT_EQ(SelectedRow(dlg.lstColor), -1);
    EXPECT_EQ(ColorSet, (std::array<Integer, 5>{0, 15, 10, 9, 12}));
    EXPECT_EQ(FootOfBar(dlg.picBox, 200), QBColor(15));
}

TEST_F(ColorDialog, DefaultResetsColoursButKeepsTheListSelections)
{
    ColorSet = {7, 1, 2, 3, 4};
    frmColor dlg(nullptr);
    dlg.show();
    ClickEntry(dlg.lstChoice, QStringLiteral("Indicator 2"));
    EXPECT_EQ(SelectedRow(dlg.lstColor), 3);
    Click(dlg.cmdDefault);
    EXPECT_EQ(ColorSet, (std::array<Integer, 5>{0, 15, 10, 9, 12}));
    EXPECT_EQ(SelectedRow(dlg.lstChoice), 3);
    EXPECT_EQ(SelectedRow(dlg.lstColor), 3);
    EXPECT_EQ(FootOfBar(dlg.picBox, 1000), QBColor(9));
}

TEST_F(ColorDialog, CancelEscAndClosePutBackTheColoursFoundOnOpening)
{
    const std::function<void(frmColor&)> ways[] = {
        [](frmColor& d) { Click(d.cmdCancel); },
        [](frmColor& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](frmColor& d) { d.close(); },
    };
    for (const auto& leave : ways) {
        ColorSet = {1, 2, 3, 4, 5};
        frmColor::Accepted = true;
        frmColor dlg(nullptr);
        dlg.show();
        ClickEntry(dlg.lstChoice, QStringLiteral("Indicator 3"));
        ClickEntry(dlg.lstColor, QStringLiteral("White"));
        Click(dlg.cmdDefault);
        leave(dlg);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_FALSE(frmColor::Accepted);
        EXPECT_EQ(ColorSet, (std::array<Integer, 5>{1, 2, 3, 4, 5}));
    }
}
