// The command line run in this process, its output captured, over a settings
// store cleared before and after each test.
#pragma once

#include "compare/CommandLine.h"
#include "platform/Settings.h"

#include <QFile>
#include <QTextStream>

#include <gtest/gtest.h>

struct Output { int status; QString out, err; };

inline Output Invoke(QStringList args)
{
    args.prepend(QStringLiteral("ordivan"));
    Output o;
    QTextStream out(&o.out), err(&o.err);
    o.status = RunCommandLine(args, out, err);
    out.flush();
    err.flush();
    return o;
}

class CommandLineFixture : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(SettingsFilePath(QStringLiteral("Ordivan"))); }
    void TearDown() override { SetUp(); }
};
