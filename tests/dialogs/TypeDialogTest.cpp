#include "DialogFixture.h"

#include "compare/Report.h"
#include "engine/Routines.h"

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

TEST_F(DialogTest, TypeEntriesAreTheRoutineTableWithItsFactsAsTooltips)
{
    Open<frmType> dlg;
    ASSERT_EQ(dlg.lstType->count(), kRoutineCount);
    for (int i = 0; i < kRoutineCount; ++i) {
        const Routine& r = RoutineTable[i];
        const QListWidgetItem* item = dlg.lstType->item(i);
        EXPECT_EQ(item->text(), QString::fromUtf8(r.name));
        const QString tip = item->toolTip();
        EXPECT_EQ(tip, RoutineFacts(i));
        // The facts themselves, not only the same function's text.
        for (const char* fact : {r.family, r.cost.best, r.cost.average, r.cost.worst})
            EXPECT_TRUE(tip.contains(QString::fromUtf8(fact))) << r.name << ": " << fact;
        EXPECT_TRUE(tip.contains(r.stable ? "Stable: yes" : "Stable: no")) << r.name;
        EXPECT_TRUE(tip.contains(r.inPlace ? "in place: yes" : "in place: no")) << r.name;
        EXPECT_EQ(tip.contains(QStringLiteral("at most %1 values").arg(r.sizeLimit)), r.sizeLimit > 0) << r.name;
    }
}
