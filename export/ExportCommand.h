// `ordivan --export FILE [--routine NAME|CODE] [--order NAME|CODE]
// [--width N] [--height N] [--size WxH] [--fps N] [--duration SECONDS |
// --steps-per-frame K] [--no-caption] [--sound] [--data FILE]`: writes a run
// as FILE without a window, the format from FILE's extension. The command
// line's one parser (compare/CommandLine.h) turns the arguments into a
// request (a pure parse, nothing run); here the request is checked for what
// only an export knows (the formats) and run.
#pragma once

#include "engine/Module1.h"
#include "export/FrameSource.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

struct ExportRequest {
    QString path;
    std::optional<int> routine; // none: "Quick Sort"
    std::optional<int> order;   // none: the stored settings, as --compare
    std::optional<Integer> width;
    std::optional<Integer> height;
    QString dataPath; // --data: the values of this file ("-" standard input)
    QSize size{640, 480};
    ExportPace pace;
    bool caption = true;
    bool sound = false;
};

struct ExportParse {
    std::optional<ExportRequest> request; // none: `error` says why
    QString error;
    bool help = false;
};

// The request of the arguments, or the one line that says what is wrong.
ExportParse ParseExport(const QStringList& arguments);

// Runs the whole command: 0 written, 1 the file could not be written (or no
// ffmpeg), 2 bad arguments or data that cannot be taken, 130 interrupted
// (nothing left behind). Progress goes to `err` when `progress`.
int RunExportCommand(const QStringList& arguments, QTextStream& err, bool progress);
// The run a request stands for: the stored colours, pen and style, and
// `data` (--data) or else the data a freshly started program generates.
// Not on the window's thread.
ExportRun RunOfRequest(const ExportRequest& request, const RunInput* data = nullptr);
