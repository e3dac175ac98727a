// The figures of a comparison as text: an aligned table for a terminal,
// CSV for a file, tab-separated text for the clipboard, JSON for programs.
#pragma once

#include "compare/Comparison.h"

#include <QString>
#include <QStringList>

#include <vector>

enum class ReportFormat { Table, Csv, Tsv, Json };

// What the figures were computed on.
struct ReportInfo {
    // The columns' orders for all orders; empty for the one data set.
    std::vector<int> orders;
    Integer order = 0; // of the one data set
    Integer height = 0;
    Integer width = 0;
    Integer delay = 0; // hundredths of a second per step
};

using ResultGrid = std::vector<std::vector<RunResult>>; // [routine][column]

// The name of an order code: its list text, or the code itself.
QString OrderName(int order);
// The time a run with `steps` steps takes in the window at `delay`, in seconds.
double WindowSeconds(std::int64_t steps, Integer delay);
// What the row of a routine says beside its figures: "Not available",
// "Not a comparison sort", or nothing.
QString RoutineNote(int routine);

// The one data set: a row per routine with every figure.
QStringList TableHeader();
QStringList TableRow(int routine, const RunResult& r, Integer delay);
// All orders: a row per routine, the comparisons per order.
QStringList MatrixHeader(const std::vector<int>& orders);
QStringList MatrixRow(int routine, const std::vector<RunResult>& cells);

QString Report(const ResultGrid& results, const ReportInfo& info, ReportFormat format);
