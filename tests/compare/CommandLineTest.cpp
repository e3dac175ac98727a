// The command line: the worked figures, every format read back to the
// computed numbers, the stored settings as defaults, and bad arguments.
#include "compare/CommandLine.h"
#include "compare/CommandOutput.h"
#include "compare/Comparison.h"
#include "compare/Report.h"
#include "support/QtPrint.h"
#include "engine/Routines.h"
#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

struct Output { int status; QString out, err; };

// The order list as Sort Settings shows it, by code.
const QStringList kOrderNames{"Ascending",      "Descending", "Almost Asc.", "Almost Des.", "Escalator Asc.",
                              "Escalator Des.", "Random",     "Random Asc.", "Random Des."};

void Store(const char* key, const QString& value)
{
    SaveSetting(QStringLiteral("Ordivan"), QStringLiteral("Settings"), QString::fromLatin1(key), value);
}

Output Invoke(QStringList args)
{
    args.prepend(QStringLiteral("ordivan"));
    Output o;
    QTextStream out(&o.out), err(&o.err);
    o.status = RunCommandLine(args, out, err);
    out.flush();
    err.flush();
    return o;
}

QStringList Lines(const QString& text) { return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

// The line of a routine, split at `separator`; empty when there is none.
QStringList Row(const QString& text, const char* routine, const QString& separator = QStringLiteral(","))
{
    for (const QString& line : Lines(text))
        if (line.startsWith(QLatin1String(routine) + separator))
            return separator == "," ? line.split(',') : line.split(' ', Qt::SkipEmptyParts);
    return {};
}

// A routine's figures in JSON, each named in the failure.
void ExpectFigures(const QJsonObject& j, const RunResult& r, const std::string& where)
{
    EXPECT_EQ(j["comparisons"].toInteger(), r.comparisons) << where;
    EXPECT_EQ(j["steps"].toInteger(), r.steps) << where;
    EXPECT_EQ(j["writes"].toInteger(), r.writes) << where;
    EXPECT_TRUE(j["verified"].toBool()) << where;
}

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(SettingsFilePath(QStringLiteral("Ordivan"))); }
    void TearDown() override { SetUp(); }
};

} // namespace

TEST_F(CommandLineTest, WorkedFiguresWithTheStoredSettingsAsDefaults)
{
    // Stored: descending, 100 values, a height below 1 (read as the default 100), 50 ms a step.
    for (const auto& [key, value] : {std::pair{"SortOrder", "1"}, {"SortWidth", "100"}, {"SortHeight", "0"}, {"DrawDelay", "5"}})
        SaveSetting(QStringLiteral("Ordivan"), QStringLiteral("Settings"), key, value);
    // routine, ascending, descending
    const std::vector<std::tuple<const char*, int, int>> worked = {
        {"Quick Sort", 5148, 5198}, {"Lomuto Quick Sort", 5049, 5049}, {"Heap Sort", 1380, 1132},
        {"Selection Sort", 4950, 4950}, {"Bubble Sort", 4950, 4950}, {"Insertion Sort", 99, 5049},
    };
    for (const bool ascending : {false, true}) {
        const Output table = Invoke(ascending ? QStringList{"--compare", "--order", "ascending"} : QStringList{"--compare"});
        ASSERT_EQ(table.status, 0) << table.err.toStdString();
        EXPECT_EQ(table.err, "");
        for (const auto& [name, up, down] : worked)
            EXPECT_TRUE(Row(table.out, name, "  ").contains(QString::number(ascending ? up : down)))
                << (ascending ? "ascending " : "descending ") << name << '\n' << table.out.toStdString();
    }
    const QStringList quick = Row(Invoke({"--compare", "--format", "csv"}).out, "Quick Sort");
    ASSERT_EQ(quick.size(), 8);
    EXPECT_EQ(quick[4], QString::number(quick[2].toInt() * 0.05, 'f', 2)) << "the window time: the steps at 50 ms";
    SaveSetting(QStringLiteral("Ordivan"), QStringLiteral("Settings"), "SortWidth", "zero");
    EXPECT_EQ(ReadStoredSortSettings().width, 100);
}

