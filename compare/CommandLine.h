// The command line: `ordivan --compare [--order NAME|CODE|all] [--width N]
// [--height N] [--format table|csv|json]` and `ordivan --compare --growth
// [--order NAME|CODE] [--budget SECONDS] [--format table|csv|json]` prints the comparison without a
// window or a display; --help and --version as usual.
//
// In three parts, each on its own: the parse turns the arguments into a
// request and runs nothing; the plan fills what the request leaves open from
// the stored settings; the run computes, and the output writes what it gave
// and fails loudly when it cannot. A new option adds a field to the request,
// its parse, and what the plan or the run makes of it.
#pragma once

#include "compare/Report.h"
#include "engine/Module1.h"

#include <QStringList>
#include <QTextStream>

#include <optional>

// True when the arguments (the program's name first) name an option of the
// command line; otherwise the program opens its window as always.
bool WantsCommandLine(const QStringList& arguments);

// What the arguments ask for.
struct CommandRequest {
    enum class Action {
        Window,  // no option at all: the program opens its window
        Help,    // --help
        Version, // --version
        Compare, // --compare
        Bad,     // the arguments make no sense: `error` says why
    };
    Action action = Action::Window;
    QString error;
    // --compare; what is not given comes from the stored settings.
    bool allOrders = false;
    std::optional<int> order;
    std::optional<Integer> width;
    std::optional<Integer> height;
    ReportFormat format = ReportFormat::Table;
    // --growth: every routine on doubling widths, each run within `budget` seconds.
    bool growth = false;
    std::optional<double> budget;
};

// The arguments, the program's name first, as a request. Reads and runs
// nothing.
CommandRequest ParseCommandLine(const QStringList& arguments);
// The help text: the usage line and every option the parse takes.
QString CommandLineHelp();

// The stored sort settings the command line starts from, read as the window
// reads them at load (engine/StoredKeys.h). Anything that keeps the store
// from being read is added to `problems`, one line each, as the window says it.
struct StoredSortSettings {
    Integer order = 6;
    Integer height = 100;
    Integer width = 100;
    Integer delay = 0;
};
StoredSortSettings ReadStoredSortSettings(QStringList* problems = nullptr);

// A comparison to run: the request completed by the stored settings.
struct ComparisonPlan {
    std::vector<int> orders; // the columns
    ReportInfo info;
    ReportFormat format = ReportFormat::Table;
};
ComparisonPlan PlanComparison(const CommandRequest& request, const StoredSortSettings& stored);

// Writes text to out and flushes it. Returns false, after one line on err
// saying why, when it could not be written whole.
bool WriteOutput(QTextStream& out, QTextStream& err, const QString& text);

// Parses and runs the command line, writing the figures to `out` and any
// complaint to `err`. Returns the exit status: 0 done, 1 the output could
// not be written, 2 bad arguments (said with the usage; nothing then goes
// to `out`).
int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);
// Says why the arguments are bad, with the usage, on err. Returns 2.
int RejectArguments(const QString& error, QTextStream& err);
