// The growth: measured exponents against the routine table's costs, the
// figures of every width against the headless comparison's, the budget and
// Cancel, the command line and the page of the Compare window.
#include "compare/CommandLine.h"
#include "compare/Growth.h"
#include "comparewindow/GrowthView.h"
#include "comparewindow/frmCompare.h"
#include "engine/Routines.h"
#include "mainwindow/MainWindowFixture.h"
#include "platform/Settings.h"
#include "support/CommandLineRun.h"
#include "support/QtPrint.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDoubleSpinBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <map>

namespace {

constexpr int kAscending = 0, kDescending = 1, kAlmostAsc = 2, kRandom = 6;


int Code(const char* name)
{
    for (int r = 0; r < kRoutineCount; ++r)
        if (std::strcmp(RoutineTable[r].name, name) == 0)
            return r;
    ADD_FAILURE() << "no routine " << name;
    return 0;
}

// Widths at which every run is quick, a sanitizer build included: the
// widest for the costs below quadratic (where their log factors settle),
// fewer for Stooge Sort.
std::vector<int> SizesFor(const QString& cost)
{
    const std::optional<ExponentRange> e = ExpectedExponent(cost);
    if (e && e->high < 1.5)
        return {1024, 2048, 4096, 8192};
    if (e && e->low > 2.2)
        return {64, 128, 256, 512};
    return {128, 256, 512, 1024};
}

// Far above what any of these runs takes, a sanitizer build on a loaded
// machine included; a routine that grows much faster than claimed still
// meets it.
constexpr double kTestBudget = 5;

std::size_t Threads()
{
    return static_cast<std::size_t>(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

double SecondsSince(std::chrono::steady_clock::time_point t)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

GrowthPoint At(int size, std::int64_t figure) { return GrowthPoint{size, figure, figure, figure, 0, true}; }

} // namespace

TEST(GrowthMeasure, SlopeOfTheLastFourWidths)
{
    auto square = [](int n) { return At(n, std::int64_t{n} * n); };
    struct Case { std::vector<GrowthPoint> points; std::optional<double> slope; };
    const std::vector<Case> cases = {
        {{square(16), square(32), square(64), square(128)}, 2.0},
        // An outlier before the last four does not count.
        {{At(8, 1), square(16), square(32), square(64), square(128)}, 2.0},
        {{At(16, 16), At(32, 32), At(64, 64), At(128, 128)}, 1.0},
        {{square(16), square(32), square(64)}, std::nullopt},
        {{square(16), At(32, 0), square(64), square(128)}, std::nullopt},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::optional<double> s = MeasuredGrowth(cases[i].points, GrowthFigure::Comparisons);
        ASSERT_EQ(s.has_value(), cases[i].slope.has_value()) << "case " << i;
        if (s) {
            EXPECT_NEAR(*s, *cases[i].slope, 1e-9) << "case " << i;
        }
    }
    EXPECT_EQ(GrowthText(1.98), "n^1.98");
    EXPECT_EQ(GrowthText(std::nullopt), "\u2013");
}

// Every routine on random, ascending and descending data measures within
// what the routine table claims for that order's case; the textbook ones
// also within the exponents any textbook gives.
TEST(Growth, TheRoutineTablesCostsAgreeWithTheMeasurements)
{
    struct Named { const char* routine; int order; double low, high; };
    const Named named[] = {
        {"Selection Sort", kRandom, 1.9, 2.1},  {"Bubble Sort", kRandom, 1.9, 2.1},
        {"Insertion Sort", kRandom, 1.9, 2.1},  {"Merge Sort", kRandom, 1.0, 1.25},
        {"Heap Sort", kRandom, 1.0, 1.25},      {"Quick Sort", kRandom, 1.0, 1.25},
        {"Stooge Sort", kRandom, 2.6, 2.8},     {"Insertion Sort", kAscending, 0.95, 1.05},
        {"Quick Sort", kAscending, 1.9, 2.1},   {"Insertion Sort", kDescending, 1.9, 2.1},
    };
    std::map<std::pair<int, int>, double> measured; // by routine and order
    for (int order : {kRandom, kAscending, kDescending}) {
        for (int r = 0; r < kRoutineCount; ++r) {
            // Bogo Sort's limit leaves it no widths to measure.
            if (!RoutineRuns(r) || RoutineTable[r].sizeLimit > 0)
                continue;
            // One at a time: the budget is wall time.
            auto g = Growth::Start(order, kTestBudget, SizesFor(ClaimedCost(r, order)), {r});
            g->Wait();
            const GrowthRow row = g->Rows()[r];
            const QString cost = ClaimedCost(r, order);
            const std::optional<ExponentRange> range = ExpectedExponent(cost);
            const std::optional<double> e = MeasuredGrowth(row.points, WorkFigure(r));
            const std::string what = std::string(RoutineTable[r].name) + " on " + OrderName(order).toStdString() + ", "
                + CaseName(OrderCase(r, order)).toStdString() + " case " + cost.toStdString();
            ASSERT_TRUE(range) << what;
            // A distribution sort that finds the data in place writes nothing:
            // its work there has no growth to measure.
            if (!e && !RoutineTable[r].compares)
                continue;
            ASSERT_TRUE(e) << what;
            std::printf("%-60s n^%.3f\n", what.c_str(), *e);
            measured[{r, order}] = *e;
            // A worst case is a bound: reversed data is the worst input of the
            // simple exchange and insertion sorts, but not of the gap sorts (Comb,
            // Shell) nor of every quick sort, which then stay below it.
            if (OrderCase(r, order) != CostCase::Worst) {
                EXPECT_GE(*e, range->low) << what;
            }
            EXPECT_LE(*e, range->high) << what;
            for (const GrowthPoint& p : row.points)
                EXPECT_TRUE(p.verified) << what << " at " << p.size;
        }
    }
    for (const Named& n : named) {
        const std::string what = std::string(n.routine) + " on " + OrderName(n.order).toStdString();
        const auto e = measured.find(std::pair(Code(n.routine), n.order));
        ASSERT_NE(e, measured.end()) << what;
        EXPECT_GE(e->second, n.low) << what;
        EXPECT_LE(e->second, n.high) << what;
    }
    // Which case an order is.
    EXPECT_EQ(OrderCase(Code("Insertion Sort"), kAscending), CostCase::Best);
    EXPECT_EQ(OrderCase(Code("Insertion Sort"), kDescending), CostCase::Worst);
    EXPECT_EQ(OrderCase(Code("Quick Sort"), kAscending), CostCase::Worst);
    EXPECT_EQ(OrderCase(Code("Randomized Quick Sort"), kDescending), CostCase::Average);
    EXPECT_EQ(OrderCase(Code("Merge Sort"), kAlmostAsc), CostCase::Average);
}

TEST(Growth, FiguresAtEveryWidthAreTheHeadlessComparisons)
{
    const std::vector<int> routines = {Code("Insertion Sort"), Code("Randomized Quick Sort"), Code("Counting Sort")};
    auto g = Growth::Start(kAlmostAsc, 30, {16, 32, 64, 128}, routines);
    g->Wait();
    const std::vector<GrowthRow> rows = g->Rows();
    for (int r : routines) {
        ASSERT_EQ(rows[r].points.size(), 4u) << RoutineTable[r].name;
        EXPECT_EQ(rows[r].end, GrowthRow::End::Largest);
        for (const GrowthPoint& p : rows[r].points) {
            StopSwitch stop;
            const Integer n = static_cast<Integer>(p.size);
            const RunResult want = RunHeadless(r, FreshInput(kAlmostAsc, n, n), stop);
            const std::string what = std::string(RoutineTable[r].name) + " at " + std::to_string(p.size);
            EXPECT_EQ(p.comparisons, want.comparisons) << what;
            EXPECT_EQ(p.steps, want.steps) << what;
            EXPECT_EQ(p.writes, want.writes) << what;
            EXPECT_TRUE(p.verified) << what;
        }
    }
    // Routines left out, those that do not run and those whose size limit is
    // below the first width run nothing.
    EXPECT_EQ(rows[Code("Merge Sort")].end, GrowthRow::End::NotAvailable);
    EXPECT_EQ(rows[Code("Bucket Sort")].end, GrowthRow::End::NotAvailable);
    auto bogo = Growth::Start(kRandom, 30, {8, 16}, {Code("Bogo Sort")});
    bogo->Wait();
    const GrowthRow b = bogo->Rows()[Code("Bogo Sort")];
    EXPECT_EQ(b.end, GrowthRow::End::SizeLimit);
    ASSERT_EQ(b.points.size(), 1u);
    EXPECT_EQ(b.points[0].size, 8);
}

// Stooge Sort at 4096 values would run for most of a minute.
TEST(Growth, TheBudgetStopsARunWithinItself)
{
    const int stooge = Code("Stooge Sort");
    const double budget = 0.05;
    const auto start = std::chrono::steady_clock::now();
    auto g = Growth::Start(kRandom, budget, {64, 4096}, {stooge});
    g->Wait();
    const double took = SecondsSince(start);
    std::printf("budget %.2f s: the growth ended after %.3f s\n", budget, took);
    const GrowthRow row = g->Rows()[stooge];
    EXPECT_EQ(row.end, GrowthRow::End::Budget);
    EXPECT_EQ(row.stoppedSize, 4096);
    ASSERT_EQ(row.points.size(), 1u);
    EXPECT_EQ(row.points[0].size, 64);
    EXPECT_LT(took, budget + 3); // loose: a loaded machine
    EXPECT_FALSE(g->Cancelled());
}

TEST(Growth, CancelStopsAtOnceAndLeavesNothingRunning)
{
    const std::size_t before = Threads();
    const int stooge = Code("Stooge Sort");
    auto g = Growth::Start(kRandom, 600, {4096}, {stooge, Code("Selection Sort")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return g->Rows()[stooge].end == GrowthRow::End::Running; }, 5000));
    QTest::qWait(50);
    const auto start = std::chrono::steady_clock::now();
    g->Cancel();
    g->Wait();
    const double took = SecondsSince(start);
    std::printf("Cancel: everything ended after %.1f ms\n", took * 1000);
    EXPECT_LT(took, 3.0); // loose: a loaded machine
    EXPECT_TRUE(g->Finished());
    EXPECT_TRUE(g->Cancelled());
    EXPECT_EQ(g->Rows()[stooge].end, GrowthRow::End::Cancelled);
    EXPECT_TRUE(g->Rows()[stooge].points.empty());
    EXPECT_EQ(Threads(), before);
    EXPECT_DOUBLE_EQ(g->Progress(), g->Progress()); // readable after the end
}

// ---------------------------------------------------------------- command line

namespace {

using GrowthCommandLine = CommandLineFixture;

} // namespace

TEST_F(GrowthCommandLine, JsonCsvAndTableOfEveryRoutine)
{
    const Output json = Invoke({"--compare", "--growth", "--order", "ascending", "--budget", "0.02", "--format", "json"});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o["orderName"].toString(), "Ascending");
    EXPECT_DOUBLE_EQ(o["budgetSeconds"].toDouble(), 0.02);
    const QJsonArray routines = o["routines"].toArray();
    ASSERT_EQ(routines.size(), kRoutineCount);
    const QJsonObject insertion = routines[Code("Insertion Sort")].toObject();
    EXPECT_EQ(insertion["claimed"].toString(), "O(n)");
    EXPECT_EQ(insertion["case"].toString(), "best");
    EXPECT_NEAR(insertion["growth"].toObject()["comparisons"].toDouble(), 1.0, 0.05);
    // Insertion Sort on ascending data is quick to the widest data set.
    const QJsonArray points = insertion["points"].toArray();
    ASSERT_FALSE(points.isEmpty());
    EXPECT_EQ(points.last().toObject()["size"].toInt(), GrowthSizes().back());
    EXPECT_EQ(points.last().toObject()["comparisons"].toInteger(), GrowthSizes().back() - 1);

