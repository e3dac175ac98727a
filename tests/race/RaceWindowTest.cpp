// The Race window over the main window: it leaves the main window's state
// alone however the race ends, and takes odd input without harm.
#include "mainwindow/MainWindowFixture.h"
#include "racewindow/frmRace.h"

namespace {

struct MainState {
    std::vector<Integer> sortData, sourceData, auxData;
    Integer sortType;
    std::int64_t comparisons;
    std::uint64_t rnd;
    std::array<Integer, 3> sortSet;
    bool operator==(const MainState&) const = default;
    static MainState Now()
    {
        return {SortData, SourceData, AuxData, SortType, Comparisons, RndState(), {SortSet[0], SortSet[1], SortSet[2]}};
    }
};

enum class Ending { Finished, Paused, ClosedMidRace };

class RaceWindowTest : public MainWindowTest, public ::testing::WithParamInterface<Ending> {
protected:
    frmRace& Open(frmMain& w)
    {
        w.findChild<QAction*>(QStringLiteral("mnuRace"))->trigger();
        auto* race = w.findChild<frmRace*>();
        EXPECT_NE(race, nullptr);
        return *race;
    }
    static QAbstractButton* Button(frmRace& r, const char* name)
    {
        for (auto* b : r.findChildren<QAbstractButton*>())
            if (b->accessibleName() == QLatin1String(name))
                return b;
        return nullptr;
    }
};

TEST_P(RaceWindowTest, TheMainWindowsStateIsUnchangedAfterTheRace)
{
    frmMain& w = Ready(6, 60);
    const MainState before = MainState::Now();
    const auto settings = StoredSettings();
    frmRace& r = Open(w);
    r.findChild<QSlider*>()->setValue(r.findChild<QSlider*>()->maximum());
    QTest::mouseClick(Button(r, "Start"), Qt::LeftButton);
    ASSERT_NE(r.CurrentRace(), nullptr);
    switch (GetParam()) {
    case Ending::Finished:
        ASSERT_TRUE(QTest::qWaitFor([&] { return r.CurrentRace()->Finished(); }, 20000));
        EXPECT_FALSE(r.Running());
        break;
    case Ending::Paused:
        QTest::mouseClick(Button(r, "Pause"), Qt::LeftButton);
        EXPECT_FALSE(r.Running());
        break;
    case Ending::ClosedMidRace: {
        QPointer<frmRace> gone(&r);
        r.close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return gone.isNull(); }, 2000));
        break;
    }
    }
    EXPECT_TRUE(MainState::Now() == before);
    EXPECT_EQ(StoredSettings(), settings);
    EXPECT_TRUE(w.findChild<QAction*>(QStringLiteral("mnuStart"))->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Endings, RaceWindowTest,
                         ::testing::Values(Ending::Finished, Ending::Paused, Ending::ClosedMidRace));

TEST_F(RaceWindowTest, OddInputGivesAMessageOrASensibleLayoutNeverACrash)
{
    frmMain& w = Ready(6, 60);
    frmRace& r = Open(w);
    auto* list = r.findChild<QListWidget*>();
    // Bucket Sort and Bogo Sort (over its limit) are left out, saying why.
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        if (!(list->item(i)->flags() & Qt::ItemIsEnabled))
            out << list->item(i)->text();
    EXPECT_EQ(out, QStringList({"Bucket Sort (not available)", "Bogo Sort (at most 10 values)"}));
    // No routine chosen: a message, no race.
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->flags() & Qt::ItemIsEnabled)
            list->item(i)->setCheckState(Qt::Unchecked);
    QTest::mouseClick(Button(r, "Start"), Qt::LeftButton);
    EXPECT_EQ(r.CurrentRace(), nullptr);
    auto labels = r.findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](QLabel* l) {
        return l->isVisible() && l->text() == QLatin1String("Choose at least one routine to race.");
    }));
    // All orders in a tiny window, stepped both ways.
    list->item(0)->setCheckState(Qt::Checked);
    list->item(6)->setCheckState(Qt::Checked);
    r.findChild<QComboBox*>()->setCurrentIndex(1);
    r.resize(60, 40);
    QTest::mouseClick(Button(r, "Step Forward"), Qt::LeftButton);
    ASSERT_NE(r.CurrentRace(), nullptr);
    EXPECT_EQ(r.CurrentRace()->Lanes(), 18);
    EXPECT_GT(r.CurrentRace()->Clock(), 0);
    QTest::mouseClick(Button(r, "Step Back"), Qt::LeftButton);
    EXPECT_EQ(r.CurrentRace()->Clock(), 0);
    QTest::mouseClick(Button(r, "Start"), Qt::LeftButton);
    r.resize(1000, 700);
    r.resize(1, 1);
    QTest::qWait(50);
    auto* table = r.findChild<QTableWidget*>();
    EXPECT_EQ(table->accessibleName(), "Standings");
    EXPECT_EQ(table->rowCount(), 18);
    QStringList headers;
    for (int c = 0; c < table->columnCount(); ++c)
        headers << table->horizontalHeaderItem(c)->text();
    EXPECT_EQ(headers.join('|'), "Rank|Routine|Comparisons|Steps|Writes|Finished at");
}

} // namespace
