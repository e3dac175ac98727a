#include "platform/Palette.h"
#include "platform/Runtime.h"
#include "platform/Settings.h"

#include <gtest/gtest.h>

#include <QFile>

#include <vector>

TEST(Runtime, RndRepeatsOneSequenceUniformInUnitInterval)
{
    RestartRnd();
    std::vector<float> first;
    double sum = 0;
    for (int i = 0; i < 10000; ++i) {
        const float r = Rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        sum += r;
        if (i < 5)
            first.push_back(r);
    }
    EXPECT_NEAR(sum / 10000, 0.5, 0.02);
    RestartRnd();
    for (float r : first)
        EXPECT_EQ(Rnd(), r);
}

TEST(Runtime, WaitForEventsEndsAtItsDeadline)
{
    const double start = ClockSeconds();
    WaitForEvents(0.05);
    WaitForEvents(0.0);
    // Woken early by stray events is allowed; overshooting by far is not.
    EXPECT_LT(ClockSeconds() - start, 1.0);
}

TEST(Runtime, PaletteFollowsTheClassicOrder)
{
    EXPECT_EQ(QBColor(0), QColor(0, 0, 0));
    EXPECT_EQ(QBColor(7), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(QBColor(9), QColor(0, 0, 0xFF));
    EXPECT_EQ(QBColor(10), QColor(0, 0xFF, 0));
    EXPECT_EQ(QBColor(12), QColor(0xFF, 0, 0));
    EXPECT_EQ(QBColor(15), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(QBColor(16), QBColor(0)); // never fails to give a colour
    EXPECT_EQ(QBColor(-1), QBColor(15));
}

TEST(Runtime, SettingsRoundTripAndDefault)
{
    EXPECT_EQ(AppTitle(), "Ordivan");
    EXPECT_EQ(GetSetting("Ordivan", "Settings", "NoSuchKey", "42"), "42");
    EXPECT_TRUE(SaveSetting("Ordivan", "Settings", "RoundTrip", "6500"));
    EXPECT_EQ(GetSetting("Ordivan", "Settings", "RoundTrip", "0"), "6500");
}

TEST(Runtime, SettingsLiveInTheConfFileUnderXdgConfigHome)
{
    const QString path = SettingsFilePath("Ordivan");
    EXPECT_TRUE(path.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME"))) << path.toStdString();
    EXPECT_TRUE(path.endsWith("/Ordivan/Ordivan.conf")) << path.toStdString();
    ASSERT_TRUE(SaveSetting("Ordivan", "Settings", "Background", "3"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("[Settings]"));
    EXPECT_TRUE(text.contains("Background=3"));
}
