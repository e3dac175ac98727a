// The clock's waits and where the settings live. (The random sequence is
// checked through the generator, the conversions through the settings and
// status texts.)
#include "platform/Runtime.h"
#include "platform/Settings.h"
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QTimer>

TEST(Runtime, WaitForEventsSleepsToItsDeadlineUnlessAnEventComes)
{
    QCoreApplication::processEvents();
    double start = ClockSeconds();
    WaitForEvents(0.05);
    EXPECT_GE(ClockSeconds() - start, 0.049);
    QTimer::singleShot(20, [] {});
    start = ClockSeconds();
    WaitForEvents(5.0);
    EXPECT_LT(ClockSeconds() - start, 4.0);
}

TEST(Runtime, SettingsLiveInTheConfFileUnderXdgConfigHome)
{
    EXPECT_EQ(AppTitle(), "Ordivan");
    const QString path = SettingsFilePath("Ordivan");
    EXPECT_EQ(path, qEnvironmentVariable("XDG_CONFIG_HOME") + "/Ordivan/Ordivan.conf");
    EXPECT_EQ(GetSetting("Ordivan", "Settings", "Background", "42"), "42");
    ASSERT_TRUE(SaveSetting("Ordivan", "Settings", "Background", "3"));
    EXPECT_EQ(GetSetting("Ordivan", "Settings", "Background", "42"), "3");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Settings]\nBackground=3\n");
}
