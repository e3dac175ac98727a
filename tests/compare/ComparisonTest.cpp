// The headless comparison: its verdict, runs that must do no work, the size
// limit in every output, and the order in which the matrix fills.
#include "compare/Comparison.h"
#include "compare/Report.h"
#include "engine/Routines.h"
#include "support/QtPrint.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <gtest/gtest.h>

#include <thread>

namespace {

// Made on a thread of its own, as the workers make theirs: it resets the state of its thread.
RunInput Fresh(Integer order, Integer height, Integer width)
{
    RunInput input;
    std::thread([&] { input = FreshInput(order, height, width); }).join();
    return input;
}

RunResult RunOnThread(int routine, const RunInput& input, StopSwitch& stop)
{
    RunResult result;
    std::thread([&] { result = RunHeadless(routine, input, stop); }).join();
    return result;
}

int Costliest(int width)
{
    int costliest = 0;
    for (int r = 0; r < kRoutineCount; ++r)
        if (RoutineRuns(r) && WithinLimit(r, width) && ExpectedCost(r, width) > ExpectedCost(costliest, width))
            costliest = r;
    return costliest;
}

} // namespace

TEST(Comparison, VerifiedMeansAscendingAndThePermutationOfTheInput)
{
    // Index 0 is where the markers park: never part of the verdict.
    const std::vector<Integer> input{0, 5, 3, 3, 9};
    const struct {
        std::vector<Integer> output;
        int width;
        bool verified;
        const char* what;
    } cases[] = {
        {{0, 3, 3, 5, 9}, 4, true, "sorted"},
        {{7, 3, 3, 5, 9}, 4, true, "sorted, index 0 disturbed"},
        {{0, 3, 5, 5, 9}, 4, false, "ascending, a value duplicated over another"},
        {{0, 3, 3, 5, 10}, 4, false, "ascending, a value changed"},
        {{0, 0, 3, 3, 5}, 4, false, "ascending, shifted: 9 lost"},
        {{0, 3, 5, 3, 9}, 4, false, "the permutation, not ascending"},
        {{0, 3, 3, 5}, 4, false, "shorter than the width"},
        {{0, 5, 3}, 1, true, "width 1"},
        {{0}, 0, true, "width 0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Verified(input, c.output, c.width), c.verified) << c.what;
}

TEST(Comparison, AStopGivenBeforeTheStartEndsEveryRoutineWithNoWorkDone)
{
    // Within every size limit, so each routine would run.
    const RunInput input = Fresh(6, 100, 8);
    StopSwitch stop;
    stop.Stop();
    for (int r = 0; r < kRoutineCount; ++r) {
        const RunResult result = RunOnThread(r, input, stop);
        const char* name = RoutineTable[r].name;
        EXPECT_EQ(result.state, RoutineRuns(r) ? RunResult::State::Cancelled : RunResult::State::NotAvailable) << name;
        EXPECT_EQ(std::tuple(result.comparisons, result.steps, result.writes), std::tuple(0, 0, 0)) << name;
    }
}

TEST(Comparison, StopEndsARunThatTakesNoStep)
{
    // On ascending data the costliest routine exchanges nothing, so only the flag stops it.
    const int routine = Costliest(1000);
    const RunInput input = Fresh(0, 1000, 1000);
    StopSwitch stop;
    RunResult result;
    std::thread worker([&] { result = RunHeadless(routine, input, stop); });
    QTest::qWait(30);
    stop.Stop();
    worker.join();
    EXPECT_EQ(result.state, RunResult::State::Cancelled);
    EXPECT_EQ(result.steps, 0);
}

TEST(Comparison, ARoutineOverItsSizeLimitIsNotRunAndEveryOutputSaysSo)
{
    int limited = 0;
    for (int r = 0; r < kRoutineCount; ++r) {
        const int limit = RoutineTable[r].sizeLimit;
        if (limit <= 0 || !RoutineRuns(r))
            continue;
        ++limited;
        const std::string name = RoutineTable[r].name;
        StopSwitch stop;
        // Ascending at the limit: runs (and ends at once, whatever the routine).
        const RunResult at = RunOnThread(r, Fresh(0, 100, static_cast<Integer>(limit)), stop);
        EXPECT_EQ(at.state, RunResult::State::Done) << name;
        EXPECT_TRUE(at.verified) << name;
        const RunResult over = RunOnThread(r, Fresh(6, 100, static_cast<Integer>(limit + 1)), stop);
        EXPECT_EQ(over.state, RunResult::State::NotRun) << name;
        EXPECT_EQ(std::tuple(over.comparisons, over.steps, over.writes), std::tuple(0, 0, 0)) << name;

        // A comparison makes no job of it; every output says why in its row.
        auto c = Comparison::OnOrders({0, 6}, 100, static_cast<Integer>(limit + 1));
        c->Wait();
        const ResultGrid grid = c->Results();
        for (const RunResult& cell : grid[r])
            EXPECT_EQ(cell.state, RunResult::State::NotRun) << name;
        const QString note = QStringLiteral("Not run: more than %1 values").arg(limit);
        ReportInfo matrix{{0, 6}, 0, 100, static_cast<Integer>(limit + 1), 0};
        ReportInfo table{{}, 0, 100, static_cast<Integer>(limit + 1), 0};
        const ResultGrid column = [&] {
            ResultGrid g;
            for (const auto& row : grid)
                g.push_back({row[0]});
            return g;
        }();
        for (const QString& text : {Report(column, table, ReportFormat::Table), Report(column, table, ReportFormat::Csv),
                                    Report(grid, matrix, ReportFormat::Table), Report(grid, matrix, ReportFormat::Csv)}) {
            const QStringList lines = text.split('\n');
            const auto row = std::find_if(lines.begin(), lines.end(), [&](const QString& l) {
                return l.startsWith(QString::fromStdString(name));
            });
            ASSERT_NE(row, lines.end()) << text.toStdString();
            EXPECT_TRUE(row->endsWith(note)) << row->toStdString();
        }
        for (const auto& [g, info] : {std::pair{column, table}, std::pair{grid, matrix}}) {
            const QJsonObject json = QJsonDocument::fromJson(Report(g, info, ReportFormat::Json).toUtf8()).object();
            const QJsonObject row = json["routines"].toArray()[r].toObject();
            const QJsonObject cell = info.orders.empty() ? row : row["cells"].toArray()[0].toObject();
            EXPECT_EQ(row["note"].toString(), note) << name;
            EXPECT_EQ(cell["state"].toString(), "not run") << name;
            EXPECT_EQ(cell["note"].toString(), note) << name;
            EXPECT_FALSE(cell.contains("comparisons")) << name;
        }
    }
    EXPECT_GT(limited, 0) << "no routine of the table has a size limit";
}

TEST(Comparison, CheapRowsFillWhileTheCostliestRunsAndACancelMarksEveryCellLeft)
{
    std::vector<int> all;
    for (int o = 0; o < kOrderCount; ++o)
        all.push_back(o);
    const int costliest = Costliest(1000);
    auto c = Comparison::OnOrders(all, 1000, 1000);
    const auto pending = [](const std::vector<RunResult>& row) {
        return std::count_if(row.begin(), row.end(), [](const RunResult& r) { return r.state == RunResult::State::Pending; });
    };
    // Half the other rows complete while the costliest still has more than
    // the one cell a worker is on to go.
    bool cheapFirst = false;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const ResultGrid g = c->Results();
        int complete = 0;
        for (int r = 0; r < kRoutineCount; ++r)
            complete += r != costliest && pending(g[r]) == 0;
        cheapFirst = pending(g[costliest]) > 1;
        return 2 * complete >= kRoutineCount - 1 || c->Finished();
    }, 60000));
    EXPECT_TRUE(cheapFirst) << RoutineTable[costliest].name << " held the other rows back";
    c->Cancel();
    c->Wait();
    ASSERT_TRUE(c->Finished());
    const ResultGrid g = c->Results();
    for (int r = 0; r < kRoutineCount; ++r)
        EXPECT_EQ(pending(g[r]), 0) << RoutineTable[r].name;
    EXPECT_GT(std::count_if(g[costliest].begin(), g[costliest].end(),
                            [](const RunResult& r) { return r.state == RunResult::State::Cancelled; }), 0);
}

// Every text output of the comparison and the growth goes through these two.
TEST(Report, FieldsAreQuotedWhereTheyMustBeAndColumnsAligned)
{
    const std::vector<QStringList> rows = {{"Routine", "Comparisons", "Note"}, {"Quick Sort", "5198", "a, \"b\""}, {"Bogo", "9", ""}};
    EXPECT_EQ(SeparatedRows(rows, ','), "Routine,Comparisons,Note\nQuick Sort,5198,\"a, \"\"b\"\"\"\nBogo,9,\n");
    EXPECT_EQ(SeparatedRows({{"a,b", "c\td", "e\nf"}}, '\t'), "a,b\t\"c\td\"\t\"e\nf\"\n");
    EXPECT_EQ(AlignedRows(rows, true), "Routine     Comparisons  Note\nQuick Sort         5198  a, \"b\"\nBogo                  9\n");
    EXPECT_EQ(AlignedRows({{"a", "1", "10"}, {"bbb", "22", "5"}}, false), "a     1  10\nbbb  22   5\n");
}
