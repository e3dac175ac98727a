// How fast the comparison of all routines is: the matrix of every routine by
// the nine orders and the one-data-set table at width 1000 (a routine over
// its size limit is not run), the cost of a headless step, how soon
// Cancel ends the workers, and how steadily the window's event loop ticks
// (and sees the progress move) while the workers run.
#include "compare/Comparison.h"
#include "engine/FillSource.h"
#include "engine/Module1.h"
#include "engine/Routines.h"
#include "platform/Runtime.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

namespace {

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double Cpu()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

std::vector<int> AllOrders()
{
    std::vector<int> all;
    for (int i = 0; i < kOrderCount; ++i)
        all.push_back(i);
    return all;
}

void Matrix()
{
    const double wall = Now();
    const double cpu = Cpu();
    auto c = Comparison::OnOrders(AllOrders(), 1000, 1000);
    // When every row but the costliest is complete: what the user waits for
    // before most of the matrix is there.
    const auto results = [&] { return c->Results(); };
    double rowsBut = -1;
    int costliest = 0;
    for (int r = 0; r < kRoutineCount; ++r)
        if (RoutineRuns(r) && WithinLimit(r, 1000) && ExpectedCost(r, 1000) > ExpectedCost(costliest, 1000))
            costliest = r;
    while (!c->Finished()) {
        const auto g = results();
        bool rest = true;
        for (int r = 0; r < kRoutineCount; ++r)
            for (const RunResult& cell : g[r])
                rest = rest && (r == costliest || cell.state != RunResult::State::Pending);
        if (rest && rowsBut < 0)
            rowsBut = Now() - wall;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    c->Wait();
    const double took = Now() - wall;
    const auto g = results();
    int run = 0;
    int notRun = 0;
    for (const auto& row : g)
        for (const RunResult& cell : row) {
            run += cell.state == RunResult::State::Done;
            notRun += cell.state == RunResult::State::NotRun;
        }
    std::printf("matrix %zu x %d at height 1000, width 1000: %.2f s (target at most 10 s; cpu %.2f s over both "
                "workers); %d runs, %d cells not run\n",
                g.size(), kOrderCount, took, Cpu() - cpu, run, notRun);
    std::printf("  every row but %s complete after %.2f s\n", RoutineTable[costliest].name, rowsBut);
    for (int r = 0; r < kRoutineCount; ++r) {
        double seconds = 0;
        std::int64_t comparisons = 0;
        for (const RunResult& cell : g[r])
            seconds += cell.engineSeconds, comparisons += cell.comparisons;
        std::printf("  %-22s %9.1f ms  %12lld comparisons, all nine orders\n", RoutineTable[r].name, seconds * 1000,
                    static_cast<long long>(comparisons));
    }
}

void Table()
{
    RunInput input;
    std::thread([&input] { input = FreshInput(6, 1000, 1000); }).join();
    const double wall = Now();
    auto c = Comparison::OnData(input);
    c->Wait();
    std::printf("table of one random data set at width 1000: %.3f s\n", Now() - wall);
    const auto results = c->Results();
    for (std::size_t r = 0; r < RoutineTable.size(); ++r) {
        const RunResult& res = results[r][0];
        if (res.state == RunResult::State::Done)
            std::printf("  %-22s %9.2f ms  %10lld steps  %6.1f ns a step or comparison\n", RoutineTable[r].name,
                        res.engineSeconds * 1000, static_cast<long long>(res.steps),
                        res.engineSeconds * 1e9 / std::max<std::int64_t>(1, std::max(res.steps, res.comparisons)));
    }
}

// The same Selection Sort headless and as the window's thread would run it at
// delay 0 (the pause reads the clock): what a step costs each way.
void StepCost()
{
    std::thread([] {
        RunInput input = FreshInput(6, 1000, 1000);
        StopSwitch stop;
        const RunResult headless = RunHeadless(0, input, stop);
        ResetSharedState();
        DrawSet = {1, 0};
        SortSet = {6, 1000, 1000};
        SortData = input.values;
        Sorting = true;
        const double start = Now();
        SelectionSort();
        const double clocked = Now() - start;
        std::printf("a step of Selection Sort: %.1f ns headless, %.1f ns with the pause reading the clock\n",
                    headless.engineSeconds * 1e9 / headless.steps, clocked * 1e9 / headless.steps);
        ResetSharedState();
    }).join();
}

// Cancel at several moments of the matrix; the time until every worker has ended.
void CancelLatency()
{
    double worst = 0;
    double sum = 0;
    const std::vector<int> delays = {5, 40, 120, 250, 400, 700, 1000};
    for (int ms : delays) {
        auto c = Comparison::OnOrders(AllOrders(), 1000, 1000);
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        const double start = Now();
        c->Cancel();
        c->Wait();
        const double took = Now() - start;
        worst = std::max(worst, took);
        sum += took;
    }
    std::printf("cancel to every worker ended: worst %.2f ms, mean %.2f ms over %zu cancels\n", worst * 1000,
                sum * 1000 / delays.size(), delays.size());
}

// A 50 ms timer on the event loop during the matrix, as the window polls.
void Responsiveness()
{
    auto c = Comparison::OnOrders(AllOrders(), 1000, 1000);
    QTimer timer;
    timer.setInterval(50);
    double last = Now();
    double worstGap = 0;
    int ticks = 0;
    int moves = 0;
    double shown = -1;
    const double start = last;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const double now = Now();
        worstGap = std::max(worstGap, now - last);
        last = now;
        ++ticks;
        const double p = c->Progress();
        if (p != shown)
            ++moves, shown = p;
        if (c->Finished())
            QCoreApplication::quit();
    });
    timer.start();
    QCoreApplication::exec();
    const double took = Now() - start;
    std::printf("event loop during the matrix: %d ticks in %.2f s (%.1f a second), longest gap %.1f ms, "
                "progress moved %d times (%.1f a second)\n",
                ticks, took, ticks / took, worstGap * 1000, moves, moves / took);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ResetSharedState();
    Table();
    Matrix();
    StepCost();
    CancelLatency();
    Responsiveness();
    return 0;
}
