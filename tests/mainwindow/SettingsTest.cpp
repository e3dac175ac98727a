// The fourteen stored values: defaults, the round trip through a close and a
// new start, damaged stores, and closes that store nothing or cannot store.
#include "MainWindowFixture.h"

#include "platform/Convert.h"

#include <QDir>
#include <QSettings>

namespace {

QString Stored(const char* key)
{
    return GetSetting(AppTitle(), QStringLiteral("Settings"), QString::fromLatin1(key), QStringLiteral("<none>"));
}

QString TwipsText(int pixels) { return NumberText(static_cast<float>(PixelsToTwipsX(pixels))); }

QRect TwipsRect(double left, double top, double width, double height)
{
    return QRect(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height));
}

class SettingsTest : public MainWindowTest {
protected:
    frmMain& Restart()
    {
        EndMain();
        ResetSharedState();
        return Start();
    }
};

TEST_F(SettingsTest, EmptyStoreGivesTheDefaultsAndACloseStoresEveryKeyForTheNextStart)
{
    frmMain& w = Start();
    EXPECT_EQ(w.frameGeometry(), TwipsRect(1000, 1000, 6500, 6500));
    EXPECT_EQ(ColorSet, (std::array<Integer, 5>{0, 15, 10, 9, 12}));
    EXPECT_EQ(DrawSet, (std::array<Integer, 2>{2, 0}));
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{6, 100, 100}));
    EXPECT_EQ(SourceData.size(), 101u); // built from the loaded settings

    ChooseNew(w, 1);
    SortSet[2] = 50;
    ColorSet = {1, 14, 2, 3, 4};
    DrawSet = {3, 7};
    Click(w, "Ascending");
    w.mnuViewToolbar_Click();
    w.setGeometry(TwipsRect(2000, 1500, 7000, 5000));
    const QRect outer = w.frameGeometry();
    w.mnuFileExit_Click();
    EXPECT_EQ(Stored("MainLeft"), TwipsText(outer.x()));
    EXPECT_EQ(Stored("MainWidth"), TwipsText(outer.width()));
    EXPECT_EQ(Stored("Foreground"), QStringLiteral("14"));
    EXPECT_EQ(Stored("SortOrder"), QStringLiteral("0"));
    EXPECT_EQ(QSettings(SettingsFile(), QSettings::IniFormat).allKeys().size(), 14);

    frmMain& again = Restart();
    EXPECT_EQ(again.frameGeometry(), outer);
    EXPECT_EQ(ColorSet, (std::array<Integer, 5>{1, 14, 2, 3, 4}));
    EXPECT_EQ(DrawSet, (std::array<Integer, 2>{3, 7}));
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{0, 100, 50}));
    EXPECT_EQ(SourceData[50], 50); // generated in the stored order
    EXPECT_EQ(again.BarLayout(), 0); // the bars are not stored
}

TEST_F(SettingsTest, DamagedValuesTakeTheirDefaultsAndGoodOnesStay)
{
    const std::pair<const char*, const char*> stored[] = {
        {"MainLeft", "left"},    {"MainTop", "1e30"},  {"MainWidth", "7200"}, {"MainHeight", ""},
        {"Background", "16"},    {"Foreground", "-1"}, {"Indicator1", "3"},   {"Indicator2", "4.5"},
        {"Indicator3", "70000"}, {"DrawWidth", "0"},   {"DrawDelay", "25"},   {"SortOrder", "12"},
        {"SortHeight", "-5"},    {"SortWidth", "0"},
    };
    for (const auto& [key, text] : stored)
        SaveSetting(AppTitle(), QStringLiteral("Settings"), QString::fromLatin1(key), QString::fromLatin1(text));
    frmMain& w = Start();
    EXPECT_EQ(w.frameGeometry(), TwipsRect(1000, 1000, 7200, 6500));
    EXPECT_EQ(ColorSet, (std::array<Integer, 5>{0, 15, 3, 4, 12}));
    EXPECT_EQ(DrawSet, (std::array<Integer, 2>{2, 25}));
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{12, 100, 100}));
}

TEST_F(SettingsTest, MinimisedCloseStoresNothingMaximisedStoresItsSizeUnwritableStillCloses)
{
    Start().showMinimized();
    ColorSet[0] = 4;
    MainWindow()->close();
    EXPECT_FALSE(QFile::exists(SettingsFile()));

    frmMain& big = Restart();
    big.showMaximized();
    QTest::qWait(50);
    const QRect maximised = big.frameGeometry();
    big.close();
    EXPECT_EQ(Stored("MainWidth"), TwipsText(maximised.width()));

    frmMain& next = Restart();
    EXPECT_FALSE(next.isMaximized());
    EXPECT_EQ(next.frameGeometry().size(), maximised.size());

    QFile::remove(SettingsFile());
    QDir().mkpath(SettingsFile()); // a folder where the file belongs
    next.mnuFileExit_Click();
    EXPECT_FALSE(next.isVisible());
    QDir(SettingsFile()).removeRecursively();
}

} // namespace
