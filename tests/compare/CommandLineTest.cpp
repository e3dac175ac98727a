// The command line: the worked figures, every format read back to the
// computed numbers, the stored settings as defaults, and bad arguments.
#include "compare/CommandLine.h"
#include "compare/CommandOutput.h"
#include "compare/Comparison.h"
#include "compare/Report.h"
#include "support/CommandLineRun.h"
#include "support/QtPrint.h"
#include "engine/Routines.h"
#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

// The order list as Sort Settings shows it, by code.
const QStringList kOrderNames{"Ascending",      "Descending", "Almost Asc.", "Almost Des.", "Escalator Asc.",
                              "Escalator Des.", "Random",     "Random Asc.", "Random Des."};

void Store(const char* key, const QString& value)
{
    SaveSetting(QStringLiteral("Ordivan"), QStringLiteral("Settings"), QString::fromLatin1(key), value);
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

using CommandLineTest = CommandLineFixture;

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
             {"--order", "all"}, {"--compare", "--width"}, {"--help-all"},
             // --data takes the place of the generated data set's options, and --growth makes its own.
             {"--compare", "--data"}, {"--compare", "--data", "v.txt", "--width", "5"},
             {"--compare", "--data", "v.txt", "--order", "random"}, {"--compare", "--data", "v.txt", "--height", "5"},
             {"--compare", "--growth", "--data", "v.txt"}, {"--data", "v.txt"},
             // Each command's own options stay with it.
             {"--compare", "--routine", "Heap Sort"}, {"--compare", "--size", "64x48"}, {"--compare", "--sound"},
             {"--compare", "--export", "run.gif"}, {"--export", "run.gif", "--order", "all"},
             {"--export", "run.gif", "--format", "csv"}, {"--export", "run.gif", "--growth"}}) {
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
    // Every option the help lists is one the parse takes, with the command it goes with.
    const QString help = CommandLineHelp();
    const QRegularExpression option(R"(^  (?:-[a-z?], )?--([a-z-]+)( <)?)", QRegularExpression::MultilineOption);
    const QStringList exportOnly{"routine", "size", "fps", "duration", "steps-per-frame", "no-caption", "sound", "export"};
    const QMap<QString, QString> values{{"format", "csv"}, {"size", "64x48"}, {"data", "values.txt"},
                                        {"routine", "Heap Sort"}, {"export", "run.gif"}};
    int listed = 0;
    for (auto m = option.globalMatch(help); m.hasNext(); ++listed) {
        const QRegularExpressionMatch match = m.next();
        const QString name = match.captured(1);
        QStringList args = exportOnly.contains(name) ? QStringList{"--export", "run.gif"} : QStringList{"--compare"};
        if (name != "export")
            args << "--" + name;
        if (!match.captured(2).isEmpty() && name != "export")
            args << values.value(name, "7");
        if (name == "budget")
            args << "--growth";
        EXPECT_NE(parse(args).action, A::Bad) << match.captured(0).toStdString() << ": " << parse(args).error.toStdString();
    }
    EXPECT_EQ(listed, 18) << help.toStdString();
    // The data set's options are one parse for both commands: the same text, the same request.
    for (const QStringList& set : {QStringList{"--order", "Almost Des.", "--width", "77", "--height", "9"},
                                   QStringList{"--data", "-"}}) {
        const CommandRequest compare = parse(QStringList{"--compare"} + set);
        const CommandRequest exported = parse(QStringList{"--export", "run.gif"} + set);
        EXPECT_EQ(exported.action, A::Export);
        EXPECT_EQ(compare.order, exported.order);
        EXPECT_EQ(compare.width, exported.width);
        EXPECT_EQ(compare.height, exported.height);
        EXPECT_EQ(compare.dataPath, exported.dataPath);
    }
    EXPECT_EQ(parse({"--export", "run.gif", "--order", "3"}).order, 3);
    EXPECT_EQ(parse({"--export", "run.gif", "--width", "0"}).error, bad.error);
}

