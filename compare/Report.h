// The figures of a comparison as text: an aligned table for a terminal,
// CSV for a file, tab-separated text for the clipboard, JSON for programs.
#pragma once

#include "compare/Comparison.h"

#include <QString>
#include <QStringList>

#include <span>
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
    bool facts = false; // the one data set's table also says whether stable, and the cost
    QString data{};     // the file the one data set was read from; empty: generated in `order`
};

using ResultGrid = std::vector<std::vector<RunResult>>; // [routine][column]

// Rows of fields joined by `separator`, a field quoted where it holds the
// separator, a quote or a line break (CSV, the clipboard's tabs).
QString SeparatedRows(const std::vector<QStringList>& rows, QChar separator);
// Rows in columns padded to their widest field for a terminal: the names
// left, the figures right; a last column of words (`textLast`) unpadded.
QString AlignedRows(const std::vector<QStringList>& rows, bool textLast);

// The name of an order code: its list text, or the code itself.
QString OrderName(int order);
// The time a run with `steps` steps takes in the window at `delay`, in seconds.
double WindowSeconds(std::int64_t steps, Integer delay);
// What the row of a routine says beside its figures (its cells, one or one
// per order): "Not available", "Not run: more than 10 values", "Not a
// comparison sort", or nothing.
QString RoutineNote(int routine, std::span<const RunResult> cells);

// What a student needs to know of a routine, from the routine table: "yes"
// or "no" for stable, its average cost, and every fact in a few lines.
QString StableText(int routine);
QString CostText(int routine);
QString RoutineFacts(int routine);

// The one data set: a row per routine with every figure; with `facts`,
// "Stable" and "Cost" before the note.
QStringList TableHeader(bool facts = false);
QStringList TableRow(int routine, const RunResult& r, Integer delay, bool facts = false);
// All orders: a row per routine, the comparisons per order.
QStringList MatrixHeader(const std::vector<int>& orders);
QStringList MatrixRow(int routine, const std::vector<RunResult>& cells);

QString Report(const ResultGrid& results, const ReportInfo& info, ReportFormat format);
