// The command line: `ordivan --compare [--order NAME|CODE|all] [--width N]
// [--height N] [--data FILE] [--format table|csv|json]` and `ordivan --compare
// --growth [--order NAME|CODE] [--budget SECONDS] [--format table|csv|json]`
// print the comparison without a window or a display; `ordivan --export FILE
// ...` writes a run (export/ExportCommand.h runs it); --help and --version as
// usual. One parser takes every option, so the data set's options mean the
// same for --compare and --export.
//
// In three parts, each on its own: the parse turns the arguments into a
// request and runs nothing; the plan fills what the request leaves open from
// the stored settings; the run computes, and the output writes what it gave
// and fails loudly when it cannot. A new option adds a field to the request,
// its parse, and what the plan or the run makes of it.
#pragma once

#include "compare/Report.h"
#include "engine/Module1.h"

#include <QSize>
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
        Export,  // --export: run by export/ExportCommand.h
        Bad,     // the arguments make no sense: `error` says why
    };
    Action action = Action::Window;
    QString error;
    // --compare; what is not given comes from the stored settings.
    bool allOrders = false;
    std::optional<int> order;
    std::optional<Integer> width;
    std::optional<Integer> height;
    // --data: the values of this file ("-" standard input) instead of a
    // generated data set; not with --order, --width or --height.
    QString dataPath;
    ReportFormat format = ReportFormat::Table;
    // --growth: every routine on doubling widths, each run within `budget` seconds.
    bool growth = false;
    std::optional<double> budget;
    // --export FILE and its options; what is not given is the export's default.
    struct Export {
        QString path;
        std::optional<int> routine;
        std::optional<QSize> size;
        std::optional<int> fps;
        std::optional<double> seconds;
        std::optional<int> stepsPerFrame;
        bool caption = true;
        bool sound = false;
    } exportRun;
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

// The data set --data names: its values as a run starts from them (width
// their count, height their largest value, at least 1; the random sequence
// where a freshly started program has it), or the one line that says why
// they cannot be taken: a bad token with its line and column, a file that
// cannot be read. `-` reads standard input.
struct DataSetLoad {
    std::optional<RunInput> input;
    QString error;
};
DataSetLoad LoadDataSet(const QString& path, const StoredSortSettings& stored);
// How both commands start: the stored settings, anything that keeps them
// from being read said on err, and the data set of --data when one is named.
// `failed` holds the exit status when the data cannot be taken (said on err).
struct CommandStart {
    StoredSortSettings stored;
    std::optional<RunInput> data;
    std::optional<int> failed;
};
CommandStart StartCommand(const QString& dataPath, QTextStream& err);
// The run input of own values (each 0..32767), the random sequence as `rndState`.
RunInput OwnValuesInput(const std::vector<std::int16_t>& values, Integer order, std::uint64_t rndState);

// A comparison to run: the request completed by the stored settings.
struct ComparisonPlan {
    std::vector<int> orders; // the columns
    ReportInfo info;
    ReportFormat format = ReportFormat::Table;
};
// With `data`, the plan is that data set's (--data).
ComparisonPlan PlanComparison(const CommandRequest& request, const StoredSortSettings& stored,
                              const RunInput* data = nullptr);

// Writes text to out and flushes it. Returns false, after one line on err
// saying why, when it could not be written whole.
bool WriteOutput(QTextStream& out, QTextStream& err, const QString& text);

// Parses and runs the command line, writing the figures to `out` and any
// complaint to `err`. Returns the exit status: 0 done, 1 the output could
// not be written, 2 bad arguments (said with the usage) or --data that
// cannot be taken (one line); nothing then goes to `out`. --export is not
// run here but by export/ExportCommand.h, which needs the toolkit's fonts.
int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);
// Says why the arguments are bad, with the usage, on err. Returns 2.
int RejectArguments(const QString& error, QTextStream& err);
// Says one line on err and returns the status: bad data (2), lost output (1).
int Fail(const QString& line, QTextStream& err, int status);

// The exit statuses of the command line.
constexpr int kExitOutputLost = 1;
constexpr int kExitBadArguments = 2;

// The parse of the values the options share: NAME or CODE of the order list,
// a whole number 1..32767, a routine's NAME or CODE that runs.
std::optional<int> ParseOrderName(const QString& text);
std::optional<Integer> ParseSize(const QString& text);
std::optional<int> ParseRoutineName(const QString& text);
