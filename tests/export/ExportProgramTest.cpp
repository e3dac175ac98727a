// The shipped program exports from a terminal with no display at all: no
// DISPLAY, no WAYLAND_DISPLAY, no platform chosen, and the caption still has
// its text.
#include "ExportDecode.h"

#include "export/FrameSource.h"
#include "platform/Palette.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ExportProgram, WritesWithoutADisplay)
{
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    QProcess program;
    program.setProcessEnvironment(env);
    const QString path = dir.filePath(QStringLiteral("run.gif"));
    program.start(QStringLiteral(ORDIVAN_PROGRAM), {QStringLiteral("--export"), path, QStringLiteral("--width"),
                                                    QStringLiteral("20"), QStringLiteral("--size"), QStringLiteral("160x120")});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    const Decoded d = DecodeGif(path);
    ASSERT_TRUE(d.ok) << d.error.toStdString();
    EXPECT_EQ(d.width, 160);
    EXPECT_EQ(d.height, 120);
    // The caption's letters: pixels off the stored default background
    // (black) in the strip above the plot.
    const int caption = FrameSource::CaptionHeight({160, 120}, true);
    int lit = 0;
    const QImage& first = d.frames.front().image;
    for (int y = 0; y < caption; ++y)
        for (int x = 0; x < first.width(); ++x)
            lit += first.pixel(x, y) != QBColor(0).rgb();
    EXPECT_GT(lit, 20);
}
