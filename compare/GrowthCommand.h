// `ordivan --compare --growth [--order NAME|CODE] [--budget SECONDS]
// [--format table|csv|json]`: the growth of every routine's work on one
// order, printed without a window.
#pragma once

#include "compare/Report.h"

#include <QString>
#include <QTextStream>

#include <optional>

// The budget a run may take, in seconds, from its text: more than 0, at most 60.
std::optional<double> ParseGrowthBudget(const QString& text);

// Why the other options do not go with --growth, or nothing when they do.
std::optional<QString> GrowthOptionProblem(bool growth, bool budget, bool allOrders, bool sized);

// Runs the growth of every routine on `order` and gives what the command
// line prints. No budget: the default.
QString GrowthText(int order, std::optional<double> budget, ReportFormat format);
