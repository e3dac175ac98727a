// The picture box the chart is drawn in: clearing, the pixels of a line and
// the mouse.
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "support/QtPrint.h"
#include <gtest/gtest.h>
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
