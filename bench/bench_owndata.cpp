// How long the user's own numbers take to load at the largest size, 32767
// values: the text parsed, the file read and parsed, and the whole of File >
// Open Data in the window (read, taken into use, plot drawn); then Enter
// Data's box filled with them and OK's parse. Loading should stay within
// 0.2 s. Best of five each, so a busy machine weighs less.
#include "data/OwnData.h"
#include "dialogs/frmData.h"
#include "engine/FillSource.h"
#include "engine/Module1.h"
#include "mainwindow/Main.h"
#include "mainwindow/frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

double Best(const std::function<void()>& act)
{
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer clock;
        clock.start();
        act();
        best = std::min(best, clock.nsecsElapsed() / 1e9);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    // Never read or write the user's own settings.
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QApplication app(argc, argv);

    // The largest data set, its values spread over the whole range, as a file.
    std::vector<std::int16_t> values(owndata::kMaxValues);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<std::int16_t>((i * 7919) % 32768);
    const std::string text = owndata::ValuesText(values);
    const QString path = config.filePath(QStringLiteral("values.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

    std::printf("Loading %zu values (%zu bytes) on the '%s' platform, best of five\n\n", values.size(), text.size(),
                qPrintable(QGuiApplication::platformName()));
    bool ok = true;
    const double parse = Best([&] { ok &= owndata::ParseValues(text).values.size() == values.size(); });
    const double file = Best([&] { ok &= owndata::ReadValuesFile(path.toStdString()).values.size() == values.size(); });

    Main();
    frmMain* window = MainWindow();
    QApplication::processEvents();
    const double open = Best([&] {
        ok &= window->OpenData(path);
        QApplication::processEvents(); // the plot painted
    });
    ok &= SortSet[2] == 32767;

    double dialog = 0, take = 0;
    {
        std::vector<Integer> current(SourceData.begin() + 1, SourceData.end());
        dialog = Best([&] { frmData box(window, current); });
        frmData box(window, current);
        const QString shown = box.txtData->toPlainText();
        take = Best([&] {
            const QByteArray utf8 = shown.toUtf8();
            ok &= owndata::ParseValues(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())))
                      .values.size() == values.size();
        });
    }
    EndMain();

    std::printf("%-44s %8.4f s\n", "text parsed", parse);
    std::printf("%-44s %8.4f s\n", "file read and parsed", file);
    std::printf("%-44s %8.4f s  (target 0.2 s: %s)\n", "Open Data in the window, plot drawn", open,
                open <= 0.2 ? "met" : "MISSED");
    std::printf("%-44s %8.4f s\n", "Enter Data's box filled", dialog);
    std::printf("%-44s %8.4f s\n", "Enter Data's text parsed at OK", take);
    return ok ? 0 : 1;
}
