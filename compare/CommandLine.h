// The command line: `ordivan --compare [--order NAME|CODE|all] [--width N]
// [--height N] [--format table|csv|json]` prints the comparison without a
// window or a display; --help and --version as usual.
#pragma once

#include "engine/Module1.h"

#include <QStringList>
#include <QTextStream>

// True when the arguments (the program's name first) name an option of the
// command line; otherwise the program opens its window as always.
bool WantsCommandLine(const QStringList& arguments);

// Parses and runs the command line, writing the figures to `out` and any
// complaint, with the usage, to `err`. Returns the exit status: 0 done,
// 2 bad arguments (nothing then goes to `out`).
int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

// The stored sort settings the command line starts from, read and checked as
// the window reads them at load.
struct StoredSortSettings {
    Integer order = 6;
    Integer height = 100;
    Integer width = 100;
    Integer delay = 0;
};
StoredSortSettings ReadStoredSortSettings();
