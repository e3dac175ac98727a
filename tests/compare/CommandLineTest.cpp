// The command line: the worked figures, every format read back to the same
// numbers, the stored settings as defaults, and bad arguments.
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

struct Output {
    int status;
    QString out, err;
};

Output Invoke(QStringList args)
{
    args.prepend(QStringLiteral("ordivan"));
    Output o;
    QTextStream out(&o.out), err(&o.err);
    o.status = RunCommandLine(args, out, err);
    out.flush(), err.flush();
    return o;
}

QStringList Lines(const QString& text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The CSV row of a routine, split into fields.
QStringList CsvRow(const QString& csv, const char* routine)
{
    for (const QString& line : Lines(csv))
        if (line.startsWith(QLatin1String(routine) + QLatin1Char(',')))
            return line.split(QLatin1Char(','));
    return {};
}

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(SettingsFilePath(QStringLiteral("Ordivan"))); }
    void TearDown() override { QFile::remove(SettingsFilePath(QStringLiteral("Ordivan"))); }
};

} // namespace

TEST_F(CommandLineTest, WorkedFiguresOfAscendingAndDescendingDataAreInEveryFormat)
{
    // routine, ascending, descending
    const std::vector<std::tuple<const char*, int, int>> worked = {
        {"Quick Sort", 5148, 5198}, {"Lomuto Quick Sort", 5049, 5049}, {"Heap Sort", 1380, 1132},
        {"Selection Sort", 4950, 4950}, {"Bubble Sort", 4950, 4950}, {"Insertion Sort", 99, 5049},
    };
    for (const char* order : {"Ascending", "descending"}) {
        const bool ascending = order[0] == 'A';
        const Output table = Invoke({"--compare", "--order", order, "--width", "100", "--height", "100"});
        const Output csv = Invoke({"--compare", "--order", order, "--width", "100", "--format", "csv"});
        ASSERT_EQ(table.status, 0) << table.err.toStdString();
        ASSERT_EQ(csv.status, 0) << csv.err.toStdString();
        EXPECT_TRUE(table.err.isEmpty() && csv.err.isEmpty());
        for (const auto& [name, up, down] : worked) {
            const QString figure = QString::number(ascending ? up : down);
            const QStringList row = CsvRow(csv.out, name);
            ASSERT_EQ(row.size(), 8) << name;
            EXPECT_EQ(row[1], figure) << order << ' ' << name;
            bool found = false;
            for (const QString& line : Lines(table.out))
                if (line.startsWith(QLatin1String(name) + "  "))
                    found = line.split(' ', Qt::SkipEmptyParts).contains(figure);
            EXPECT_TRUE(found) << order << ' ' << name << '\n' << table.out.toStdString();
        }
        // Every routine that runs sorted the data; Bucket Sort says it is not available.
        for (std::size_t r = 0; r < RoutineTable.size(); ++r) {
            const QStringList row = CsvRow(csv.out, RoutineTable[r].name);
            ASSERT_EQ(row.size(), 8);
            EXPECT_EQ(row[6], RoutineRuns(int(r)) ? "yes" : "") << RoutineTable[r].name;
            EXPECT_EQ(row[7], RoutineNote(int(r)));
        }
    }
}

