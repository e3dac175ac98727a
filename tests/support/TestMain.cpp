// Every test program starts here: Qt on the offscreen platform, settings in
// a scratch folder, so no test needs a display or touches a user's settings.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    // Sound switched on in a test plays into SDL's silent dummy device, never
    // the speakers; tests of the real output path choose their own driver.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
