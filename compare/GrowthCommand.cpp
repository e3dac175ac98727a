#include "compare/GrowthCommand.h"

#include "compare/Growth.h"

std::optional<double> ParseGrowthBudget(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !(v > 0) || v > 60)
        return std::nullopt;
    return v;
}

std::optional<QString> GrowthOptionProblem(bool growth, bool budget, bool allOrders, bool sized)
{
    if (budget && !growth)
        return QStringLiteral("--budget goes with --growth.");
    if (growth && allOrders)
        return QStringLiteral("--growth takes one order, not all.");
    if (growth && sized)
        return QStringLiteral("--growth chooses its own widths: leave out --width and --height.");
    return std::nullopt;
}

QString GrowthText(int order, std::optional<double> budget, ReportFormat format)
{
    std::unique_ptr<Growth> growth = Growth::Start(order, budget.value_or(Growth::kDefaultBudget));
    growth->Wait();
    GrowthReportInfo info;
    info.order = order;
    info.budget = growth->Budget();
    QString text = GrowthReport(growth->Rows(), growth->Sizes(), info, format);
    if (format == ReportFormat::Table)
        text += QStringLiteral("\nGrowth: the slope of log(work) against log(width) over the last four widths.\n"
                               "Claimed: the routine's cost for the order's case.\n");
    return text;
}
