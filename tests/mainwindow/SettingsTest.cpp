// Stored values: the round trip through a close, and a maximised close.
#include "MainWindowFixture.h"

using SettingsTest = MainWindowTest;

static QRect TwipsRect(double x, double y, double w, double h) { return {TwipsToPixelsX(x), TwipsToPixelsY(y), TwipsToPixelsX(w), TwipsToPixelsY(h)}; }

TEST_F(SettingsTest, EmptyStoreGivesTheDefaultsAndACloseStoresThemForTheNextStart)
{
    frmMain& w = Start();
    EXPECT_EQ(w.frameGeometry(), TwipsRect(1000, 1000, 6500, 6500));
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
    // Each value under its own name, as plain decimal text.
    const auto stored = StoredSettings();
    QStringList keys = kStoredKeys;
    keys.sort();
    EXPECT_EQ(stored.keys(), keys);
    const char* texts[] = {"1", "14", "2", "3", "4", "3", "7", "0", "100", "50"};
    for (int i = 4; i < 14; ++i)
        EXPECT_EQ(stored.value(kSettingKeys[i]), texts[i - 4]) << kSettingKeys[i].toStdString();
    EXPECT_EQ(stored.value("MainWidth"), NumberText(static_cast<float>(PixelsToTwipsX(outer.width()))));

    frmMain& again = Restart();
    EXPECT_EQ(again.frameGeometry(), outer);
    EXPECT_EQ(ColorSet, (std::array<Integer, 5>{1, 14, 2, 3, 4}));
    EXPECT_EQ(DrawSet, (std::array<Integer, 2>{3, 7}));
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{0, 100, 50}));
    EXPECT_EQ(SourceData[50], 50); // generated in the stored order
    EXPECT_EQ(again.BarLayout(), 0); // the bars are not stored
}

TEST_F(SettingsTest, MaximisedCloseStoresItsSize)
{
    frmMain& big = Start();
    big.showMaximized();
    QTest::qWait(50);
    const QRect maximised = big.frameGeometry();
    big.close();
    EXPECT_EQ(StoredSettings().value("MainWidth"), NumberText(static_cast<float>(PixelsToTwipsX(maximised.width()))));

    frmMain& next = Restart();
    EXPECT_FALSE(next.isMaximized());
    EXPECT_EQ(next.frameGeometry().size(), maximised.size());
}
