// A damaged settings file never stops the start, never crashes the program
// later and never costs the user the settings that are still good: each bad
// key takes its default, the good ones stay, and the next normal close
// writes a clean file.
#include "engine/Module1.h"
#include "mainwindow/Main.h"
#include "mainwindow/frmMain.h"
#include "platform/Twips.h"
#include "support/QtPrint.h"
#include "support/StoredFile.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using Colours = std::array<Integer, 5>;
const Colours kDefaultColours{0, 15, 10, 9, 12};

struct Damage {
    const char* name;
    std::string file; // the file as stored
    Colours colours;  // what the program must load
    std::array<Integer, 2> draw;
    std::array<Integer, 3> sort;
    double width = 6500; // of the window, in twips; its other place keys keep their defaults
};

static void PrintTo(const Damage& damage, std::ostream* os) { *os << damage.name; }

static std::vector<Damage> Damages()
{
    auto lines = [](const std::string& text) { return "[Settings]\n" + text; };
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 131 + 7) % 256);
    const std::string digits(5000, '9');
    return {
        {"every key good", lines("Background=1\nForeground=2\nIndicator1=3\nIndicator2=4\nIndicator3=5\nDrawWidth=6\n"
                                 "DrawDelay=7\nSortOrder=8\nSortHeight=500\nSortWidth=50\n"),
         {1, 2, 3, 4, 5}, {6, 7}, {8, 500, 50}},
        {"non-numeric text", lines("Background=abc\nForeground=14\nDrawWidth=wide\nSortWidth=50\n"),
         {0, 14, 10, 9, 12}, {2, 0}, {6, 100, 50}},
        {"empty values", lines("Background=\nIndicator1=\nDrawDelay=3\nSortHeight=\n"), kDefaultColours, {2, 3}, {6, 100, 100}},
        {"beyond 16 bits", lines("Indicator2=40000\nDrawDelay=-40000\nSortHeight=500\nSortWidth=99999\n"),
         kDefaultColours, {2, 0}, {6, 500, 100}},
        {"colours outside the palette", lines("Background=20\nForeground=16\nIndicator1=-1\nIndicator2=255\nIndicator3=20\n"),
         kDefaultColours, {2, 0}, {6, 100, 100}},
        {"order past the list", lines("SortOrder=99\nSortWidth=50\n"), kDefaultColours, {2, 0}, {6, 100, 50}},
        {"negative sizes", lines("DrawWidth=-2\nSortHeight=-100\nSortWidth=-1\nSortOrder=2\n"), kDefaultColours, {2, 0}, {2, 100, 100}},
        {"fractions round half to even", lines("DrawWidth=2.5\nDrawDelay=3.5\nSortWidth=50.5\nBackground=1.4\n"),
         {1, 15, 10, 9, 12}, {2, 4}, {6, 100, 50}},
        {"white space around values", lines("Foreground =  7  \nSortWidth=\t500\t\n"), {0, 7, 10, 9, 12}, {2, 0}, {6, 100, 500}},
        {"very long values", lines("Background=" + digits + "\nMainLeft=" + digits + "\nForeground=3\n"),
         {0, 3, 10, 9, 12}, {2, 0}, {6, 100, 100}},
        {"lists and quotes", lines("Indicator3=1,5\nIndicator1=\"4\"\n"), {0, 15, 4, 9, 12}, {2, 0}, {6, 100, 100}},
        {"missing keys and a stray section", "[Other]\nBackground=5\n[Settings]\nSortOrder=0\ngarbage line\n",
         kDefaultColours, {2, 0}, {0, 100, 100}},
        {"duplicated keys", lines("Background=3\nBackground=3\nSortWidth=50\nSortWidth=50\n"), {3, 15, 10, 9, 12}, {2, 0}, {6, 100, 50}},
        {"binary junk", junk, kDefaultColours, {2, 0}, {6, 100, 100}},
        {"window place", lines("MainLeft=left\nMainTop=1e30\nMainWidth=7200\nMainHeight=\n"), kDefaultColours, {2, 0}, {6, 100, 100}, 7200},
    };
}

class SettingsDamage : public ::testing::TestWithParam<Damage> {
protected:
    void TearDown() override { EndMain(); ResetSharedState(); QFile::remove(SettingsFile()); }
};

TEST_P(SettingsDamage, BadKeysTakeDefaultsGoodKeysStayAndTheNextCloseWritesACleanFile)
{
    const Damage& damage = GetParam();
    ResetSharedState();
    QDir().mkpath(QFileInfo(SettingsFile()).path());
    QFile file(SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(damage.file.data(), static_cast<qint64>(damage.file.size()));
    file.close();

    Main();
    ASSERT_NE(MainWindow(), nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(MainWindow()));
    EXPECT_EQ(MainWindow()->frameGeometry(),
              QRect(TwipsToPixelsX(1000), TwipsToPixelsY(1000), TwipsToPixelsX(damage.width), TwipsToPixelsY(6500)));
    EXPECT_EQ(ColorSet, damage.colours);
    EXPECT_EQ(DrawSet, damage.draw);
    EXPECT_EQ(SortSet, damage.sort);
    EXPECT_EQ(static_cast<int>(SourceData.size()), SortSet[2] + 1);

    MainWindow()->close();
    const auto stored = StoredSettings();
    QStringList keys = kStoredKeys;
    keys.sort();
    EXPECT_EQ(stored.keys(), keys) << "the fourteen keys, each once";
    for (const QString& key : kSettingKeys) {
        bool number = false;
        stored.value(key).toDouble(&number);
        EXPECT_TRUE(number) << key.toStdString();
    }
    EXPECT_EQ(stored.value("SortWidth"), QString::number(SortSet[2]));
    EXPECT_EQ(stored.value("Indicator3"), QString::number(ColorSet[4]));
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsDamage, ::testing::ValuesIn(Damages()), [](const auto& info) {
    std::string name = info.param.name;
    std::ranges::replace_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});
