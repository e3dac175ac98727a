#include "mainwindow/Main.h"

#include "engine/FillSource.h"
#include "engine/Module1.h"
#include "mainwindow/frmMain.h"
#include "platform/TerminateSignal.h"

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
    // A session ending or Ctrl+C closes the window as its close box does,
    // so the settings are still saved.
    CloseOnTerminateSignal(window.get());
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
