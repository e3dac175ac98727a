// View > Style in the real window: the six radio items, the picture they
// choose (also for a held run), and the choice kept under Style.
#include "MainWindowFixture.h"

#include "mainwindow/RunControl.h"
#include "platform/Palette.h"
#include "view/PlotPainter.h"

namespace {

using StyleMenuTest = MainWindowTest;

QAction* StyleItem(frmMain& w, const char* name) { return w.action(QStringLiteral("mnuStyle") + QString::fromLatin1(name).remove(' ')); }

QStringList Checked(frmMain& w)
{
    QStringList checked;
    for (const PlotStyleInfo& info : PlotStyles)
        if (StyleItem(w, info.name)->isChecked())
            checked << info.name;
    return checked;
}

TEST_F(StyleMenuTest, SixRadioItemsBarsFirstAndChecked)
{
    frmMain& w = Start();
    auto* menu = w.findChild<QMenu*>("mnuViewStyle");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "St&yle");
    QStringList captions;
    for (QAction* a : menu->actions()) {
        captions << a->text();
        EXPECT_TRUE(a->isCheckable() && a->actionGroup() && a->actionGroup()->isExclusive()) << a->text().toStdString();
    }
    EXPECT_EQ(captions, (QStringList{"&Bars", "&Dots", "&Rainbow", "&Color Circle", "D&isparity Circle", "&Spiral"}));
    EXPECT_EQ(Checked(w), QStringList{"Bars"});
    EXPECT_EQ(w.plot().Style(), PlotStyle::Bars);
}

// Choosing a style redraws the plot in it at once; a data set is what it was.
TEST_F(StyleMenuTest, ChoosingAStyleRedrawsThePlotInIt)
{
    frmMain& w = Ready(1, 60);
    const QImage bars = w.picBox().image().copy();
    const std::vector<Integer> data = SortData;
    StyleItem(w, "Color Circle")->trigger();
    EXPECT_EQ(Checked(w), QStringList{"Color Circle"});
    EXPECT_EQ(w.plot().Style(), PlotStyle::ColorCircle);
    // The centre of the disc shows some element's hue; bars leave it dark.
    const QPoint centre(w.picBox().width() / 2, w.picBox().height() / 2 - 3);
    EXPECT_NE(w.picBox().image().pixel(centre), QBColor(ColorSet[0]).rgb());
    EXPECT_EQ(SortData, data);
    StyleItem(w, "Bars")->trigger();
    EXPECT_TRUE(w.picBox().image() == bars) << "back to bars, the same picture";
}

// A held run redraws its step shown in the new style, and Step Back then
// draws the earlier step in it.
TEST_F(StyleMenuTest, AHeldRunShowsItsStepInTheNewStyle)
{
    frmMain& w = ReadyPaused(1, 60);
    // What the plot shows is the history's step, drawn whole in spirals.
    auto expectStepShown = [&w](const char* when) {
        PictureBox box;
        box.resize(w.picBox().size());
        box.setBackColor(QBColor(ColorSet[0]));
        PlotView fresh(box);
        fresh.SetStyle(PlotStyle::Spiral);
        fresh.DrawBox();
        fresh.DrawColumns(w.runControl().History()->Columns());
        EXPECT_TRUE(box.image() == w.picBox().image()) << when;
    };
    RunHeld(w, {[&] {
        for (int i = 0; i < 30; ++i)
            w.action("mnuStepForward")->trigger();
        StyleItem(w, "Spiral")->trigger();
        expectStepShown("the style chosen");
        w.action("mnuStepBack")->trigger();
        expectStepShown("a step back");
        w.mnuStop_Click();
    }});
}

TEST_F(StyleMenuTest, TheChoiceSurvivesARestartAndLeavesTheOtherKeysAlone)
{
    frmMain& first = Start();
    first.mnuFileExit_Click();
    const auto withBars = StoredSettings();
    EXPECT_EQ(withBars.value("Style"), "Bars");

    frmMain& w = Restart();
    StyleItem(w, "Disparity Circle")->trigger();
    w.mnuFileExit_Click();
    auto stored = StoredSettings();
    EXPECT_EQ(stored.value("Style"), "Disparity Circle");
    stored.remove("Style");
    auto others = withBars;
    others.remove("Style");
    EXPECT_EQ(stored, others) << "the fourteen keys and Sound as they were";
    EXPECT_EQ(stored.keys().size(), kSettingKeys.size());

    frmMain& again = Restart();
    EXPECT_EQ(again.plot().Style(), PlotStyle::DisparityCircle);
    EXPECT_EQ(Checked(again), QStringList{"Disparity Circle"});
}

// A value that is no style's name exactly reads as bars; the other keys
// stored beside it are read as stored.
TEST_F(StyleMenuTest, ADamagedStyleReadsAsBars)
{
    for (const char* damaged : {"", "spiral", "Spiral ", "ColorCircle", "3", "Bars;Dots", "\xC3\xA9"}) {
        SCOPED_TRACE(damaged);
        QFile::remove(SettingsFile());
        {
            QSettings file(SettingsFile(), QSettings::IniFormat);
            file.setValue("Settings/Style", QString::fromUtf8(damaged));
            file.setValue("Settings/Background", "3");
            file.setValue("Settings/Sound", "-1");
        }
        frmMain& w = Restart();
        EXPECT_EQ(w.plot().Style(), PlotStyle::Bars);
        EXPECT_EQ(Checked(w), QStringList{"Bars"});
        EXPECT_EQ(ColorSet[0], 3);
        w.mnuFileExit_Click();
        EXPECT_EQ(StoredSettings().value("Style"), "Bars");
        EXPECT_EQ(StoredSettings().value("Sound"), "-1");
    }
}

} // namespace