TEST_F(CommandLineTest, CsvAndJsonReadBackToTheComputedFiguresAllVerified)
{
    std::unique_ptr<Comparison> every = Comparison::OnOrders({0, 1, 2, 3, 4, 5, 6, 7, 8}, 70, 60);
    every->Wait();
    const auto results = every->Results();
    const auto run = [](const char* order, const char* format) {
        const Output o = Invoke({"--compare", "--order", order, "--width", "60", "--height", "70", "--format", format});
        EXPECT_EQ(o.status, 0) << o.err.toStdString();
        return o.out;
    };
    const QString csv = run("RANDOM", "csv"), csvAll = run("all", "csv");
    const QJsonObject table = QJsonDocument::fromJson(run("6", "json").toUtf8()).object();
    const QJsonObject matrix = QJsonDocument::fromJson(run("All", "json").toUtf8()).object();
    EXPECT_EQ(table["order"].toString(), "Random");
    for (std::size_t r = 0; r < RoutineTable.size(); ++r) {
        const char* name = RoutineTable[r].name;
        const QStringList row = Row(csv, name), allRow = Row(csvAll, name);
        const QJsonObject jrow = table["routines"].toArray()[int(r)].toObject();
        const QJsonArray cells = matrix["routines"].toArray()[int(r)].toObject()["cells"].toArray();
        ASSERT_EQ(row.size(), 8) << name;
        EXPECT_EQ(jrow["name"].toString(), name);
        if (!RoutineRuns(int(r))) {
            EXPECT_EQ(jrow["state"].toString(), "not available");
            continue;
        }
        if (!WithinLimit(int(r), 60)) {
            EXPECT_EQ(jrow["state"].toString(), "not run") << name;
            continue;
        }
        // The one data set is the Random column: what a fresh program generates.
        const RunResult& random = results[r][6];
        EXPECT_EQ(row.mid(1, 3), (QStringList{QString::number(random.comparisons), QString::number(random.steps),
                                              QString::number(random.writes)})) << name << ": comparisons, steps, writes";
        EXPECT_EQ(row[6], "yes") << name;
        ExpectFigures(jrow, random, name);
        ASSERT_EQ(allRow.size(), 11) << name;
        ASSERT_EQ(cells.size(), 9) << name;
        for (int c = 0; c < 9; ++c) {
            const std::string where = name + std::string(" order ") + std::to_string(c);
            EXPECT_EQ(allRow[c + 1].toLongLong(), results[r][c].comparisons) << where;
            EXPECT_TRUE(results[r][c].verified) << where;
            ExpectFigures(cells[c].toObject(), results[r][c], where);
        }
    }
}

TEST_F(CommandLineTest, BadArgumentsSayWhyAndPrintNothing)
{
    for (const QStringList& args : std::vector<QStringList>{
             {"--compare", "--order", "sideways"}, {"--compare", "--order", "9"}, {"--compare", "--order", "-1"},
             {"--compare", "--width", "0"}, {"--compare", "--width", "32768"}, {"--compare", "--height", "x"},
             {"--compare", "--format", "xml"}, {"--compare", "stray"}, {"--compare", "--bogus"},
             {"--order", "all"}, {"--compare", "--width"}, {"--help-all"}}) {
        const Output o = Invoke(args);
        const std::string what = args.join(' ').toStdString();
        EXPECT_EQ(o.status, 2) << what;
        EXPECT_EQ(o.out, "") << what;
        const QStringList lines = Lines(o.err);
        ASSERT_GE(lines.size(), 2) << what;
        EXPECT_TRUE(lines[0].startsWith("ordivan: ")) << lines[0].toStdString();
        EXPECT_TRUE(lines[1].startsWith("Usage:")) << lines[1].toStdString();
    }
}

TEST_F(CommandLineTest, EveryOrderIsNamedByItsOwnNameWhereverItIsPrinted)
{
    const QStringList small{"--width", "12", "--height", "30"};
    for (int code = 0; code < 9; ++code) {
        const QString name = kOrderNames[code];
        SCOPED_TRACE(name.toStdString());
        const Output table = Invoke(QStringList{"--compare", "--order", QString::number(code)} + small);
        EXPECT_TRUE(table.out.startsWith("Order " + name + ", height 30, width 12,")) << table.out.toStdString();
        // The name reaches the same data set as the code.
        EXPECT_EQ(Invoke(QStringList{"--compare", "--order", name} + small).out.section('\n', 0, 0), table.out.section('\n', 0, 0));
        const QJsonObject json = QJsonDocument::fromJson(
            Invoke(QStringList{"--compare", "--order", QString::number(code), "--format", "json"} + small).out.toUtf8()).object();
        EXPECT_EQ(json["order"].toString(), name);
    }
    const QString header = "Routine," + kOrderNames.join(',') + ",Note";
    EXPECT_EQ(Lines(Invoke(QStringList{"--compare", "--order", "all", "--format", "csv"} + small).out).value(0), header);
    const QStringList tableAll = Lines(Invoke(QStringList{"--compare", "--order", "all"} + small).out);
    ASSERT_GE(tableAll.size(), 2);
    EXPECT_EQ(tableAll[1].split("  ", Qt::SkipEmptyParts).join(',').remove(' '), QString(header).remove(' '));
    const QJsonObject all = QJsonDocument::fromJson(
        Invoke(QStringList{"--compare", "--order", "all", "--format", "json"} + small).out.toUtf8()).object();
    EXPECT_EQ(all["orders"].toVariant().toStringList(), kOrderNames);
    // And each column holds the data its name says: Insertion Sort's count
    // on ascending and descending data.
    const QJsonArray insertion = all["routines"].toArray()[2].toObject()["cells"].toArray();
    ASSERT_EQ(all["routines"].toArray()[2].toObject()["name"].toString(), "Insertion Sort");
    EXPECT_EQ(insertion[int(kOrderNames.indexOf("Ascending"))].toObject()["comparisons"].toInteger(), 11);
    EXPECT_EQ(insertion[int(kOrderNames.indexOf("Descending"))].toObject()["comparisons"].toInteger(), 66 + 11);
}

