// View > Code in the real window: the setting kept, the panel beside the
// plot, and the line and values of the step shown, through Step Back and
// Step Forward as on the way.
#include "MainWindowFixture.h"

#include "engine/CodeWhere.h"
#include "engine/RoutineCode.h"
#include "mainwindow/CodePanel.h"
#include "mainwindow/RunControl.h"

namespace {

class CodePanelTest : public MainWindowTest {
protected:
    static QAction* Item(frmMain& w) { return w.action("mnuViewCode"); }
    // The panel as a reader sees it: the selected line and the values.
    static std::pair<QString, QString> Shown(frmMain& w)
    {
        w.codePanel().Refresh();
        const QList<QListWidgetItem*> selected = w.codePanel().List().selectedItems();
        return {selected.size() == 1 ? selected[0]->text() : QString(), w.codePanel().Variables().text()};
    }
};

} // namespace

TEST_F(CodePanelTest, OffByDefaultSharesThePlotsRowWhenShownAndIsKept)
{
    frmMain& w = Start();
    EXPECT_FALSE(Item(w)->isChecked());
    EXPECT_FALSE(w.codePanel().isVisible());
    EXPECT_FALSE(CodeWhereOn) << "hidden, the routines keep no place";
    const QRect whole = w.picBox().geometry();

    Item(w)->trigger();
    EXPECT_TRUE(Item(w)->isChecked());
    ASSERT_TRUE(w.codePanel().isVisible());
    EXPECT_FALSE(CodeWhereOn) << "only the window's runs follow the code";
    const QRect plot = w.picBox().geometry();
    const QRect panel = w.codePanel().geometry();
    // Side by side in the plot's row: the plot keeps its top and height.
    EXPECT_EQ(plot.topLeft(), whole.topLeft());
    EXPECT_EQ(plot.height(), whole.height());
    EXPECT_EQ(panel.top(), plot.top());
    EXPECT_EQ(panel.height(), plot.height());
    EXPECT_EQ(panel.left(), plot.right() + 1);
    EXPECT_EQ(panel.right(), whole.right());
    EXPECT_GT(panel.width(), whole.width() / 4);
    EXPECT_GT(plot.width(), whole.width() / 2);
    EXPECT_EQ(w.codePanel().List().accessibleName(), QStringLiteral("Code"));
    EXPECT_TRUE(w.codePanel().Variables().text().startsWith(QStringLiteral("Variables:")));

    w.mnuFileExit_Click();
    EXPECT_EQ(StoredSettings().value("Code"), "-1");
    frmMain& again = Restart();
    EXPECT_TRUE(Item(again)->isChecked());
    EXPECT_TRUE(again.codePanel().isVisible());
    Item(again)->trigger();
    EXPECT_EQ(again.picBox().geometry(), whole);
    again.mnuFileExit_Click();
    EXPECT_EQ(StoredSettings().value("Code"), "0");
}

TEST_F(CodePanelTest, ADamagedValueReadsAsOffAndTheOtherSettingsStay)
{
    for (const char* damaged : {"yes", "1.5", "", "0"}) {
        {
            QSettings file(SettingsFile(), QSettings::IniFormat);
            file.setValue("Settings/Code", damaged);
            file.setValue("Settings/Sound", "-1");
            file.setValue("Settings/SortWidth", "77");
        }
        frmMain& w = Start();
        EXPECT_FALSE(Item(w)->isChecked()) << damaged;
        EXPECT_FALSE(w.codePanel().isVisible()) << damaged;
        EXPECT_TRUE(w.action("mnuViewSound")->isChecked()) << damaged;
        EXPECT_EQ(SortSet[2], 77) << damaged;
        EndMain();
        ResetSharedState();
    }
}

TEST_F(CodePanelTest, ShowsTheRoutinesCodeAndTheStepShownBackAndForward)
{
    frmMain& w = ReadyPaused(1, 20); // Bubble Sort
    Item(w)->trigger();
    QListWidget& list = w.codePanel().List();
    ASSERT_EQ(list.count(), static_cast<int>(CodeOf(1).lines.size()));
    EXPECT_EQ(Shown(w).second, QStringLiteral("Variables: none while no routine runs"));

    constexpr int kSteps = 6;
    std::vector<std::pair<QString, QString>> onTheWay;
    std::vector<std::function<void()>> acts;
    for (int k = 0; k < kSteps; ++k) {
        acts.push_back([&] { w.action("mnuStepForward")->trigger(); });
        acts.push_back([&] {
            onTheWay.push_back(Shown(w));
            // The compare-and-exchange line: step s of the first pass is at j = W + 1 - s.
            const long step = w.runControl().History()->Shown();
            EXPECT_EQ(onTheWay.back().first, QString::fromUtf8(CodeOf(1).lines[BubbleCode::CompareSwap].text));
            EXPECT_EQ(onTheWay.back().second, QStringLiteral("Variables: i = 1, j = %1").arg(21 - step));
        });
    }
    acts.push_back([&] {
        const RunHistory& history = *w.runControl().History();
        const long present = history.Shown();
        // The first recorded step is the one the pause held at, before the ones stepped.
        for (int k = kSteps - 1; k >= 0; --k) {
            EXPECT_EQ(Shown(w), onTheWay[static_cast<std::size_t>(k)]) << "back at step " << history.Shown();
            w.action("mnuStepBack")->trigger();
        }
        for (int k = 0; k < kSteps; ++k) {
            w.action("mnuStepForward")->trigger();
            EXPECT_EQ(Shown(w), onTheWay[static_cast<std::size_t>(k)]) << "forward at step " << history.Shown();
        }
        EXPECT_EQ(history.Shown(), present);
        // Live again: the panel follows by itself, at the screen's rate.
        w.action("mnuPause")->trigger();
    });
    RunHeld(w, acts);
    EXPECT_TRUE(std::is_sorted(SortData.begin() + 1, SortData.end()));
    EXPECT_EQ(Shown(w).first, QString());
    EXPECT_TRUE(Shown(w).second.startsWith(QStringLiteral("Variables:")));

    // Another routine: its code.
    ChooseNew(w, 6);
    EXPECT_EQ(Shown(w).first, QString());
    EXPECT_EQ(list.item(0)->text(), QString::fromUtf8(CodeOf(6).lines[0].text));
}
