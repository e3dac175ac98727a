#include "compare/CommandLine.h"
#include "export/ExportCommand.h"
#include "mainwindow/Main.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {

void NameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Ordivan"));
    QCoreApplication::setApplicationName(QStringLiteral("Ordivan"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORDIVAN_VERSION));
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // --export: no window and no display, but the caption's text needs the
    // fonts of a GUI application, on the offscreen platform.
    if (WantsExport(arguments)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        NameApplication();
        QTextStream err(stderr);
        return RunExportCommand(QCoreApplication::arguments(), err, isatty(STDERR_FILENO) != 0);
    }
    if (WantsCommandLine(arguments)) {
        // No window and no display: Ctrl+C keeps its default and ends a long
        // comparison at once.
        QCoreApplication app(argc, argv);
        NameApplication();
        QTextStream out(stdout);
        QTextStream err(stderr);
        return RunCommandLine(QCoreApplication::arguments(), out, err);
    }
    QApplication app(argc, argv);
    NameApplication();
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("ordivan"));
    Main();
    const int result = QApplication::exec();
    EndMain();
    return result;
}
