#include "DialogFixture.h"

#include "dialogs/frmType.h"

#include <QTimer>

class TypeDialog : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        frmType::Accepted = false;
        frmType::SortName.clear();
    }
};

TEST_F(TypeDialog, OkWaitsForAChoiceAndEnterOnlyActsOnceOneIsMade)
{
    frmType dlg(nullptr);
    dlg.show();
    ASSERT_EQ(dlg.lstType->count(), 13);
    EXPECT_EQ(dlg.lstType->item(0)->text(), QStringLiteral("Selection Sort"));
    EXPECT_EQ(dlg.lstType->item(12)->text(), QStringLiteral("Bucket Sort"));
    EXPECT_EQ(SelectedRow(dlg.lstType), -1);
    EXPECT_FALSE(dlg.cmdOK->isEnabled());

    // Enter with nothing chosen presses neither OK nor Cancel.
    frmType::Accepted = true;
    QTest::keyClick(dlg.lstType, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(frmType::Accepted);
    frmType::Accepted = false;

    ClickEntry(dlg.lstType, QStringLiteral("Merge Sort"));
    EXPECT_TRUE(dlg.cmdOK->isEnabled());
    QTest::keyClick(dlg.lstType, Qt::Key_Up); // the arrows choose as well
    QTest::keyClick(dlg.lstType, Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(frmType::Accepted);
    EXPECT_EQ(SortType, 3);
    EXPECT_EQ(frmType::SortName, QStringLiteral("Binary Insertion Sort"));
}

TEST_F(TypeDialog, DoubleClickConfirmsAndEndsTheModalWait)
{
    frmType dlg(nullptr);
    QTimer::singleShot(0, &dlg, [&] { DoubleClickEntry(dlg.lstType, QStringLiteral("Quick Sort")); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_TRUE(frmType::Accepted);
    EXPECT_EQ(SortType, 6);
    EXPECT_EQ(frmType::SortName, QStringLiteral("Quick Sort"));

    // The next opening starts afresh while the choice is kept.
    frmType again(nullptr);
    again.show();
    EXPECT_EQ(SelectedRow(again.lstType), -1);
    EXPECT_FALSE(again.cmdOK->isEnabled());
    EXPECT_EQ(SortType, 6);
}

TEST_F(TypeDialog, CancelEscAndCloseKeepTheEarlierChoice)
{
    SortType = 6;
    frmType::SortName = QStringLiteral("Quick Sort");
    const std::function<void(frmType&)> ways[] = {
        [](frmType& d) { Click(d.cmdCancel); },
        [](frmType& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](frmType& d) { d.close(); },
    };
    for (const auto& leave : ways) {
        frmType::Accepted = true;
        frmType dlg(nullptr);
        dlg.show();
        ClickEntry(dlg.lstType, QStringLiteral("Heap Sort"));
        leave(dlg);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_FALSE(frmType::Accepted);
        EXPECT_EQ(SortType, 6);
        EXPECT_EQ(frmType::SortName, QStringLiteral("Quick Sort"));
    }
}
