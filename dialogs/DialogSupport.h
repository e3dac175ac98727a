// What the five dialogs share: their window frame, controls placed in twips
// and grown with the font, the settings put back on Cancel, list boxes read
// and written by index, the hourglass, and the rising staircase sample of the
// colour and draw previews.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QDialog;
class QListWidget;
class QWidget;
class PictureBox;

// A fixed-size modal dialog laid out from its design in twips. The designs
// were made for a small system font; with the platform's own font every
// position and size grows by one factor for the whole dialog, so that every
// caption, label and list entry shows whole while the controls keep their
// places and proportions. The factor is the larger of the font's size
// relative to the design font (as dialog units grow with the font) and what
// the widest text of any control needs; it is never below 1.
class DialogDesign {
public:
    // Frames the dialog (caption, no minimise or maximise button, not in the
    // task bar; Qt centres it over its owner) for a client area in twips.
    DialogDesign(QDialog* dialog, const QString& caption, int clientWidth, int clientHeight);
    DialogDesign(const DialogDesign&) = delete;
    DialogDesign& operator=(const DialogDesign&) = delete;

    // A control at left, top, width, height in twips. laterTexts are the
    // texts it may show besides its current one (a label rewritten later).
    // A list box shows the whole rows of the design's height, all of its
    // entries where the design had room for them all.
    void Place(QWidget* control, int left, int top, int width, int height, const QStringList& laterTexts = {});
    // A line from (x1, y) to (x2, y) in twips, pixels thick at any factor,
    // moved down by pixelsBelow.
    void PlaceLine(QWidget* line, int x1, int x2, int y, int pixels, int pixelsBelow = 0);
    // Sizes and places the dialog and every control; run once the controls
    // hold their texts and entries.
    void Apply();
    // The factor Apply chose.
    double Factor() const { return factor_; }

private:
    struct Item {
        QWidget* control;
        int left, top, width, height;
        QStringList laterTexts;
        int linePixels; // > 0 for a line
        int pixelsBelow;
    };
    double FactorFor(const Item& item) const;
    double WrapFactor(const Item& item, double factor) const;
    void Put(const Item& item) const;
    int X(double twips) const;
    int Y(double twips) const;

    QDialog* dialog_;
    int clientWidth_;
    int clientHeight_;
    std::vector<Item> items_;
    double factor_ = 1.0;
};

// The shared settings a dialog edits in place, as they were when it loaded:
// Cancel, Esc and the window's close control put them back; OK keeps the edits.
template <class Settings>
class SettingsSnapshot {
public:
    explicit SettingsSnapshot(Settings& live) : live_(live), old_(live) {}
    void Take() { old_ = live_; }
    void Restore() const { live_ = old_; }

private:
    Settings& live_;
    Settings old_;
};

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