TEST_F(CommandLineTest, CsvAndJsonReadBackToTheComputedFigures)
{
    // One data set and all orders, against the same comparison run directly.
    std::unique_ptr<Comparison> one = Comparison::OnOrders({6}, 70, 60);
    std::vector<int> all{0, 1, 2, 3, 4, 5, 6, 7, 8};
    std::unique_ptr<Comparison> every = Comparison::OnOrders(all, 70, 60);
    one->Wait(), every->Wait();
    const auto oneResults = one->Results();
    const auto allResults = every->Results();

    const Output csv = Invoke({"--compare", "--order", "RANDOM", "--width", "60", "--height", "70", "--format", "csv"});
    const Output json = Invoke({"--compare", "--order", "6", "--width", "60", "--height", "70", "--format", "json"});
    const Output csvAll = Invoke({"--compare", "--order", "all", "--width", "60", "--height", "70", "--format", "csv"});
    const Output jsonAll = Invoke({"--compare", "--order", "All", "--width", "60", "--height", "70", "--format", "json"});
    for (const Output* o : {&csv, &json, &csvAll, &jsonAll})
        ASSERT_EQ(o->status, 0) << o->err.toStdString();

    const QJsonObject table = QJsonDocument::fromJson(json.out.toUtf8()).object();
    const QJsonObject matrix = QJsonDocument::fromJson(jsonAll.out.toUtf8()).object();
    EXPECT_EQ(table["order"].toString(), "Random");
    EXPECT_EQ(matrix["orders"].toArray().size(), 9);
    EXPECT_EQ(Lines(csvAll.out).first(), "Routine,Ascending,Descending,Almost Asc.,Almost Des.,Escalator Asc.,"
                                         "Escalator Des.,Random,Random Asc.,Random Des.,Note");
    for (std::size_t r = 0; r < RoutineTable.size(); ++r) {
        const char* name = RoutineTable[r].name;
        const RunResult& res = oneResults[r][0];
        const QStringList row = CsvRow(csv.out, name);
        const QJsonObject jrow = table["routines"].toArray()[int(r)].toObject();
        EXPECT_EQ(jrow["name"].toString(), name);
        EXPECT_EQ(jrow["comparisonSort"].toBool(), ComparesValues(int(r)));
        if (!RoutineRuns(int(r))) {
            EXPECT_EQ(jrow["state"].toString(), "not available");
            continue;
        }
        EXPECT_EQ(row[1].toLongLong(), res.comparisons) << name;
        EXPECT_EQ(row[2].toLongLong(), res.steps) << name;
        EXPECT_EQ(row[3].toLongLong(), res.writes) << name;
        EXPECT_EQ(jrow["comparisons"].toInteger(), res.comparisons) << name;
        EXPECT_EQ(jrow["steps"].toInteger(), res.steps) << name;
        EXPECT_EQ(jrow["writes"].toInteger(), res.writes) << name;
        EXPECT_TRUE(jrow["verified"].toBool()) << name;

        const QStringList allRow = CsvRow(csvAll.out, name);
        const QJsonArray cells = matrix["routines"].toArray()[int(r)].toObject()["cells"].toArray();
        ASSERT_EQ(allRow.size(), 11);
        ASSERT_EQ(cells.size(), 9);
        for (int c = 0; c < 9; ++c) {
            const RunResult& cell = allResults[r][c];
            EXPECT_EQ(allRow[c + 1].toLongLong(), cell.comparisons) << name << " order " << c;
            EXPECT_EQ(cells[c].toObject()["steps"].toInteger(), cell.steps) << name << " order " << c;
            EXPECT_EQ(cells[c].toObject()["writes"].toInteger(), cell.writes) << name << " order " << c;
            EXPECT_TRUE(cell.verified && cells[c].toObject()["verified"].toBool()) << name << " order " << c;
        }
        // The Random column is the one data set a fresh program generates.
        EXPECT_EQ(allResults[r][6].comparisons, res.comparisons) << name;
    }
}

TEST_F(CommandLineTest, DefaultsAreTheStoredSettingsCheckedAsAtLoad)
{
    const QString app = QStringLiteral("Ordivan"), section = QStringLiteral("Settings");
    SaveSetting(app, section, "SortOrder", "1");
    SaveSetting(app, section, "SortWidth", "100");
    SaveSetting(app, section, "SortHeight", "0"); // below 1: the default
    SaveSetting(app, section, "DrawDelay", "5");
    const StoredSortSettings s = ReadStoredSortSettings();
    EXPECT_TRUE(s.order == 1 && s.width == 100 && s.height == 100 && s.delay == 5);
    const Output o = Invoke({"--compare", "--format", "csv"});
    ASSERT_EQ(o.status, 0);
    const QStringList quick = CsvRow(o.out, "Quick Sort");
    // Descending data; the window time is the steps at 0.05 s each.
    EXPECT_EQ(quick[1], "5198");
    EXPECT_EQ(quick[4], QString::number(quick[2].toInt() * 0.05, 'f', 2));
    SaveSetting(app, section, "SortWidth", "zero");
    EXPECT_EQ(ReadStoredSortSettings().width, 100);
}

TEST_F(CommandLineTest, BadArgumentsSayWhyAndPrintNothing)
{
    const std::vector<QStringList> bad = {
        {"--compare", "--order", "sideways"}, {"--compare", "--order", "9"},   {"--compare", "--order", "-1"},
        {"--compare", "--width", "0"},        {"--compare", "--width", "32768"}, {"--compare", "--height", "x"},
        {"--compare", "--format", "xml"},     {"--compare", "stray"},          {"--compare", "--bogus"},
        {"--order", "all"},                   {"--compare", "--width"},
    };
    for (const QStringList& args : bad) {
        const Output o = Invoke(args);
        EXPECT_EQ(o.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(o.out.isEmpty()) << args.join(' ').toStdString();
        const QStringList lines = Lines(o.err);
        ASSERT_GE(lines.size(), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(lines[0].startsWith("ordivan: ")) << lines[0].toStdString();
        EXPECT_TRUE(lines[1].startsWith("Usage:")) << lines[1].toStdString();
    }
    const Output help = Invoke({"--help"});
    EXPECT_TRUE(help.status == 0 && help.out.contains("--compare") && help.err.isEmpty());
    EXPECT_EQ(Invoke({"--version"}).status, 0);
    // Only the program's own options leave the window out.
    EXPECT_FALSE(WantsCommandLine({"ordivan"}));
    EXPECT_FALSE(WantsCommandLine({"ordivan", "-platform", "offscreen"}));
    EXPECT_TRUE(WantsCommandLine({"ordivan", "--compare"}));
    EXPECT_TRUE(WantsCommandLine({"ordivan", "--width=5"}));
}
