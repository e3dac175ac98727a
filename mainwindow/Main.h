// Program start-up and shut-down of the main window.
#pragma once

class frmMain;

// Creates the one main window, keeps it in MainView, loads its settings,
// builds the first data set and shows the window.
void Main();

// The main window Main created, or null.
frmMain* MainWindow();

// Destroys the main window. Called after the event loop has returned, so no
// handler of the window (nor a sort routine inside one) is still running.
void EndMain();