TEST_F(CommandLineTest, EveryFormatWritesCountsPastTwoToThe32WholeAndTheSameMilliseconds)
{
    constexpr std::int64_t kStooge4000 = 5'230'176'601;
    ResultGrid grid(RoutineTable.size(), std::vector<RunResult>(1));
    for (std::size_t r = 0; r < grid.size(); ++r) {
        RunResult& cell = grid[r][0];
        cell.state = RoutineRuns(int(r)) ? RunResult::State::Done : RunResult::State::NotAvailable;
        cell.comparisons = kStooge4000 + std::int64_t(r);
        cell.steps = (std::int64_t{3} << 32) + std::int64_t(r);
        cell.engineSeconds = 0.0123456 * double(r + 1);
        cell.verified = true;
    }
    ReportInfo info;
    info.order = 6, info.height = 100, info.width = 4000, info.delay = 1;
    const QString table = Report(grid, info, ReportFormat::Table), csv = Report(grid, info, ReportFormat::Csv);
    const QJsonArray json = QJsonDocument::fromJson(Report(grid, info, ReportFormat::Json).toUtf8()).object()["routines"].toArray();
    info.orders = {6};
    const QString matrix = Report(grid, info, ReportFormat::Csv);
    for (std::size_t r = 0; r < grid.size(); ++r) {
        if (grid[r][0].state != RunResult::State::Done)
            continue;
        const char* name = RoutineTable[r].name;
        const QString count = QString::number(kStooge4000 + std::int64_t(r));
        EXPECT_TRUE(Row(table, name, "  ").contains(count)) << name;
        const QStringList row = Row(csv, name);
        ASSERT_EQ(row.size(), 8) << name;
        EXPECT_EQ(row[1], count) << name;
        EXPECT_EQ(row[2].toLongLong(), grid[r][0].steps) << name;
        EXPECT_EQ(Row(matrix, name).value(1), count) << name;
        const QJsonObject j = json[int(r)].toObject();
        EXPECT_EQ(j["comparisons"].toInteger(), kStooge4000 + std::int64_t(r)) << name;
        // The same run's time in both, to the CSV's three decimals.
        EXPECT_NEAR(j["engineMilliseconds"].toDouble(), row[5].toDouble(), 0.0005) << name;
        EXPECT_NEAR(j["engineMilliseconds"].toDouble(), grid[r][0].engineSeconds * 1000, 1e-9) << name;
        EXPECT_NEAR(j["windowSeconds"].toDouble(), row[4].toDouble(), 0.005) << name;
    }
}

TEST_F(CommandLineTest, StoredSettingsOutsideTheirRangeReadAsTheirDefaultsAtEveryEdge)
{
    struct Case { const char* key; const char* stored; int order, height, width; };
    for (const Case& c : {Case{"SortOrder", "0", 0, 100, 100}, {"SortOrder", "8", 8, 100, 100}, {"SortOrder", "9", 6, 100, 100},
                          {"SortOrder", "99", 6, 100, 100},    {"SortOrder", "-1", 6, 100, 100},
                          {"SortWidth", "1", 6, 100, 1},       {"SortWidth", "0", 6, 100, 100},
                          {"SortWidth", "32767", 6, 100, 32767}, {"SortWidth", "32768", 6, 100, 100},
                          {"SortHeight", "1", 6, 1, 100},      {"SortHeight", "0", 6, 100, 100},
                          {"SortHeight", "32767", 6, 32767, 100}, {"SortHeight", "32768", 6, 100, 100}}) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        QFile::remove(SettingsFilePath(QStringLiteral("Ordivan")));
        Store(c.key, c.stored);
        const ComparisonPlan plan = PlanComparison(ParseCommandLine({"ordivan", "--compare"}), ReadStoredSortSettings());
        EXPECT_EQ(plan.orders, std::vector<int>{c.order});
        EXPECT_EQ(plan.info.order, c.order);
        EXPECT_EQ(plan.info.height, c.height);
        EXPECT_EQ(plan.info.width, c.width);
    }
    // The whole way: an order past the list computes the default order.
    QFile::remove(SettingsFilePath(QStringLiteral("Ordivan")));
    Store("SortOrder", "99");
    const Output o = Invoke({"--compare", "--width", "10"});
    EXPECT_EQ(o.status, 0);
    EXPECT_TRUE(o.out.startsWith("Order Random, height 100, width 10,")) << o.out.toStdString();
}