    // The stored order is the default; CSV has a header and a row per routine.
    const Output csv = Invoke({"--compare", "--growth", "--budget", "0.01", "--format", "csv"});
    ASSERT_EQ(csv.status, 0) << csv.err.toStdString();
    const QStringList lines = csv.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), kRoutineCount + 1);
    EXPECT_TRUE(lines[0].startsWith("Routine,Largest size,Work,Growth,Claimed,Case,Ended,16,32,")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1 + Code("Merge Sort")].startsWith("Merge Sort,")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1 + Code("Merge Sort")].contains(",O(n log n),average,")) << lines[1].toStdString();
}

TEST_F(GrowthCommandLine, BadArgumentsSayWhyAndPrintNothing)
{
    for (const QStringList& args : std::vector<QStringList>{
             {"--compare", "--growth", "--order", "all"}, {"--compare", "--growth", "--width", "100"},
             {"--compare", "--budget", "1"}, {"--compare", "--growth", "--budget", "0"},
             {"--compare", "--growth", "--budget", "x"}, {"--compare", "--growth", "--budget", "61"},
             {"--growth"}}) {
        const Output o = Invoke(args);
        const std::string what = args.join(' ').toStdString();
        EXPECT_EQ(o.status, 2) << what;
        EXPECT_EQ(o.out, "") << what;
        EXPECT_TRUE(o.err.startsWith("ordivan: ")) << what;
    }
}

