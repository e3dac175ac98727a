// The Compare window against the main window: the same figures as the
// window's own runs, and nothing of the main window changed by comparing,
// finished or cancelled.
#include "comparewindow/frmCompare.h"
#include "compare/Comparison.h"
#include "engine/Routines.h"
#include "mainwindow/MainWindowFixture.h"
#include "support/QtPrint.h"
#include "view/PlotView.h"

#include <QClipboard>
#include <QTableWidget>
#include <QTemporaryDir>

#include <thread>

namespace {

// Everything of the main window a comparison could disturb, printed whole
// (long vectors cut short) when it differs.
auto StateOf(frmMain& w)
{
    return std::tuple{SourceData, SortData, AuxData, CountData, ColorSet, DrawSet, SortSet, SortType, Comparisons,
                      HeapSize, DataReady, Sorting.load(), RoutineRunning, std::array{w.plot().LastX, w.plot().LastY, w.plot().LastZ},
                      w.sbTitleBar().panelText(1), w.sbTitleBar().panelText(3), RndState()};
}

class CompareWindowTest : public MainWindowTest {
protected:
    static frmCompare& Open(frmMain& w)
    {
        w.mnuCompare_Click();
        auto* c = w.findChild<frmCompare*>();
        EXPECT_NE(c, nullptr);
        Settle(*c);
        return *c;
    }
    // Until the comparison has ended and its last figures are shown.
    static void Settle(frmCompare& c)
    {
        ASSERT_TRUE(QTest::qWaitFor([&c] { return !c.Computing(); }, 12000)) << "still comparing";
        QTest::qWait(120);
    }
    // The copied table, by routine name.
    static std::map<QString, QStringList> Rows(const QString& tsv)
    {
        std::map<QString, QStringList> rows;
        for (const QString& line : tsv.split('\n', Qt::SkipEmptyParts))
            rows[line.section('\t', 0, 0)] = line.split('\t');
        return rows;
    }
};

} // namespace

TEST_F(CompareWindowTest, TableHasTheWindowsOwnFiguresCopiesSavesAndRefreshes)
{
    frmMain& w = Ready(0, 100);
    frmCompare& c = Open(w);
    EXPECT_FALSE(c.Stale());
    const QString tsv = c.CopyText();
    const auto rows = Rows(tsv);
    ASSERT_EQ(rows.size(), RoutineTable.size() + 1);
    const std::uint64_t rnd = RndState();
    for (int r = 0; r < static_cast<int>(RoutineTable.size()); ++r) {
        const QStringList& row = rows.at(RoutineTable[r].name);
        if (!RoutineRuns(r)) {
            EXPECT_EQ(row[7], "Not available");
            continue;
        }
        // The window's own run from the same data and the same random sequence.
        SortType = static_cast<Integer>(r); SetRndState(rnd);
        w.RefreshData(); w.mnuStart_Click();
        EXPECT_EQ(w.sbTitleBar().panelText(3), "Comparison: " + row[1]) << RoutineTable[r].name;
        EXPECT_EQ(row[6], "yes") << RoutineTable[r].name;
        EXPECT_EQ(row[7], ComparesValues(r) ? "" : "Not a comparison sort");
    }

    // Ctrl+C and Save as CSV give the same table.
    c.tblResults->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(c.tblResults, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), tsv);
    QTemporaryDir dir;
    ASSERT_TRUE(c.SaveCsv(dir.filePath("table.csv")));
    QFile file(dir.filePath("table.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()).replace(',', '\t'), tsv);

    // A regenerated data set makes the figures stale until Refresh.
    Click(w, "Descending");
    EXPECT_TRUE(c.Stale());
    c.Refresh();
    Settle(c);
    EXPECT_FALSE(c.Stale());
    EXPECT_EQ(Rows(c.CopyText()).at("Quick Sort")[1], "5198"); // descending, 100 values
}

TEST_F(CompareWindowTest, MainWindowIsUntouchedByFinishedAndCancelledComparisons)
{
    frmMain& w = Ready(7, 100);
    w.mnuStart_Click(); // markers, counter, status and random sequence in use
    const auto before = StateOf(w);
    frmCompare& c = Open(w);
    c.SetAllOrders(true);
    Settle(c);
    EXPECT_FALSE(c.CopyText().contains("Cancelled"));
    EXPECT_EQ(StateOf(w), before);

    // Long enough at width 1000 to be stopped in the middle, table and matrix.
    SortSet[2] = 1000; FillSource(); w.RefreshData();
    const auto wide = StateOf(w);
    EXPECT_TRUE(c.Stale());
    c.Refresh();
    c.Cancel();
    EXPECT_FALSE(c.Computing());
    EXPECT_TRUE(c.CopyText().contains("Cancelled") || c.CopyText().contains("\t\t")) << c.CopyText().toStdString();
    c.SetAllOrders(false); // the table's data set has changed: recomputed
    EXPECT_TRUE(c.Computing());
    c.Cancel();
    EXPECT_FALSE(c.Computing());
    EXPECT_EQ(StateOf(w), wide); // the random sequence with the rest
}

TEST(Comparison, StopEndsARunThatTakesNoStep)
{
    // Stooge Sort on ascending data exchanges nothing, so only the flag stops it.
    // Made on a thread of its own, as the workers make theirs: it resets the state of its thread.
    RunInput input;
    std::thread([&input] { input = FreshInput(0, 1000, 1000); }).join();
    StopSwitch stop;
    RunResult result;
    std::thread worker([&] { result = RunHeadless(9, input, stop); });
    QTest::qWait(30);
    stop.Stop();
    worker.join();
    EXPECT_EQ(result.state, RunResult::State::Cancelled);
    EXPECT_LT(result.comparisons, 64570081);
    EXPECT_EQ(result.steps, 0);
}
