// The Compare window against the main window: the same figures as the
// window's own runs, and nothing of the main window changed by comparing,
// finished or cancelled.
#include "comparewindow/BarChart.h"
#include "comparewindow/frmCompare.h"
#include "compare/Comparison.h"
#include "engine/Routines.h"
#include "mainwindow/MainWindowFixture.h"
#include "view/PlotView.h"

#include <QClipboard>
#include <QComboBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <thread>

namespace {

// Everything of the main window a comparison could disturb.
struct WindowState {
    std::vector<Integer> source, sort, aux, count;
    std::array<Integer, 5> colors;
    std::array<Integer, 2> draw;
    std::array<Integer, 3> settings;
    Integer type;
    std::int32_t comparisons;
    int heapSize;
    bool ready, sorting, running;
    int markers[3];
    QString title, comparison;
    std::uint64_t rnd;
    bool operator==(const WindowState&) const = default;

    static WindowState Of(frmMain& w)
    {
        return {SourceData, SortData, AuxData, CountData, ColorSet, DrawSet, SortSet, SortType, Comparisons,
                HeapSize, DataReady, Sorting, RoutineRunning, {w.plot().LastX, w.plot().LastY, w.plot().LastZ},
                w.sbTitleBar().panelText(1), w.sbTitleBar().panelText(3), RndState()};
    }
};

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
        for (int i = 0; i < 600 && c.Computing(); ++i)
            QTest::qWait(20);
        QTest::qWait(120);
        ASSERT_FALSE(c.Computing());
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

TEST_F(CompareWindowTest, TableHasTheFiguresOfTheWindowsOwnRunsAllVerified)
{
    frmMain& w = Ready(0, 100);
    frmCompare& c = Open(w);
    const auto rows = Rows(c.CopyText());
    ASSERT_EQ(rows.size(), RoutineTable.size() + 1);
    const std::uint64_t rnd = RndState();
    for (int r = 0; r < static_cast<int>(RoutineTable.size()); ++r) {
        const QStringList& row = rows.at(RoutineTable[r].name);
        if (!RoutineRuns(r)) {
            EXPECT_EQ(row[7], "Not available");
            continue;
        }
        // The window's own run from the same data and the same random sequence.
        SortType = static_cast<Integer>(r);
        SetRndState(rnd);
        w.RefreshData();
        w.mnuStart_Click();
        EXPECT_EQ(w.sbTitleBar().panelText(3), "Comparison: " + row[1]) << RoutineTable[r].name;
        EXPECT_EQ(row[6], "yes") << RoutineTable[r].name;
        EXPECT_EQ(row[7], ComparesValues(r) ? "" : "Not a comparison sort");
    }
    // The chart shows the comparisons of the routines that compare.
    for (const BarChart::Bar& bar : c.chart->bars())
        EXPECT_EQ(bar.value.has_value(), ComparesValues(int(&bar - c.chart->bars().data())));
    EXPECT_EQ(c.chart->bars()[0].value, rows.at("Selection Sort")[1].toDouble());
    c.cboChart->setCurrentIndex(1); // steps: Counting Sort has them too
    EXPECT_EQ(c.chart->bars()[10].value, rows.at("Counting Sort")[2].toDouble());
}

TEST_F(CompareWindowTest, MainWindowIsUntouchedByFinishedAndCancelledComparisons)
{
    frmMain& w = Ready(7, 100);
    w.mnuStart_Click(); // markers, counter, status and random sequence in use
    const WindowState before = WindowState::Of(w);
    frmCompare& c = Open(w);
    c.SetAllOrders(true);
    Settle(c);
    EXPECT_FALSE(c.CopyText().contains("Cancelled"));
    EXPECT_EQ(WindowState::Of(w), before);

    // Long enough at width 1000 to be stopped in the middle, table and matrix.
    SortSet[2] = 1000, FillSource(), w.RefreshData();
    const WindowState wide = WindowState::Of(w);
    EXPECT_TRUE(c.Stale());
    c.Refresh();
    c.Cancel();
    EXPECT_FALSE(c.Computing());
    EXPECT_TRUE(c.CopyText().contains("Cancelled") || c.CopyText().contains("\t\t"));
    c.SetAllOrders(false); // the table's data set has changed: recomputed
    EXPECT_TRUE(c.Computing());
    c.Cancel();
    EXPECT_FALSE(c.Computing());
    EXPECT_EQ(WindowState::Of(w), wide);
    // The next random data set is the one it would have been.
    const std::uint64_t rnd = RndState();
    Click(w, "Random");
    const std::vector<Integer> regenerated = SourceData;
    SetRndState(rnd), FillSource();
    EXPECT_EQ(SourceData, regenerated);

    QPointer<frmCompare> open(&c);
    c.close();
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(open.isNull());
}

TEST_F(CompareWindowTest, CopySaveRefreshAndTheMenuGuard)
{
    frmMain& w = Ready(0, 50);
    RoutineRunning = true;
    w.mnuCompare_Click();
    EXPECT_EQ(w.findChild<frmCompare*>(), nullptr);
    RoutineRunning = false;
    frmCompare& c = Open(w);
    EXPECT_FALSE(c.Stale());

    c.tblResults->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(c.tblResults, Qt::Key_C, Qt::ControlModifier);
    const QString tsv = QApplication::clipboard()->text();
    EXPECT_EQ(tsv, c.CopyText());
    EXPECT_EQ(tsv.count('\n'), 14);
    EXPECT_EQ(tsv.section('\n', 0, 0).count('\t'), 7);

    QTemporaryDir dir;
    const QString path = dir.filePath("table.csv");
    ASSERT_TRUE(c.SaveCsv(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString csv = QString::fromUtf8(file.readAll());
    EXPECT_EQ(csv.replace(',', '\t'), tsv);
    EXPECT_FALSE(c.SaveCsv(dir.filePath("no/such/folder/table.csv")));

    // A regenerated data set makes the figures stale until Refresh.
    Click(w, "Descending");
    EXPECT_TRUE(c.Stale());
    c.Refresh();
    Settle(c);
    EXPECT_FALSE(c.Stale());
    EXPECT_EQ(Rows(c.CopyText()).at("Quick Sort")[1], "1348"); // descending, 50 values
}

TEST(Comparison, StopEndsARunThatTakesNoStep)
{
    // Stooge Sort on ascending data exchanges nothing, so only the flag stops it.
    const RunInput input = [] {
        RunInput in;
        std::thread([&in] { in = FreshInput(0, 1000, 1000); }).join();
        return in;
    }();
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
