#include "DialogFixture.h"

#include "dialogs/frmSort.h"
#include "engine/FillSource.h"
#include "platform/Palette.h"

#include <algorithm>
#include <numeric>

class SortDialog : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        frmSort::Accepted = false;
        FillSource();
    }
};

TEST_F(SortDialog, OpeningAndListChoicesRegenerateTheDataSet)
{
    SortSet = {0, 100, 100};
    SourceData.assign(5, 3);
    frmSort dlg(nullptr);
    dlg.show();
    EXPECT_EQ(SelectedRow(dlg.lstSort[0]), 0);
    EXPECT_EQ(dlg.lstSort[1]->selectedItems().first()->text(), QStringLiteral("100"));
    EXPECT_EQ(dlg.lstSort[2]->selectedItems().first()->text(), QStringLiteral("100"));
    ASSERT_EQ(SourceData.size(), 101u);
    EXPECT_EQ(SourceData[100], 100);

    ClickEntry(dlg.lstSort[2], QStringLiteral("1000"));
    EXPECT_EQ(SortSet[2], 1000);
    ASSERT_EQ(SourceData.size(), 1001u);
    EXPECT_EQ(SourceData[1000], 1000);

    ClickEntry(dlg.lstSort[0], QStringLiteral("Descending"));
    EXPECT_EQ(SortSet[0], 1);
    EXPECT_EQ(SourceData[1], 1000);

    ClickEntry(dlg.lstSort[1], QStringLiteral("500"));
    EXPECT_EQ(SortSet[1], 500);

    Click(dlg.cmdDefault);
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{6, 100, 100}));
    EXPECT_EQ(SelectedRow(dlg.lstSort[0]), 6);
    EXPECT_EQ(SourceData.size(), 101u);
    EXPECT_TRUE(std::all_of(SourceData.begin() + 1, SourceData.end(), [](Integer v) { return v >= 1 && v <= 100; }));

    Click(dlg.cmdOK);
    EXPECT_TRUE(frmSort::Accepted);
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{6, 100, 100}));
}

TEST_F(SortDialog, AStoredSizeThatIsNoEntryIsKeptWithNothingSelected)
{
    SortSet = {0, 200, 30};
    frmSort dlg(nullptr);
    dlg.show();
    EXPECT_EQ(SelectedRow(dlg.lstSort[1]), -1);
    EXPECT_EQ(SelectedRow(dlg.lstSort[2]), -1);
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{0, 200, 30}));
    ASSERT_EQ(SourceData.size(), 31u);
    EXPECT_EQ(SourceData[30], 30);
}

TEST_F(SortDialog, HandDrawingMapsThePointerToIndexAndValue)
{
    frmSort dlg(nullptr);
    dlg.show();
    Click(dlg.cmdClear);
    PictureBox* box = dlg.picBox;
    const double sw = box->ScaleWidth(), sh = box->ScaleHeight();
    auto drag = [&](int button, double x, double y) { emit box->MouseMove(button, 0, x, y); };

    drag(1, sw / 2, 0); // middle, top edge: the height
    EXPECT_EQ(SourceData[50], 100);
    drag(1, sw * 0.25, sh); // bottom edge: 0
    EXPECT_EQ(SourceData[25], 0);
    drag(1, sw * 0.10, sh * 0.75);
    EXPECT_EQ(SourceData[10], 25);
    drag(1, sw, sh / 2); // the right edge belongs to the last index
    EXPECT_EQ(SourceData[100], 50);

    // X = 0 and beyond either edge store nothing; index 0 never keeps a value.
    SourceData[0] = 7;
    drag(1, 0, 0);
    drag(1, sw + 30, 0);
    drag(1, -30, 0);
    EXPECT_EQ(SourceData[0], 0);
    EXPECT_EQ(std::accumulate(SourceData.begin(), SourceData.end(), 0), 100 + 25 + 50);

    // Above the top or below the bottom the value is held to 0..height.
    drag(1, sw * 0.3, -sh);
    EXPECT_EQ(SourceData[30], 100);
    drag(1, sw * 0.3, 2 * sh);
    EXPECT_EQ(SourceData[30], 0);

    // Any button state but the left button alone changes only index 0.
    const std::vector<Integer> before = SourceData;
    for (int state : {0, 2, 3, 4, 5}) {
        SourceData[0] = 9;
        drag(state, sw * 0.6, 0);
        EXPECT_EQ(SourceData[0], 0) << state;
        SourceData[0] = before[0];
        EXPECT_EQ(SourceData, before) << state;
    }
}

