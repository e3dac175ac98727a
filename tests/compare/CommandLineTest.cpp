// The command line: the worked figures, every format read back to the
// computed numbers, the stored settings as defaults, and bad arguments.
#include "compare/CommandLine.h"
#include "compare/Comparison.h"
#include "compare/Report.h"
#include "support/QtPrint.h"
#include "engine/Routines.h"
#include "platform/Settings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

struct Output { int status; QString out, err; };

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
             {"--order", "all"}, {"--compare", "--width"}}) {
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
