// The fourteen stored values: defaults on an empty store, the round trip
// through a close and a new start, damaged stores, and the closes that must
// store nothing or cannot store.
#include "MainWindowFixture.h"

#include "mainwindow/StoredSettings.h"
#include "platform/Convert.h"
#include "platform/Settings.h"
#include "platform/Twips.h"

#include <QSettings>

namespace {

QString Stored(const char* key)
{
    return GetSetting(AppTitle(), QStringLiteral("Settings"), QString::fromLatin1(key), QStringLiteral("<none>"));
}

void Store(const char* key, const QString& text)
{
    SaveSetting(AppTitle(), QStringLiteral("Settings"), QString::fromLatin1(key), text);
}

QRect Twips(double left, double top, double width, double height)
{
    return QRect(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height));
}

using SettingsTest = MainWindowTest;

TEST_F(SettingsTest, EmptyStoreGivesTheDefaults)
{
    frmMain& w = Start();
    EXPECT_EQ(w.frameGeometry(), Twips(1000, 1000, 6500, 6500));
    EXPECT_EQ(ColorSet, (std::array<Integer, 5>{0, 15, 10, 9, 12}));
    EXPECT_EQ(DrawSet, (std::array<Integer, 2>{2, 0}));
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{6, 100, 100}));
    // The first data set is built from the loaded settings before showing.
    EXPECT_EQ(SourceData.size(), 101u);
    EXPECT_FALSE(DataReady);
}

TEST_F(SettingsTest, CloseStoresEveryKeyAndTheNextStartUsesThem)
{
    frmMain& w = Ready(1, 50);
    ColorSet = {1, 14, 2, 3, 4};
    DrawSet = {3, 7};
    w.tbToolBar_ButtonClick(QStringLiteral("Ascending"));
    w.setGeometry(QRect(TwipsToPixelsX(2000), TwipsToPixelsY(1500), TwipsToPixelsX(7000), TwipsToPixelsY(5000)));
    const QRect outer = w.frameGeometry();
    w.mnuFileExit_Click();
    EXPECT_FALSE(w.isVisible());

    EXPECT_EQ(Stored("MainLeft"), NumberText(static_cast<float>(PixelsToTwipsX(outer.x()))));
    EXPECT_EQ(Stored("MainHeight"), NumberText(static_cast<float>(PixelsToTwipsY(outer.height()))));
    EXPECT_EQ(Stored("Background"), QStringLiteral("1"));
    EXPECT_EQ(Stored("Foreground"), QStringLiteral("14"));
    EXPECT_EQ(Stored("DrawWidth"), QStringLiteral("3"));
    EXPECT_EQ(Stored("DrawDelay"), QStringLiteral("7"));
    EXPECT_EQ(Stored("SortOrder"), QStringLiteral("0"));
    EXPECT_EQ(Stored("SortWidth"), QStringLiteral("50"));
    // The keys are written in table order.
    QSettings ini(SettingsFile(), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Settings"));
    EXPECT_EQ(ini.childKeys().size(), 14);

    EndMain();
    ResetSharedState();
    frmMain& again = Start();
    EXPECT_EQ(again.frameGeometry(), outer);
    EXPECT_EQ(ColorSet, (std::array<Integer, 5>{1, 14, 2, 3, 4}));
    EXPECT_EQ(DrawSet, (std::array<Integer, 2>{3, 7}));
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{0, 100, 50}));
    // Order 0 ascends: the generator used the stored order.
    EXPECT_EQ(SourceData[1], 1);
    EXPECT_EQ(SourceData[50], 50);
    // Bars are never stored: both show again.
    EXPECT_TRUE(again.action("mnuViewToolbar")->isChecked());
    EXPECT_EQ(again.BarLayout(), 0);
}

TEST_F(SettingsTest, DamagedValuesTakeTheirDefaultsAndGoodOnesStay)
{
    Store("MainLeft", QStringLiteral("left"));
    Store("MainTop", QStringLiteral("1e30"));     // no window system takes it
    Store("MainWidth", QStringLiteral("7200"));
    Store("MainHeight", QStringLiteral(""));
    Store("Background", QStringLiteral("16"));    // no such colour
    Store("Foreground", QStringLiteral("-1"));
    Store("Indicator1", QStringLiteral("3"));
    Store("Indicator2", QStringLiteral("4.5"));   // rounds half to even: 4
    Store("Indicator3", QStringLiteral("70000")); // beyond 16 bits
    Store("DrawWidth", QStringLiteral("0"));      // no pen
    Store("DrawDelay", QStringLiteral("25"));     // odd but usable: kept
    Store("SortOrder", QStringLiteral("12"));     // fills zeros: kept
    Store("SortHeight", QStringLiteral("-5"));
    Store("SortWidth", QStringLiteral("0"));

    frmMain& w = Start();
    EXPECT_EQ(w.frameGeometry(), Twips(1000, 1000, 7200, 6500));
    EXPECT_EQ(ColorSet, (std::array<Integer, 5>{0, 15, 3, 4, 12}));
    EXPECT_EQ(DrawSet, (std::array<Integer, 2>{2, 25}));
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{12, 100, 100}));
    EXPECT_EQ(SourceData.size(), 101u);

    // The damaged store does not stop a run either.
    SortSet[2] = 30;
    FillSource();
    ChooseNew(w, 6);
    DrawSet[1] = 0;
    w.mnuStart_Click();
    EXPECT_TRUE(Ascending(SortData));
}

TEST_F(SettingsTest, MinimisedCloseStoresNothingAndMaximisedStoresItsSize)
{
    frmMain& w = Start();
    ColorSet[0] = 4;
    w.showMinimized();
    w.mnuFileExit_Click();
    EXPECT_FALSE(QFile::exists(SettingsFile()));

    EndMain();
    ResetSharedState();
    frmMain& big = Start();
    big.showMaximized();
    QTest::qWait(50);
    const QRect maximised = big.frameGeometry();
    big.close();
    EXPECT_EQ(Stored("MainWidth"), NumberText(static_cast<float>(PixelsToTwipsX(maximised.width()))));

    EndMain();
    ResetSharedState();
    frmMain& next = Start();
    EXPECT_FALSE(next.isMaximized());
    EXPECT_EQ(next.frameGeometry().size(), maximised.size());
}

TEST_F(SettingsTest, AStoreThatCannotBeWrittenStillCloses)
{
    QDir().mkpath(SettingsFile()); // a folder where the file should be
    frmMain& w = Start();
    EXPECT_EQ(SortSet[2], 100);
    w.mnuFileExit_Click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(MainView, &TheNullView());
    QDir(SettingsFile()).removeRecursively();
}

} // namespace