TEST_F(SortDialog, ADragWithTheMouseDrawsBarsThatStayAfterRelease)
{
    SortSet = {0, 100, 100};
    frmSort dlg(nullptr);
    dlg.show();
    Click(dlg.cmdClear);
    PictureBox* box = dlg.picBox;
    const double sw = box->ScaleWidth(), sh = box->ScaleHeight();
    SendMouse(box, QEvent::MouseButtonPress, sw / 2, sh / 2, Qt::LeftButton, Qt::LeftButton);
    SendMouse(box, QEvent::MouseMove, sw / 2, sh / 2, Qt::NoButton, Qt::LeftButton);
    SendMouse(box, QEvent::MouseMove, sw / 2, -500, Qt::NoButton, Qt::LeftButton); // dragged out over the top
    SendMouse(box, QEvent::MouseButtonRelease, sw / 2, -500, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(SourceData[50], 100);
    const int x = static_cast<int>(std::lround(sw / 2 / TwipsPerPixelX()));
    EXPECT_EQ(box->pixelAt(x, 2), QBColor(ColorSet[1]));
    EXPECT_EQ(box->pixelAt(x + 20, box->height() - 2), QBColor(ColorSet[0]));
}

TEST_F(SortDialog, AutoFillStepsAcrossGapsCuttingDownToIntegers)
{
    SortSet = {6, 100, 50};
    frmSort dlg(nullptr);
    dlg.show();
    Click(dlg.cmdClear);
    EXPECT_TRUE(std::all_of(SourceData.begin(), SourceData.end(), [](Integer v) { return v == 0; }));
    Click(dlg.cmdFill);
    EXPECT_TRUE(std::all_of(SourceData.begin(), SourceData.end(), [](Integer v) { return v == 0; }));

    SourceData[10] = 20;
    Click(dlg.cmdFill);
    const std::vector<Integer> rising{0, 0, 2, 4, 6, 8, 10, 12, 14, 17, 20};
    EXPECT_EQ(std::vector<Integer>(SourceData.begin(), SourceData.begin() + 11), rising);
    for (int i = 11; i <= 29; ++i)
        EXPECT_EQ(SourceData[i], 30 - i) << i;
    for (int i = 30; i <= 50; ++i)
        EXPECT_EQ(SourceData[i], 0) << i;

    // A drawn first and last value: the gap between rises towards the end.
    Click(dlg.cmdClear);
    SourceData[1] = 10;
    SourceData[50] = 59;
    Click(dlg.cmdFill);
    EXPECT_EQ(SourceData[2], 11);
    EXPECT_EQ(SourceData[49], 58);
    EXPECT_EQ(SourceData[50], 59);
}

TEST_F(SortDialog, CancelEscAndCloseRestoreTheSettingsWithDataToMatch)
{
    const std::function<void(frmSort&)> ways[] = {
        [](frmSort& d) { Click(d.cmdCancel); },
        [](frmSort& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](frmSort& d) { d.close(); },
    };
    for (const auto& leave : ways) {
        SortSet = {0, 100, 100};
        frmSort::Accepted = true;
        frmSort dlg(nullptr);
        dlg.show();
        ClickEntry(dlg.lstSort[2], QStringLiteral("50"));
        ClickEntry(dlg.lstSort[1], QStringLiteral("1000"));
        ClickEntry(dlg.lstSort[0], QStringLiteral("Random"));
        leave(dlg);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_FALSE(frmSort::Accepted);
        EXPECT_EQ(SortSet, (std::array<Integer, 3>{0, 100, 100}));
        // The data set matches the restored width and order again.
        ASSERT_EQ(SourceData.size(), 101u);
        EXPECT_EQ(SourceData[100], 100);
    }

    // Drawing under unchanged settings is kept by Cancel.
    SortSet = {0, 100, 100};
    frmSort dlg(nullptr);
    dlg.show();
    emit dlg.picBox->MouseMove(1, 0, dlg.picBox->ScaleWidth() / 2, dlg.picBox->ScaleHeight());
    Click(dlg.cmdCancel);
    ASSERT_EQ(SourceData.size(), 101u);
    EXPECT_EQ(SourceData[50], 0);
}

TEST_F(SortDialog, OddStoredSettingsNeitherCrashNorLeaveDataAndWidthApart)
{
    for (const auto& stored : {std::array<Integer, 3>{9, 0, 0}, std::array<Integer, 3>{-1, -5, -7},
                               std::array<Integer, 3>{0, 100, 1}}) {
        SortSet = stored;
        SourceData.assign(3, 5);
        frmSort dlg(nullptr);
        dlg.show();
        const double sw = dlg.picBox->ScaleWidth(), sh = dlg.picBox->ScaleHeight();
        emit dlg.picBox->MouseMove(1, 0, sw, 0);
        emit dlg.picBox->MouseMove(1, 0, sw / 2, sh / 2);
        emit dlg.picBox->MouseUp(1, 0, sw / 2, sh / 2);
        Click(dlg.cmdFill);
        Click(dlg.cmdClear);
        Click(dlg.cmdCancel);
        EXPECT_EQ(SortSet, stored);
        EXPECT_EQ(SourceData.size(), static_cast<std::size_t>(std::max<int>(stored[2], 0)) + 1);
        EXPECT_EQ(SourceData[0], 0);
    }
}
