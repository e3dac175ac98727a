#include "mainwindow/Main.h"

#include "engine/FillSource.h"
#include "engine/Module1.h"
#include "mainwindow/frmMain.h"

#include <memory>

namespace {
// Owned here rather than by Qt: a sort routine runs inside the window's
// handlers, so the window must outlive every one of them.
std::unique_ptr<frmMain> window;
} // namespace

void Main()
{
    window = std::make_unique<frmMain>();
    MainView = window.get();
    window->Form_Load();
    FillSource();
    window->show();
}

frmMain* MainWindow()
{
    return window.get();
}

void EndMain()
{
    if (MainView == window.get())
        MainView = &TheNullView();
    window.reset();
}
