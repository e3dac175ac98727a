#include "dialogs/DialogSupport.h"

#include "platform/Convert.h"
#include "platform/PictureBox.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QDialog>
#include <QListWidget>

void SetUpFixedDialog(QDialog* dialog, const QString& caption, int clientWidth, int clientHeight)
{
    // A dialog window with an owner stays out of the task bar.
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    dialog->setWindowTitle(caption);
    dialog->setModal(true);
    dialog->setFixedSize(TwipsToPixelsX(clientWidth), TwipsToPixelsY(clientHeight));
    dialog->setSizeGripEnabled(false);
}

void PlaceTwips(QWidget* control, int left, int top, int width, int height)
{
    const int x = TwipsToPixelsX(left);
    const int y = TwipsToPixelsY(top);
    // Right and bottom edges are rounded on their own, so controls that meet
    // in twips meet on the screen too.
    control->setGeometry(x, y, TwipsToPixelsX(left + width) - x, TwipsToPixelsY(top + height) - y);
}

void FillList(QListWidget* list, const QStringList& entries)
{
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    // The design widths are narrow: room for one more entry beats a scroll
    // bar for the last letter of a long one.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->addItems(entries);
    list->clearSelection();
}

int ListIndex(const QListWidget* list)
{
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

bool SetListIndex(QListWidget* list, int index)
{
    if (index == ListIndex(list))
        return false;
    if (index < 0 || index >= list->count()) {
        list->clearSelection();
        return true;
    }
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    return true;
}

QString ListText(const QListWidget* list)
{
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

Hourglass::Hourglass()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

Hourglass::~Hourglass()
{
    QApplication::restoreOverrideCursor();
}

int SampleEnd(const PictureBox* box)
{
    return CInt(box->ScaleWidth());
}

void DrawSampleBar(PictureBox* box, int x)
{
    const double h = box->ScaleHeight();
    box->Line(x, h, x, h - x);
}
