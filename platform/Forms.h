// The list of loaded forms: every dialog and message box registers itself
// while it exists, so the main window can close them, last loaded first,
// when it unloads.
#pragma once

#include <vector>

class QWidget;

class LoadedForm {
public:
    explicit LoadedForm(QWidget* form);
    ~LoadedForm();
    LoadedForm(const LoadedForm&) = delete;
    LoadedForm& operator=(const LoadedForm&) = delete;

private:
    QWidget* form_;
};

// The forms loaded now, in load order.
std::vector<QWidget*> LoadedForms();

// Closes a form as its Cancel would: a dialog is rejected (ending its modal
// wait), any other window is closed.
void UnloadForm(QWidget* form);
