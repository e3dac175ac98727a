// Program start-up: creates, loads and shows the main window.
#pragma once

// Creates the one main window, keeps it in MainView, loads its settings,
// builds the first data set and shows the window.
void Main();
