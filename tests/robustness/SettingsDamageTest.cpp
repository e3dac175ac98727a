// A damaged settings file never stops the start, never crashes the program
// later and never costs the user the settings that are still good: each bad
// key takes its default, the good ones stay, and the next normal close
// writes a clean file.
#include "engine/Module1.h"
#include "mainwindow/Main.h"
#include "mainwindow/StoredSettings.h"
#include "mainwindow/frmMain.h"
#include "platform/Settings.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

const std::array<Integer, 5> kDefaultColors{0, 15, 10, 9, 12};

struct Damage {
    const char* name;
    std::string file;             // the settings file as stored
    std::array<Integer, 5> colors; // what the program must load
    std::array<Integer, 2> draw;
    std::array<Integer, 3> sort;
};

void PrintTo(const Damage& damage, std::ostream* os)
{
    *os << damage.name;
}

std::string settingsWith(const std::string& lines)
{
    return "[Settings]\n" + lines;
}

std::vector<Damage> damages()
{
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 131 + 7) % 256);
    const std::string longDigits(5000, '9');
    return {
        {"non-numeric text", settingsWith("Background=abc\nForeground=14\nDrawWidth=wide\nSortWidth=50\n"),
         {0, 14, 10, 9, 12}, {2, 0}, {6, 100, 50}},
        {"empty values", settingsWith("Background=\nIndicator1=\nDrawDelay=3\nSortHeight=\n"),
         kDefaultColors, {2, 3}, {6, 100, 100}},
        {"beyond 16 bits", settingsWith("Indicator2=40000\nDrawDelay=-40000\nSortHeight=500\nSortWidth=99999\n"),
         kDefaultColors, {2, 0}, {6, 500, 100}},
        {"negative sizes", settingsWith("DrawWidth=-2\nSortHeight=-100\nSortWidth=-1\nSortOrder=2\n"),
         kDefaultColors, {2, 0}, {2, 100, 100}},
        {"fractions round half to even", settingsWith("DrawWidth=2.5\nDrawDelay=3.5\nSortWidth=50.5\nBackground=1.4\n"),
         {1, 15, 10, 9, 12}, {2, 4}, {6, 100, 50}},
        {"white space around values", settingsWith("Foreground =  7  \nSortWidth=\t500\t\n"),
         {0, 7, 10, 9, 12}, {2, 0}, {6, 100, 500}},
        {"very long values", settingsWith("Background=" + longDigits + "\nMainLeft=" + longDigits + "\nForeground=3\n"),
         {0, 3, 10, 9, 12}, {2, 0}, {6, 100, 100}},
        {"lists and quotes", settingsWith("Indicator3=1,5\nIndicator1=\"4\"\n"), {0, 15, 4, 9, 12}, {2, 0}, {6, 100, 100}},
        {"missing keys and a stray section", "[Other]\nBackground=5\n[Settings]\nSortOrder=0\ngarbage line\n",
         kDefaultColors, {2, 0}, {0, 100, 100}},
        {"duplicated keys", settingsWith("Background=2\nBackground=3\nSortWidth=50\nSortWidth=50\n"),
         {3, 15, 10, 9, 12}, {2, 0}, {6, 100, 50}},
        {"binary junk", junk, kDefaultColors, {2, 0}, {6, 100, 100}},
    };
}

class SettingsDamage : public ::testing::TestWithParam<Damage> {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override
    {
        EndMain();
        ResetSharedState();
        QFile::remove(path());
    }
    static QString path() { return SettingsFilePath(QStringLiteral("Ordivan")); }
};

TEST_P(SettingsDamage, BadKeysTakeDefaultsGoodKeysStayAndTheNextCloseWritesACleanFile)
{
    const Damage& damage = GetParam();
    QDir().mkpath(QFileInfo(path()).path());
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damage.file.data(), static_cast<qint64>(damage.file.size()));
    }

    Main();
    frmMain* window = MainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    // Duplicated keys may resolve either way; whichever wins must be a good value.
    if (std::string(damage.name) == "duplicated keys")
        EXPECT_TRUE(ColorSet[0] == 2 || ColorSet[0] == 3);
    else
        EXPECT_EQ(ColorSet, damage.colors);
    EXPECT_EQ(DrawSet, damage.draw);
    EXPECT_EQ(SortSet, damage.sort);
    EXPECT_EQ(static_cast<int>(SourceData.size()), SortSet[2] + 1);
    // The window is somewhere sensible: a damaged place takes the default.
    EXPECT_GT(window->frameGeometry().width(), 0);

    window->close();

    QSettings clean(path(), QSettings::IniFormat);
    EXPECT_EQ(clean.status(), QSettings::NoError);
    for (const char* key : SettingKeys) {
        bool ok = false;
        clean.value(QStringLiteral("Settings/") + QLatin1String(key)).toString().toDouble(&ok);
        EXPECT_TRUE(ok) << key;
    }
    EXPECT_EQ(clean.value("Settings/SortWidth").toString(), QString::number(SortSet[2]));
    EXPECT_EQ(clean.value("Settings/Foreground").toString(), QString::number(ColorSet[1]));
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsDamage, ::testing::ValuesIn(damages()),
                         [](const ::testing::TestParamInfo<Damage>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

} // namespace
