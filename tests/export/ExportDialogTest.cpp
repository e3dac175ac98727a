// The export dialog: it writes the current data set's run on a thread of
// its own, reports the file, cancels at once, and leaves the window's state
// as it was.
#include "dialogs/frmExport.h"
#include "engine/Module1.h"
#include "platform/Runtime.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class ExportDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        RestartRnd();
        ColorSet = {0, 15, 10, 9, 12};
        DrawSet = {2, 0};
        SortSet = {6, 100, 0};
        SortType = 1; // Bubble Sort, as chosen with New
        Comparisons = 1234;
    }
    void TearDown() override { ResetSharedState(); }
    void Data(int width)
    {
        SortSet[2] = static_cast<Integer>(width);
        SourceData = {0};
        for (int i = 0; i < width; ++i)
            SourceData.push_back(static_cast<Integer>(1 + 100 * Rnd()));
        SortData = SourceData;
    }
    auto State() const
    {
        return std::tuple(SourceData, SortData, AuxData, SortType, Comparisons, ColorSet, DrawSet, SortSet, RndState(),
                          DataReady, Sorting.load());
    }
    QTemporaryDir dir;
};

TEST_F(ExportDialogTest, WritesTheRunAndNamesTheFileWithoutTouchingTheWindow)
{
    Data(20);
    const auto before = State();
    QString reported;
    frmExport dialog(nullptr, QSize(80, 60), PlotStyle::Bars, [&](const QString& text) { reported = text; });
    const QString path = dir.filePath(QStringLiteral("run.gif"));
    dialog.FileName()->setText(path);
    dialog.cmdExport_Click();
    EXPECT_EQ(State(), before) << "the export reads copies only";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reported.isEmpty(); }, 20000));
    EXPECT_TRUE(reported.contains(QDir::toNativeSeparators(path))) << reported.toStdString();
    EXPECT_GT(QFileInfo(path).size(), 0);
    EXPECT_EQ(State(), before);
}

TEST_F(ExportDialogTest, CancelStopsAtOnceAndLeavesNoFile)
{
    Data(600); // a long Bubble Sort
    const auto before = State();
    bool reported = false;
    frmExport dialog(nullptr, QSize(64, 48), PlotStyle::Bars, [&](const QString&) { reported = true; });
    dialog.show();
    dialog.FileName()->setText(dir.filePath(QStringLiteral("run.png")));
    dialog.cmdExport_Click();
    ASSERT_TRUE(dialog.Exporting());
    dialog.cmdCancel_Click();
    EXPECT_FALSE(dialog.Exporting());
    EXPECT_TRUE(dialog.isVisible()) << "Cancel during an export keeps the dialog";
    EXPECT_FALSE(reported);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    EXPECT_EQ(State(), before);
}

} // namespace

#include "mainwindow/MainWindowFixture.h"

namespace {

// Ctrl+E in the window: the dialog opens with the plot's size, exports the
// run while the window stays as it was, and the status bar names the file.
// While a routine executes the command does nothing.
TEST_F(MainWindowTest, ExportRunFromTheWindowLeavesItsStateAlone)
{
    frmMain& w = Ready(6, 30);
    QTemporaryDir dir;
    auto state = [&] {
        return std::tuple(SourceData, SortData, Comparisons, SortType, RndState(), w.plot().LastX, w.plot().LastY,
                          w.plot().LastZ, w.findChild<PictureBox*>(QStringLiteral("picBox"))->image());
    };
    const auto before = state();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.windowHandle(), Qt::Key_E, Qt::ControlModifier);
    auto* dialog = w.findChild<frmExport*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    const QString path = dir.filePath(QStringLiteral("window.gif"));
    dialog->FileName()->setText(path);
    dialog->cmdExport_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.sbStatusBar().panelText(1).startsWith(QStringLiteral("Exported")); }, 20000));
    EXPECT_TRUE(w.sbStatusBar().panelText(1).contains(QStringLiteral("window.gif")));
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(state(), before);

    // In the middle of a run: nothing opens.
    QPointer<frmExport> old = w.findChild<frmExport*>();
    delete old.data();
    bool tried = false;
    Soon([&] {
        w.mnuFileExport_Click();
        tried = true;
        EXPECT_EQ(w.findChild<frmExport*>(), nullptr);
        w.mnuStop_Click();
    });
    DrawSet[1] = 1;
    w.mnuStart_Click();
    EXPECT_TRUE(tried);
}

} // namespace
