// Ending the program from outside (a session logging out, `kill`, Ctrl+C in
// or the closing of the terminal that started it) the same way as the window's close box, so
// that the settings are saved and the program ends normally.
#pragma once

class QWidget;

// From now on SIGTERM, SIGINT and SIGHUP close the window as its close box would,
// from the event loop. A second signal that arrives before the event loop
// has taken up the first ends the program at once, as the signal's default
// would, so a program that no longer answers can still be stopped. A signal
// ignored when the program started stays ignored. Calling
// it again hands the signals to another window. Needs the application object
// to exist; does nothing before it does.
void CloseOnTerminateSignal(QWidget* window);
