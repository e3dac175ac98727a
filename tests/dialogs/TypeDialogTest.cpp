#include "DialogFixture.h"

#include <QTimer>

using Choice = std::pair<Integer, QString>;

TEST_F(DialogTest, TypeOkWaitsForAChoiceAndEnterOnlyActsOnceOneIsMade)
{
    Open<frmType> dlg;
    EXPECT_FALSE(dlg.cmdOK->isEnabled());
    QTest::keyClick(dlg.lstType, Qt::Key_Return); // with nothing chosen presses neither OK nor Cancel
    EXPECT_TRUE(dlg.isVisible());
    ClickEntry(dlg.lstType, QStringLiteral("Merge Sort"));
    EXPECT_TRUE(dlg.cmdOK->isEnabled());
    QTest::keyClick(dlg.lstType, Qt::Key_Up); // the arrows choose as well
    QTest::keyClick(dlg.lstType, Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(frmType::Accepted);
    EXPECT_EQ(Choice(SortType, frmType::SortName), Choice(3, "Binary Insertion Sort"));
}

TEST_F(DialogTest, TypeDoubleClickConfirmsAndCancelEscCloseKeepTheChoice)
{
    frmType dlg(nullptr);
    QTimer::singleShot(0, &dlg, [&] { ClickEntry(dlg.lstType, QStringLiteral("Quick Sort"), true); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_TRUE(frmType::Accepted);
    EXPECT_EQ(Choice(SortType, frmType::SortName), Choice(6, "Quick Sort"));
    // The next opening starts afresh; leaving it without OK keeps the choice.
    EachWayOut<frmType>([](frmType& d) {
        EXPECT_EQ(SelectedRow(d.lstType), -1);
        EXPECT_FALSE(d.cmdOK->isEnabled());
        ClickEntry(d.lstType, QStringLiteral("Heap Sort"));
    }, [] { EXPECT_EQ(Choice(SortType, frmType::SortName), Choice(6, "Quick Sort")); });
}