// --data: the comparison runs on exactly the file's values, with the random
// sequence where a freshly started program has it, so every count equals
// the headless run's on the same values.
TEST_F(CommandLineTest, OwnDataIsComparedExactlyAsTheHeadlessRunsOnTheSameValues)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("values.csv");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Value\n# from the slide\n5, 2; 4\n6 1 3\n900\n");
    f.close();
    const std::vector<std::int16_t> values{5, 2, 4, 6, 1, 3, 900};
    // Stored settings move the random sequence of a fresh start: Randomized Quick Sort sees it.
    Store("SortWidth", "37");
    const Output o = Invoke({"--compare", "--data", path, "--format", "json"});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(o.out.toUtf8()).object();
    EXPECT_EQ(json["data"].toString(), path);
    EXPECT_EQ(json["width"].toInt(), 7);
    EXPECT_EQ(json["height"].toInt(), 900);
    RunInput input;
    input.values = {0, 5, 2, 4, 6, 1, 3, 900};
    input.order = 6, input.height = 900, input.width = 7;
    std::thread([&] { input.rndState = FreshInput(6, 100, 37).rndState; }).join();
    EXPECT_EQ(OwnValuesInput(values, 6, input.rndState).values, input.values);
    EXPECT_EQ(OwnValuesInput({0, 0}, 6, 0).height, 1) << "all zero: the height is still 1";
    std::unique_ptr<Comparison> headless = Comparison::OnData(input);
    headless->Wait();
    const auto results = headless->Results();
    const QJsonArray rows = json["routines"].toArray();
    ASSERT_EQ(rows.size(), int(results.size()));
    for (std::size_t r = 0; r < results.size(); ++r)
        if (results[r][0].state == RunResult::State::Done)
            ExpectFigures(rows[int(r)].toObject(), results[r][0], RoutineTable[r].name);
    EXPECT_EQ(rows[0].toObject()["comparisons"].toInteger(), 21) << "Selection Sort on seven values";
    EXPECT_TRUE(Invoke({"--compare", "--data", path}).out.startsWith("Data " + path + ", height 900, width 7,"));
}

TEST_F(CommandLineTest, DataThatCannotBeTakenIsOneLineWithItsPlaceAndExitTwo)
{
    QTemporaryDir dir;
    struct Case { const char* text; const char* said; };
    for (const Case& c : {Case{"5 2\n4 x1\n", "line 2, column 3: \"x1\" is not a whole number from 0 to 32767"},
                          {"# nothing\n", "no values: a data set needs at least one whole number from 0 to 32767"}}) {
        SCOPED_TRACE(c.text);
        const QString path = dir.filePath("bad.txt");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.text);
        f.close();
        const Output o = Invoke({"--compare", "--data", path});
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err, QStringLiteral("ordivan: %1: %2\n").arg(path, QString::fromUtf8(c.said)));
    }
    // A file that cannot be read is bad data too: the path and the reason.
    for (const auto& [path, reason] : {std::pair{dir.filePath("missing.txt"), QStringLiteral("No such file or directory")},
                                       {dir.path(), QStringLiteral("is a folder, not a file")}}) {
        const Output o = Invoke({"--compare", "--data", path});
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(o.err, QStringLiteral("ordivan: %1: %2\n").arg(path, reason));
    }
}

// A save is whole or nothing: every failure says why and keeps the file
// that was there.
TEST(SaveWhole, EveryFailureSaysWhyAndKeepsTheFileThatWasThere)
{
    QTemporaryDir dir;
    const QString kept = dir.filePath("kept.csv");
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    ASSERT_TRUE(write(kept, "old,figures\n"));
    const QByteArray text = QByteArray("Routine,Comparisons\n").repeated(200);
    const auto contents = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    };

    // No folder to write in; a folder where the file should be.
    const QString missing = dir.filePath("no/such/folder/table.csv");
    EXPECT_EQ(SaveWhole(missing, text), "No such file or directory");
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(SaveWhole(dir.path(), text), "it is a folder");

    // The disk fills up: the process may grow no file past 16 bytes (its
    // own limit, so this holds without a full disk and without privileges).
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString full = SaveWhole(kept, text);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(full, "File too large");
    EXPECT_EQ(contents(kept), "old,figures\n");

    // A folder that may not be written in (not as root, who may).
    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    ASSERT_TRUE(write(locked + "/table.csv", "old\n"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    if (!QFile(locked + "/probe").open(QIODevice::WriteOnly)) {
        EXPECT_EQ(SaveWhole(locked + "/table.csv", text), "Permission denied");
        EXPECT_EQ(contents(locked + "/table.csv"), "old\n");
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // And a save that works replaces the file whole, leaving nothing beside it.
    EXPECT_EQ(SaveWhole(kept, text), "");
    EXPECT_EQ(contents(kept), text);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.csv"});
}
