#include "compare/CommandLine.h"
#include "compare/CommandOutput.h"
#include "export/ExportCommand.h"
#include "mainwindow/Main.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <unistd.h>

namespace {

void NameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Ordivan"));
    QCoreApplication::setApplicationName(QStringLiteral("Ordivan"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORDIVAN_VERSION));
}

bool Set(const char* variable)
{
    const char* value = std::getenv(variable);
    return value && *value;
}

bool NamesPlatform(const QString& argument)
{
    return argument == QLatin1String("-platform") || argument == QLatin1String("--platform")
        || argument.startsWith(QLatin1String("-platform=")) || argument.startsWith(QLatin1String("--platform="));
}

// Whether the toolkit has a display to open, or has been told which
// platform to use instead (an offscreen one, say).
bool DisplayGiven(const QStringList& arguments)
{
    if (Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM"))
        return true;
    return std::any_of(arguments.begin(), arguments.end(), NamesPlatform);
}

// The arguments without the toolkit's own options, which the window would
// have taken: what is left is for the command line's parse to judge.
QStringList WithoutToolkitOptions(const QStringList& arguments)
{
    static const QStringList withValue = {
        QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"), QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"),    QStringLiteral("qwindowicon"),   QStringLiteral("qwindowtitle"),
        QStringLiteral("session"),            QStringLiteral("style"),         QStringLiteral("stylesheet"),
        QStringLiteral("display"),            QStringLiteral("geometry"),      QStringLiteral("title"),
    };
    static const QStringList alone = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                      QStringLiteral("nograb"), QStringLiteral("dograb"), QStringLiteral("sync")};
    QStringList left;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments[i];
        if (i > 0 && name.startsWith(QLatin1Char('-'))) {
            name.remove(0, name.startsWith(QLatin1String("--")) ? 2 : 1);
            if (alone.contains(name) || (name.contains(QLatin1Char('=')) && withValue.contains(name.section(QLatin1Char('='), 0, 0))))
                continue;
            if (withValue.contains(name)) {
                ++i; // and its value
                continue;
            }
        }
        left << arguments[i];
    }
    return left;
}

// One line: why there is no window, and what runs without one.
QByteArray NoDisplay(const char* why)
{
    return QByteArray("ordivan: no display found (") + why
        + "); the window needs one, ordivan --compare and ordivan --export run without one\n";
}

// Messages the toolkit gives while it opens the display, held back: when it
// cannot, the program says so in one line of its own instead of the
// toolkit's several and its abort.
std::vector<std::pair<QtMsgType, QString>>* heldMessages = nullptr;
QtMessageHandler toolkitHandler = nullptr;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs(NoDisplay("the display could not be opened").constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (heldMessages)
        heldMessages->emplace_back(type, message);
    else if (toolkitHandler)
        toolkitHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    // Before anything opens a file that could take the number of a closed
    // standard output.
    HoldClosedStandardDescriptors();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (WantsCommandLine(arguments)) {
        // --export: no window and no display, but the caption's text needs
        // the fonts of a GUI application, on the offscreen platform.
        if (ParseCommandLine(arguments).action == CommandRequest::Action::Export) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            QGuiApplication app(argc, argv);
            NameApplication();
            QTextStream err(stderr);
            return RunExportCommand(QCoreApplication::arguments(), err, isatty(STDERR_FILENO) != 0);
        }
        // No window and no display: Ctrl+C keeps its default and ends a long
        // comparison at once.
        QCoreApplication app(argc, argv);
        NameApplication();
        DescriptorOutput standardOutput(1);
        QTextStream out(&standardOutput);
        QTextStream err(stderr);
        return RunCommandLine(QCoreApplication::arguments(), out, err);
    }
    if (!DisplayGiven(arguments)) {
        QCoreApplication app(argc, argv);
        NameApplication();
        QTextStream err(stderr);
        const CommandRequest request = ParseCommandLine(WithoutToolkitOptions(QCoreApplication::arguments()));
        if (request.action == CommandRequest::Action::Bad)
            return RejectArguments(request.error, err);
        err << NoDisplay("neither DISPLAY nor WAYLAND_DISPLAY is set");
        return 1;
    }
    std::vector<std::pair<QtMsgType, QString>> held;
    heldMessages = &held;
    toolkitHandler = qInstallMessageHandler(HoldMessage);
    QApplication app(argc, argv);
    heldMessages = nullptr;
    qInstallMessageHandler(toolkitHandler);
    for (const auto& [type, message] : held)
        qt_message_output(type, QMessageLogContext(), message);
    NameApplication();
    // The toolkit has taken its own options; anything left is not the window's.
    const CommandRequest request = ParseCommandLine(QCoreApplication::arguments());
    if (request.action == CommandRequest::Action::Bad) {
        QTextStream err(stderr);
        return RejectArguments(request.error, err);
    }
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("ordivan"));
    Main();
    const int result = QApplication::exec();
    EndMain();
    return result;
}
