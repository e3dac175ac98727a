// How long the growth takes: every routine on one order at the default
// budget (the target is 15 s on a two-core machine), where each routine's
// widths ended, how far a stopped run went past its budget, and how soon
// Cancel ends everything.
#include "compare/Growth.h"
#include "engine/Module1.h"
#include "engine/Routines.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace {

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double Cpu()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void Whole(int order)
{
    const double wall = Now();
    const double cpu = Cpu();
    auto g = Growth::Start(order);
    g->Wait();
    const double took = Now() - wall;
    std::printf("growth of every routine on %s, budget %.2f s: %.2f s (cpu %.2f s over both workers)%s\n",
                OrderName(order).toUtf8().constData(), g->Budget(), took, Cpu() - cpu,
                took <= 15 ? "" : "  OVER 15 s");
    const std::vector<GrowthRow> rows = g->Rows();
    for (int r = 0; r < kRoutineCount; ++r) {
        const GrowthRow& row = rows[r];
        double seconds = 0;
        for (const GrowthPoint& p : row.points)
            seconds += p.seconds;
        std::printf("  %-24s %-14s widest %5d  %s  runs %.3f s\n", RoutineTable[r].name,
                    EndText(row.end).toUtf8().constData(), row.points.empty() ? 0 : row.points.back().size,
                    GrowthText(MeasuredGrowth(row.points, WorkFigure(r))).toUtf8().constData(), seconds);
    }
}

// A run that would take minutes (Stooge Sort at 4096 values) against budgets.
void BudgetOvershoot()
{
    const int stooge = 9;
    for (double budget : {0.05, 0.25}) {
        const double start = Now();
        auto g = Growth::Start(6, budget, {4096}, {stooge});
        g->Wait();
        std::printf("Stooge Sort at 4096 values, budget %.2f s: stopped after %.1f ms (%.1f ms past the budget)\n",
                    budget, (Now() - start) * 1000, (Now() - start - budget) * 1000);
    }
}

void CancelLatency()
{
    auto g = Growth::Start(6);
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // under way
    const double start = Now();
    g->Cancel();
    g->Wait();
    std::printf("Cancel during the growth: everything ended after %.2f ms (target 100 ms)\n", (Now() - start) * 1000);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ResetSharedState();
    Whole(6);
    Whole(0);
    BudgetOvershoot();
    CancelLatency();
    return 0;
}
