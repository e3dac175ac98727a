#include "dialogs/frmSort.h"

#include "dialogs/DialogSupport.h"
#include "engine/FillSource.h"
#include "platform/Convert.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

bool frmSort::Accepted = false;

namespace {
const QStringList OrderNames{QStringLiteral("Ascending"),      QStringLiteral("Descending"),
                             QStringLiteral("Almost Asc."),    QStringLiteral("Almost Des."),
                             QStringLiteral("Escalator Asc."), QStringLiteral("Escalator Des."),
                             QStringLiteral("Random"),         QStringLiteral("Random Asc."),
                             QStringLiteral("Random Des.")};
const QStringList Sizes{QStringLiteral("50"), QStringLiteral("100"), QStringLiteral("500"), QStringLiteral("1000")};

// Data indices per twip across, data values per twip upwards.
float HorizontalFactor(const PictureBox* box)
{
    return static_cast<float>(SortSet[2]) / static_cast<float>(box->ScaleWidth());
}

float VerticalFactor(const PictureBox* box)
{
    return static_cast<float>(SortSet[1]) / static_cast<float>(box->ScaleHeight());
}

// The last index both the width and SourceData's size allow.
int LastIndex()
{
    return std::min<int>(SortSet[2], static_cast<int>(SourceData.size()) - 1);
}
} // namespace

frmSort::frmSort(QWidget* owner) : QDialog(owner)
{
    DialogDesign design(this, QStringLiteral("Sort Settings"), 6375, 3735);

    auto label = [this, &design](QLabel*& target, const char* name, const QString& text, int top) {
        target = new QLabel(text, this);
        target->setObjectName(QString::fromLatin1(name));
        design.Place(target, 120, top, 1335, 255);
    };
    auto list = [this, &design](int index, const QStringList& entries, int top, int height) {
        lstSort[index] = new QListWidget(this);
        lstSort[index]->setObjectName(QStringLiteral("lstSort(%1)").arg(index));
        design.Place(lstSort[index], 120, top, 1335, height);
        FillList(lstSort[index], entries);
    };
    label(lblOrder, "lblOrder", QStringLiteral("Order"), 120);
    list(0, OrderNames, 375, 1035);
    label(lblHeight, "lblHeight", QStringLiteral("Height"), 1410);
    list(1, Sizes, 1665, 840);
    label(lblWidth, "lblWidth", QStringLiteral("Width"), 2505);
    list(2, Sizes, 2760, 840);
    lblOrder->setBuddy(lstSort[0]);
    lblHeight->setBuddy(lstSort[1]);
    lblWidth->setBuddy(lstSort[2]);

    picBox = new PictureBox(this);
    picBox->setObjectName(QStringLiteral("picBox"));
    design.Place(picBox, 1560, 120, 3480, 3480);

    auto button = [this, &design](QPushButton*& target, const char* name, const QString& text, int top) {
        target = new QPushButton(text, this);
        target->setObjectName(QString::fromLatin1(name));
        design.Place(target, 5160, top, 1095, 375);
    };
    button(cmdOK, "cmdOK", QStringLiteral("OK"), 120);
    button(cmdCancel, "cmdCancel", QStringLiteral("Cancel"), 600);
    button(cmdFill, "cmdFill", QStringLiteral("Auto Fill"), 2280);
    button(cmdClear, "cmdClear", QStringLiteral("Clear"), 2760);
    button(cmdDefault, "cmdDefault", QStringLiteral("Default"), 3240);
    cmdOK->setDefault(true);
    design.Apply();

    setTabOrder(lstSort[0], lstSort[1]);
    setTabOrder(lstSort[1], lstSort[2]);
    setTabOrder(lstSort[2], cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdFill);
    setTabOrder(cmdFill, cmdClear);
    setTabOrder(cmdClear, cmdDefault);

    for (int i = 0; i < 3; ++i)
        connect(lstSort[i], &QListWidget::itemSelectionChanged, this, [this, i] { lstSort_Click(i); });
    connect(picBox, &PictureBox::MouseMove, this, &frmSort::picBox_MouseMove);
    connect(picBox, &PictureBox::MouseUp, this, &frmSort::picBox_MouseUp);
    connect(cmdFill, &QPushButton::clicked, this, &frmSort::cmdFill_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmSort::cmdClear_Click);
    connect(cmdDefault, &QPushButton::clicked, this, &frmSort::cmdDefault_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmSort::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSort::cmdCancel_Click);

    Form_Load();
}

void frmSort::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    lstSort[0]->setFocus(Qt::OtherFocusReason);
    // The preview keeps its drawing; showing the dialog is the one moment the
    // data may have changed without the dialog drawing it.
    DrawPreview();
}

void frmSort::Form_Load()
{
    OldSortSet.Take();
    picBox->setDrawWidth(DrawSet[0]);
    picBox->setBackColor(QBColor(ColorSet[0]));
    picBox->setForeColor(QBColor(ColorSet[1]));
    // Each selection acts as the user's choice would: the data set is
    // regenerated from the current settings and drawn.
    SelectEntry(0, SortSet[0]);
    SelectText(1, SortSet[1]);
    SelectText(2, SortSet[2]);
    if (!generated_) {
        // No list holds its stored value: the data set must still match the
        // settings it will be copied by.
        Regenerate();
        DrawPreview();
    }
}

