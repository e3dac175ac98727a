#include "platform/Forms.h"

#include <QDialog>
#include <QWidget>

#include <algorithm>

namespace {
std::vector<QWidget*>& forms()
{
    static std::vector<QWidget*> list;
    return list;
}
} // namespace

LoadedForm::LoadedForm(QWidget* form) : form_(form)
{
    forms().push_back(form_);
}

LoadedForm::~LoadedForm()
{
    auto& list = forms();
    list.erase(std::remove(list.begin(), list.end(), form_), list.end());
}

std::vector<QWidget*> LoadedForms()
{
    return forms();
}

void UnloadForm(QWidget* form)
{
    if (auto* dialog = qobject_cast<QDialog*>(form))
        dialog->reject();
    else
        form->close();
}
