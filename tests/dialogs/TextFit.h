// Whether a window shows its texts whole: every label, button caption and list
// entry measured in the control's own font against the rectangle it is drawn
// in. Each function returns the cuts it finds, one line each, empty when none.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <string>

namespace textfit {

inline std::string Cut(const QWidget* control, const QString& text, const char* what)
{
    return control->objectName().toStdString() + " \"" + text.toStdString() + "\": " + what + "\n";
}

// A control reaching past its window's edge is cut there.
inline std::string OutsideCut(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    return parent && !parent->rect().contains(control->geometry()) ? Cut(control, {}, "beyond its window's edge")
                                                                  : std::string();
}

inline std::string LabelCuts(const QLabel* label)
{
    const QString text = label->text();
    const QFontMetrics fm = label->fontMetrics();
    const int margin = label->margin();
    const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    std::string cuts = OutsideCut(label);
    if (label->wordWrap()) {
        if (fm.boundingRect(room, Qt::TextWordWrap, text).height() > room.height())
            cuts += Cut(label, text, "wrapped lines below its foot");
        return cuts;
    }
    const int indent = label->indent() >= 0 ? label->indent()
                       : label->frameWidth() > 0 ? fm.horizontalAdvance(QLatin1Char('x')) / 2
                                                 : 0;
    if (fm.horizontalAdvance(text) + indent > room.width())
        cuts += Cut(label, text, "wider than its label");
    if (fm.height() > room.height())
        cuts += Cut(label, text, "taller than its label");
    return cuts;
}

inline std::string ButtonCuts(const QPushButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (button->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    if (button->autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    std::string cuts = OutsideCut(button);
    if (text.width() > room.width() || text.height() > room.height())
        cuts += Cut(button, button->text(), "larger than its button's face");
    return cuts;
}

// Every entry's text fits its row across; at the top and at the foot of the
// list every row that shows, shows whole; and a list whose entries all show
// has no scroll bar.
inline std::string ListCuts(QListWidget* list)
{
    const QFontMetrics fm = list->fontMetrics();
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const QRect view = list->viewport()->rect();
    std::string cuts = OutsideCut(list);
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        const QRect rect = list->visualItemRect(item);
        if (fm.horizontalAdvance(item->text()) + 2 * margin > std::min(rect.width(), view.width())
            || fm.height() > rect.height())
            cuts += Cut(list, item->text(), "wider or taller than its row");
    }
    for (const bool foot : {false, true}) {
        foot ? list->scrollToBottom() : list->scrollToTop();
        QApplication::processEvents();
        bool allShown = true;
        for (int row = 0; row < list->count(); ++row) {
            const QRect rect = list->visualItemRect(list->item(row));
            if (rect.bottom() < view.top() || rect.top() > view.bottom())
                allShown = false;
            else if (rect.top() < view.top() || rect.bottom() > view.bottom())
                cuts += Cut(list, list->item(row)->text(), "row half hidden");
        }
        if (allShown && list->verticalScrollBar()->isVisible())
            cuts += Cut(list, {}, "scroll bar with every entry in view");
    }
    list->scrollToTop();
    return cuts;
}

// The cuts of every visible label, button and list of a window.
inline std::string WindowCuts(QWidget* window)
{
    std::string cuts;
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->isVisible() && label->pixmap().isNull())
            cuts += LabelCuts(label);
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->isVisible())
            cuts += ButtonCuts(button);
    for (QListWidget* list : window->findChildren<QListWidget*>())
        if (list->isVisible())
            cuts += ListCuts(list);
    return cuts;
}

// How many of a list's rows show whole at its top.
inline int RowsShown(QListWidget* list)
{
    list->scrollToTop();
    QApplication::processEvents();
    const QRect view = list->viewport()->rect();
    int shown = 0;
    for (int row = 0; row < list->count(); ++row) {
        const QRect rect = list->visualItemRect(list->item(row));
        shown += rect.top() >= view.top() && rect.bottom() <= view.bottom() ? 1 : 0;
    }
    return shown;
}

} // namespace textfit
