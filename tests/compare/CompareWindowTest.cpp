// The Compare window against the main window: the same figures as the
// window's own runs, and nothing of the main window changed by comparing,
// finished or cancelled.
#include "comparewindow/BarChart.h"
#include "comparewindow/frmCompare.h"
#include "compare/Comparison.h"
#include "engine/Routines.h"
#include "mainwindow/MainWindowFixture.h"
#include "support/QtPrint.h"
#include "view/PlotView.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
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
    // The cells of a table's row, by routine name, as the window shows them.
    static std::map<QString, QStringList> Cells(const QTableWidget* t)
    {
        std::map<QString, QStringList> rows;
        for (int r = 0; r < t->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < t->columnCount(); ++c)
                row << (t->item(r, c) ? t->item(r, c)->text() : QString());
            rows[row[0]] = row;
        }
        return rows;
    }
    static std::vector<int> AllOrders()
    {
        std::vector<int> all;
        for (int o = 0; o < kOrderCount; ++o)
            all.push_back(o);
        return all;
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

TEST_F(CompareWindowTest, TableCellsAreTheResultsAndTheWindowsOwnFiguresCopiedAndSaved)
{
    frmMain& w = Ready(0, 100);
    frmCompare& c = Open(w);
    EXPECT_FALSE(c.Stale());
    // The same data set compared on its own, for the figures the window must show.
    const auto own = Comparison::OnData(CurrentInput());
    own->Wait();
    const ResultGrid results = own->Results();
    const auto cells = Cells(c.tblResults);
    const auto copied = Rows(c.CopyText());
    ASSERT_EQ(cells.size(), RoutineTable.size());
    ASSERT_EQ(copied.size(), RoutineTable.size() + 1);
    EXPECT_EQ(copied.at("Routine"), TableHeader(true));
    const std::uint64_t rnd = RndState();
    for (int r = 0; r < kRoutineCount; ++r) {
        const RunResult& res = results[r][0];
        const QString name = QString::fromUtf8(RoutineTable[r].name);
        const QStringList& row = cells.at(name);
        const QStringList& copy = copied.at(name);
        SCOPED_TRACE(RoutineTable[r].name);
        // Stable, cost and note as the routine table and the report say, in the window and the copy.
        const QStringList facts{StableText(r), CostText(r), RoutineNote(r, {&res, 1})};
        EXPECT_EQ(row.mid(7), facts);
        EXPECT_EQ(copy.mid(7), facts);
        EXPECT_EQ(c.tblResults->findItems(name, Qt::MatchExactly).value(0)->toolTip(), RoutineFacts(r));
        if (res.state != RunResult::State::Done) {
            EXPECT_EQ(row.mid(1, 6), QStringList(6, QString()));
            continue;
        }
        const QStringList figures{QString::number(res.comparisons), QString::number(res.steps), QString::number(res.writes)};
        const QStringList shown = ComparesValues(r) ? figures : QStringList{"\u2013", figures[1], figures[2]};
        EXPECT_EQ(row.mid(1, 3), shown);
        EXPECT_EQ(copy.mid(1, 3), figures);
        EXPECT_EQ(row[6], "\u2713");
        EXPECT_EQ(copy[6], "yes");
        // The window's own run from the same data and the same random sequence.
        SortType = static_cast<Integer>(r); SetRndState(rnd);
        w.RefreshData(); w.mnuStart_Click();
        EXPECT_EQ(w.sbTitleBar().panelText(3), "Comparison: " + figures[0]);
    }

    // Ctrl+C and Save as CSV give the same table.
    const QString tsv = c.CopyText();
    c.tblResults->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(c.tblResults, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), tsv);
    QTemporaryDir dir;
    ASSERT_TRUE(c.SaveCsv(dir.filePath("table.csv")));
    QFile file(dir.filePath("table.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()).replace(',', '\t'), tsv);
    // A save that cannot be made says why.
    QString why;
    EXPECT_FALSE(c.SaveCsv(dir.filePath("no/folder/table.csv"), &why));
    EXPECT_EQ(why, "No such file or directory");
}

TEST_F(CompareWindowTest, ANewDataSetMakesTheFiguresStaleTheSameOrderIncluded)
{
    frmMain& w = Ready(0, 100);
    frmCompare& c = Open(w);
    EXPECT_FALSE(c.lblStale->isVisible());
    Click(w, "Random"); // the same order, new values
    EXPECT_TRUE(c.Stale());
    EXPECT_TRUE(QTest::qWaitFor([&c] { return c.lblStale->isVisible(); }, 5000));
    c.Refresh();
    Settle(c);
    EXPECT_FALSE(c.Stale());
    EXPECT_FALSE(c.lblStale->isVisible());
    Click(w, "Descending");
    EXPECT_TRUE(c.Stale());
    c.Refresh();
    Settle(c);
    EXPECT_EQ(Rows(c.CopyText()).at("Quick Sort")[1], "5198"); // descending, 100 values
}

TEST_F(CompareWindowTest, MainWindowIsUntouchedAndACancelledMatrixMarksEveryCellLeft)
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
    // Every cell of a routine that runs has its figure or says it was cancelled.
    int cancelled = 0;
    for (int r = 0; r < kRoutineCount; ++r)
        for (int o = 1; o <= kOrderCount; ++o) {
            const QTableWidgetItem* item = c.tblMatrix->item(r, o);
            if (!RoutineRuns(r) || !WithinLimit(r, 1000))
                continue;
            ASSERT_NE(item, nullptr);
            EXPECT_FALSE(item->text().isEmpty()) << RoutineTable[r].name << ", order " << o - 1;
            cancelled += item->text() == "Cancelled";
        }
    EXPECT_GT(cancelled, 0) << "the matrix ended before the cancel";
    EXPECT_TRUE(c.lblData->text().endsWith("(cancelled)")) << c.lblData->text().toStdString();
    c.SetAllOrders(false); // the table's data set has changed: recomputed
    EXPECT_TRUE(c.Computing());
    c.Cancel();
    EXPECT_FALSE(c.Computing());
    EXPECT_EQ(StateOf(w), wide); // the random sequence with the rest
}

TEST_F(CompareWindowTest, MatrixShadesByCostAgainstTheBestOfItsOrderAndMarksTheBest)
{
    frmMain& w = Ready(0, 60);
    frmCompare& c = Open(w);
    c.SetAllOrders(true);
    Settle(c);
    const auto own = Comparison::OnOrders(AllOrders(), SortSet[1], SortSet[2]);
    own->Wait();
    const ResultGrid results = own->Results();
    for (int o = 0; o < kOrderCount; ++o) {
        SCOPED_TRACE(OrderName(o).toStdString());
        std::vector<std::pair<std::int64_t, const QTableWidgetItem*>> column;
        for (int r = 0; r < kRoutineCount; ++r)
            if (ComparesValues(r) && results[r][o].state == RunResult::State::Done)
                column.emplace_back(results[r][o].comparisons, c.tblMatrix->item(r, o + 1));
        ASSERT_GT(column.size(), 2u);
        std::sort(column.begin(), column.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [value, item] : column) {
            EXPECT_EQ(item->text(), QString::number(value));
            EXPECT_EQ(item->font().bold(), value == column.front().first) << value;
        }
        // Greener the fewer: the hue never rises with the count, and a hundred times the best is red.
        for (std::size_t i = 1; i < column.size(); ++i)
            EXPECT_LE(column[i].second->background().color().hsvHueF(), column[i - 1].second->background().color().hsvHueF())
                << column[i - 1].first << " then " << column[i].first;
        EXPECT_GT(column.front().second->background().color().hsvHueF(), 0.3);
        if (column.back().first + 1 >= 100 * (column.front().first + 1)) {
            EXPECT_LT(column.back().second->background().color().hsvHueF(), 0.02);
        }
    }
}

TEST_F(CompareWindowTest, ChartStartsLogarithmicOnAWideRangeAndKeepsTheUsersChoice)
{
    // {values}, wide: more than a hundred times apart, a zero counting as one.
    const std::vector<std::pair<std::vector<double>, bool>> ranges = {
        {{1, 100}, false}, {{1, 101}, true}, {{0, 100}, false}, {{0, 101}, true}, {{500, 50001}, true}, {{}, false},
    };
    for (const auto& [values, wide] : ranges) {
        std::vector<BarChart::Bar> bars{{"none", std::nullopt, "not available"}};
        for (double v : values)
            bars.push_back({"bar", v, {}});
        EXPECT_EQ(BarChart::wideRange(bars), wide) << values.size();
    }

    frmMain& w = Ready(0, 100);
    frmCompare& c = Open(w);
    ASSERT_TRUE(BarChart::wideRange(c.chart->bars())); // Stooge Sort against the rest
    EXPECT_TRUE(c.chkLog->isChecked());
    EXPECT_TRUE(c.chart->logarithmic());
    QTest::mouseClick(c.chkLog, Qt::LeftButton, {}, QPoint(8, c.chkLog->height() / 2));
    EXPECT_FALSE(c.chart->logarithmic());
    c.cboChart->setCurrentIndex(2);
    c.cboChart->setCurrentIndex(0);
    QTest::qWait(120);
    EXPECT_FALSE(c.chkLog->isChecked()) << "the user's choice overruled";
    EXPECT_FALSE(c.chart->logarithmic());
    c.Refresh(); // a new comparison starts on the scale its figures call for
    Settle(c);
    EXPECT_TRUE(c.chart->logarithmic());
}

TEST_F(CompareWindowTest, OpensWithinTheScreenAndShowsEveryChartRowAtItsLeastSize)
{
    frmMain& w = Ready(0, 100);
    frmCompare& c = Open(w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&c));
    const QRect area = c.screen()->availableGeometry();
    EXPECT_TRUE(area.contains(c.frameGeometry())) << c.frameGeometry().x() << "," << c.frameGeometry().y() << " "
                                                  << c.frameGeometry().width() << "x" << c.frameGeometry().height();
    const auto everyRowShows = [&c](const char* when) {
        SCOPED_TRACE(when);
        ASSERT_EQ(c.chart->bars().size(), RoutineTable.size());
        for (int i = 0; i < static_cast<int>(c.chart->bars().size()); ++i) {
            const QRect row = c.chart->rowRect(i);
            EXPECT_TRUE(c.chart->rect().contains(row)) << i;
            EXPECT_GE(row.height(), c.chart->fontMetrics().height()) << i;
        }
    };
    // Where the screen has the room, every column of the table shows, the note included.
    if (area.width() >= 1200) {
        EXPECT_FALSE(c.tblResults->horizontalScrollBar()->isVisible());
    }
    c.SetAllOrders(true);
    Settle(c);
    if (area.width() >= 1200) {
        EXPECT_FALSE(c.tblMatrix->horizontalScrollBar()->isVisible());
    }
    c.SetAllOrders(false);
    c.tabTable->setCurrentIndex(1);
    QTest::qWait(50);
    everyRowShows("as opened");
    c.resize(1, 1); // held at the least size the window allows
    QTest::qWait(50);
    EXPECT_LT(c.height(), 700);
    everyRowShows("at the least size");
    // The window's least size fits the screen too.
    EXPECT_LE(c.minimumSizeHint().height(), area.height());
}
