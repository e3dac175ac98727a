// The picture box the chart is drawn in: clearing, the pixels of a line,
// the pixel ratio, and the mouse.
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "support/QtPrint.h"
#include <gtest/gtest.h>
#include <QProcess>
#include <QTest>

const QColor kBack(0, 0, 128), kPen(255, 255, 0), kOther(0, 200, 0);
const double inf = qInf(), NaN = qQNaN();

class PictureBoxTest : public ::testing::Test {
protected:
    PictureBox box;
    void SetUp() override { box.resize(100, 50); box.setBackColor(kBack); box.setForeColor(kPen); }
    void showBox() { box.show(); ASSERT_TRUE(QTest::qWaitForWindowExposed(&box)); }
};

// Bars are clipped and checked pixel by pixel through the chart; here the
// lines a stray coordinate could turn into a crash or a hang.
TEST_F(PictureBoxTest, LinesFarOffOrNotFiniteAreClippedOrDropped)
{
    box.setDrawWidth(5);
    box.Line(0, 0, 1500, 750);
    box.setBackColor(kOther); // writing the background clears
    EXPECT_EQ(box.pixelAt(50, 25), kOther);
    const QImage blank = box.image().copy();
    for (const auto& [x1, y1, x2, y2] : {std::tuple{inf, 0.0, inf, 750.0}, {NaN, 0, NaN, 750}, {300, NaN, 300, 750},
                                         {300, 0, 300, -inf}, {1e300, 0, 1e300, 750}, {-300, 0, -300, 750},
                                         {0, NaN, 1500, 750}, {inf, 0, 0, 750}})
        box.Line(x1, y1, x2, y2);
    EXPECT_EQ(box.image(), blank);
    box.Line(300, 750, 300, -1e12); // columns 18..22, clipped to the box
    box.Line(-1.5e12, -1.5e12, 1.5e12, 1.5e12); // the diagonal y = x, slope kept
    EXPECT_EQ(std::tuple(box.pixelAt(18, 0), box.pixelAt(22, 49), box.pixelAt(23, 49), box.pixelAt(45, 45), box.pixelAt(45, 25)),
              std::tuple(kPen, kPen, kOther, kPen, kOther));
}

// The pixel ratio is read from the screen at start-up, so this runs in a
// second copy of the program started with a ratio of 2.
TEST_F(PictureBoxTest, AtPixelRatioTwoTheImageHasDevicePixelsAndTheSameColumns)
{
    if (!qEnvironmentVariableIsSet("ORDIVAN_TEST_DPR_CHILD")) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_SCALE_FACTOR", "2");
        env.insert("ORDIVAN_TEST_DPR_CHILD", "1");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=*AtPixelRatioTwo*"});
        ASSERT_TRUE(child.waitForFinished(30000));
        const QByteArray out = child.readAllStandardOutput();
        EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
        return;
    }
    showBox();
    ASSERT_EQ(box.devicePixelRatioF(), 2.0);
    EXPECT_EQ(std::pair(box.image().size(), box.ScaleWidth()), std::pair(QSize(200, 100), 1500.0)); // twips follow widget pixels
    box.Line(300, 750, 300, 300); // widget column 20 from row 20 down: device 40..41 from 40
    const auto at = [&](int x, int y) { return QColor(box.image().pixel(x, y)); };
    EXPECT_EQ(std::tuple(at(39, 99), at(40, 99), at(41, 99), at(42, 99), at(40, 40), at(40, 39)),
              std::tuple(kBack, kPen, kPen, kBack, kPen, kBack));
}

TEST_F(PictureBoxTest, MouseEventsReportButtonsShiftAndTwips)
{
    QList<QList<double>> seen;
    for (const auto& [signal, kind] : {std::pair{&PictureBox::MouseDown, 'D'}, {&PictureBox::MouseMove, 'M'}, {&PictureBox::MouseUp, 'U'}})
        QObject::connect(&box, signal, [&seen, k = kind](int b, int s, double x, double y) { seen.append({double(k), double(b), double(s), x, y}); });
    showBox();
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseMove(&box, QPoint(30, 40));
    QTest::mousePress(&box, Qt::RightButton, Qt::ShiftModifier, QPoint(30, 40));
    QTest::mouseMove(&box, QPoint(31, 41));
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::ControlModifier, QPoint(31, 41));
    QTest::mouseMove(&box, QPoint(32, 42));
    EXPECT_EQ(seen, (QList<QList<double>>{{'D', 1, 0, 150, 300}, {'M', 1, 0, 450, 600}, {'D', 2, 1, 450, 600},
                                          {'M', 3, 0, 465, 615}, {'U', 1, 2, 465, 615}, {'M', 2, 0, 480, 630}}));
}
