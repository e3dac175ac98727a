// The picture box the chart is drawn in: clearing, the pixels of a line,
// how often the screen is repainted, the pixel ratio, and the mouse.
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "platform/Twips.h"
#include "support/QtPrint.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <limits>
#include <tuple>
#include <vector>

namespace {

const QColor kBack(0, 0, 128);
const QColor kPen(255, 255, 0);
const QColor kOther(0, 200, 0);

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class PictureBoxTest : public ::testing::Test {
protected:
    PictureBox box;

    void SetUp() override
    {
        ASSERT_EQ(TwipsPerPixelX(), 15.0);
        ASSERT_EQ(TwipsPerPixelY(), 15.0);
        box.resize(100, 50);
        box.setBackColor(kBack);
        box.setForeColor(kPen);
    }
    // The columns of row y that show the pen colour.
    std::vector<int> penColumns(int y) const
    {
        std::vector<int> out;
        for (int x = 0; x < box.width(); ++x)
            if (box.pixelAt(x, y) == kPen)
                out.push_back(x);
        return out;
    }
    int penPixels() const
    {
        int n = 0;
        for (int y = 0; y < box.height(); ++y)
            n += static_cast<int>(penColumns(y).size());
        return n;
    }
};

TEST_F(PictureBoxTest, ClearingTakesTheBackgroundAndLinesKeepToThePen)
{
    EXPECT_EQ(box.ScaleWidth(), 1500.0);
    EXPECT_EQ(box.ScaleHeight(), 750.0);
    box.setDrawWidth(5);
    box.Line(0, 0, 1500, 750);
    box.setBackColor(kOther); // writing the background clears
    EXPECT_EQ(penPixels(), 0);
    EXPECT_EQ(box.pixelAt(0, 0), kOther);

    box.setDrawWidth(3);
    box.Line(600, 0, 600, 150); // x 40, rows 0..9, flat ends
    EXPECT_EQ(penColumns(9), std::vector<int>({39, 40, 41}));
    EXPECT_EQ(penPixels(), 30);
    box.Cls();
    box.setDrawWidth(2);
    box.Line(1500, 750, 1500, 0); // on the right edge: half of it shows
    box.Line(900, 300, 900, 300); // zero length: nothing
    EXPECT_EQ(penColumns(0), std::vector<int>({99}));
    EXPECT_EQ(penPixels(), 50);
    box.Line(300, 750, 300, -1e12); // far above the top: clipped to the box
    EXPECT_EQ(penPixels(), 150);

    box.Cls();
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto& [x1, y1, x2, y2] : std::vector<std::tuple<double, double, double, double>>{
             {inf, 0, inf, 750}, {nan, 0, nan, 750}, {300, nan, 300, 750}, {300, 0, 300, -inf},
             {1e300, 0, 1e300, 750}, {-300, 0, -300, 750}, {0, nan, 1500, 750}, {inf, 0, 0, 750}})
        box.Line(x1, y1, x2, y2);
    EXPECT_EQ(penPixels(), 0);
    box.Line(-1.5e12, -1.5e12, 1.5e12, 1.5e12); // the diagonal y = x, slope kept
    EXPECT_EQ(box.pixelAt(45, 45), kPen);
    EXPECT_EQ(box.pixelAt(45, 25), kOther);
}

// Clearing a column and drawing a line over it in one pass must leave the
// very pixels the two lines leave.
TEST_F(PictureBoxTest, LineOverLeavesThePixelsOfBothLines)
{
    PictureBox twice;
    twice.resize(100, 50);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double x, clear1, clear2, y1, y2;
    };
    const Case cases[] = {
        {300, 750, 0, 750, 300},     // a bar over its cleared column
        {300, 750, 0, 750, 750},     // a bar of zero length
        {300, 750, 0, 750, -5000},   // a bar above the top
        {300, 600, 300, 750, 450},   // overlapping ranges
        {300, 300, 150, 750, 600},   // the line below the cleared range
        {300, 750, 600, 300, 0},     // the line above it
        {1500, 750, 0, 750, 300},    // on the right edge
        {300, nan, 0, 750, 300},     // a clear range that cannot be drawn
    };
    for (int width : {1, 2, 3}) {
        for (const Case& c : cases) {
            for (PictureBox* b : {&box, &twice}) {
                b->setDrawWidth(width);
                b->setBackColor(kBack);
                b->setForeColor(kOther);
                for (double x = 0; x <= 1500; x += 75) // a chart to draw over
                    b->Line(x, 750, x, 750 - x / 2);
                b->setForeColor(kPen);
            }
            box.LineOver(c.x, c.clear1, c.clear2, kBack, c.y1, c.y2);
            twice.setForeColor(kBack);
            twice.Line(c.x, c.clear1, c.x, c.clear2);
            twice.setForeColor(kPen);
            twice.Line(c.x, c.y1, c.x, c.y2);
            EXPECT_EQ(box.image(), twice.image()) << "width " << width << " x " << c.x << " clear " << c.clear1
                                                  << ".." << c.clear2 << " line " << c.y1 << ".." << c.y2;
            EXPECT_EQ(box.foreColor(), kPen);
        }
    }
}

