#include "dialogs/DialogSupport.h"

#include "platform/Convert.h"
#include "platform/PictureBox.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include <algorithm>

namespace {
// The design font: its average letter and its line, which is also the row of
// the design's list boxes, in twips (6 and 13 pixels at 96 dpi).
constexpr double DesignLetterWidth = 90;
constexpr double DesignLineHeight = 195;
// The sunken border of the design's list boxes, both sides together.
constexpr double DesignListBorder = 60;
// Room for the rounding of each control's edges.
constexpr double EdgeSlack = 1.0;

double FontFactor(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const double letter = metrics.horizontalAdvance(letters) / letters.size() * TwipsPerPixelX();
    const double line = metrics.height() * TwipsPerPixelY();
    return std::max(letter / DesignLetterWidth, line / DesignLineHeight);
}

// The widest of a control's texts in its font.
int WidestText(const QWidget* control, const QStringList& texts)
{
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, control->fontMetrics().size(Qt::TextShowMnemonic, text).width());
    return widest;
}

// The rows a list box of the design's height showed in the design font.
int DesignRows(int heightTwips)
{
    return std::max(1, static_cast<int>((heightTwips - DesignListBorder) / DesignLineHeight));
}

// The space a push button's frame takes from its text, across and down.
QSize ButtonInset(const QPushButton* button, const QSize& size)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (button->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    if (button->autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    option.rect = QRect(QPoint(0, 0), size);
    const QRect inside = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return size - inside.size();
}
// Brings a dialog back when it is minimised or maximised.
class StayShown final : public QObject {
public:
    explicit StayShown(QDialog* dialog)
        : QObject(dialog), dialog_(dialog)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == dialog_ && event->type() == QEvent::WindowStateChange
            && (dialog_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
            // After the change has been taken, not inside it.
            QTimer::singleShot(0, dialog_, [d = dialog_] {
                d->setWindowState(Qt::WindowNoState);
                if (d->isVisible()) {
                    d->raise();
                    d->activateWindow();
                }
            });
        return false;
    }

private:
    QDialog* dialog_;
};
} // namespace

DialogDesign::DialogDesign(QDialog* dialog, const QString& caption, int clientWidth, int clientHeight)
    : dialog_(dialog), clientWidth_(clientWidth), clientHeight_(clientHeight)
{
    // A dialog window with an owner stays out of the task bar. Only a close
    // button: the window manager is told there is nothing to minimise or
    // maximise (a window manager that draws the buttons anyway is answered
    // below).
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    // Some window managers (openbox) give every dialog a minimise button
    // whatever it asks for: a modal dialog minimised away would leave the
    // main window blocked with nothing to answer, so it comes straight back.
    dialog->installEventFilter(new StayShown(dialog));
    dialog->setWindowTitle(caption);
    dialog->setModal(true);
    dialog->setSizeGripEnabled(false);
}

void DialogDesign::Place(QWidget* control, int left, int top, int width, int height, const QStringList& laterTexts)
{
    items_.push_back({control, left, top, width, height, laterTexts, 0, 0});
}

void DialogDesign::PlaceLine(QWidget* line, int x1, int x2, int y, int pixels, int pixelsBelow)
{
    items_.push_back({line, x1, y, x2 - x1, 0, {}, std::max(1, pixels), pixelsBelow});
}

int DialogDesign::X(double twips) const
{
    return TwipsToPixelsX(twips * factor_);
}

int DialogDesign::Y(double twips) const
{
    return TwipsToPixelsY(twips * factor_);
}

// The factor at which the item's texts fit it (wrapped labels aside).
double DialogDesign::FactorFor(const Item& item) const
{
    if (item.linePixels > 0 || item.width <= 0 || item.height <= 0)
        return 1.0;
    QWidget* control = item.control;
    control->ensurePolished();
    const double designWidth = item.width / TwipsPerPixelX();
    const double designHeight = item.height / TwipsPerPixelY();
    auto factor = [&](int needWidth, int needHeight) {
        return std::max((needWidth + EdgeSlack) / designWidth, (needHeight + EdgeSlack) / designHeight);
    };
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        const int count = list->count();
        if (count == 0)
            return 1.0;
        const int rows = std::min(count, DesignRows(item.height));
        const int frame = 2 * list->frameWidth();
        const int bar = count > rows ? list->verticalScrollBar()->sizeHint().width() : 0;
        return factor(frame + list->sizeHintForColumn(0) + bar, frame + rows * list->sizeHintForRow(0));
    }
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        const QSize inset = ButtonInset(button, QSize(qRound(designWidth), qRound(designHeight)));
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        return factor(WidestText(button, QStringList(item.laterTexts) << button->text()) + margin + inset.width(),
                      button->fontMetrics().height() + inset.height());
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (label->wordWrap() || !label->pixmap().isNull())
            return 1.0;
        const int frame = 2 * (label->frameWidth() + label->margin());
        const int indent = std::max(0, label->indent());
        return factor(WidestText(label, QStringList(item.laterTexts) << label->text()) + frame + indent,
                      label->fontMetrics().height() + frame);
    }
    return 1.0;
}

// The factor, from the given one up, at which a wrapped label's text fits
// its height at the width that factor gives it.
double DialogDesign::WrapFactor(const Item& item, double factor) const
{
    auto* label = qobject_cast<QLabel*>(item.control);
    if (!label || !label->wordWrap() || item.width <= 0 || item.height <= 0)
        return factor;
    for (int step = 0; step < 100; ++step) {
        const int width = TwipsToPixelsX(item.width * factor);
        const int height = TwipsToPixelsY(item.height * factor);
        if (label->heightForWidth(width) + EdgeSlack <= height)
            break;
        factor *= 1.02;
    }
    return factor;
}

void DialogDesign::Put(const Item& item) const
{
    const int x = X(item.left);
    const int y = Y(item.top);
    if (item.linePixels > 0) {
        item.control->setGeometry(x, y + item.pixelsBelow, X(item.left + item.width) - x, item.linePixels);
        return;
    }
    // Right and bottom edges are rounded on their own, so controls that meet
    // in twips meet on the screen too.
    const int width = X(item.left + item.width) - x;
    int height = Y(item.top + item.height) - y;
    if (auto* list = qobject_cast<QListWidget*>(item.control); list && list->count() > 0) {
        // Whole rows only, as the design's list boxes showed them: no entry
        // half hidden at the foot.
        const int frame = 2 * list->frameWidth();
        const int row = std::max(1, list->sizeHintForRow(0));
        height = frame + std::max(1, (height - frame) / row) * row;
    }
    item.control->setGeometry(x, y, width, height);
}

void DialogDesign::Apply()
{
    double factor = std::max(1.0, FontFactor(dialog_->font()));
    for (const Item& item : items_)
        factor = std::max(factor, FactorFor(item));
    for (const Item& item : items_)
        factor = WrapFactor(item, factor);
    factor_ = factor;
    for (const Item& item : items_)
        Put(item);
    dialog_->setFixedSize(X(clientWidth_), Y(clientHeight_));
}

void FillList(QListWidget* list, const QStringList& entries)
{
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    // The dialog is laid out wide enough for every entry.
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