// Selects an entry as the user would, so lstSort_Click runs even when the
// entry was already selected. A row outside the list selects nothing and
// leaves the setting as it is.
void frmSort::SelectEntry(int index, int row)
{
    QListWidget* list = lstSort[index];
    if (row < 0 || row >= list->count()) {
        list->clearSelection();
        return;
    }
    if (!SetListIndex(list, row))
        lstSort_Click(index);
}

// A height or width that is no entry of its list (the size of the user's own
// numbers) becomes one, in its place by size, so the list shows what is in
// use. A size no data set can have is no entry: nothing is selected then.
void frmSort::SelectText(int index, Integer value)
{
    QListWidget* list = lstSort[index];
    const QString text = QString::number(value);
    auto found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty() && value >= 1) {
        int row = 0;
        while (row < list->count() && list->item(row)->text().toInt() < value)
            ++row;
        list->insertItem(row, text);
        found = list->findItems(text, Qt::MatchExactly);
    }
    SelectEntry(index, found.isEmpty() ? -1 : list->row(found.first()));
    if (!found.isEmpty())
        list->scrollToItem(found.first());
}

void frmSort::lstSort_Click(int index)
{
    const int row = ListIndex(lstSort[index]);
    if (row < 0)
        return; // nothing chosen: nothing to change
    if (index == 0) {
        SortSet[0] = static_cast<Integer>(row);
    } else {
        const auto value = TextToInteger(ListText(lstSort[index]));
        if (!value)
            return;
        SortSet[index] = *value;
    }
    Regenerate();
    DrawPreview();
}

void frmSort::Regenerate()
{
    FillSource();
    GeneratedWith = SortSet;
    generated_ = true;
}

void frmSort::DrawPreview()
{
    const Hourglass busy;
    const float hf = HorizontalFactor(picBox);
    const float vf = VerticalFactor(picBox);
    const double sh = picBox->ScaleHeight();
    picBox->Cls();
    const int last = LastIndex();
    for (int i = 1; i <= last; ++i) {
        const double x = i / hf;
        picBox->Line(x, sh, x, sh - SourceData[i] / vf);
    }
}

void frmSort::picBox_MouseMove(int button, int, double X, double Y)
{
    if (button == 1) {
        const float hf = HorizontalFactor(picBox);
        const float vf = VerticalFactor(picBox);
        const double sw = picBox->ScaleWidth();
        const double sh = picBox->ScaleHeight();
        // Immediate feedback at the pointer itself; the stored bars replace
        // it when the button is released.
        picBox->setForeColor(QBColor(ColorSet[1]));
        picBox->Line(X, sh, X, Y);
        if (X > 0 && X <= sw) {
            const std::int32_t index = CLng(static_cast<float>(X) * hf);
            // A drag beyond the top or bottom edge stores the height or 0:
            // values outside 0..height would overrun Counting Sort's table.
            const int value = std::clamp<int>(CInt(static_cast<float>(sh - Y) * vf), 0,
                                               std::max<int>(SortSet[1], 0));
            if (index >= 0 && index < static_cast<std::int32_t>(SourceData.size()))
                SourceData[index] = static_cast<Integer>(value);
        }
    }
    // Index 0 never holds a value, whatever the button.
    if (!SourceData.empty())
        SourceData[0] = 0;
}

void frmSort::picBox_MouseUp(int, int, double, double)
{
    DrawPreview();
}

void frmSort::cmdFill_Click()
{
    {
        const Hourglass busy;
        // Each run of zeros steps towards the next non-zero value (or the
        // last index), every value cut down to an integer and becoming the
        // start of the next step.
        const int width = LastIndex();
        for (int i = 1; i <= width - 1; ++i) {
            if (SourceData[i + 1] != 0)
                continue;
            int j = i + 1;
            while (j < width && SourceData[j] == 0)
                ++j;
            const float step = static_cast<float>(SourceData[j] - SourceData[i]) / static_cast<float>(j - i);
            SourceData[i + 1] = CInt(Int(static_cast<float>(SourceData[i]) + step));
        }
    }
    DrawPreview();
}

void frmSort::cmdClear_Click()
{
    const int last = LastIndex();
    for (int i = 0; i <= last; ++i)
        SourceData[i] = 0;
    DrawPreview();
}

void frmSort::cmdDefault_Click()
{
    SortSet[0] = 6;
    SortSet[1] = 100;
    SortSet[2] = 100;
    SelectEntry(0, 6);
    SelectText(1, 100);
    SelectText(2, 100);
    DrawPreview();
}

void frmSort::cmdOK_Click()
{
    Accepted = true;
    accept();
}

void frmSort::cmdCancel_Click()
{
    reject();
}

// Cancel, Esc, the window's close control and the main window's unloading
// all put the three settings back. The data set is kept unless it no longer
// fits them (another width, or generated under other settings); then it is
// generated afresh, so it always agrees with SortSet before anything copies it.
void frmSort::reject()
{
    OldSortSet.Restore();
    const bool wrongSize = SortSet[2] < 0 || SourceData.size() != static_cast<std::size_t>(SortSet[2]) + 1;
    if (wrongSize || (generated_ && GeneratedWith != SortSet))
        Regenerate();
    Accepted = false;
    QDialog::reject();
}
