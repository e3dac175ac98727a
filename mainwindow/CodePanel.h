// View > Code: the chosen routine's code beside the plot, the line of the
// step shown selected and the routine's variables below it. It follows the
// run by looking, at most every 16 ms, at where the routine is (or, when
// the run is held on an earlier step, where the history says it was), so a
// run at delay 0 pays nothing per step for it.
#pragma once

#include "engine/CodeWhere.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;
class QListWidget;
class RunHistory;

class CodePanel : public QWidget {
public:
    // history: the run's history, null before the first run.
    CodePanel(QWidget* parent, std::function<const RunHistory*()> history);

    // Shows or hides the panel; shown, the window's runs keep their place up to date.
    void SetOn(bool on);
    bool IsOn() const { return on_; }
    // Brings the listing and the place up to date now.
    void Refresh();
    // The width that shows every line of routine type's code whole.
    int WidthFor(int type) const;

    QListWidget& List() const { return *list_; }
    QLabel& Variables() const { return *variables_; }

private:
    void ShowPlace(const CodeWhere* where);

    std::function<const RunHistory*()> history_;
    QListWidget* list_;
    QLabel* variables_;
    QTimer timer_;
    bool on_ = false;
    int type_ = -2; // the routine listed
    CodeWhere shown_{-2};
};
