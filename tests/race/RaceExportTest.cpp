// A race exported: the file decodes at the frame size with the race's frames,
// its last frame is the window's lanes at the end of the race, and a
// cancelled or failed export leaves no file behind.
#include "export/ExportDecode.h"
#include "engine/Routines.h"
#include "export/GifWriter.h"
#include "mainwindow/MainWindowFixture.h"
#include "race/RaceExport.h"
#include "racewindow/frmRace.h"

#include <QDir>
#include <QListWidget>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>

#include <thread>

namespace {

int RoutineNamed(const char* name)
{
    for (int r = 0; r < kRoutineCount; ++r)
        if (QLatin1String(RoutineTable[static_cast<std::size_t>(r)].name) == QLatin1String(name))
            return r;
    return -1;
}

// Only these routines checked in the window's list.
void Choose(frmRace& r, const std::vector<int>& routines)
{
    auto* list = r.findChild<QListWidget*>();
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (item->flags() & Qt::ItemIsUserCheckable) {
            const bool chosen =
                std::find(routines.begin(), routines.end(), item->data(Qt::UserRole).toInt()) != routines.end();
            item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
        }
    }
}

QWidget* Lanes(frmRace& r)
{
    for (auto* w : r.findChildren<QWidget*>())
        if (w->accessibleName() == QLatin1String("Lanes"))
            return w;
    return nullptr;
}

QStringList Files(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

class RaceExportTest : public MainWindowTest {};

TEST_F(RaceExportTest, TheGifPlaysTheRaceAndEndsOnTheWindowsLanes)
{
    frmMain& w = Ready(6, 20);
    w.findChild<QAction*>(QStringLiteral("mnuRace"))->trigger();
    auto* r = w.findChild<frmRace*>();
    ASSERT_NE(r, nullptr);
    Choose(*r, {RoutineNamed("Bubble Sort"), RoutineNamed("Insertion Sort"), RoutineNamed("Quick Sort"),
                RoutineNamed("Merge Sort")});
    r->findChild<QSlider*>()->setValue(25); // a few hundred units a second: some ten frames
    const std::int64_t grant = r->ExportGrant();
    ASSERT_GT(grant, 1);
    QWidget* lanes = Lanes(*r);
    ASSERT_NE(lanes, nullptr);
    const QSize size = r->LanesSize();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("race.gif"));
    QSignalSpy ended(r, &frmRace::ExportFinished);
    ASSERT_TRUE(r->ExportTo(path));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ended.isEmpty(); }, 60000));
    ASSERT_TRUE(ended.first().first().toBool());
    EXPECT_EQ(Files(dir.path()), QStringList{QStringLiteral("race.gif")});

    const Decoded gif = DecodeGif(path);
    ASSERT_TRUE(gif.ok) << gif.error.toStdString();
    EXPECT_EQ(QSize(gif.width, gif.height), size);
    ASSERT_GT(gif.frames.size(), 2u);

    // The window's own race at the start (the palette's colours) and at its end.
    r->StepForward();
    r->Restart();
    lanes->repaint();
    const QImage first = lanes->grab().toImage().convertToFormat(QImage::Format_RGB32);
    r->findChild<QSlider*>()->setValue(r->findChild<QSlider*>()->maximum());
    r->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r->CurrentRace()->Finished(); }, 20000));
    lanes->repaint();
    const QImage end = lanes->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(end.size(), size);

    const QColor back = lanes->palette().window().color(), fore = lanes->palette().windowText().color();
    const GifPalette palette(first, back.rgb(), fore.rgb());
    const QImage last = gif.frames.back().image.convertToFormat(QImage::Format_RGB32);
    int differ = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QRgb want = palette.Colors()[palette.Index(end.pixel(x, y))] | 0xff000000u;
            differ += (last.pixel(x, y) | 0xff000000u) != want;
        }
    EXPECT_EQ(differ, 0);
    // An earlier frame is not the end yet.
    EXPECT_NE(gif.frames.front().image.convertToFormat(QImage::Format_RGB32), last);
}

// A race long enough to be stopped in the middle: Stooge Sort, one unit a frame.
std::unique_ptr<Race> LongRace()
{
    RunInput input;
    std::thread([&] { input = FreshInput(6, 60, 20); }).join();
    return Race::OnData({RoutineNamed("Stooge Sort"), RoutineNamed("Quick Sort")}, input, {});
}

TEST(RaceExport, CancelLeavesNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("race.gif"));
    RaceExportSettings settings;
    settings.size = QSize(64, 48);
    RaceExporter exporter(LongRace(), settings, path);
    bool written = true;
    std::thread worker([&] { written = exporter.Run(); });
    const bool started = QTest::qWaitFor([&] { return exporter.Frames() >= 3; }, 20000);
    exporter.Cancel();
    worker.join();
    ASSERT_TRUE(started);
    EXPECT_FALSE(written);
    EXPECT_TRUE(exporter.Cancelled());
    EXPECT_TRUE(Files(dir.path()).isEmpty()) << Files(dir.path()).join(QLatin1Char(' ')).toStdString();
}

TEST(RaceExport, AFileThatCannotBeWrittenNamesItselfAndLeavesNothing)
{
    QTemporaryDir dir;
    for (const QString& name : {QStringLiteral("missing/race.gif"), QStringLiteral("race.txt"), QStringLiteral("race.wav")}) {
        const QString path = dir.filePath(name);
        RaceExportSettings settings;
        settings.size = QSize(64, 48);
        RaceExporter exporter(LongRace(), settings, path);
        EXPECT_FALSE(exporter.Run()) << name.toStdString();
        EXPECT_TRUE(exporter.Error().contains(name)) << exporter.Error().toStdString();
        EXPECT_TRUE(Files(dir.path()).isEmpty()) << name.toStdString();
    }
}

} // namespace