TEST_F(PictureBoxTest, TheScreenCatchesUpAtDisplayRateAndAfterTheLastLine)
{
    PaintCounter counter;
    box.installEventFilter(&counter);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::qWait(50);
    counter.paints = 0;

    // A run at delay 0: a line and a pass of the event pump, over and over.
    QElapsedTimer clock;
    clock.start();
    int lines = 0;
    while (clock.elapsed() < 300) {
        const double x = (lines % 100) * 15.0;
        box.setForeColor(lines % 2 ? kPen : kOther);
        box.Line(x, 750, x, 750 - (lines % 50) * 15.0);
        ++lines;
        DoEvents();
    }
    const qint64 elapsed = clock.elapsed();
    EXPECT_GT(lines, 300);
    EXPECT_GE(counter.paints, 2);
    EXPECT_LE(counter.paints, elapsed / 16 + 3) << lines << " lines in " << elapsed << " ms";

    // A line after a quiet spell is shown shortly after, once.
    QTest::qWait(60);
    counter.paints = 0;
    box.Line(750, 750, 750, 0);
    QTest::qWait(100);
    EXPECT_EQ(counter.paints, 1);
    QTest::qWait(50);
    EXPECT_EQ(counter.paints, 1);

    // Drawing that pumps no events asks for every line to be shown at once.
    box.setShowEveryLine(true);
    counter.paints = 0;
    for (int i = 0; i < 10; ++i)
        box.Line(i * 150.0, 750, i * 150.0, 0);
    EXPECT_EQ(counter.paints, 10);
    box.setShowEveryLine(false);
    box.removeEventFilter(&counter);
}

// The pixel ratio comes from the screen when the application starts, so the
// check runs in a second copy of this program started with a ratio of 2.
TEST(PictureBoxHighDpi, TheImageHasTheDevicePixelsAndTheSameColumns)
{
    if (!qEnvironmentVariableIsSet("ORDIVAN_TEST_DPR_CHILD")) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_SCALE_FACTOR", "2");
        env.insert("ORDIVAN_TEST_DPR_CHILD", "1");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=PictureBoxHighDpi.TheImageHasTheDevicePixelsAndTheSameColumns"});
        ASSERT_TRUE(child.waitForFinished(30000));
        const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
        EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
        EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
        return;
    }
    PictureBox box;
    box.resize(100, 50);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    ASSERT_EQ(box.devicePixelRatioF(), 2.0);
    EXPECT_EQ(box.image().size(), QSize(200, 100));
    EXPECT_EQ(box.ScaleWidth(), 1500.0); // twips follow widget pixels, not device ones
    box.setBackColor(kBack);
    box.setForeColor(kPen);
    box.Line(300, 750, 300, 300);
    for (int x = 38; x <= 43; ++x)
        EXPECT_EQ(QColor(box.image().pixel(x, 99)), x == 40 || x == 41 ? kPen : kBack) << x;
    EXPECT_EQ(QColor(box.image().pixel(40, 40)), kPen);
    EXPECT_EQ(QColor(box.image().pixel(40, 39)), kBack);
    EXPECT_EQ(box.pixelAt(20, 20), kPen);
    EXPECT_EQ(box.pixelAt(21, 20), kBack);
    EXPECT_EQ(box.pixelAt(20, 19), kBack);
}

TEST_F(PictureBoxTest, MouseEventsReportButtonsShiftAndTwips)
{
    std::vector<std::tuple<char, int, int, double, double>> seen;
    QObject::connect(&box, &PictureBox::MouseDown,
                     [&](int b, int s, double x, double y) { seen.emplace_back('D', b, s, x, y); });
    QObject::connect(&box, &PictureBox::MouseMove,
                     [&](int b, int s, double x, double y) { seen.emplace_back('M', b, s, x, y); });
    QObject::connect(&box, &PictureBox::MouseUp,
                     [&](int b, int s, double x, double y) { seen.emplace_back('U', b, s, x, y); });
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));

    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseMove(&box, QPoint(30, 40));
    QTest::mousePress(&box, Qt::RightButton, Qt::ShiftModifier, QPoint(30, 40));
    QTest::mouseMove(&box, QPoint(31, 41));
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::ControlModifier, QPoint(31, 41));
    QTest::mouseMove(&box, QPoint(32, 42));
    QTest::mouseRelease(&box, Qt::RightButton, {}, QPoint(32, 42));

    using E = std::tuple<char, int, int, double, double>;
    const std::vector<E> expected{
        E{'D', 1, 0, 150, 300}, E{'M', 1, 0, 450, 600}, E{'D', 2, 1, 450, 600}, E{'M', 3, 0, 465, 615},
        E{'U', 1, 2, 465, 615}, E{'M', 2, 0, 480, 630}, E{'U', 2, 0, 480, 630}};
    EXPECT_EQ(seen, expected);
}

} // namespace
