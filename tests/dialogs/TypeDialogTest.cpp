#include "DialogFixture.h"

TEST_F(DialogTest, TypeOkWaitsForAChoiceAndEnterOnlyActsOnceOneIsMade)
{
    Open<frmType> dlg;
    EXPECT_FALSE(dlg.cmdOK->isEnabled());
    // Enter with nothing chosen presses neither OK nor Cancel.
    QTest::keyClick(dlg.lstType, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    ClickEntry(dlg.lstType, QStringLiteral("Merge Sort"));
    EXPECT_TRUE(dlg.cmdOK->isEnabled());
    QTest::keyClick(dlg.lstType, Qt::Key_Up); // the arrows choose as well
    QTest::keyClick(dlg.lstType, Qt::Key_Return);
    EXPECT_TRUE(!dlg.isVisible() && frmType::Accepted);
    EXPECT_EQ(std::pair(SortType, frmType::SortName), std::pair(Integer{3}, QStringLiteral("Binary Insertion Sort")));
}

TEST_F(DialogTest, TypeDoubleClickConfirmsAndCancelEscCloseKeepTheChoice)
{
    frmType dlg(nullptr);
    QTimer::singleShot(0, &dlg, [&] { ClickEntry(dlg.lstType, QStringLiteral("Quick Sort"), true); });
    EXPECT_TRUE(dlg.exec() == QDialog::Accepted && frmType::Accepted);
    EXPECT_EQ(std::pair(SortType, frmType::SortName), std::pair(Integer{6}, QStringLiteral("Quick Sort")));
    // The next opening starts afresh; leaving it without OK keeps the choice.
    EachWayOut<frmType>([](frmType& d) {
        EXPECT_EQ(SelectedRow(d.lstType), -1);
        EXPECT_FALSE(d.cmdOK->isEnabled());
        ClickEntry(d.lstType, QStringLiteral("Heap Sort"));
    }, [] { EXPECT_EQ(std::pair(SortType, frmType::SortName), std::pair(Integer{6}, QStringLiteral("Quick Sort"))); });
}
