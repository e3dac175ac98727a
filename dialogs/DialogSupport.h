// What the five dialogs share: their window frame, controls placed in twips,
// list boxes read and written by index, the hourglass, and the rising
// staircase sample of the colour and draw previews.
#pragma once

#include <QString>

class QDialog;
class QListWidget;
class QWidget;
class PictureBox;

// A fixed-size modal dialog with the given caption and client area (twips):
// no minimise or maximise button, not in the task bar; Qt centres it over
// its owner when it is shown.
void SetUpFixedDialog(QDialog* dialog, const QString& caption, int clientWidth, int clientHeight);

// Moves a control to left, top, width, height given in twips.
void PlaceTwips(QWidget* control, int left, int top, int width, int height);

// A single-selection list box holding the entries, in the given order,
// unsorted, with no entry selected.
void FillList(QListWidget* list, const QStringList& entries);

// The selected entry's index, or -1 when nothing is selected.
int ListIndex(const QListWidget* list);
// Selects the entry at index (or nothing for an index outside the list).
// Returns false when the selection was already that, i.e. the list raised
// no selection-changed signal.
bool SetListIndex(QListWidget* list, int index);
// The selected entry's text, empty when nothing is selected.
QString ListText(const QListWidget* list);

// Shows the hourglass over the program while it exists.
class Hourglass {
public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

// The sample of the colour and draw previews: vertical bars at x = 0, 100,
// 200, ... twips up to the box's width rounded to a whole number, each as
// high as it is far from the left edge.
int SampleEnd(const PictureBox* box);
void DrawSampleBar(PictureBox* box, int x);