// ---------------------------------------------------------------- the page

namespace {

class GrowthPage : public MainWindowTest {};

} // namespace

TEST_F(GrowthPage, ShowsEveryRoutineCopiesSavesAndLeavesTheMainWindowAlone)
{
    frmMain& w = Ready(0, 100);
    w.mnuCompare_Click();
    auto* c = w.findChild<frmCompare*>();
    ASSERT_NE(c, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([c] { return !c->Computing(); }, 12000));
    auto state = [] { return std::tuple{SourceData, SortData, SortSet, Comparisons, Sorting.load(), RndState()}; };
    const auto before = state();
    GrowthView* g = c->growth;
    ASSERT_NE(g, nullptr);
    auto* box = c->findChild<QCheckBox*>(QStringLiteral("chkGrowth"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(g->cboOrder->currentIndex(), SortSet[0]); // the stored order
    g->spnBudget->setValue(0.02);
    box->setChecked(true);
    ASSERT_TRUE(GrowthShown(g));
    ASSERT_TRUE(QTest::qWaitFor([g] { return !g->Computing(); }, 20000));
    QTest::qWait(120);
    EXPECT_EQ(state(), before);

    // The copy is the page's, a line per routine; the window's Save writes it.
    const QString tsv = c->CopyText();
    EXPECT_EQ(tsv, g->CopyText());
    g->tblGrowth->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(g->tblGrowth, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), tsv);
    EXPECT_EQ(tsv.count('\n'), kRoutineCount + 1);
    QTemporaryDir dir;
    ASSERT_TRUE(c->SaveCsv(dir.filePath("growth.csv")));
    QFile file(dir.filePath("growth.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), g->PageText(ReportFormat::Csv));

    // The chart has a line per routine that compares and ran; the one
    // selected in the table, or under the mouse, is the highlighted one.
    const int heap = Code("Heap Sort");
    const auto& lines = g->chart->lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [heap](const GrowthChart::Line& l) { return l.routine == heap; }));
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const GrowthChart::Line& l) { return l.routine == Code("Counting Sort"); }));
    g->tblGrowth->setCurrentCell(heap, 0);
    EXPECT_EQ(g->chart->highlighted(), heap);
    const GrowthChart::Line& line = *std::find_if(lines.begin(), lines.end(), [heap](const GrowthChart::Line& l) { return l.routine == heap; });
    const QPointF at = g->chart->position(line.points.back().first, line.points.back().second);
    QMouseEvent move(QEvent::MouseMove, at, g->chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(g->chart, &move);
    EXPECT_EQ(g->chart->hoveredRoutine(), heap);
    EXPECT_EQ(g->chart->routineAt(at), heap);

    // Writes instead of comparisons: Counting Sort now has a line.
    g->cboFigure->setCurrentIndex(2);
    EXPECT_TRUE(std::any_of(g->chart->lines().begin(), g->chart->lines().end(),
                            [](const GrowthChart::Line& l) { return l.routine == Code("Counting Sort"); }));

    // Cancel from the page ends a long growth; All orders leaves the page.
    g->spnBudget->setValue(5);
    c->Refresh();
    ASSERT_TRUE(g->Computing());
    QTest::mouseClick(g->cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(g->Computing());
    EXPECT_TRUE(g->growth()->Cancelled());
    c->SetAllOrders(true);
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(GrowthShown(g));
    c->close();
}
