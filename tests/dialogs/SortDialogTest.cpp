#include "DialogFixture.h"

using Settings = std::array<Integer, 3>;

TEST_F(DialogTest, SortOpeningListChoicesAndDefaultRegenerateTheData)
{
    SortSet = {0, 100, 100};
    Open<frmSort> dlg;
    EXPECT_EQ(SelectedRow(dlg.lstSort[0]), 0);
    EXPECT_EQ(SelectedRow(dlg.lstSort[1]), 1);
    EXPECT_EQ(SourceData.size(), 101u);
    ClickEntry(dlg.lstSort[2], QStringLiteral("1000"));
    ClickEntry(dlg.lstSort[0], QStringLiteral("Descending"));
    ASSERT_EQ(SourceData.size(), 1001u);
    EXPECT_EQ(SourceData[1], 1000);
    ClickEntry(dlg.lstSort[1], QStringLiteral("500"));
    EXPECT_EQ(SortSet, (Settings{1, 500, 1000}));
    Click(dlg.cmdDefault);
    EXPECT_EQ(SortSet, (Settings{6, 100, 100}));
    EXPECT_EQ(SourceData.size(), 101u);
    ExpectOkAccepts(dlg);
}

TEST_F(DialogTest, SortHandDrawingMapsThePointerToIndexAndValue)
{
    Open<frmSort> dlg;
    Click(dlg.cmdClear);
    const double sw = dlg.picBox->ScaleWidth(), sh = dlg.picBox->ScaleHeight();
    // Pointer as fractions of the box, then the index and value stored: the right edge is the
    // last index, and above the top or below the bottom the value is held to 0..height.
    for (const auto& [fx, fy, index, value] : {std::tuple{0.5, 0.0, 50, 100}, {0.25, 1.0, 25, 0}, {0.1, 0.75, 10, 25},
                                               {1.0, 0.5, 100, 50}, {0.3, -1.0, 30, 100}, {0.3, 2.0, 30, 0}}) {
        emit dlg.picBox->MouseMove(1, 0, sw * fx, sh * fy);
        EXPECT_EQ(SourceData[index], value) << fx << ", " << fy;
    }
    const std::vector<Integer> before = SourceData;
    Click(dlg.cmdCancel); // under unchanged settings the drawing is kept
    EXPECT_EQ(SourceData, before);
}

TEST_F(DialogTest, SortAutoFillStepsAcrossGapsCuttingDownToIntegers)
{
    SortSet = {6, 100, 50};
    Open<frmSort> dlg;
    Click(dlg.cmdClear);
    Click(dlg.cmdFill);
    EXPECT_EQ(SourceData, std::vector<Integer>(51, 0));
    SourceData[10] = 20;
    Click(dlg.cmdFill);
    std::vector<Integer> want{0, 0, 2, 4, 6, 8, 10, 12, 14, 17, 20};
    for (int i = 11; i <= 50; ++i)
        want.push_back(std::max(30 - i, 0));
    EXPECT_EQ(SourceData, want);
}

// Whether the width changed or only the order, the data set is generated afresh under the restored settings.
TEST_F(DialogTest, SortCancelEscAndCloseRestoreTheSettingsWithDataToMatch)
{
    SortSet = {0, 100, 100};
    EachWayOut<frmSort>([first = true](frmSort& d) mutable {
        if (std::exchange(first, false)) {
            ClickEntry(d.lstSort[2], QStringLiteral("50"));
            ClickEntry(d.lstSort[1], QStringLiteral("1000"));
        }
        ClickEntry(d.lstSort[0], QStringLiteral("Descending"));
    }, [] {
        EXPECT_EQ(SortSet, (Settings{0, 100, 100}));
        ASSERT_EQ(SourceData.size(), 101u);
        EXPECT_EQ(SourceData[1], 1); // ascending again
        EXPECT_EQ(SourceData[100], 100);
    });
}

// A stored width no list entry holds becomes an entry; one no data set can
// have is left unselected; the data always matches the width.
TEST_F(DialogTest, SortOddStoredSettingsNeitherCrashNorLeaveDataAndWidthApart)
{
    for (const Settings& stored : {Settings{0, 200, 30}, Settings{9, 0, 0}, Settings{-1, -5, -7}, Settings{0, 100, 1}}) {
        SortSet = stored;
        SourceData.assign(3, 5);
        const std::size_t size = static_cast<std::size_t>(std::max<int>(stored[2], 0)) + 1;
        Open<frmSort> dlg;
        const auto chosen = dlg.lstSort[2]->selectedItems();
        EXPECT_EQ(chosen.isEmpty() ? QString() : chosen[0]->text(), stored[2] >= 1 ? QString::number(stored[2]) : QString());
        EXPECT_EQ(SourceData.size(), size);
        emit dlg.picBox->MouseMove(1, 0, dlg.picBox->ScaleWidth(), 0); // the last index
        emit dlg.picBox->MouseUp(1, 0, 0, 0);
        for (QPushButton* b : {dlg.cmdFill, dlg.cmdClear, dlg.cmdCancel})
            Click(b);
        EXPECT_EQ(SortSet, stored);
        EXPECT_EQ(SourceData.size(), size);
    }
}