TEST_F(CommandLineTest, TheParseTurnsArgumentsIntoARequestAndRunsNothing)
{
    using A = CommandRequest::Action;
    const auto parse = [](QStringList args) { args.prepend("ordivan"); return ParseCommandLine(args); };
    EXPECT_EQ(parse({}).action, A::Window);
    EXPECT_EQ(parse({"-h"}).action, A::Help);
    EXPECT_EQ(parse({"--version"}).action, A::Version);
    const CommandRequest plain = parse({"--compare"});
    EXPECT_EQ(plain.action, A::Compare);
    EXPECT_FALSE(plain.order || plain.width || plain.height || plain.allOrders);
    const CommandRequest full = parse({"--compare", "--order", " almost asc. ", "--width=32767", "--height", "1", "--format", "JSON"});
    EXPECT_EQ(full.order, 2);
    EXPECT_EQ(full.width, Integer{32767});
    EXPECT_EQ(full.height, Integer{1});
    EXPECT_EQ(full.format, ReportFormat::Json);
    EXPECT_TRUE(parse({"--compare", "--order", "ALL"}).allOrders);
    const CommandRequest bad = parse({"--compare", "--width", "0"});
    EXPECT_EQ(bad.action, A::Bad);
    EXPECT_EQ(bad.error, "The width must be a whole number from 1 to 32767: 0");
    // Every option the help lists is one the parse takes.
    const QString help = CommandLineHelp();
    const QRegularExpression option(R"(^\s+(?:-[a-z?], )?--([a-z-]+)( <)?)", QRegularExpression::MultilineOption);
    int listed = 0;
    for (auto m = option.globalMatch(help); m.hasNext(); ++listed) {
        const QRegularExpressionMatch match = m.next();
        QStringList args{"--compare", "--" + match.captured(1)};
        if (!match.captured(2).isEmpty())
            args << (match.captured(1) == "format" ? "csv" : "7");
        if (match.captured(1) == "budget")
            args << "--growth";
        EXPECT_NE(parse(args).action, A::Bad) << match.captured(0).toStdString() << ": " << parse(args).error.toStdString();
    }
    EXPECT_EQ(listed, 9) << help.toStdString();
}

TEST_F(CommandLineTest, OutputThatCannotBeWrittenIsAFailureSaidInOneLine)
{
    const int full = open("/dev/full", O_WRONLY);
    const int readOnly = open("/dev/null", O_RDONLY); // as a closed output held by the program
    ASSERT_GE(full, 0);
    for (const auto& [fd, reason] : {std::pair{full, "No space left on device"}, {readOnly, "Bad file descriptor"}})
        for (const QStringList& args : {QStringList{"ordivan", "--help"}, {"ordivan", "--version"},
                                        {"ordivan", "--compare", "--width", "5", "--format", "csv"}}) {
            SCOPED_TRACE(args.join(' ').toStdString() + " > " + reason);
            DescriptorOutput device(fd);
            QTextStream out(&device);
            QString errors;
            QTextStream err(&errors);
            EXPECT_EQ(RunCommandLine(args, out, err), 1);
            EXPECT_EQ(errors, QStringLiteral("ordivan: cannot write the output: %1\n").arg(reason));
        }
    close(full);
    close(readOnly);
}

TEST_F(CommandLineTest, ASettingsFileThatIsAFolderIsSaidAsTheWindowSaysItAndTheFiguresStillCome)
{
    const QString path = SettingsFilePath(QStringLiteral("Ordivan"));
    ASSERT_TRUE(QDir().mkpath(path));
    const Output o = Invoke({"--compare", "--width", "5"});
    QDir(path).removeRecursively();
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, QStringLiteral("Ordivan: cannot read the settings in %1: it is a folder\n").arg(path));
    EXPECT_TRUE(o.out.startsWith("Order Random, height 100, width 5,")) << o.out.toStdString();
}
